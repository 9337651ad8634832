#include "UsersTable.h"

#include <QHeaderView>

void UsersTable::setupColumns()
{
    setColumnCount(3);
    setColumnWidth(0, 150);
    setColumnWidth(1, 150);
    setColumnWidth(2, 250);
    setHorizontalHeaderLabels(UserColumnHeaders());
    horizontalHeader()->setStretchLastSection(false);
}

void UsersTable::setUsers(const QVector<UserRow>& users)
{
    setRowCount(0);
    setRowCount(users.size());
    for (int r = 0; r < users.size(); ++r) {
        const UserRow& row = users.at(r);
        setItem(r, 0, new QTableWidgetItem(row.name));
        if (!row.status.isEmpty())
            setItem(r, 1, new QTableWidgetItem(row.status));
        if (!row.openingMode.isEmpty())
            setItem(r, 2, new QTableWidgetItem(row.openingMode));
    }
}
