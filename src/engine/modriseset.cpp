#include "modriseset.h"

#include <cmath>

#include "meridian.h"
#include "modaltazm.h"
#include "modcorml.h"
#include "modcorsl.h"
#include "modcorsm.h"
#include "modcrc.h"
#include "modgeneral.h"
#include "modquad.h"
#include "modrefractionnew.h"
#include "settings/liveread.h"

namespace {

constexpr double kDipPerRootMetre = 0.02916666;  // dip of the horizon, degrees / sqrt(m)
constexpr double kSunSemidiameterAu = 0.2665639; // the Sun's semidiameter at 1 AU, degrees
constexpr double kSunRiseCorrection = 0.0024;    // degrees added back to the Sun's h0
constexpr double kConverged = 0.00013889;        // hours (half a second)
constexpr int kMostCorrections = 51;             // calls of crc per crossing
// Around an extremum that barely crosses the target, each crossing is sought
// within this many hours of the extremum.
constexpr double kGrazingReach = 2;
constexpr int kPeakSearchSteps = 30; // golden-section steps for the extremum

// The horizon refraction of the last call: refractionnew reads the place and
// the weather itself and is a pure function of them, the zenith distance and
// pi, so equal inputs give an equal result. Saves the integration when the
// prayer-times engine asks for four events of each day of a year.
struct RefractionMemo {
    bool valid = false;
    double z = 0, piValue = 0;
    settings::CurrentLocation loc;
    double r = 0;
};

bool sameWeatherAndPlace(const settings::CurrentLocation& a, const settings::CurrentLocation& b)
{
    return a.latitude() == b.latitude() && a.longitude() == b.longitude() && a.ele == b.ele &&
           a.pres == b.pres && a.temp == b.temp && a.hum == b.hum && a.alpha == b.alpha &&
           a.zon == b.zon && a.city == b.city;
}

double horizonRefraction(double zenithDistance, const settings::CurrentLocation& loc)
{
    static RefractionMemo memo;
    if (memo.valid && memo.z == zenithDistance && memo.piValue == pi &&
        sameWeatherAndPlace(memo.loc, loc))
        return memo.r;
    double z = zenithDistance; // refractionnew turns its argument into radians
    double r = 0;
    refractionnew(z, r);
    memo = {true, zenithDistance, pi, loc, r};
    return r;
}

// What the refinement of one rise/set request works with.
struct CrossingRequest {
    double JD0, h0, phi, lambda;
    const std::string& event;
    bool topocentric;
};

// Two crossings that bracket a maximum (rise before set) or a minimum
// (set before rise) each keep to their own side of it. crc takes the rate
// of the altitude from the hour angle alone: when the extremum barely
// reaches the target and the declination moves fast (the Moon at high
// latitudes), the altitude's extremum lies minutes off the meridian,
// crc's step between the two points the wrong way, and both crossings
// may be drawn to one root. A crossing refined onto the wrong side of the
// scan's midpoint is then sought again by bisection between the extremum
// and a point on its own side.
void repairStrayCrossings(const CrossingRequest& q, double riseScanned, double setScanned,
                          bool riseRefined, bool setRefined, double& riseHours, bool& riseFound,
                          double& setHours, bool& setFound)
{
    const bool maximum = riseScanned < setScanned;
    const double middle = (riseScanned + setScanned) / 2;
    auto ownSide = [&](double hours, bool before) {
        return before ? hours < middle : hours > middle;
    };
    const bool riseStrayed = riseRefined && riseFound && !ownSide(riseHours, maximum);
    const bool setStrayed = setRefined && setFound && !ownSide(setHours, !maximum);
    if (riseStrayed || setStrayed) {
        // The altitude less h0 (degrees) at t with the refinement's theory;
        // negated about a minimum, so that the extremum is always a maximum.
        const double sign = maximum ? 1 : -1;
        auto height = [&](double t) {
            double offset = 0;
            crc(t, q.JD0, q.h0, q.phi, q.lambda, q.event, q.topocentric, &offset);
            return sign * offset;
        };
        // The extremum between the scan's crossings (golden section), cut
        // short once the target is reached.
        const double golden = (std::sqrt(5.0) - 1) / 2;
        double a = std::min(riseScanned, setScanned) - 0.5;
        double b = std::max(riseScanned, setScanned) + 0.5;
        double c = b - golden * (b - a), d = a + golden * (b - a);
        double fc = height(c), fd = height(d);
        for (int i = 0; i < kPeakSearchSteps && fc <= 0 && fd <= 0; ++i) {
            if (fc > fd) {
                b = d, d = c, fd = fc;
                c = b - golden * (b - a), fc = height(c);
            } else {
                a = c, c = d, fc = fd;
                d = a + golden * (b - a), fd = height(d);
            }
        }
        const double peak = fc > fd ? c : d;
        // The crossing between the peak and `outside`, where the height
        // is below the target; false when it is not.
        auto bisect = [&](double outside, double& hours) {
            if (!(height(outside) < 0))
                return false;
            double below = outside, above = peak;
            while (std::fabs(above - below) > kConverged) {
                const double mid = (below + above) / 2;
                (height(mid) > 0 ? above : below) = mid;
            }
            hours = (below + above) / 2;
            return true;
        };
        if (std::max(fc, fd) <= 0) {
            // The extremum does not reach the target after all.
            riseFound = setFound = false;
        } else {
            const double early = peak - kGrazingReach, late = peak + kGrazingReach;
            if (riseStrayed)
                riseFound =
                    bisect(maximum ? early : late, riseHours) && riseHours >= 0 && riseHours < 24;
            if (setStrayed)
                setFound =
                    bisect(maximum ? late : early, setHours) && setHours >= 0 && setHours < 24;
        }
    }
}

} // namespace

