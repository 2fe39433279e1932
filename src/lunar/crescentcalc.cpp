#include "crescentcalc.h"

#include <cmath>

#include "engine/modcormm.h"
#include "engine/modcorsh.h"
#include "engine/modctim.h"
#include "engine/modday.h"
#include "engine/moddegree.h"
#include "engine/moddeltat.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "lunar/crescentparameters.h"
#include "reports/prayerreport.h"
#include "reports/reportpieces.h"
#include "settings/records.h"
#include "settings/settingsline.h"
#include "version.h"

namespace lunar {

namespace {

using prayer::charCount;
using prayer::patternNumber;

// onedaymode is 1 for the lifetime of one of these, also when an engine
// stops with a fault.
class OneDayMode {
public:
    OneDayMode() { onedaymode = 1; }
    ~OneDayMode() { onedaymode = 0; }
    OneDayMode(const OneDayMode&) = delete;
    OneDayMode& operator=(const OneDayMode&) = delete;
};

// The report's lines: items placed at 1-based columns; an item whose column
// the line has already passed starts that column on a new line.
class ReportText {
public:
    ReportText& at(size_t column, const std::string& item)
    {
        if (column > 0) {
            if (charCount(line_) >= column) {
                finish();
            }
            while (charCount(line_) + 1 < column)
                line_ += ' ';
        }
        line_ += item;
        return *this;
    }
    ReportText& add(const std::string& item) { return at(0, item); }
    void end() { finish(); }
    void line(const std::string& s)
    {
        add(s);
        end();
    }
    const std::string& text() const { return text_; }

private:
    void finish()
    {
        text_ += line_;
        text_ += "\r\n";
        line_.clear();
    }
    std::string text_;
    std::string line_;
};

std::string rule()
{
    return std::string(78, '=');
}

void title(ReportText& r)
{
    r.at(26, "By the Name of Allah").end();
    r.at(21, "Falakorum").end();
    r.at(20, "Miqatix " MIQATIX_VERSION_SHORT).end();
}

std::string hms(const std::string& min, double hours)
{
    std::string t;
    degree(min, "h", hours, t);
    return t;
}

std::string angle(double degrees)
{
    std::string t;
    degree(0, "d", degrees, t);
    return t;
}

std::string rightAscension(double degrees)
{
    std::string t;
    degree(0, "h", degrees / 15, t);
    return t;
}

std::string clock(const std::string& min, double hours)
{
    std::string t;
    ctim(min, hours, t);
    return t;
}

// The clock hours of a local-time Julian Day.
double clockHours(double jd)
{
    const double x = jd + 0.5;
    return (x - std::floor(x)) * 24;
}

bool noEvent(const EventTime& t)
{
    return t.isMarker();
}

// Leading whole number of a list's text; 0 when it has none.
double leading(const std::string& text)
{
    double v = 0;
    return settings::leadingNumber(text, v) ? v : 0;
}

// The Sun's and the Moon's places at U (UT) in the chosen frame, the crescent
// parameters there and Delta T.
struct Sky {
    double alphaM, deltaM, alphaS, deltaS, lambdaM, betaM, lambdaS, betaS, semi;
    double hM, AM, hS, AS, E, i, k, w, m, parallax, distance;
    double relAlt, relAz, deltaTSeconds;
};

Sky skyAt(double U, double p, bool geo)
{
    Sky sky;
    double sa, sd, saT, sdT, sl, sb, slT, sbT, R, EqT;
    corsh(p, U, sa, sd, saT, sdT, sl, sb, slT, sbT, R, EqT);
    double ma, md, maT, mdT, ml, mb, mlT, mbT, s, sT;
    cormm(p, U, ma, md, maT, mdT, ml, mb, mlT, mbT, sky.parallax, s, sT, sky.distance);
    double dT;
    deltat(U, dT);
    sky.deltaTSeconds = dT * 86400;

    sky.alphaM = geo ? ma : maT, sky.deltaM = geo ? md : mdT;
    sky.alphaS = geo ? sa : saT, sky.deltaS = geo ? sd : sdT;
    sky.lambdaM = geo ? ml : mlT, sky.betaM = geo ? mb : mbT;
    sky.lambdaS = geo ? sl : slT, sky.betaS = geo ? sb : sbT;
    sky.semi = geo ? s : sT;
    CrescentParameters(U, sky.alphaM, sky.deltaM, sky.alphaS, sky.deltaS, sky.semi, R, sky.distance,
                       sky.hM, sky.AM, sky.hS, sky.AS, sky.E, sky.i, sky.k, sky.w, sky.m);
    sky.relAlt = sky.hM - sky.hS;
    sky.relAz = sky.AM - sky.AS;
    return sky;
}

// The instant of calculation (local-time Julian Day) of the chosen time; the
// best time B falls back to the Sun's (new) or the Moon's (old) event when
// the lag is not positive.
double instantOfCalculation(const CalculationInput& in, double J0, double S, double M, double L,
                            double& B)
{
    switch (in.time) {
    case CalculationTime::Sun:
        return J0 + S / 24;
    case CalculationTime::Moon:
        return J0 + M / 24;
    case CalculationTime::Best:
        if (L <= 0)
            B = J0 + (in.newCrescent ? S : M) / 24;
        return B;
    case CalculationTime::Specific:
        return J0 + (leading(in.hourText) + leading(in.minuteText) / 60) / 24;
    }
    return 0;
}

std::string calculationTimeName(CalculationTime time, bool isNew)
{
    switch (time) {
    case CalculationTime::Specific:
        return "User Time";
    case CalculationTime::Best:
        return "Best Time";
    case CalculationTime::Sun:
        return isNew ? "Sunset Time" : "Sunrise Time";
    case CalculationTime::Moon:
        return isNew ? "Moonset Time" : "Moonrise Time";
    }
    return {};
}

// The positions and parameters block of the report.
void writeSkyValues(ReportText& r, const std::string& P, const Sky& sky)
{
    r.add("- " + P + "Moon Right Ascension:").at(28, rightAscension(sky.alphaM));
    r.at(43, P + "Moon Declination:").at(64, angle(sky.deltaM)).end();
    r.add("- " + P + "Sun Right Ascension:").at(28, rightAscension(sky.alphaS));
    r.at(43, P + "Sun Declination:").at(64, angle(sky.deltaS)).end();
    r.line("");
    r.add("- " + P + "Moon Longitude:").at(22, angle(sky.lambdaM));
    r.at(43, P + "Moon Latitude:").at(61, angle(sky.betaM)).end();
    r.add("- " + P + "Sun Longitude:").at(22, angle(sky.lambdaS));
    r.at(43, P + "Sun Latitude:").at(61, angle(sky.betaS)).end();
    r.line("");
    r.add("- " + P + "Moon Altitude:").at(21, angle(sky.hM));
    r.at(43, P + "Moon Azimuth:").at(60, angle(sky.AM)).end();
    r.add("- " + P + "Sun Altitude:").at(21, angle(sky.hS));
    r.at(43, P + "Sun Azimuth:").at(60, angle(sky.AS)).end();
    r.line("");
    r.add("- " + P + "Relative Altitude:").at(25, angle(sky.relAlt));
    r.at(43, P + "Elongation:").at(59, angle(sky.E)).end();
    r.add("- " + P + "Relative Azimuth:").at(25, angle(sky.relAz));
    r.at(43, P + "Phase Angle:").at(59, angle(sky.i)).end();
    r.line("");
    r.add("- " + P + "Crescent Width:").at(22, angle(sky.w));
    r.at(43, P + "Moon Semi-Diameter:").at(67, angle(sky.semi)).end();
    r.add("- " + P + "Illumination:").at(22, patternNumber(sky.k * 100, 2, 2) + " %");
    r.at(43, "G. Horizontal Parallax:").at(67, angle(sky.parallax)).end();
    r.line("");
    r.add("- " + P + "Magnitude:").at(17, patternNumber(sky.m, 2, 2));
    r.at(43, "G. Distance:").at(56, patternNumber(sky.distance, 2, 2) + " Km").end();
}

// Why the crescent cannot be seen that day, when it cannot.
void writeNotes(ReportText& r, bool isNew, double L, double A)
{
    if (isNew) {
        if (L < 0 && A < 0) {
            r.line("- Note: It's Impossible To See The New Crescent Today, Because The Moon Sets");
            r.line("        Before The Sun, and The Conjunction Occurs After Sunset.");
        } else if (A < 0) {
            r.line("- Note: It's Impossible To see The New Crescent Today, Because The "
                   "Conjunction");
            r.line("        Occurs After Sunset.");
        } else if (L < 0) {
            r.line("- Note: It's Impossible To see The New Crescent Today, Because The Moon "
                   "Sets ");
            r.line("        Before The Sun.");
        }
    } else {
        if (L < 0 && A > 0) {
            r.line("- Note: It's Impossible To See The Old Crescent Today, Because The Moon "
                   "Rises");
            r.line("        After The Sun, and The Conjunction Occurs Before Moonrise.");
        } else if (A > 0) {
            r.line("- Note: It's Impossible To see The Old Crescent Today, Because The "
                   "Conjunction");
            r.line("        Occurs Before Moonrise.");
        } else if (L < 0) {
            r.line("- Note: It's Impossible To see The Old Crescent Today, Because The Moon "
                   "Rises ");
            r.line("        After The Sun.");
        }
    }
}

void writeRemarks(ReportText& r)
{
    r.line(rule());
    r.line("");
    r.line("* Remarks:-");
    r.line("");
    r.line("- Date format: dd/mm/yyyy.");
    r.line("- The Prefix 'G.' means Geocentric, and 'T.' means Topocentric.");
    r.line("- For New Crescent: Moon Lag Time = Moonset - Sunset.");
    r.line("- For Old Crescent: Moon Lag Time = Sunrise - Moonrise.");
    r.line("- For New Crescent: Best Time = Sunset + 4/9 (Moon Lag Time).");
    r.line("- For Old Crescent: Best Time = Sunrise - 4/9 (Moon Lag Time).");
}

} // namespace

std::string noEventReport()
{
    ReportText r;
    title(r);
    r.line("");
    r.line("Crescent Visibility calculations on this day from this location need careful ");
    r.line("technique, because there is no Sunset/Sunrise and/or Moonset/Moonrise event(s).");
    return r.text();
}

CalculationResult runCalculation(const CalculationInput& in, const OneDayEngines& engines)
{
    CalculationResult result;
    CalculationValues& v = result.values;

    const settings::CurrentLocation loc = settings::readCurrentLocation();
    const settings::Preferences pref = settings::readPreferences();
    const double zon = loc.zon;
    const std::string& min = pref.min;
    const bool isNew = in.newCrescent;

    // The conjunction's local date and clock time.
    double Y, Mo, D;
    juc(in.conjlocal + 0.5, Y, Mo, D);
    const std::string conjClock = clock(min, (D - std::floor(D)) * 24);
    D = std::floor(D);
    const std::string conjText = patternNumber(D, 2, 0) + "/" + patternNumber(Mo, 2, 0) + "/" +
                                 patternNumber(Y, 4, 0) + " CE" + ", " + conjClock;

    jul(Y, Mo, D, 0, v.onedayjd);
    v.onedayjd += isNew ? in.dayOffset : -in.dayOffset;
    onedayjd = v.onedayjd;

    {
        OneDayMode oneDay;
        if (engines.prayerTimes)
            engines.prayerTimes();
        if (engines.moonTimes)
            engines.moonTimes();
    }

    const EventTime sunEvent = isNew ? daysunset : daysunrise;
    const EventTime moonEvent = isNew ? daymoonset : daymoonrise;
    if (noEvent(sunEvent) || noEvent(moonEvent)) {
        result.noEvent = true;
        result.report = noEventReport();
        return result;
    }
    const double S = v.S = sunEvent.hours;
    const double M = v.M = moonEvent.hours;
    const double L = v.L = isNew ? M - S : S - M;
    const double J0 = v.onedayjd;

    double B = J0 + (isNew ? S + 4.0 / 9 * L : S - 4.0 / 9 * L) / 24;
    const double T = instantOfCalculation(in, J0, S, M, L, B);
    v.B = B;
    v.T = T;
    const double A = v.A = T - in.conjlocal;

    std::string weekday;
    day(J0 + 0.5, 0, weekday);
    std::string monthTitle;
    HijriMonthTitle(J0, isNew, monthTitle);

    const double shift = (zon + summerflag) / 24;
    const double U = v.U = T - shift;
    const Sky sky = skyAt(U, in.pi, in.geocentric);

    ApplyVisibilityCriterion(B - shift, v.ARCV, v.W, v.V, v.visibility);

    // Calculation day.
    double cy, cm, cd;
    juc(J0 + 0.5, cy, cm, cd);

    const std::string P = in.geocentric ? "G. " : "T. ";
    ReportText r;
    title(r);
    r.line("");
    r.line("* Settings:-");
    r.line("- Calculations for " + monthTitle +
           (isNew ? " Waxing Crescent (New, Evening)." : " Waning Crescent (Old, Morning)."));
    r.line("- Crescent Visibility on: " + weekday + "  " + patternNumber(std::floor(cd), 2, 0) +
           "/" + patternNumber(cm, 2, 0) + "/" + patternNumber(cy, 1, 0) + " CE");
    const std::string timeLine = calculationTimeName(in.time, isNew);
    r.line("- Calculations are Done at " + timeLine + " at:  " + clock(min, clockHours(T)) + " LT");
    r.line(in.geocentric ? "- Calculations are Geocentric." : "- Calculations are Topocentric.");
    r.line(reportpieces::placeLine(loc));
    r.line("- Summer time is: " + in.summertext);
    r.line(pref.eleset == "1" ? "- Height above mean sea-level affects rise and set events."
                              : "- Height above mean sea-level does NOT affect rise and set "
                                "events");
    r.line("- Refraction: Temp.: " + prayer::plainNumber(loc.temp) + " °C   Pres.: " +
           prayer::plainNumber(loc.pres) + " mb   Humidity: " + prayer::plainNumber(loc.hum) +
           " %   Temp.Rate: " + loc.alpha + " K/m");
    r.line("- Delta T: " + patternNumber(sky.deltaTSeconds, 2, 2) + " Second(s)");
    r.line(rule());
    r.line("");
    r.add("- " + P + "Conjunction Time:").at(24, conjText + " LT").end();
    r.add("- Julian Date at Time of Calculations:").at(40, patternNumber(U, 1, 5)).end();
    r.line("");
    const std::string Stext = clock(min, S) + " LT";
    const std::string Mtext = clock(min, M) + " LT";
    if (isNew) {
        r.add("- Sunset:").at(12, Stext);
    } else {
        r.add("- Moorise:").at(12, Mtext);
    }
    r.at(43, P + "Moon Age:").at(58, hms(min, A * 24)).end();
    if (isNew) {
        r.add("- Moonset:").at(12, Mtext);
    } else {
        r.add("- Sunrise:").at(12, Stext);
    }
    r.at(43, "Moon Lag Time:").at(58, hms(min, L)).end();
    r.line("");
    writeSkyValues(r, P, sky);
    r.line("");
    r.line("- According to Zivad Criteria, using the following values at Best Time:");
    r.add("  * Moon-Sun Topocentric Relative Altitude =")
        .at(45, angle(v.ARCV) + " (" + patternNumber(v.ARCV, 2, 1) + "°" + ")")
        .end();
    r.add("  * Topocentric Crescent width =")
        .at(34, angle(v.W / 60) + " (" + patternNumber(v.W, 1, 2) + "'" + ")")
        .end();
    r.add("  * q =").at(9, patternNumber(v.V, 1, 2)).end();
    r.line("");
    r.add("  * The Crescent Visibility is:").at(33, v.visibility).end();
    r.line("");

    writeNotes(r, isNew, L, A);

    writeRemarks(r);
    result.report = r.text();
    return result;
}

} // namespace lunar
