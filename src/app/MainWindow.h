#pragma once

#include "Archive.h"
#include "AuditRecords.h"
#include "AuditView.h"
#include "EventsTableView.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTranslator>

#include <memory>

struct ReportContent;
class ArchiveService;
struct KeepOutcome;
class LocksTab;
class QAction;
class QDialog;
class QMenu;
class QNetworkAccessManager;
class QNetworkReply;

namespace Ui {
class MainWindow;
}

void switchTranslator(QTranslator& translator, const QString& fileName);

// The one window: toolbar, port selector, the three tabs, and the loaded audit session.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The loaded audit; tests and the file slots fill it before running the pipeline.
    AuditSession& session() { return m_session; }
    // The audit as the window shows it.
    const AuditView& view() const { return m_view; }
    const QString& currentLanguage() const { return m_currLang; }

    void SetupWidgets();
    void WriteDallas();
    // Opens an audit file as "Open..." does once a file is chosen (also for a path given at start).
    void OpenAuditFile(const QString& fileName);
    // The download menu's "Users log"; not a slot, as no widget bears its name to connect it by.
    void on_btnLog_clicked();
    void SetupMenu();
    void SetupTable(bool clearRaw);
    void ResetContent(bool clearRaw);
    void loadLanguage(const QString& code);

    // Audit pipeline steps, in the order they always run.
    bool ParseEventsBuffer();
    void ParseBusEvents();
    void ParseBusConfig();
    void ParseConfig();
    void MergeEvents();
    void FilterEvents();
    void ParseListView();
    void PopulateFilters();

    // Decodes the raw buffers by the audit source flag, then presents the audit.
    // False when a Dallas image was rejected (its messages were shown); a new audit stops
    // there, a re-render of the loaded one goes on.
    bool ShowLoadedAudit(bool stopWhenRejected = true);

    EventsTableView& eventsView() { return *m_eventsView; }
    QCheckList& dateFilter() { return m_eventsView->dateFilter(); }
    QCheckList& userFilter() { return m_eventsView->userFilter(); }
    QCheckList& eventFilter() { return m_eventsView->eventFilter(); }
    QCheckList& eventIdFilter() { return m_eventsView->eventIdFilter(); }
    ColumnAlignedLayout* filterRowLayout() const { return m_eventsView->filterRowLayout(); }

    // Daylight-saving correction (the rule function and the "Set" button) and the exports.
    int FindDay(int year, int month, int weekday, int n);
    ReportContent reportContent() const;
    // The archive: every download and key read is kept (unless the settings say otherwise), an
    // opened file when asked; the Locks tab lists the locks and opens a lock's history. The
    // database is used off the window's thread; archiveWorkPending() counts what still runs.
    LocksTab& locksTab() { return *m_locksTab; }
    // `asked`: the user asked for it (a box tells the outcome); `always`: whatever the settings say.
    void keepInArchive(AuditKind kind, bool asked, bool always = false);
    // The Locks tab's "Download new events": the download, stopping at the lock's archived events.
    void downloadNewEvents();
    void openLockHistory(const QString& serial);
    void refreshLocks();
    // Sends the audits that wait for the archive server; `asked` when the user pressed "Send now".
    void sendQueued(bool asked);
    bool showingHistory() const { return m_historyAudit != nullptr; }
    int archiveWorkPending() const;

    // Updates: a silent check at start-up; the image download once the user agrees.
    void CheckForUpdates();
    void UpdateApplication();

public slots:
    void onLangIt();
    void onLangEn();
    void onLangEs();
    void on_buttonRefresh_clicked();
    void on_buttonNew_clicked();
    void on_btnSettings_clicked();
    void on_buttonSave_clicked();
    void on_buttonOpen_clicked();
    void on_buttonReadDallas_clicked();
    void on_buttonWriteDallas_clicked();
    void on_btnDownlad_clicked();
    void invalidateAlignedLayout();
    void onSetFilter();
    void onResetFilter();
    void on_pushButton_clicked();
    void onExportXlsx();
    void onExportPdf();
    void onAddToArchive();
    void on_buttonAbout_clicked();
    void downloadFinished(QNetworkReply* reply);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void applyLanguage(const QString& code, int settingValue, int checkedIndex);
    void retranslateForm();
    void showDecodeNotices(const QVector<DecodeNotice>& notices);
    // The port list, refreshed first when asked; false (after saying so) when it is empty.
    bool findInterface(bool refresh);
    QString selectedPort() const;
    void prepareDialog(QDialog* dialog);
    // False (after saying so) when `fileName` is the audit file on display.
    bool exportMayReplace(const QString& fileName);
    // The first capture that cannot be written is told; the operations go on without.
    void warnCaptureOff(const QString& message);
    void archiveKept(const KeepOutcome& kept, bool asked);
    void auditQueued(const QString& reason, int waiting);
    void showHistory(const LockHistory& history, const DecodedAudit& audit);
    // The export's file name: for a history, one that names the lock and its visits.
    QString exportFileName(const QString& filter, const QString& extension);

    Ui::MainWindow* ui;
    QStringList m_ports;
    QString m_currLang;
    QTranslator m_translator;
    QTranslator m_translatorQt;
    AuditSession m_session;
    AuditView m_view;
    // The file the audit on display was opened from: no export may replace it.
    QString m_auditFileName;
    // A key is prepared from a buffer of its own, so the audit on display keeps its raw data.
    std::array<quint8, AuditSession::DallasImageSize> m_requestImage{};
    std::array<quint8, 1024> m_usersLog{};

    EventsTableView* m_eventsView = nullptr;
    LocksTab* m_locksTab = nullptr;
    // The lock's history on display, in place of a decoded audit; null for a single audit.
    std::unique_ptr<DecodedAudit> m_historyAudit;
    bool m_offlineTold = false;
    bool m_readOnlyTold = false;
    ArchiveService* m_archive = nullptr;
    bool m_filtersBuilt = false;
    bool m_captureWarned = false;

    QPointer<QMenu> m_downloadMenu;
    QPointer<QMenu> m_languageMenu;
    QPointer<QMenu> m_exportMenu;
    QPointer<QMenu> m_openMenu;
    QAction* m_actionOpen = nullptr;
    QAction* m_actionAddToArchive = nullptr;
    QAction* m_actionAudit = nullptr;
    QAction* m_actionUsersLog = nullptr;
    QAction* m_actionItalian = nullptr;
    QAction* m_actionEnglish = nullptr;
    QAction* m_actionSpanish = nullptr;
    QAction* m_actionExportPdf = nullptr;
    QAction* m_actionExportXlsx = nullptr;

    QNetworkAccessManager* m_networkManager = nullptr;
};
