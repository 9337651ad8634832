#include "model/OpeningHours.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Findings)
};

// The text form's own words, never translated: it is written on command lines and kept in archives
// that a team in several languages shares.
const char* const dayNames[] = { "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun" };
const QString closedText = QStringLiteral("closed");

const QDate& epoch()
{
    static const QDate date(2000, 1, 1);
    return date;
}

QString timeText(int minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString rangeText(const OpeningHours::Range& r)
{
    return timeText(r.start) + QLatin1Char('-') + timeText(r.end);
}

// 0 = Monday, or -1.
int dayIndex(const QString& name)
{
    for (int d = 0; d < 7; ++d)
        if (name.compare(QLatin1String(dayNames[d]), Qt::CaseInsensitive) == 0)
            return d;
    return -1;
}

// "7:00", "07:00"; 24:00 only as an end.
bool parseTime(const QString& text, bool end, int* minutes)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    if (min > 59 || h > 24 || (h == 24 && (min != 0 || !end)))
        return false;
    *minutes = h * 60 + min;
    return true;
}

QString badRange(const QString& text)
{
    return Text::tr("Bad range \"%1\": a range is a start and an end, as in 07:00-20:00.").arg(text.trimmed());
}

// Parses "07:00-12:00" into `range`; false with the message.
bool parseRange(const QString& piece, OpeningHours::Range* range, QString* error)
{
    const QStringList ends = piece.split(QLatin1Char('-'));
    if (ends.size() != 2 || ends[0].trimmed().isEmpty() || ends[1].trimmed().isEmpty()) {
        *error = badRange(piece);
        return false;
    }
    for (int k = 0; k < 2; ++k) {
        if (!parseTime(ends[k], k == 1, k == 0 ? &range->start : &range->end)) {
            *error = Text::tr("Bad time \"%1\": a time is HH:MM from 00:00 to 23:59, or 24:00 as an end.")
                         .arg(ends[k].trimmed());
            return false;
        }
    }
    if (range->end <= range->start) {
        *error = Text::tr("The range %1 does not end after it starts; hours past midnight are a range on each day, "
                          "as in \"Mon 22:00-24:00; Tue 00:00-06:00\".")
                     .arg(piece.trimmed());
        return false;
    }
    return true;
}

} // namespace

OpeningHours OpeningHours::Default()
{
    OpeningHours hours;
    for (int d = 0; d < 5; ++d)
        hours.m_days[d] = { Range{ 7 * 60, 20 * 60 } };
    return hours;
}