void riseset(const std::string& event, double JD0, EventTime& rise, EventTime& set,
             const RisesetOptions& options)
{
    const double ownPi = kPi15;
    const double deg = ownPi / 180;
    const bool moon = event == "Moon";

    // Copies: the readers' records may be refreshed by the procedures below.
    const settings::Preferences pref = settings::livePreferences();
    const settings::CurrentLocation loc = settings::liveCurrentLocation();
    const double lambda = meridianLongitude(loc.longitude());
    const double phi = loc.latitude();
    const bool elevationCounts = pref.eleset == "1";

    const double dip = loc.ele >= 0 ? kDipPerRootMetre * std::sqrt(loc.ele) : 0;
    const double r = horizonRefraction(elevationCounts ? 90 + dip : 90, loc);

    // Position of the body at an instant: geocentric (or, for the alert
    // program, topocentric) right ascension and declination, and for the Moon
    // its horizontal parallax and topocentric semidiameter.
    struct Position {
        double ra, dec, parallax, semidiameter;
    };
    auto lowPosition = [&](double JD) {
        double ra, dec, raTopo, decTopo, lon, lat, lonTopo, latTopo, a11, a12, a13 = 0;
        if (moon)
            corml(ownPi, JD, ra, dec, raTopo, decTopo, lon, lat, lonTopo, latTopo, a11, a12, a13);
        else
            corsl(ownPi, JD, ra, dec, raTopo, decTopo, lon, lat, lonTopo, latTopo, a11, a12);
        if (options.topocentricAltitude)
            return Position{raTopo, decTopo, a11, a13};
        return Position{ra, dec, a11, a13};
    };
    auto moonTarget = [&](const Position& p) {
        return elevationCounts ? -(dip + r + p.semidiameter - p.parallax)
                               : -(r + p.semidiameter - p.parallax);
    };

    double h0 = 0;
    if (event == "Sun") {
        double a[11];
        corsm(ownPi, JD0 + 0.5, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
        const double R = a[8];
        const double disc = kSunSemidiameterAu / R - kSunRiseCorrection;
        sunh0 = -(dip + r + disc);
        h0 = elevationCounts ? sunh0 : -(r + disc);
    } else if (moon) {
        const Position p = lowPosition(JD0 + 1.0 / 24);
        moonh0 = -(dip + r + p.semidiameter - p.parallax);
        h0 = moonTarget(p);
    } else if (event == "Fajer" || event == "Isha") {
        const double angle = event == "Fajer" ? pref.fajang : pref.ishang;
        h0 = -options.twilightAngle.value_or(angle);
    } else if (event == "Asr") {
        const double hn = noonalt;
        if (!(hn > 0)) {
            // A Sun that does not rise above the horizon at noon casts no
            // shadow to measure: there is no Asr.
            rise = set = EventTime::marked(TimeMarker::NoEvent);
            return;
        }
        const double k = (loc.pres / 1010) * (283 / (loc.temp + 273));
        // Saemundsson: refraction of the true noon altitude, degrees.
        const double Rn = 1.02 / std::tan((hn + 10.3 / (hn + 5.11)) * deg) / 60 * k;
        const double hApparent = hn + Rn;
        const double shadow = pref.sha == "1" ? 1 : 2; // Standard: 1, Hanafi: 2
        const double x = 1 / std::tan(hApparent * deg) + shadow;
        const double z = std::atan(x) / deg;
        const double hA = 90 - std::fabs(z);
        // Bennett: refraction of the apparent Asr altitude, arcminutes.
        const double Ra = 1 / std::tan((hA + 7.31 / (hA + 4.4)) * deg) * k;
        h0 = hA - Ra / 60;
    } else {
        // Any other text asks for the Sun at the horizon without writing sunh0.
        h0 = 0;
    }
    double s0 = std::sin(h0 * deg);

    auto altitudeSine = [&](double t, const Position& p) {
        double h, azimuth;
        altazm(JD0 + t / 24, p.ra, p.dec, h, azimuth);
        return std::sin(h * deg);
    };

    // The Sun's samples may come from an earlier request of the same day.
    RisesetScanMemo* memo = moon ? nullptr : options.memo;
    if (memo && !(memo->valid && memo->JD0 == JD0 && memo->tdt == tdtmode &&
                  memo->topocentric == options.topocentricAltitude && memo->longitude == lambda &&
                  memo->latitude == phi && memo->ele == loc.ele)) {
        *memo = {};
        memo->valid = true;
        memo->JD0 = JD0;
        memo->tdt = tdtmode;
        memo->topocentric = options.topocentricAltitude;
        memo->longitude = lambda;
        memo->latitude = phi;
        memo->ele = loc.ele;
    }
    // y of the sample at hour t (0 .. 24); `middle` holds the position there
    // when the caller has it already (the Moon's middle samples).
    auto sample = [&](int t, const Position* middle = nullptr) {
        if (memo && memo->have[t])
            return memo->sinAltitude[t] - s0;
        const double v = altitudeSine(t, middle ? *middle : lowPosition(JD0 + t / 24.0));
        if (memo) {
            memo->sinAltitude[t] = v;
            memo->have[t] = true;
        }
        return v - s0;
    };

    double riseHours = 0, setHours = 0;
    bool riseFound = false, setFound = false;

    double yMinus = sample(0);
    const bool aboveAtMidnight = yMinus > 0;
    for (int k = 1; k <= 23; k += 2) {
        double y0;
        if (moon) {
            const Position middle = lowPosition(JD0 + k / 24.0);
            h0 = moonTarget(middle);
            s0 = std::sin(h0 * deg);
            y0 = sample(k, &middle);
        } else {
            y0 = sample(k);
        }
        const double yPlus = sample(k + 1);

        double xe, ye, z1 = 0, z2 = 0;
        nz = 0;
        quad(yMinus, y0, yPlus, xe, ye, z1, z2, nz);
        if (nz == 1) {
            if (yMinus < 0) {
                riseHours = k + z1;
                riseFound = true;
            } else {
                setHours = k + z1;
                setFound = true;
            }
        } else if (nz == 2) {
            if (ye < 0) {
                riseHours = k + z2;
                setHours = k + z1;
            } else {
                riseHours = k + z1;
                setHours = k + z2;
            }
            riseFound = setFound = true;
        }
        yMinus = yPlus;
        if (riseFound && setFound)
            break;
    }

    auto refine = [&](double& hours, bool& found) {
        if (!found)
            return;
        double t = hours;
        for (int calls = 0; calls < kMostCorrections; ++calls) {
            t = hours;
            crc(t, JD0, h0, phi, lambda, event, options.topocentricAltitude);
            if (std::fabs(t - hours) <= kConverged)
                break;
            hours = t;
        }
        hours = t;
        // A step that ran away (not a number) or left the day finds no event.
        if (!std::isfinite(hours) || hours < 0 || hours >= 24)
            found = false;
    };
    // The scan's crossings, before the refinement moves them.
    const bool scannedPair = riseFound && setFound;
    const double riseScanned = riseHours, setScanned = setHours;

    using Wanted = RisesetOptions::Wanted;
    bool riseRefined = false, setRefined = false;
    if (options.wanted == Wanted::Set) {
        refine(setHours, setFound);
        setRefined = true;
        if (!setFound) {
            refine(riseHours, riseFound);
            riseRefined = true;
        }
    } else {
        refine(riseHours, riseFound);
        riseRefined = true;
        if (options.wanted == Wanted::Both || !riseFound) {
            refine(setHours, setFound);
            setRefined = true;
        }
    }

    if (scannedPair)
        repairStrayCrossings({JD0, h0, phi, lambda, event, options.topocentricAltitude},
                             riseScanned, setScanned, riseRefined, setRefined, riseHours, riseFound,
                             setHours, setFound);

    rise = riseFound ? EventTime::at(riseHours) : EventTime::marked(TimeMarker::NoEvent);
    set = setFound ? EventTime::at(setHours) : EventTime::marked(TimeMarker::NoEvent);
    // A height that is not a number (a setting far beyond any place on
    // Earth) says nothing of where the Sun or Moon stands: no event, not
    // "always below".
    if (!riseFound && !setFound && !std::isnan(yMinus)) {
        TimeMarker m = aboveAtMidnight ? TimeMarker::Up : TimeMarker::Down;
        if (event == "Fajer" || event == "Isha")
            m = aboveAtMidnight ? TimeMarker::Bright : TimeMarker::Dark;
        rise = set = EventTime::marked(m);
    }
}
