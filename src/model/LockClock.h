#pragma once

#include "model/AuditRecords.h"

#include <QDateTime>
#include <QString>

#include <optional>

// How far the lock's clock was from the computer's when its audit was obtained, so that the
// technician, who sets the lock's clock on the spot, hears of it.
namespace lockclock {

// More than this apart, the lock's clock wants setting.
constexpr qint64 ToleranceSeconds = 10 * 60;

// The lock's clock (its newest event, as the keypad's date/time at the download shows it) minus
// the computer's, both read as wall clocks, in seconds; nothing when either is not known.
std::optional<qint64> Offset(const DecodedAudit& audit, const QDateTime& computer);

// "2 hours 22 minutes", "1 day 3 hours", "5 minutes": the size of an offset in the current language.
QString DifferenceText(qint64 seconds);

// "3 minutes ahead of the computer's clock", "Same as the computer's clock".
QString OffsetText(qint64 seconds);

// What the window says once when the offset is over the tolerance.
QString WarningText(qint64 seconds);

} // namespace lockclock
