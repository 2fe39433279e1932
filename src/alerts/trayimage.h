// The alert program's icon, drawn at start-up: a crescent and a star on a
// green disc, at the sizes notification areas ask for.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace alerts {

QPixmap alertIconPixmap(int size);
QIcon alertIcon();

} // namespace alerts
