#pragma once
#include <QString>
QString frmwait();
