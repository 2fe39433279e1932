// Must not compile: adhanbell links no window of qamtar, so their headers are
// not on its include path.
#include "alerts/frmmain2.h"
#include "mainwindow/frmmain.h"
