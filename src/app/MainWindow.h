#pragma once

#include "archive/Archive.h"
#include "model/AuditView.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class EventsTableView;
class FindingsTab;
class LanguageSwitcher;
class LocksTab;
class QNetworkReply;
class Toolbar;
class UpdateOffer;
class WindowArchive;
class WindowDevice;

namespace Ui { class MainWindow; }

// The one window: toolbar, port selector and tabs. It keeps the loaded audit (its raw data and
// what was decoded from it) and shows one presentation of it, which its tabs take as values.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The loaded audit, whose raw buffers the device operations fill, and what is shown of it.
    AuditSession& session() { return m_session; }
    const AuditView& view() const { return m_view; }
    const QString& currentLanguage() const;
    EventsTableView& eventsView() { return *m_eventsView; }

    // Loading an audit is decoding it and showing one presentation of it, which every tab takes;
    // false, the view emptied, for a key that holds no audit.
    void show(const AuditView& view);
    using QMainWindow::show;
    bool ShowLoadedAudit(), ShowObtainedAudit();
    void markPartial(int events);
    void OpenAuditFile(const QString& fileName);

    // The original window's steps, faces over the values beneath; the download menu's "Users log"
    // is no slot, as no widget bears its name to connect it by.
    void SetupWidgets(), SetupMenu(), SetupTable(bool clearRaw), ResetContent(bool clearRaw);
    void loadLanguage(const QString& code);
    bool ParseEventsBuffer();
    void ParseBusEvents(), ParseConfig(), MergeEvents(), FilterEvents(), ParseListView(), PopulateFilters();
    int FindDay(int year, int month, int weekday, int n);
    void CheckForUpdates(), UpdateApplication(), WriteDallas(), on_btnLog_clicked();

    // The archive, used off the window's thread. `asked`: the user asked (a box tells the outcome);
    // `always`: whatever the settings say.
    LocksTab& locksTab();
    FindingsTab& findingsTab();
    void keepInArchive(AuditKind kind, bool asked, bool always = false);
    void downloadNewEvents();
    // The lock's history; with `at`, the event a search found selected and in view.
    void openLockHistory(const QString& serial, const FoundEvent* at = nullptr);
    bool showingHistory() const { return m_history != nullptr; }
    int archiveWorkPending() const;

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
    void on_pushButton_clicked();
    void on_buttonAbout_clicked();
    void invalidateAlignedLayout();
    void onSetFilter();
    void onResetFilter();
    void onExportXlsx();
    void onExportPdf();
    void onAddToArchive();
    void downloadFinished(QNetworkReply* reply);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AuditView present() const;
    bool decode();
    void retranslate();
    void showHistory(std::shared_ptr<const LockHistory> history);
    void showAuditEvent(const EventsTable& event); // selected and in view in the Events tab
    void selectShown(const EventsTable& event, int device);

    Ui::MainWindow* ui;
    AuditSession m_session;
    AuditView m_view;
    QString m_auditFileName; // the file the audit on display came from: no export may replace it
    std::optional<qint64> m_clockOffset; // the lock's clock minus the computer's, once known
    EventsTableView* m_eventsView = nullptr;
    LanguageSwitcher* m_languages = nullptr;
    Toolbar* m_toolbar = nullptr;
    UpdateOffer* m_updates = nullptr;
    // The lock's history on display in place of a single audit, and the event to select once shown.
    std::shared_ptr<const LockHistory> m_history;
    std::unique_ptr<FoundEvent> m_selectOnShow;
    WindowArchive* m_archive = nullptr;
    WindowDevice* m_device = nullptr;
};