bool OpeningHours::Parse(const QString& text, OpeningHours* out, QString* error)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(closedText, Qt::CaseInsensitive) == 0) {
        *out = OpeningHours();
        return true;
    }
    // Days first, then the ranges: "Mon-Fri 07:00-20:00" or "Sat 08:00-12:00, 14:00-18:00".
    static const QRegularExpression groupForm(QStringLiteral("^([A-Za-z]+)\\s*(?:-\\s*([A-Za-z]+))?\\s*(.*)$"));
    OpeningHours hours;
    bool any = false;
    for (const QString& rawGroup : trimmed.split(QLatin1Char(';'))) {
        const QString group = rawGroup.trimmed();
        if (group.isEmpty())
            continue; // a stray ";" says nothing
        any = true;
        const QRegularExpressionMatch m = groupForm.match(group);
        if (!m.hasMatch()) {
            *error = Text::tr("\"%1\" does not start with its days, as in \"Mon-Fri 07:00-20:00\".").arg(group);
            return false;
        }
        const QString firstName = m.captured(1);
        const QString lastName = m.captured(2).isEmpty() ? firstName : m.captured(2);
        const int first = dayIndex(firstName);
        const int last = dayIndex(lastName);
        for (const QString& name : { firstName, lastName }) {
            if (dayIndex(name) < 0) {
                *error = Text::tr("Unknown day \"%1\": the days are Mon, Tue, Wed, Thu, Fri, Sat and Sun.").arg(name);
                return false;
            }
        }
        const QString days = group.left(m.capturedStart(3)).trimmed();
        if (last < first) {
            *error = Text::tr("The days %1 run backwards: a range of days goes from the earlier to the later, as in Mon-Fri.")
                         .arg(days);
            return false;
        }
        const QString times = m.captured(3).trimmed();
        if (times.isEmpty()) {
            *error = Text::tr("No hours are given for %1.").arg(days);
            return false;
        }
        for (const QString& piece : times.split(QLatin1Char(','))) {
            Range range;
            // A stray comma leaves an empty piece: the whole list shows where it is.
            if (piece.trimmed().isEmpty()) {
                *error = badRange(times);
                return false;
            }
            if (!parseRange(piece, &range, error))
                return false;
            for (int d = first; d <= last; ++d)
                hours.m_days[d].append(range);
        }
    }
    if (!any) {
        *error = Text::tr("No opening hours are given: write them as in \"Mon-Fri 07:00-20:00\", or \"closed\".");
        return false;
    }
    for (int d = 0; d < 7; ++d) {
        QVector<Range>& ranges = hours.m_days[d];
        std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) { return a.start < b.start; });
        QVector<Range> merged;
        for (const Range& r : ranges) {
            if (!merged.isEmpty() && r.start < merged.last().end) {
                *error = Text::tr("The ranges %1 and %2 overlap on %3.")
                             .arg(rangeText(merged.last()), rangeText(r), QLatin1String(dayNames[d]));
                return false;
            }
            // Touching ranges are one: 08:00-12:00 and 12:00-14:00 leave no moment closed.
            if (!merged.isEmpty() && r.start == merged.last().end)
                merged.last().end = r.end;
            else
                merged.append(r);
        }
        ranges = merged;
    }
    *out = hours;
    return true;
}

QString OpeningHours::toText() const
{
    QStringList groups;
    for (int d = 0; d < 7;) {
        int last = d;
        while (last + 1 < 7 && m_days[last + 1] == m_days[d])
            ++last;
        if (!m_days[d].isEmpty()) {
            QString days = QLatin1String(dayNames[d]);
            if (last > d)
                days += QLatin1Char('-') + QLatin1String(dayNames[last]);
            QStringList ranges;
            for (const Range& r : m_days[d])
                ranges << rangeText(r);
            groups << days + QLatin1Char(' ') + ranges.join(QStringLiteral(", "));
        }
        d = last + 1;
    }
    return groups.isEmpty() ? closedText : groups.join(QStringLiteral("; "));
}

const QVector<OpeningHours::Range>& OpeningHours::ranges(int dayOfWeek) const
{
    static const QVector<Range> none;
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? m_days[dayOfWeek - 1] : none;
}

bool OpeningHours::isOpen(int dayOfWeek, int secondOfDay) const
{
    for (const Range& r : ranges(dayOfWeek)) {
        if (secondOfDay < r.start * 60)
            return false;
        if (secondOfDay < r.end * 60)
            return true;
    }
    return false;
}

bool OpeningHours::isOutside(qint64 auditSeconds, const ClosedDays& closed) const
{
    // Days from 0001-01-01 to 9999-12-31, where audit dates are shown at all.
    static const qint64 firstDay = epoch().daysTo(QDate(1, 1, 1));
    static const qint64 lastDay = epoch().daysTo(QDate(9999, 12, 31));
    if (auditSeconds == 0)
        return false;
    qint64 day = auditSeconds / 86400;
    qint64 second = auditSeconds % 86400;
    if (second < 0) {
        second += 86400;
        --day;
    }
    if (day < firstDay || day > lastDay)
        return false;
    const QDate date = epoch().addDays(day);
    if (date.year() == 2000)
        return false;
    if (!closed.isEmpty() && closed.contains(date))
        return true;
    return !isOpen(date.dayOfWeek(), int(second));
}
