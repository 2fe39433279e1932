#include "frmwait.h"
QString frmwait()
{
    return QString();
}
