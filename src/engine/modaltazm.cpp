#include "modaltazm.h"

#include "meridian.h"
#include "modgeneral.h"
#include "modlowaltazm.h"
#include "settings/liveread.h"

void altazm(double JD, double alpha, double delta, double& h, double& A)
{
    // pi is stored first, so the conversion works with the fifteen-digit value.
    pi = kPi15;
    const settings::CurrentLocation& loc = settings::liveCurrentLocation();
    lowaltazm(JD, alpha, delta, meridianLongitude(loc.longitude()), loc.latitude(), h, A);
}
