#include "EventFilter.h"

#include <QSet>

QString DateKey(const QString& dateText)
{
    const QStringList parts = dateText.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return parts.isEmpty() ? QString() : parts.first();
}

void DistinctValues::add(const QString& value)
{
    if (m_seen.contains(value))
        return;
    m_seen.insert(value);
    m_values << value;
}

static bool accepts(const QStringList& picked, const QString& value)
{
    return picked.isEmpty() || picked.contains(value);
}

bool RowMatches(const FilterValues& picks, const QString& dateKey, const QString& user, const QString& event,
                const QString& eventId)
{
    return accepts(picks.dates, dateKey) && accepts(picks.users, user) && accepts(picks.events, event)
        && accepts(picks.eventIds, eventId);
}
