#include "modcormm.h"

#include <cmath>
#include <cstring>

#include "moddeltat.h"
#include "modeclequa.h"
#include "modecltopo.h"
#include "modgeneral.h"
#include "modobliquity.h"

namespace {

// A sine table (the longitude's) and a cosine table (the distance's) of the
// same kind share many arguments: 147 of the main problem's rows and 85 of
// the Poisson rows. A shared argument takes one sincos, which gives the same
// two values as a sin and a cos of their own, and each table is still summed
// in its own row order, so that the sums are the same to the last bit.
// Columns: the row length; the argument columns are 2 .. Columns - 1.
template <int Columns> class SharedArguments {
public:
    using Table = const double (*)[Columns];

    // sum A sin(arg) over rows 1..sineRows of `sines` and sum A cos(arg)
    // over rows 1..cosineRows of `cosines`.
    // argument(row): the row's argument, radians.
    template <typename Argument>
    void sums(Table sines, int sineRows, Table cosines, int cosineRows, const Argument& argument,
              double& sineSum, double& cosineSum)
    {
        if (!pairsHold(sines, cosines, cosineRows))
            findPairs(sines, sineRows, cosines, cosineRows);
        sineSum = 0;
        for (int i = 1; i <= sineRows; ++i) {
            const double* c = sines[i];
            const double arg = argument(c);
            double sinA;
            if (i < kMostRows && wanted_[i])
                ::sincos(arg, &sinA, &cosine_[i]);
            else
                sinA = std::sin(arg);
            sineSum += c[1] * sinA;
        }
        cosineSum = 0;
        for (int j = 1; j <= cosineRows; ++j) {
            const double* c = cosines[j];
            const int i = j < kMostRows ? partner_[j] : 0;
            cosineSum += c[1] * (i != 0 ? cosine_[i] : std::cos(argument(c)));
        }
    }

private:
    // Rows of a table, the spare slot included (the largest table has 245).
    static constexpr int kMostRows = 256;

    static bool sameArgument(const double* a, const double* b)
    {
        return std::memcmp(a + 2, b + 2, (Columns - 2) * sizeof(double)) == 0;
    }

    // Whether every pair found earlier still has one argument (the tables
    // may have been loaded or changed since).
    bool pairsHold(Table sines, Table cosines, int cosineRows) const
    {
        if (!found_)
            return false;
        for (int j = 1; j <= cosineRows && j < kMostRows; ++j)
            if (partner_[j] != 0 && !sameArgument(sines[partner_[j]], cosines[j]))
                return false;
        return true;
    }

    void findPairs(Table sines, int sineRows, Table cosines, int cosineRows)
    {
        for (int i = 0; i < kMostRows; ++i) {
            wanted_[i] = false;
            partner_[i] = 0;
        }
        for (int j = 1; j <= cosineRows && j < kMostRows; ++j)
            for (int i = 1; i <= sineRows && i < kMostRows; ++i)
                if (sameArgument(sines[i], cosines[j])) {
                    partner_[j] = i;
                    wanted_[i] = true;
                    break;
                }
        found_ = true;
    }

    bool found_ = false;
    int partner_[kMostRows]{}; // per cosine row: the sine row of its argument, or 0
    bool wanted_[kMostRows]{}; // per sine row: its cosine is wanted
    double cosine_[kMostRows]{};
};

// sum A sin(arg) over rows 1..rows of a table without a partner (the
// latitude's); argument(row) as for SharedArguments.
template <int Columns, typename Argument>
double sineSum(const double (*table)[Columns], int rows, const Argument& argument)
{
    double sum = 0;
    for (int i = 1; i <= rows; ++i)
        sum += table[i][1] * std::sin(argument(table[i]));
    return sum;
}

constexpr double kMeanDistance = 385000.57; // km

} // namespace

void cormm(double piValue, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& parallax,
           double& s, double& sT, double& distance)
{
    const double r = piValue / 180;
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode == 1)
        dT = 0;
    const double t = (JD + dT - 2451545.0) / 36525; // Julian centuries of TT
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;

    // Main-term rows: A sin(arg) or A cos(arg), arg = a0 + a1 t + a2 1e-4 t^2 +
    // a3 1e-6 t^3 + a4 1e-8 t^4 degrees; columns 1 A, 2..6 a0..a4.
    const auto mainArgument = [&](const double* c) {
        return (c[2] + c[3] * t + c[4] * 0.0001 * t2 + c[5] * 0.000001 * t3 +
                c[6] * 0.00000001 * t4) *
               r;
    };
    // Poisson rows: A sin(phase + rate t) or A cos(...); columns 1 A, 2 phase,
    // 3 rate (degrees per century).
    const auto poissonArgument = [&](const double* c) { return (c[2] + c[3] * t) * r; };

    // The row counts of the truncated series; rows the loader left empty count 0.
    static SharedArguments<7> mainPairs;
    static SharedArguments<4> poissonPairs[3];
    double S1, S2, S3, S4, S9, S10, S11, S12;
    mainPairs.sums(elpv0, 218, elpr0, 154, mainArgument, S1, S9);
    poissonPairs[0].sums(elpv1, 244, elpr1, 114, poissonArgument, S2, S10);
    poissonPairs[1].sums(elpv2, 154, elpr2, 68, poissonArgument, S3, S11);
    poissonPairs[2].sums(elpv3, 25, elpr3, 19, poissonArgument, S4, S12);
    const double S5 = sineSum(elpu0, 188, mainArgument);
    const double S6 = sineSum(elpu1, 64, poissonArgument);
    const double S7 = sineSum(elpu2, 64, poissonArgument);
    const double S8 = sineSum(elpu3, 12, poissonArgument);

    // The longitude and latitude Poisson series are in 0.001 degree; the
    // distance series are in km throughout.
    double V = 218.31665 + 481267.88134 * t - 13.268 * 0.0001 * t2 + 1.8561 * 0.000001 * t3 -
               1.534 * 0.00000001 * t4 + S1 + 0.001 * (S2 + t * S3 + 0.0001 * t2 * S4);
    modgeneral::range(V);
    double U = S5 + 0.001 * (S6 + t * S7 + 0.0001 * t2 * S8);
    double R = kMeanDistance + S9 + S10 + t * S11 + 0.0001 * t2 * S12;

    // The small corrections of the published tables.
    V += -0.00019524 - 0.00001059 * std::sin((225 + 477198.9 * t) * r);
    U += -0.00001754 * std::sin((183.3 + 483202 * t) * r);
    R += 0.0708 * std::cos((225 + 477198.9 * t) * r);

    double dpsi = 0, deps = 0, eps = 0;
    obliquity(JD, dpsi, deps, eps);
    lambda = V + dpsi;
    beta = U;
    distance = R;

    ecltopo(piValue, JD, eps, dpsi, lambda, beta, distance, lambdaT, betaT, s, sT, parallax, "M");
    eclequa(piValue, JD, eps, lambda, beta, alpha, delta);
    eclequa(piValue, JD, eps, lambdaT, betaT, alphaT, deltaT);
}
