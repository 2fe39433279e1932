#include "modcorsvl.h"

#include "modecltopo.h"

void corsvltopo(double lonObs, double lat, double pi, double JD, double eps, double dpsi,
                double lambda, double beta, double R, double& lambdaT, double& betaT, double& s,
                double& sT, double& parallax, double& /*spare*/)
{
    ecltopoAtPlace(pi, JD, eps, dpsi, lambda, beta, R, lonObs, lat, 0, true, lambdaT, betaT, s, sT,
                   parallax);
}
