#include "modrefractionnew.h"

#include <array>
#include <cmath>
#include <string>

#include "modgeneral.h"
#include "settings/liveread.h"
#include "settings/settingsline.h"

namespace {

constexpr double kWavelength = 0.504;    // effective wavelength, micrometres
constexpr double kPrecision = 1e-8;      // of the integration, radians
constexpr double kGasConstant = 8314.32; // universal gas constant, J/(kmol K)
constexpr double kDryAir = 28.9644;      // molecular weight of dry air
constexpr double kWaterVapour = 18.0152; // molecular weight of water vapour
constexpr double kEarthRadius = 6378120; // mean radius of the Earth, metres
constexpr double kDelta = 18.36;         // exponent of the water-vapour pressure's temperature law
constexpr double kTropopause = 11000;    // height of the tropopause, metres
constexpr double kTopOfAtmosphere = 80000; // refraction above this height is neglected, metres
constexpr int kFirstStrips = 8;
constexpr int kMostStrips = 16384;

// The lapse rate as typed in the location dialog, where a decimal comma is
// common: every comma reads as a point.
double lapseRate(std::string text)
{
    for (char& c : text)
        if (c == ',')
            c = '.';
    return settings::lenientNumber(text);
}

// Zenith distance of the ray where n r sin z = k0 holds with sin z = s.
double zenithOf(double s)
{
    const std::array<double, 2> pair{1 - s * s, 0};
    return std::atan(s / std::sqrt(arraymax(pair)));
}

} // namespace

void tropomodel(double r0, double T0, double alpha, double gamm2, double delm2, double c1,
                double c2, double c3, double c4, double c5, double c6, double r, double& T,
                double& n, double& rdndr)
{
    const std::array<double, 2> upper{T0 - alpha * (r - r0), 320};
    const std::array<double, 2> lower{100, arraymin(upper)};
    T = arraymax(lower);
    const double q = T / T0;
    const double a = std::pow(q, gamm2);
    const double b = std::pow(q, delm2);
    n = 1 + (c1 * a - (c2 - c5 / T) * b) * q;
    rdndr = r * (-c3 * a + (c4 - c6 / q) * b);
}

void stratomodel(double rt, double Tt, double nt, double gamal, double r, double& n, double& rdndr)
{
    const double b = gamal / Tt;
    const double w = (nt - 1) * std::exp(-b * (r - rt));
    n = 1 + w;
    rdndr = -r * b * w;
}

void refintegrand(double n, double rdndr, double& f)
{
    f = rdndr / (n + rdndr);
}

double arraymax(std::span<const double> array)
{
    if (array.empty())
        return 0;
    double best = array.front();
    for (double v : array)
        if (v > best)
            best = v;
    return best;
}

double arraymin(std::span<const double> array)
{
    if (array.empty())
        return 0;
    double best = array.front();
    for (double v : array)
        if (v < best)
            best = v;
    return best;
}

