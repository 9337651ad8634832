#pragma once

#include "archive/ArchiveService.h"
#include "model/Findings.h"
#include "model/ReportContent.h"
#include "model/SettingsFile.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QWidget>

#include <functional>

// Lets through the findings of one kind, one lock and days, as the filter row asks.
class FindingsFilter : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    // -1 / empty / -1 for any; days as SearchDay bounds, [from, to).
    void set(int key, const QString& serial, qint64 from, qint64 to);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    int m_key = -1;
    QString m_serial;
    qint64 m_from = -1;
    qint64 m_to = -1;
};

// The "Findings" tab: what deserves a look, for the archived locks judged by the archive's hours,
// closed days and thresholds (off the window's thread), or for the audit on screen judged by the
// defaults. A double-click shows the finding's event in the Events tab.
class FindingsTab : public QWidget
{
    Q_OBJECT
public:
    enum Scope { AllLocks, SelectedLocks, AuditOnScreen };

    // `selectedLocks` gives the serial numbers the Locks tab has selected (or lists).
    FindingsTab(ArchiveService& archive, std::function<QStringList()> selectedLocks, QWidget* parent = nullptr);

    void retranslate();
    void setDisplay(const DisplaySettings& display);
    // The audit on screen, judged at once; null when there is none or it is a lock's history.
    void setAudit(const DecodedAudit* audit);
    // What was judged of the archive no longer holds (an import, other settings): judged again
    // when next shown.
    void invalidate() { m_stale = true; }
    // Judges the locks again now, or the audit, as the scope says.
    void judge();
    // The tab is on screen: a fleet not judged yet, or stale, is judged now.
    void shown();
    bool isJudging() const { return m_judging; }
    // The table as shown (filtered and sorted), as the workbook and the PDF print it, titled
    // "Findings: N locks, FIRST to LAST".
    ReportContent report() const;
    // Asks for the file and writes the table to it, with the wait cursor up; the outcome told.
    void exportTable(Settings::FileKind kind);

    QComboBox& scope() { return m_scope; }
    QComboBox& kindChoice() { return m_kind; }
    QComboBox& lockChoice() { return m_lock; }
    QLineEdit& fromDate() { return m_from; }
    QLineEdit& toDate() { return m_to; }
    QPushButton& judgeButton() { return m_judge; }
    QPushButton& excelButton() { return m_excel; }
    QPushButton& pdfButton() { return m_pdf; }
    QTableView& table() { return m_table; }
    QLabel& counts() { return m_counts; }
    QLabel& status() { return m_status; }

signals:
    // A finding of a lock: its history, with its first event selected.
    void openHistoryAt(const QString& serial, const FoundEvent& event);
    // A finding of the audit on screen: its first event.
    void showAuditEvent(const EventsTable& event);

private:
    void show(const QVector<LockFindings>& locks);
    void filter();
    void activate(const QModelIndex& index);
    // The first and last day the rows shown cover, as audit seconds; false for none.
    bool span(qint64* first, qint64* last) const;

    QComboBox m_scope;
    QComboBox m_kind;
    QComboBox m_lock;
    QLineEdit m_from;
    QLineEdit m_to;
    QPushButton m_judge;
    QPushButton m_excel;
    QPushButton m_pdf;
    QLabel m_counts;
    QLabel m_status;
    QTableView m_table;
    QStandardItemModel m_model;
    FindingsFilter m_filter;

    ArchiveService& m_archive;
    std::function<QStringList()> m_selectedLocks;
    DisplaySettings m_display;
    // What the table shows: the locks as judged, and the audit on screen as one lock.
    QVector<LockFindings> m_fleet;
    QVector<LockFindings> m_audit;
    bool m_hasAudit = false;
    QString m_fleetText; // what the fleet's judgement said: its scope, or why it failed
    bool m_judging = false;
    bool m_stale = true;
    int m_generation = 0;
};
