#pragma once

#include <QSet>
#include <QStringList>

// What the four filter lists of the events table hold and pick.
struct FilterValues
{
    QStringList dates;
    QStringList users;
    QStringList events;
    QStringList eventIds;
};

// The date part of a "Date" cell: its first blank-separated part, or empty.
QString DateKey(const QString& dateText);

// Collects the distinct values of one column while keeping first-seen order.
class DistinctValues
{
public:
    void add(const QString& value);
    const QStringList& values() const { return m_values; }

private:
    QStringList m_values;
    QSet<QString> m_seen;
};

// Picks within one filter are alternatives; the four filters must all agree.
bool RowMatches(const FilterValues& picks, const QString& dateKey, const QString& user, const QString& event,
                const QString& eventId);
