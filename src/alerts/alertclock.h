// The clock as the alert program reads it: local date and time of day from
// the platform clock (which tests set), and the "hh:mm" text of a time of day
// in which prayer times are compared.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace alerts {

// The platform clock's current local date and time.
QDateTime localNow();

// 24-hour text of two-digit hours and minutes ("04:12").
QString clockText(const QDateTime& t);

// The minutes after midnight of an "hh:mm" text; nothing for a marker or any
// other text.
std::optional<int> clockMinutes(const QString& text);

} // namespace alerts
