#pragma once

#include "model/ConfigPresentation.h"

#include <QTableWidget>

// The "Users" tab's table: the lock's users with their status and opening mode, and for a lock's
// history whose directory names people, the person beside each user.
class UsersTable : public QTableWidget
{
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;

    // "User", "Status", "Opening mode" (150, 150 and 250 px) in the current language; with the
    // persons shown, "Person" (150 px) after "User".
    void setupColumns();
    // One row per user; an unknown status or opening mode leaves its cell without an item, and so
    // does a user nobody held on the day. `persons`: the rows' persons are shown.
    void setUsers(const QVector<UserRow>& users, bool persons = false);

    // Where a column stands now, or -1.
    int statusColumn() const { return m_persons ? 2 : 1; }
    int openingModeColumn() const { return m_persons ? 3 : 2; }
    int personColumn() const { return m_persons ? 1 : -1; }

private:
    bool m_persons = false;
};
