#pragma once

#include "ConfigPresentation.h"

#include <QTableWidget>

// The "Users" tab's table: the lock's users with their status and opening mode.
class UsersTable : public QTableWidget
{
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;

    // "User", "Status", "Opening mode" (150, 150 and 250 px) in the current language.
    void setupColumns();
    // One row per user; an unknown status or opening mode leaves its cell without an item.
    void setUsers(const QVector<UserRow>& users);
};
