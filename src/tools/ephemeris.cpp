#include "ephemeris.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/computableyears.h"
#include "engine/modaltazm.h"
#include "engine/modcormm.h"
#include "engine/modcorsh.h"
#include "engine/modctim.h"
#include "engine/moddegree2.h"
#include "engine/moddegree3.h"
#include "engine/moddeltat.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "engine/numberpattern.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "reports/reportpieces.h"
#include "settings/settingsline.h"

#include "version.h"

namespace ephemeris {

using reportpieces::charCount;
using settings::SettingsField;

namespace {

// Kilometres in one astronomical unit, as the table has always converted.
constexpr double kAuKm = 149597870.66;
// The Sun's semidiameter at 1 AU (959.63"), degrees.
constexpr double kSunSdAt1Au = 0.266563888;
// The Sun's equatorial horizontal parallax at 1 AU (8.794"), degrees.
constexpr double kSunParallaxAt1Au = 0.0024427777778;

// Step lengths in days of the four units: these decimal constants, not the
// exact fractions, so that long tables land on the instants they always did.
constexpr double kUnitDays[4] = {1.157407407E-05, 0.0006944444444444, 0.0416666666666667, 1};

// Degrees of a western longitude or a southern latitude: the rounded degrees
// negated and printed as a number ("-5 "). A place within the first degree
// keeps its minus, which the bare number -0 would lose.
std::string negatedDegrees(double deg, double min, double sec)
{
    const double rounded = std::round(std::fabs(deg));
    if (rounded == 0 && min == 0 && sec == 0)
        return patternNumber(deg, 2, 0);
    return "-" + plainNumber(rounded) + " ";
}

std::string dms2(double v)
{
    std::string t;
    degree2(0, "d", v, t);
    return t;
}

std::string dms3(double v)
{
    std::string t;
    degree3(0, "d", v, t);
    return t;
}

// Remarks block, each item a line; an empty item is an empty line.
const char* const kRemarks[] = {
    "* Right Ascension (R.A.) and Declination (Dec.):",
    "Airless apparent right ascension and declination of the target with respect",
    "to the Earth true-equator and the meridian containing the Earth true equinox",
    "of date. Corrected for light-time, gravitational deflection of light, stellar",
    "aberration, precession & nutation. Units: (hh:mm:ss) and (dd:mm:ss).",
    "",
    "* Altitude and Azimuth:",
    "Airless apparent azimuth and elevation of target. Corrected for light-time, the",
    "gravitational deflection of light, stellar aberration, precession and nutation.",
    "Azimuth measured from North. Units: (dd:mm:ss).",
    "",
    "* Latitude and Longitude:",
    "Ecliptic-of-date longitude and latitude of the target's apparent position,",
    "corrected for light-time, the gravitational deflection of light and stellar",
    "aberration. The ecliptic plane is the Earth's orbital plane at print time.",
    "Units: (dd:mm:ss).",
    "",
    "* Distance:",
    "Geocentric distance between Earth and target in Km.",
    "",
    "* Semi-Diameter (SD):",
    "The angle at the observer subtended by the equatorial radius of the target.",
    "Units: (dd:mm:ss).",
    "",
    "* Parallax:",
    "Horizontal Parallax: The difference between the topocentric and geocentric",
    "positions of an object, when the object is on the astronomical horizon.",
    "Units: (dd:mm:ss).",
    "",
    "* DT: Delta T in seconds.",
};

struct Column {
    size_t at;
    const char* heading;
};

// Headings and their columns; the Moon adds "Moon House".
constexpr Column kHeadings[] = {{4, "Time & Date"}, {25, "R. A."},    {38, "Dec."},
                                {47, "Altitude"},   {58, "Azimuth"},  {69, "Latitude"},
                                {79, "Longitude"},  {90, "Distance"}, {106, "SD"},
                                {113, "Parallax"},  {124, "DT"},      {129, "Moon House"}};

// Row items' columns, in the order label, R. A., ..., DT, mansion.
constexpr size_t kRowColumns[] = {1, 22, 35, 46, 57, 68, 79, 90, 103, 113, 123, 129};

} // namespace

// ---- coor.zvd ----

std::vector<SettingsField> toFields(const EphemerisSettings& s)
{
    return {SettingsField::number(s.body),      SettingsField::truth(s.ut),
            SettingsField::truth(s.geocentric), SettingsField::number(s.year1),
            SettingsField::number(s.month1),    SettingsField::number(s.day1),
            SettingsField::number(s.hour1),     SettingsField::number(s.minute1),
            SettingsField::number(s.second1),   SettingsField::number(s.year2),
            SettingsField::number(s.month2),    SettingsField::number(s.day2),
            SettingsField::number(s.hour2),     SettingsField::number(s.minute2),
            SettingsField::number(s.second2),   SettingsField::number(s.increment),
            SettingsField::number(s.unit),      SettingsField::number(s.summer)};
}

EphemerisSettings ephemerisSettingsFrom(const std::vector<SettingsField>& f)
{
    auto num = [&](size_t i) { return i < f.size() ? f[i].asNumber() : 0.0; };
    auto truth = [&](size_t i) { return i < f.size() && f[i].asTruth(); };
    // An index is whole; anything a hand-edited file holds beyond the int
    // range reads as none selected.
    auto index = [&](size_t i) {
        const double v = num(i);
        return std::isfinite(v) && std::fabs(v) < 1e9 ? static_cast<int>(std::trunc(v)) : -1;
    };
    EphemerisSettings s;
    s.body = index(0);
    s.ut = truth(1);
    s.geocentric = truth(2);
    s.year1 = num(3), s.month1 = num(4), s.day1 = num(5);
    s.hour1 = num(6), s.minute1 = num(7), s.second1 = num(8);
    s.year2 = num(9), s.month2 = num(10), s.day2 = num(11);
    s.hour2 = num(12), s.minute2 = num(13), s.second2 = num(14);
    s.increment = num(15);
    s.unit = index(16);
    s.summer = index(17);
    return s;
}

EphemerisSettings readEphemerisSettings()
{
    return ephemerisSettingsFrom(
        settings::readRecordStrict(kSettingsFile, kEphemerisSettingsKinds));
}

settings::SaveResult writeEphemerisSettings(const EphemerisSettings& s)
{
    return settings::writeRecord(kSettingsFile, toFields(s));
}

// ---- row quantities ----

double incrementOf(const std::string& text)
{
    return std::fabs(std::floor(settings::lenientNumber(text)));
}

double stepDays(double increment, int unit)
{
    double step = 0;
    if (unit >= 0 && unit <= 3)
        step = std::fabs(std::floor(increment)) * kUnitDays[unit];
    return step == 0 || !std::isfinite(step) ? 1 : step;
}

const char* lunarMansion(double L)
{
    struct Mansion {
        double from;
        const char* name;
    };
    static constexpr Mansion kMansions[] = {
        {351, "Al-Fargh Al-Awwal"}, {334, "Saad Al-Akhbiya"}, {319, "Saad Sood"},
        {309, "Saad Bola"},         {298, "Saad Al-Dabih"},   {285, "Al-Baldah"},
        {271, "Al-Naaim"},          {258, "Al-Shawlah"},      {247, "Al-Qalb"},
        {235, "Al-Aklil"},          {221, "Al-Zabani"},       {209, "Al-Ghafr"},
        {196, "Al-Semak"},          {180, "Al-Awwa"},         {167, "Al-Sarfah"},
        {156, "Al-Zubrah"},         {143, "Al-Jabha"},        {132, "Al-Ttarf"},
        {120, "Al-Nathrah"},        {106, "Al-Dhera"},        {92, "Al-Hanah"},
        {77, "Al-Haqah"},           {65, "Al-Dabaran"},       {55, "Al-Thurayia"},
        {42, "Al-Botean"},          {32, "Al-Sharatan"},      {22, "Batn Al-Hout"},
        {5, "Al-Fargh Ath-Thani"}};
    if (L < 5)
        return "Al-Fargh Al-Awwal";
    for (const Mansion& m : kMansions)
        if (L >= m.from)
            return m.name;
    return "----"; // only NaN comes here: no longitude, no mansion
}

RowValues computeRow(bool moon, bool geocentric, double t)
{
    RowValues v;
    double a, d, aT, dT, lam, bet, lamT, betT;
    if (!moon) {
        double R, E;
        corsh(pi, t, a, d, aT, dT, lam, bet, lamT, betT, R, E);
        v.distanceKm = R * kAuKm;
        v.semidiameter = kSunSdAt1Au / R;
        v.parallax = modgeneral::asin(std::sin(kSunParallaxAt1Au * pi / 180) / R) * 180 / pi;
    } else {
        double par, s, sT, dist;
        cormm(pi, t, a, d, aT, dT, lam, bet, lamT, betT, par, s, sT, dist);
        v.distanceKm = dist;
        v.semidiameter = geocentric ? s : sT;
        v.parallax = par;
    }
    const double ra = geocentric ? a : aT;
    v.dec = geocentric ? d : dT;
    v.latitude = geocentric ? bet : betT;
    v.longitude = geocentric ? lam : lamT;
    altazm(t, ra, v.dec, v.altitude, v.azimuth);
    v.raHours = ra / 15;
    v.mansion = lunarMansion(v.longitude);
    double dt;
    deltat(t, dt);
    v.deltaTSeconds = dt * 86400;
    return v;
}

double clockInstant(double year, double month, double day, double hour, double minute,
                    double second, double zone, bool summer)
{
    double JD;
    jul(year, month, day, hour - zone - (summer ? 1 : 0) + minute / 60 + second / 3600, JD);
    return JD;
}

std::string rowLabel(double t, double zone, bool summer)
{
    // An entered midnight comes back from the zone and summer arithmetic a few
    // microseconds short of it at most; only a real round-up of the seconds
    // writes 24:00:00 of the day before.
    constexpr double kRoundingNoise = 0.001 / 86400; // days
    const double local = t + zone / 24 + (summer ? 1.0 / 24 : 0.0);
    double y, m, d;
    juc(local + 0.5, y, m, d);
    if (std::floor(d) + 1 - d < kRoundingNoise)
        juc(local + 0.5 + kRoundingNoise, y, m, d);
    const double day = std::floor(d);
    std::string time;
    ctim(0, (d - day) * 24, time);
    return time + " " + patternNumber(day, 2, 0) + "/" + patternNumber(m, 2, 0) + "/" +
           patternNumber(y, 4, 0);
}

void placeAt(std::string& line, size_t column, const std::string& item)
{
    const size_t start = line.rfind('\n');
    const size_t have =
        start == std::string::npos ? charCount(line) : charCount(line.substr(start + 1));
    if (have >= column && column > 0) {
        line += "\r\n";
        line.append(column - 1, ' ');
    } else if (have + 1 < column) {
        line.append(column - 1 - have, ' ');
    }
    line += item;
}

std::string rowLine(const std::string& label, const RowValues& v, bool moon)
{
    std::string ra;
    degree3(0, "h", v.raHours, ra);
    const std::string items[] = {label,
                                 ra,
                                 dms2(v.dec),
                                 dms2(v.altitude),
                                 dms3(v.azimuth),
                                 dms2(v.latitude),
                                 dms3(v.longitude),
                                 patternNumber(v.distanceKm, 1, 1),
                                 dms3(v.semidiameter),
                                 dms3(v.parallax),
                                 patternNumber(v.deltaTSeconds, 2, 1),
                                 v.mansion};
    std::string s;
    const size_t count = moon ? 12 : 11;
    for (size_t i = 0; i < count; ++i)
        placeAt(s, kRowColumns[i], items[i]);
    return s;
}

double zoneOf(const settings::CurrentLocation& loc)
{
    return settings::lenientNumber(patternNumber(loc.zon, 1, 2));
}

std::string locationLine(const settings::CurrentLocation& l)
{
    const std::string lonDeg =
        l.east ? patternNumber(l.longid, 2, 0) : negatedDegrees(l.longid, l.longim, l.longis);
    const std::string latDeg =
        l.north ? patternNumber(l.latid, 2, 0) : negatedDegrees(l.latid, l.latim, l.latis);
    return "- " + l.locname + ", Long: " + lonDeg + ":" + patternNumber(l.longim, 2, 0) + ":" +
           patternNumber(l.longis, 2, 1) + ", Lat: " + latDeg + ":" + patternNumber(l.latim, 2, 0) +
           ":" + patternNumber(l.latis, 2, 1) + ", Ele:" + patternNumber(l.ele, 1, 1) +
           ", Zone:" + patternNumber(l.zon, 1, 2);
}

// ---- the report file ----

ReportText::ReportText(size_t spillBytes) : out_(platform::programFile(kReportFile), spillBytes) {}

void ReportText::line(const std::string& s)
{
    out_.append(s);
    out_.append("\r\n");
}

bool ReportText::save(const std::filesystem::path& file, std::string& error)
{
    // The temporary file was made beside the report file; a different target
    // would not be renamed atomically.
    if (file != out_.file()) {
        error = "the report was started for another file";
        return false;
    }
    return out_.commit(error);
}

// ---- the run ----

std::string farDatesRefusal(const EphemerisSettings& s, double zone, bool english)
{
    const double summerHours = s.summer == 1 ? 1 : 0;
    const ClockReading first{
        clockInstant(s.year1, s.month1, s.day1, s.hour1, s.minute1, s.second1, 0, false),
        summerHours};
    const ClockReading last{
        clockInstant(s.year2, s.month2, s.day2, s.hour2, s.minute2, s.second2, 0, false),
        summerHours};
    const SpanVerdict why = judgeClockSpan(first, last, zone, !s.ut);
    const auto shown = [&](double v) { return reportpieces::yearInMessage(v, english); };
    const std::string firstYear = shown(kFirstComputableYear),
                      lastYear = shown(kLastComputableYear);
    if (!why.computable()) {
        const double year = why.lastEnd ? s.year2 : s.year1;
        const bool byYear = why.cause == SpanCause::Year;
        // A year within the span carried out by a day or an hour of many
        // digits: the time as a whole is what to mend.
        const bool yearWithin = year >= kFirstComputableYear && year <= kLastComputableYear;
        if (english)
            return (yearWithin ? std::string("The ")
                               : std::string("The year ") + shown(year) + " of the ") +
                   (why.lastEnd ? "End" : "Start") +
                   " LOCAL Time lies beyond the years the table can be computed for" +
                   (byYear
                        ? ""
                        : ":" + reportpieces::spanCauseText(why, zone, true, "that time", true)) +
                   ". Please enter dates from the year " + firstYear + " to the year " + lastYear +
                   " in universal time.";
        return (yearWithin ? std::string() : "السنة " + shown(year) + " في ") +
               (why.lastEnd ? "الوقت المحلي لنهاية الفترة" : "الوقت المحلي لبداية الفترة") +
               " خارج السنوات التي يصح لها حساب الجدول" +
               (byYear ? ""
                       : ": " + reportpieces::spanCauseText(why, zone, false, "ذلك الوقت", true)) +
               "، يرجى إدخال تواريخ من سنة " + firstYear + " إلى سنة " + lastYear +
               " بالتوقيت العالمي";
    }
    // Within those years a second is far above the rounding of an instant;
    // the test stays so that the table can never repeat one row.
    if (first.JD + stepDays(s.increment, s.unit) != first.JD)
        return {};
    if (english)
        return "The increment is lost in the rounding of the Start LOCAL Time. Please enter "
               "dates from the year " +
               firstYear + " to the year " + lastYear + " in universal time.";
    return "مقدار الزيادة يضيع في تقريب الوقت المحلي لبداية الفترة، يرجى إدخال تواريخ من سنة " +
           firstYear + " إلى سنة " + lastYear + " بالتوقيت العالمي";
}

TdtScope::TdtScope(bool tdt)
{
    tdtmode = tdt ? 1 : 0;
}

TdtScope::~TdtScope()
{
    tdtmode = 0;
}

RunOutcome runEphemeris(const EphemerisSettings& s, RunHost& host, long long* rowsOut)
{
    if (rowsOut)
        *rowsOut = 0;
    // Whatever ends the run (a file fault among them), the time scale goes
    // back to universal time.
    TdtScope scale(false);

    const settings::CurrentLocation loc = settings::readCurrentLocation();
    const bool english = settings::readPreferences().eng;
    const double zone = zoneOf(loc);

    const bool moon = s.body != 0;
    const bool summer = s.summer == 1;
    pi = kPi15;

    // Far dates first: a start of many digits would otherwise be answered
    // as an end before the start.
    if (const std::string refused = farDatesRefusal(s, zone, english); !refused.empty()) {
        host.farDates(refused, english);
        return RunOutcome::FarDates;
    }
    const double JD1 =
        clockInstant(s.year1, s.month1, s.day1, s.hour1, s.minute1, s.second1, zone, summer);
    const double JD2 =
        clockInstant(s.year2, s.month2, s.day2, s.hour2, s.minute2, s.second2, zone, summer);
    if (JD2 < JD1) {
        host.dateError(english);
        return RunOutcome::DateError;
    }

    ReportText report;
    auto headerLine = [&](size_t column, const char* text) {
        std::string l;
        placeAt(l, column, text);
        report.line(l);
    };
    headerLine(51, "By the Name of Allah");
    headerLine(46, "Falakorum");
    headerLine(45, "Miqatix " MIQATIX_VERSION_SHORT);
    report.line("");
    report.line("* Settings:-");
    report.line("");
    report.line(moon ? "- Moon Ephemeris" : "- Sun Ephemeris");
    report.line(locationLine(loc));
    report.line(s.geocentric ? "- Ephemeris are Geocentric." : "- Ephemeris are Topocentric.");
    report.line(s.ut ? "- Time Reference is Local (UT1)." : "- Time Reference is Local (TDT).");
    report.line(summer ? "- Summer Time is On." : "- Summer Time is Off.");
    report.line(std::string(moon ? 141 : 128, '='));
    report.line("");
    std::string headings;
    for (const Column& c : kHeadings)
        if (moon || c.at != 129)
            placeAt(headings, c.at, c.heading);
    report.line(headings);
    report.line("");

    const double step = stepDays(s.increment, s.unit);
    tdtmode = s.ut ? 0 : 1;

    bool cancelled = false;
    long long n = 0;
    for (double t = JD1; t <= JD2;) {
        double p = 100;
        if (JD1 != JD2)
            p = std::min(100.0, 100 * (n + 1) / ((JD2 - JD1) / step));
        host.progress(p);

        const RowValues v = computeRow(moon, s.geocentric, t);
        report.line(rowLine(rowLabel(t, zone, summer), v, moon));
        if (rowsOut)
            *rowsOut = n + 1;

        if (host.handOverCancelled()) {
            cancelled = true;
            break;
        }
        const double next = t + step;
        // Far from the present era a step can vanish in the instant's
        // rounding; the table would then repeat one row for ever.
        if (!(next > t))
            break;
        t = next;
        ++n;
        if (n % 4 == 0)
            report.line("");
    }
    tdtmode = 0;

    report.line(std::string(128, '='));
    report.line("");
    for (const char* r : kRemarks)
        report.line(r);

    const std::filesystem::path file = platform::programFile(kReportFile);
    std::string error;
    if (!report.save(file, error)) {
        host.writeFailed(error, english);
        return RunOutcome::WriteFailed;
    }
    if (cancelled)
        return RunOutcome::Cancelled;
    host.openReport(file);
    return RunOutcome::Finished;
}

} // namespace ephemeris
