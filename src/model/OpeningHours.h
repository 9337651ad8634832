#pragma once

#include <QDate>
#include <QSet>
#include <QString>
#include <QVector>

#include <array>

// The days a site is closed whatever its hours say: holidays, for all locks.
using ClosedDays = QSet<QDate>;

// When a lock may be opened: per weekday, ranges of the day in minutes, [start, end). The text
// form is "Mon-Fri 07:00-20:00; Sat 08:00-12:00": days Mon..Sun, a single day or a range of them,
// ranges separated by commas, ";" between groups; a day not named is closed, and "closed" is a
// lock never to be opened. 24:00 is allowed as an end only; a range never crosses midnight (night
// hours are a range on each of the two days). A day may be named in several groups.
class OpeningHours
{
public:
    struct Range
    {
        int start = 0; // minutes of the day, 0..1439
        int end = 0;   // start + 1 .. 1440
        bool operator==(const Range& o) const { return start == o.start && end == o.end; }
    };

    // Closed every day.
    OpeningHours() = default;
    // Monday to Friday 07:00-20:00, Saturday and Sunday closed.
    static OpeningHours Default();
    // False with a message naming what is wrong; `out` is left alone then.
    static bool Parse(const QString& text, OpeningHours* out, QString* error);

    // The canonical text: consecutive days with the same ranges as one group, touching ranges as
    // one; it parses back equal.
    QString toText() const;

    // 1 = Monday .. 7 = Sunday, as QDate::dayOfWeek(); sorted, neither overlapping nor touching.
    const QVector<Range>& ranges(int dayOfWeek) const;
    bool isOpen(int dayOfWeek, int secondOfDay) const;
    // True when an audit time (seconds since 2000-01-01, the lock's clock) falls outside the hours
    // or on a closed day. A time that tells no hour is never outside: none (0), one in the year
    // 2000 (a clock never set) or one beyond the calendar.
    bool isOutside(qint64 auditSeconds, const ClosedDays& closed) const;

    bool operator==(const OpeningHours& o) const { return m_days == o.m_days; }
    bool operator!=(const OpeningHours& o) const { return !(*this == o); }

private:
    std::array<QVector<Range>, 7> m_days; // Monday first
};
