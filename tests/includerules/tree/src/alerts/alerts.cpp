#include "alerts.h"

#include "reports/prayertimes.h"
int alerts()
{
    return prayertimes();
}
