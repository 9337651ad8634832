#include "model/LockClock.h"

#include "model/EventRows.h"

#include <QCoreApplication>
#include <QStringList>

namespace lockclock {

namespace {
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(LockClock)
};
} // namespace

std::optional<qint64> Offset(const DecodedAudit& audit, const QDateTime& computer)
{
    if (audit.lockEvents.isEmpty() || audit.lockEvents.first().time == 0 || !computer.isValid())
        return std::nullopt;
    const QDateTime lock = AuditDateTime(audit.lockEvents.first().time);
    if (!lock.isValid())
        return std::nullopt;
    // The lock keeps local wall-clock time with no zone: the computer's is read the same way.
    return QDateTime(computer.date(), computer.time(), Qt::UTC).secsTo(lock);
}

QString DifferenceText(qint64 seconds)
{
    const qint64 minutes = qAbs(seconds) / 60;
    // Beyond what an int counts, no lock's clock is worth telling apart.
    const int days = int(qMin<qint64>(minutes / (24 * 60), 1 << 30));
    const int hours = int(minutes / 60 % 24), rest = int(minutes % 60);
    QStringList parts;
    if (days > 0)
        parts << Text::tr("%n days", nullptr, days);
    if (hours > 0)
        parts << Text::tr("%n hours", nullptr, hours);
    // A day away, minutes no longer matter.
    if (days == 0 && (rest > 0 || hours == 0))
        parts << Text::tr("%n minutes", nullptr, rest);
    return parts.join(QLatin1Char(' '));
}

QString OffsetText(qint64 seconds)
{
    if (qAbs(seconds) < 60)
        return Text::tr("Same as the computer's clock");
    return (seconds > 0 ? Text::tr("%1 ahead of the computer's clock") : Text::tr("%1 behind the computer's clock"))
        .arg(DifferenceText(seconds));
}

QString WarningText(qint64 seconds)
{
    return (seconds > 0 ? Text::tr("The lock's clock is %1 ahead of the computer's clock. Set it on the keypad "
                                   "before you leave.")
                        : Text::tr("The lock's clock is %1 behind the computer's clock. Set it on the keypad "
                                   "before you leave."))
        .arg(DifferenceText(seconds));
}

} // namespace lockclock
