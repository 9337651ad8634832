#pragma once

#include "Archive.h"
#include "Background.h"
#include "EventRows.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QWidget>

// Shows the rows whose serial number or lock name holds the search text.
class LockSearchProxy : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
};

// The "Locks" tab: the archived locks, searchable by serial number or name, each opening its
// whole history. The list is read off the window's thread.
class LocksTab : public QWidget
{
    Q_OBJECT
public:
    explicit LocksTab(QWidget* parent = nullptr);

    // Texts in the current language; the list keeps its rows.
    void retranslate();
    // Reads the list again from the archive at `location`, dates in the display's pattern.
    void refresh(const QString& location, const DisplaySettings& display);
    bool isRefreshing() const { return m_refreshing; }

    QLineEdit& search() { return m_search; }
    QTableView& table() { return m_table; }
    QPushButton& openButton() { return m_open; }
    QLabel& status() { return m_status; }
    // The locks the search lets through, in the order shown.
    QStringList shownSerials() const;

signals:
    void openHistory(const QString& serial);
    void refreshed();

private:
    void openCurrent();
    void show(const QVector<LockSummary>& locks, const DisplaySettings& display);

    QLineEdit m_search;
    QTableView m_table;
    QStandardItemModel m_model;
    LockSearchProxy m_proxy;
    QPushButton m_open;
    QLabel m_status;
    BackgroundTasks m_tasks;
    bool m_refreshing = false;
    int m_generation = 0;
};