void refractionnew(double& z, double& R)
{
    const settings::CurrentLocation& loc = settings::liveCurrentLocation();
    const double hm = loc.ele;           // metres
    const double P = loc.pres;           // millibars
    const double T0 = loc.temp + 273.15; // kelvin
    const double rh = loc.hum / 100;     // fraction
    double alpha = lapseRate(loc.alpha); // K/m

    z = z * pi / 180;
    const double phi = loc.latitude() * pi / 180;

    // No air, no refraction (the water-vapour formula would divide by P).
    if (!(P > 0)) {
        R = 0;
        return;
    }
    if (alpha == 0)
        alpha = kSmallestLapseRate;

    const double wl2 = kWavelength * kWavelength;
    const double g = 9.784 * (1 - 0.0026 * std::cos(2 * phi) - 0.00000028 * hm);
    const double A = (287.6155 + (1.62887 + 0.0136 / wl2) / wl2) * 0.00027315 / 1013.25;
    const double gamal = g * kDryAir / kGasConstant;
    const double gamma = gamal / alpha;
    const double gamm2 = gamma - 2;
    const double delm2 = kDelta - 2;

    // Water vapour.
    const double t = T0 - 273.15;
    const double psat = std::pow(10, (0.7859 + 0.03477 * t) / (1 + 0.00412 * t)) *
                        (1 + P * (0.0000045 + 0.0000000006 * t * t));
    const double pw = rh * psat / (1 - (1 - rh) * psat / P);
    const double W = pw * (1 - kWaterVapour / kDryAir) * gamma / (kDelta - gamma);

    const double c1 = A * (P + W) / T0;
    const double c2 = (A * W + 0.0000112684 * pw) / T0;
    const double c3 = (gamma - 1) * alpha * c1 / T0;
    const double c4 = (kDelta - 1) * alpha * c2 / T0;
    const double c5 = 0, c6 = 0; // the radio terms of the published scheme are not used

    double T = 0, n = 0, rdndr = 0;

    // At the observer.
    const double r0 = kEarthRadius + hm;
    tropomodel(r0, T0, alpha, gamm2, delm2, c1, c2, c3, c4, c5, c6, r0, T, n, rdndr);
    const double k0 = n * r0 * std::sin(z); // the refraction invariant n r sin z
    double f0 = 0;
    refintegrand(n, rdndr, f0);

    // Tropopause, troposphere side (at the observer when above it).
    const std::array<double, 2> heights{kTropopause, hm};
    const double rt = kEarthRadius + arraymax(heights);
    double Tt = 0, nt = 0, rdndrt = 0;
    tropomodel(r0, T0, alpha, gamm2, delm2, c1, c2, c3, c4, c5, c6, rt, Tt, nt, rdndrt);
    const double zt = zenithOf(k0 / (rt * nt));
    double ft = 0;
    refintegrand(nt, rdndrt, ft);

    // Tropopause, stratosphere side.
    double nts = 0, rdndrts = 0;
    stratomodel(rt, Tt, nt, gamal, rt, nts, rdndrts);
    const double zts = zenithOf(k0 / (rt * nts));
    double fts = 0;
    refintegrand(nts, rdndrts, fts);

    // Top of the refracting atmosphere.
    const double rs = kEarthRadius + kTopOfAtmosphere;
    double ns = 0, rdndrs = 0;
    stratomodel(rt, Tt, nt, gamal, rs, ns, rdndrs);
    const double zs = zenithOf(k0 / (rs * ns));
    double fs = 0;
    refintegrand(ns, rdndrs, fs);

    // The model of a layer at radius r: refractive index and r dn/dr.
    auto model = [&](int layer, double r, double& nOut, double& rdndrOut) {
        double Tr = 0;
        if (layer == 1)
            tropomodel(r0, T0, alpha, gamm2, delm2, c1, c2, c3, c4, c5, c6, r, Tr, nOut, rdndrOut);
        else
            stratomodel(rt, Tt, nt, gamal, r, nOut, rdndrOut);
    };

    // Simpson's rule over the zenith distance, doubling the strips until two
    // passes agree; each doubling evaluates only the new midpoints.
    auto integrate = [&](int layer, double start, double end, double fStart, double fEnd,
                         double rStart) {
        double previous = 1;
        int m = kFirstStrips;
        double sumOdd = 0, sumEven = 0;
        int step = 1;
        for (;;) {
            const double width = (end - start) / m;
            double r = rStart;
            for (int i = 1; i <= m - 1; i += step) {
                const double s = std::sin(start + width * i);
                if (s > 1e-20) {
                    // Newton's method for the radius where the ray has this
                    // zenith distance, to the nearest metre.
                    const double w = k0 / s;
                    double rg = r;
                    double dr = 1000000;
                    int iterations = 0;
                    while (std::fabs(dr) > 1 && iterations < 4) {
                        model(layer, rg, n, rdndr);
                        dr = (rg * n - w) / (n + rdndr);
                        rg = rg - dr;
                        ++iterations;
                    }
                    r = rg;
                }
                model(layer, r, n, rdndr);
                double f = 0;
                refintegrand(n, rdndr, f);
                if (step == 1 && i % 2 == 0)
                    sumEven += f;
                else
                    sumOdd += f;
            }
            const double value = width * (fStart + 4 * sumOdd + 2 * sumEven + fEnd) / 3;
            if (std::fabs(value - previous) > kPrecision / 2 && m < kMostStrips) {
                previous = value;
                m = 2 * m;
                sumEven = sumEven + sumOdd;
                sumOdd = 0;
                step = 2;
                continue;
            }
            return value;
        }
    };

    const double troposphere = integrate(1, z, zt, f0, ft, r0);
    const double stratosphere = integrate(2, zts, zs, fts, fs, rt);
    R = (troposphere + stratosphere) * 180 / pi;
}
