#include "alertsocket.h"

#include <unistd.h>

namespace platform {

QString alertProgramSocketName()
{
    QString name = QString::fromLatin1(kAlertProgramCaption);
    name.replace(QLatin1Char(' '), QLatin1Char('-'));
    return name + QLatin1Char('-') + QString::number(::getuid());
}

} // namespace platform
