#include "moddabb.h"

#include <cmath>

namespace {

constexpr double kDtr = 3.14159265358979 / 180;

struct Term {
    double amplitude; // arcseconds per day
    double phase;     // degrees
    double rate;      // degrees per Julian millennium
};

double sum(const Term* terms, int count, double tau)
{
    double s = 0;
    for (int i = 0; i < count; ++i)
        s += terms[i].amplitude * std::sin((terms[i].phase + terms[i].rate * tau) * kDtr);
    return s;
}

constexpr Term kTau0[] = {
    {118.568, 87.5287, 359993.7286}, {2.476, 85.0561, 719987.4571},  {1.376, 27.8502, 4452671.1152},
    {0.119, 73.1375, 450368.8564},   {0.114, 337.2264, 329644.6718}, {0.086, 222.5400, 659289.3436},
    {0.078, 162.8136, 9224659.7915}, {0.054, 82.5823, 1079981.1857}, {0.052, 171.5189, 225184.4282},
    {0.034, 30.3214, 4092677.3866},  {0.033, 119.8105, 337181.4711}, {0.023, 247.5418, 299295.6151},
    {0.023, 325.1526, 315559.5560},  {0.021, 155.1241, 675553.2846},
};
constexpr Term kTau1[] = {
    {7.311, 333.4515, 359993.7286},
    {0.305, 330.9814, 719987.4571},
    {0.010, 328.5170, 1079981.1857},
};
constexpr Term kTau2[] = {
    {0.309, 241.4518, 359993.7286},
    {0.021, 205.0482, 719987.4571},
    {0.004, 297.8610, 4452671.1152},
};
constexpr Term kTau3[] = {
    {0.010, 154.7066, 359993.7286},
};

template <class T, int N> constexpr int countOf(const T (&)[N])
{
    return N;
}

} // namespace

void dabb(double tau, double& dlambda)
{
    const double arcsecPerDay = 3548.193 + sum(kTau0, countOf(kTau0), tau) +
                                tau * sum(kTau1, countOf(kTau1), tau) +
                                tau * tau * sum(kTau2, countOf(kTau2), tau) +
                                tau * tau * tau * sum(kTau3, countOf(kTau3), tau);
    dlambda = arcsecPerDay / 3600;
}
