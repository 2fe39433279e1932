#include "alertclock.h"

#include <chrono>

#include "platform/eventloop.h"

namespace alerts {

QDateTime localNow()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(platform::now().time_since_epoch()).count();
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime);
}

QString clockText(const QDateTime& t)
{
    return t.time().toString(QStringLiteral("HH:mm"));
}

std::optional<int> clockMinutes(const QString& text)
{
    if (text.size() != 5 || text[2] != QLatin1Char(':'))
        return std::nullopt;
    bool okH = false, okM = false;
    const int h = text.left(2).toInt(&okH);
    const int m = text.mid(3, 2).toInt(&okM);
    if (!okH || !okM || !text[0].isDigit() || !text[3].isDigit())
        return std::nullopt;
    return h * 60 + m;
}

} // namespace alerts
