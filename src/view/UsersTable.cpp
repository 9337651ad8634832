#include "view/UsersTable.h"

#include <QCoreApplication>
#include <QHeaderView>

void UsersTable::setupColumns()
{
    QStringList headers = UserColumnHeaders();
    if (m_persons)
        headers.insert(1, QCoreApplication::translate("MainWindow", "Person"));
    setColumnCount(headers.size());
    setColumnWidth(0, 150);
    if (m_persons)
        setColumnWidth(personColumn(), 150);
    setColumnWidth(statusColumn(), 150);
    setColumnWidth(openingModeColumn(), 250);
    setHorizontalHeaderLabels(headers);
    horizontalHeader()->setStretchLastSection(false);
}

void UsersTable::setUsers(const QVector<UserRow>& users, bool persons)
{
    if (persons != m_persons) {
        m_persons = persons;
        setupColumns();
    }
    setRowCount(0);
    setRowCount(users.size());
    for (int r = 0; r < users.size(); ++r) {
        const UserRow& row = users.at(r);
        setItem(r, 0, new QTableWidgetItem(row.name));
        if (persons && !row.person.isEmpty())
            setItem(r, personColumn(), new QTableWidgetItem(row.person));
        if (!row.status.isEmpty())
            setItem(r, statusColumn(), new QTableWidgetItem(row.status));
        if (!row.openingMode.isEmpty())
            setItem(r, openingModeColumn(), new QTableWidgetItem(row.openingMode));
    }
}
