#include "telescope.h"

#include <cmath>
#include <cstdint>

#include "engine/computableyears.h"
#include "engine/meridian.h"
#include "engine/modaltazm.h"
#include "engine/modaltazmequa.h"
#include "engine/modcormm.h"
#include "engine/modcorsm.h"
#include "engine/moddegree.h"
#include "engine/moddegree3.h"
#include "engine/modequinox2000.h"
#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "engine/modrefraction.h"
#include "engine/modsiderial.h"
#include "engine/modsummer.h"
#include "reports/reportpieces.h"

namespace tools {

namespace {

double degreesOf(double d, double m, double s, bool positive)
{
    const double v = d + m / 60 + s / 3600;
    return positive ? v : -v;
}

} // namespace

void crescentPoint(double h, double A, double sT, double crsang, double& hc, double& Ac)
{
    const double rad = pi / 180;
    hc = h + sT * std::cos(crsang * rad);
    const double cosh = std::cos(h * rad);
    Ac = std::fabs(cosh) > 1e-12 ? A - sT * std::sin(crsang * rad) / cosh : A;
}

namespace {

double summerHours(const TelescopeInput& in)
{
    std::int16_t summerFlag = 0;
    summer(in.day, in.month, in.year, summerFlag);
    return summerFlag == 1 ? 1 : 0;
}

double localInstant(const TelescopeInput& in)
{
    double JD = 0;
    jul(in.year, in.month, in.day, in.hour + in.minute / 60, JD);
    return JD;
}

} // namespace

double telescopeInstant(const TelescopeInput& in, const settings::CurrentLocation& loc)
{
    const double u = in.hour + in.minute / 60 - (loc.zon + summerHours(in));
    double JD = 0;
    jul(in.year, in.month, in.day, u, JD);
    return JD;
}

std::string telescopeRefusal(const TelescopeInput& in, const settings::CurrentLocation& loc,
                             bool english)
{
    const ClockReading at{localInstant(in), summerHours(in)};
    const SpanVerdict why = judgeClockSpan(at, at, loc.zon);
    if (why.computable())
        return {};
    const auto shown = [&](double v) { return reportpieces::yearInMessage(v, english); };
    const std::string first = shown(kFirstComputableYear), last = shown(kLastComputableYear);
    const bool byYear = why.cause == SpanCause::Year;
    // A year within the span carried out by a day or an hour of many digits:
    // the date as a whole is what to mend.
    const bool yearWithin = in.year >= kFirstComputableYear && in.year <= kLastComputableYear;
    if (english)
        return (yearWithin ? std::string("The date and time in the boxes lie")
                           : "The year " + shown(in.year) + " in the Year box lies") +
               " beyond the years the telescope can be pointed for" +
               (byYear ? ""
                       : ":" + reportpieces::spanCauseText(why, loc.zon, true, "the date and time",
                                                           true)) +
               ". Please enter a date from the year " + first + " to the year " + last +
               " in universal time.";
    return (yearWithin ? std::string("التاريخ و الوقت في الخانات")
                       : "السنة " + shown(in.year) + " في خانة السنة") +
           " خارج السنوات التي يصح لها توجيه التلسكوب" +
           (byYear ? ""
                   : ": " + reportpieces::spanCauseText(why, loc.zon, false, "التاريخ و الوقت",
                                                        true)) +
           "، يرجى إدخال تاريخ من سنة " + first + " إلى سنة " + last + " بالتوقيت العالمي";
}

bool telescopePointing(const TelescopeInput& in, TelescopePointing& out)
{
    return telescopePointing(in, settings::readCurrentLocation(), out);
}

bool telescopePointing(const TelescopeInput& in, const settings::CurrentLocation& loc,
                       TelescopePointing& out)
{
    pi = kPi15;
    const double longitude =
        meridianLongitude(degreesOf(loc.longid, loc.longim, loc.longis, loc.east));
    const double latitude = degreesOf(loc.latid, loc.latim, loc.latis, loc.north);
    settings::readPreferences(); // the file must be there, as at every calculation

    const double JD = telescopeInstant(in, loc);

    double a0, d0, a0T, d0T, l, b, lT, bT, R, E;
    corsm(pi, JD, a0, d0, a0T, d0T, l, b, lT, bT, R, E);
    double h0, A0;
    altazm(JD, a0T, d0T, h0, A0);

    double a, d, aT, dT, parallax, s, sT, distance;
    cormm(pi, JD, a, d, aT, dT, l, b, lT, bT, parallax, s, sT, distance);
    double h, A;
    altazm(JD, aT, dT, h, A);
    if (h < kLowestMoonAltitude)
        return false;

    const double rad = pi / 180;
    double theta = 0;
    siderial(JD, theta);
    double H = theta + longitude - aT;
    modgeneral::rangeh(H);

    // Parallactic angle of the Moon (Meeus, Astronomical Algorithms, eq. 14.1).
    const double q = modgeneral::atn2(std::tan(latitude * rad) * std::cos(dT * rad) -
                                          std::sin(dT * rad) * std::cos(H * rad),
                                      std::sin(H * rad)) /
                     rad;
    // Position angle of the bright limb (Meeus, eq. 48.5), geocentric.
    const double chi =
        modgeneral::atn2(std::sin(d0 * rad) * std::cos(d * rad) -
                             std::cos(d0 * rad) * std::sin(d * rad) * std::cos((a0 - a) * rad),
                         std::cos(d0 * rad) * std::sin((a0 - a) * rad)) /
        rad;
    double crsang = chi - q;
    modgeneral::range(crsang);

    double hc = 0, Ac = 0;
    crescentPoint(h, A, sT, crsang, hc, Ac);

    if (in.refracted) {
        for (double* alt : {&h0, &h, &hc}) {
            double refracted = 0;
            refraction(*alt, refracted);
            *alt = refracted;
        }
    }

    TelescopePointing p;
    p.JD = JD;
    p.crsang = crsang;
    p.sun.alt = h0;
    p.sun.azm = A0;
    p.moon.alt = h;
    p.moon.azm = A;
    p.crescent.alt = hc;
    p.crescent.azm = Ac;
    for (SkyPoint* point : {&p.sun, &p.moon, &p.crescent}) {
        altazmequa(JD, point->alt, point->azm, point->ra, point->dec);
        if (in.j2000) {
            double ra2000 = 0, dec2000 = 0;
            equinox2000(JD, point->ra, point->dec, ra2000, dec2000);
            point->ra = ra2000;
            point->dec = dec2000;
        }
    }
    out = p;
    return true;
}

PointingTexts pointingTexts(const SkyPoint& p)
{
    PointingTexts t;
    const auto orNA = [](double value, std::string& text, const char* na, auto format) {
        if (std::isfinite(value))
            format(value, text);
        else
            text = na;
    };
    orNA(p.ra, t.ra, "NA:NA:NA", [](double v, std::string& s) { degree3(0, "h", v / 15, s); });
    orNA(p.dec, t.dec, "+NA:NA:NA", [](double v, std::string& s) { degree(0, "d", v, s); });
    orNA(p.alt, t.alt, "NA:NA:NA", [](double v, std::string& s) { degree(0, "d", v, s); });
    orNA(p.azm, t.azm, "NA:NA:NA", [](double v, std::string& s) { degree3(0, "d", v, s); });
    return t;
}

std::string crescentPictureName(double crsang, bool flipHorizontal, bool flipVertical)
{
    // The first k with k - 5 <= crsang < k + 5; from 355 on the step is 0.
    int k = 0;
    if (std::isfinite(crsang) && crsang >= 0 && crsang < 360)
        k = 10 * static_cast<int>(std::floor((crsang + 5) / 10));
    if (k >= 360)
        k = 0;
    std::string name = k == 0 ? "00" : std::to_string(k);
    if (flipHorizontal)
        name += 'h';
    if (flipVertical)
        name += 'v';
    return name;
}

TelescopeSettings readTelescopeSettings()
{
    const auto f = settings::readRecordStrict(kTelescopeSettingsFile, kTelescopeSettingsKinds);
    TelescopeSettings s;
    s.year = f[0].asNumber();
    s.month = f[1].asNumber();
    s.day = f[2].asNumber();
    s.hour = f[3].asNumber();
    s.minute = f[4].asNumber();
    s.airless = f[5].asTruth();
    s.refracted = f[6].asTruth();
    s.jnow = f[7].asTruth();
    s.j2000 = f[8].asTruth();
    s.flipVertical = f[9].asNumber() == 1 ? 1 : 0;
    s.flipHorizontal = f[10].asNumber() == 1 ? 1 : 0;
    return s;
}

settings::SaveResult writeTelescopeSettings(const TelescopeSettings& s)
{
    using settings::SettingsField;
    return settings::writeRecord(kTelescopeSettingsFile,
                                 {SettingsField::number(s.year), SettingsField::number(s.month),
                                  SettingsField::number(s.day), SettingsField::number(s.hour),
                                  SettingsField::number(s.minute), SettingsField::truth(s.airless),
                                  SettingsField::truth(s.refracted), SettingsField::truth(s.jnow),
                                  SettingsField::truth(s.j2000),
                                  SettingsField::number(s.flipVertical),
                                  SettingsField::number(s.flipHorizontal)});
}

} // namespace tools
