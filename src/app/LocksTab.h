#pragma once

#include "app/PeopleDialog.h"
#include "archive/ArchiveService.h"
#include "model/EventRows.h"
#include "model/SettingsFile.h"
#include "view/QCheckList.h"

#include <QPointer>

#include <atomic>
#include <memory>

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QSplitter>
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
    explicit LocksTab(ArchiveService& archive, QWidget* parent = nullptr);

    // Texts in the current language; the list keeps its rows.
    void retranslate();
    // Reads the list again from the archive, dates in the display's pattern.
    void refresh(const DisplaySettings& display);
    bool isRefreshing() const { return m_refreshing; }

    // "N audits waiting to be sent", with "Send now"; hidden when none wait.
    void setWaiting(int count);
    // Runs the search row's search across every lock (those the lock search shows, when it has text).
    void searchEvents();
    bool isSearching() const { return m_searching; }

    QLineEdit& search() { return m_search; }
    QTableView& table() { return m_table; }
    QPushButton& openButton() { return m_open; }
    QPushButton& downloadNewButton() { return m_downloadNew; }
    // "People...": the selected lock's directory of people, in a dialog of its own.
    QPushButton& peopleButton() { return m_people; }
    PeopleDialog* peopleDialog() const { return m_peopleDialog; }
    // The selected lock's opening hours as text, stored when saved; "Use the default" takes the
    // lock back to the archive's default. Why a text is refused shows beside them.
    QLineEdit& hoursEdit() { return m_hours; }
    QPushButton& saveHoursButton() { return m_saveHours; }
    QPushButton& defaultHoursButton() { return m_defaultHours; }
    QLabel& hoursMessage() { return m_hoursMessage; }
    // The list's last column: each lock's findings of the last FindingDays days, today included,
    // as the archive judges them. Counted on the archive's thread once the list is shown, so the
    // list never waits for them; "..." until then.
    static constexpr int FindingDays = 90;
    int findingsColumn() const { return LockColumnHeaders().size(); }
    bool isCountingFindings() const { return m_countingFindings > 0; }
    // "Save the lock's audits...": every kept audit of the selected lock into a folder the user
    // chooses, as the command line's archive audits writes them, with SHA256SUMS.
    QPushButton& saveAuditsButton() { return m_saveAudits; }
    // Asks for the folder; empty on cancel. The platform's dialog unless a test answers.
    void setFolderChooser(std::function<QString()> chooser) { m_chooseFolder = std::move(chooser); }
    QLabel& status() { return m_status; }
    QLabel& waiting() { return m_waiting; }
    QPushButton& sendButton() { return m_send; }
    QLineEdit& fromDate() { return m_from; }
    QLineEdit& toDate() { return m_to; }
    // The events the lock's vocabulary names, several at once; the users by their names.
    QCheckList& eventChoice() { return m_event; }
    QComboBox& userChoice() { return m_user; }
    QPushButton& searchButton() { return m_find; }
    // The events found, sortable by any column; a double-click opens the lock's history there.
    QTableView& results() { return m_results; }
    const QVector<FoundEvent>& found() const { return m_foundEvents; }
    QLabel& resultCount() { return m_found; }
    // The locks the search lets through, in the order shown.
    QStringList shownSerials() const;
    // The locks chosen: those selected, else those the search lists.
    QStringList chosenSerials() const;
    // The lock selected, or the only one shown; empty for none.
    QString currentSerial() const;

signals:
    void openHistory(const QString& serial);
    // A found event: its lock's history, with that event selected.
    void openHistoryAt(const QString& serial, const FoundEvent& event);
    void refreshed();
    void sendNow();
    void searchRequested();
    void downloadNew();

private:
    void openCurrent();
    // The events found, in the order shown, to a workbook or a PDF report.
    void exportFound(Settings::FileKind kind);
    void openPeople();
    void updateLockButtons();
    // Reads the selected lock's hours; with `change`, after running it.
    void readHours(std::function<bool(Archive&, const QString&)> change = {});
    void saveHours();
    // Counts the findings of the locks given (every lock for none) into the list.
    void countFindings(const QStringList& serials = {});
    void saveAudits();
    void show(const QVector<LockSummary>& locks, const DisplaySettings& display);

    // The query of the search row; false with the field that is wrong.
    bool query(SearchQuery* query, QString* error) const;

    // Holds the two tables below (members too), so it goes after them.
    QSplitter m_split;
    QLineEdit m_search;
    QLineEdit m_from;
    QLineEdit m_to;
    QCheckList m_event;
    QComboBox m_user;
    QPushButton m_find;
    QPushButton m_exportExcel;
    QPushButton m_exportPdf;
    QTableView m_table;
    QTableView m_results;
    QStandardItemModel m_resultModel;
    QSortFilterProxyModel m_resultSort;
    QVector<FoundEvent> m_foundEvents;
    QLabel m_found;
    QLabel m_waiting;
    QPushButton m_send;
    DisplaySettings m_display;
    QStandardItemModel m_model;
    LockSearchProxy m_proxy;
    QPushButton m_open;
    QPushButton m_downloadNew;
    QPushButton m_people;
    QPointer<PeopleDialog> m_peopleDialog;
    QLabel m_hoursLabel;
    QLineEdit m_hours;
    QPushButton m_saveHours;
    QPushButton m_defaultHours;
    QLabel m_hoursMessage;
    QString m_hoursSerial; // whose hours are shown
    int m_hoursGeneration = 0;
    // The latest count asked: an earlier one still running stops at its next lock.
    std::shared_ptr<std::atomic_int> m_findingsGeneration = std::make_shared<std::atomic_int>(0);
    int m_countingFindings = 0;
    QPushButton m_saveAudits;
    std::function<QString()> m_chooseFolder;
    QLabel m_status;
    ArchiveService& m_archive;
    bool m_refreshing = false;
    bool m_searching = false;
    int m_generation = 0;
};
