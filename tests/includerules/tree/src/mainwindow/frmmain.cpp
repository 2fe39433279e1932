#include "frmmain.h"

#include "reports/prayertimes.h"
#include "sharedwindows/frmwait.h"
int frmmain()
{
    return prayertimes() + int(frmwait().size());
}
