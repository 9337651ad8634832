#include "app/MainWindow.h"
#include "ui_MainWindow.h"

#include "app/AuditExport.h"
#include "app/FindingsTab.h"
#include "app/LanguageSwitcher.h"
#include "app/LocksTab.h"
#include "app/Toolbar.h"
#include "app/UpdateOffer.h"
#include "app/WindowArchive.h"
#include "app/WindowDevice.h"
#include "model/AuditFile.h"
#include "model/LockClock.h"
#include "update/AboutDialog.h"
#include "view/EventsTableView.h"
#include "view/FileDialogs.h"
#include "view/Messages.h"
#include "view/SettingsDialog.h"

#include <QCloseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStatusBar>

#ifdef __GLIBC__
#include <malloc.h>
#endif

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    Q_INIT_RESOURCE(resources);
#ifdef __GLIBC__
    // A history of a million events is read, merged and judged in blocks of tens of megabytes:
    // each goes back to the system once freed instead of staying in the heap for later.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
    ui->setupUi(this);
    m_eventsView = new EventsTableView(ui->tableWidget, ui->widget, this);
    // Above the table, the history's bar; under it, the row count.
    const int table = ui->verticalLayoutEvents->indexOf(ui->tableWidget);
    ui->verticalLayoutEvents->insertWidget(table + 1, m_eventsView->rowCountLabel());
    ui->verticalLayoutEvents->insertWidget(table, m_eventsView->historyBar());
    m_languages = new LanguageSwitcher(this);
    connect(m_languages, &LanguageSwitcher::chosen, this, &MainWindow::retranslate);
    m_updates = new UpdateOffer(this);
    connect(&m_updates->network(), &QNetworkAccessManager::finished, this, &MainWindow::downloadFinished);
    m_toolbar = new Toolbar(*this, *ui, *m_languages);
    m_archive = new WindowArchive(*this, *statusBar(), *ui->tabWidget);
    connect(&locksTab(), &LocksTab::openHistory, this, [this](const QString& serial) { openLockHistory(serial); });
    connect(&locksTab(), &LocksTab::openHistoryAt, this,
            [this](const QString& serial, const FoundEvent& at) { openLockHistory(serial, &at); });
    connect(&locksTab(), &LocksTab::downloadNew, this, &MainWindow::downloadNewEvents);
    connect(&findingsTab(), &FindingsTab::openHistoryAt, this,
            [this](const QString& serial, const FoundEvent& at) { openLockHistory(serial, &at); });
    connect(&findingsTab(), &FindingsTab::showAuditEvent, this, &MainWindow::showAuditEvent);

    const Settings settings = SettingsFile::read();
    restoreGeometry(settings.windowGeometry);
    restoreState(settings.windowState, 0);
    m_device = new WindowDevice(*this, *ui->comboBox, *m_archive);
    SetupWidgets();
    ui->groupBox_3->setChoice(settings.dst);
    m_session.ZeroAll();

    CheckForUpdates();
    m_archive->refreshLocks();
    // What waited for the archive server goes as soon as it answers.
    m_archive->sendQueued(false);
}

MainWindow::~MainWindow()
{
    delete m_device;
    // What keeps an audit finishes first; reads still waiting are dropped.
    delete m_archive;
    // Its check lists sit in the form's filter row: they go before the form does.
    delete m_eventsView;
    delete ui;
}

int MainWindow::archiveWorkPending() const { return m_archive->pending(); }
LocksTab& MainWindow::locksTab() { return m_archive->locks(); }
FindingsTab& MainWindow::findingsTab() { return m_archive->findings(); }

void MainWindow::SetupWidgets()
{
    m_languages->choose(SettingsFile::read().language);
    ui->tabWidget->setCurrentIndex(0);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    Settings settings;
    settings.windowGeometry = saveGeometry();
    settings.windowState = saveState(0);
    settings.dst = ui->groupBox_3->choice();
    SettingsFile::write(settings, SettingsFile::Window);
    event->accept();
}

// ---- languages and menus ----

void MainWindow::onLangIt() { m_languages->choose(Settings::Italian); }
void MainWindow::onLangEn() { m_languages->choose(Settings::English); }
void MainWindow::onLangEs() { m_languages->choose(Settings::Spanish); }
void MainWindow::loadLanguage(const QString& code) { m_languages->load(code); }
const QString& MainWindow::currentLanguage() const { return m_languages->current(); }

void MainWindow::retranslate()
{
    ui->retranslateUi(this);
    ui->tab_2->retranslate();
    ui->groupBox_3->retranslate();
    m_archive->retranslate(*ui->tabWidget);
    if (m_clockOffset)
        ui->labelClockNotice->setText(lockclock::WarningText(*m_clockOffset));
    SetupTable(false);
    SetupMenu();
}

void MainWindow::SetupMenu() { m_toolbar->retranslate(); }

// ---- what is shown ----

void MainWindow::showAuditEvent(const EventsTable& event)
{
    ui->tabWidget->setCurrentIndex(0);
    selectShown(event, 0);
}

// The first event shown at that time with that code and user; a device of 0 matches any.
void MainWindow::selectShown(const EventsTable& event, int device)
{
    for (int e = 0; e < m_view.eventCount(); ++e) {
        // The event alone, without the person a view names.
        const ShownEvent shown = m_view.shownHistory ? m_view.shownHistory->at(e) : ShownEventOf(m_view.events.at(e));
        if (shown.time == event.time && shown.event == event.event && shown.user == event.user
            && (device == 0 || shown.device == device)) {
            m_eventsView->selectEvent(e);
            return;
        }
    }
}

void MainWindow::SetupTable(bool clearRaw)
{
    m_eventsView->setupColumns();
    ui->tableWidget_2->setupColumns();
    // Every text again, in the language and settings now chosen; a correction does not survive.
    if (clearRaw)
        ResetContent(true);
    else if (!m_view.events.isEmpty())
        show(present());
    m_eventsView->rebuildFilterRow();
    // Tab follows the reading order: from the tabs down to the filter row (whose new buttons
    // would otherwise come last), the table and the daylight-saving group row by row.
    const QWidgetList order =
        QWidgetList{ ui->tabWidget->focusProxy() } + m_eventsView->focusOrder() + ui->groupBox_3->focusOrder();
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void MainWindow::show(const AuditView& view)
{
    m_view = view;
    m_session.dstApplied = view.dstApplied;
    ui->labelDlDate->setText(view.configuration.keypadDownloadTime);
    ui->labelDlDate2->setText(view.configuration.pcDownloadTime);
    ui->tab_2->setConfiguration(view.configuration, m_clockOffset);
    ui->tableWidget_2->setUsers(view.configuration.users, view.configuration.persons);
    m_eventsView->setView(m_view);
    ui->buttonSave->setEnabled(!view.isHistory());
    // A history's findings are the archive's, judged by its rules under All locks.
    if (m_archive)
        findingsTab().setAudit(view.events.isEmpty() || view.isHistory() ? nullptr : &m_session.decoded);
    ui->tabWidget->setCurrentIndex(0);
}

AuditView MainWindow::present() const
{
    const Settings settings = SettingsFile::read();
    PresentationOptions options;
    options.display = settings.display;
    options.auditType = settings.auditType;
    // A history is held compactly, as the archive gave it; its latest visit is the session's audit.
    AuditView view;
    QString error;
    if (!m_history)
        view = PresentAudit(m_session.decoded, m_session.busAudit, options);
    else if (!PresentHistory(*m_history, options, false, &view, &error))
        Messages::critical(error);
    return view;
}

bool MainWindow::decode()
{
    m_session.decoded = DecodeAudit(m_session);
    const QVector<DecodeNotice> notices = m_session.decoded.notices;
    const bool ok = m_session.decoded.ok;
    // A key that is not an audit leaves nothing behind, its image included.
    if (!ok)
        ResetContent(true);
    Messages::showNotices(notices);
    return ok;
}

bool MainWindow::ShowLoadedAudit()
{
    if (!decode())
        return false;
    show(present());
    return true;
}

// The audit's label says it is partial, on screen and in the file it is saved as.
void MainWindow::markPartial(int events)
{
    m_view.configuration.keypadDownloadTime = operations::PartialLabel(m_view.configuration.keypadDownloadTime, events);
    ui->labelDlDate->setText(m_view.configuration.keypadDownloadTime);
}

bool MainWindow::ShowObtainedAudit()
{
    // The computer's clock at a key read is now; a download stamped it as it ended.
    if (!m_session.busAudit)
        m_session.downloadTime = QDateTime::currentDateTime();
    if (!decode())
        return false;
    m_clockOffset = lockclock::Offset(m_session.decoded, m_session.downloadTime);
    show(present());
    // Said once, above the table, until it is closed or another audit comes.
    if (m_clockOffset && qAbs(*m_clockOffset) > lockclock::ToleranceSeconds) {
        ui->labelClockNotice->setText(lockclock::WarningText(*m_clockOffset));
        ui->clockNotice->show();
    }
    return true;
}

void MainWindow::ResetContent(bool clearRaw)
{
    m_session.ResetContent(clearRaw);
    if (clearRaw) {
        m_auditFileName.clear();
        m_history.reset();
        m_clockOffset.reset();
        ui->clockNotice->hide();
    }
    show(AuditView());
}

bool MainWindow::ParseEventsBuffer() { return decode(); }
void MainWindow::ParseBusEvents() { decode(); }
void MainWindow::ParseConfig() { m_view = present(); }
void MainWindow::MergeEvents() { PresentEvents(m_view, m_session.decoded, FullAudit); }
void MainWindow::FilterEvents() { PresentEvents(m_view, m_session.decoded, SettingsFile::read().auditType); }
void MainWindow::ParseListView() { show(m_view); }
void MainWindow::PopulateFilters() { m_eventsView->populateFilters(); }
void MainWindow::invalidateAlignedLayout() { m_eventsView->invalidateAlignedLayout(); }
void MainWindow::onSetFilter() { m_eventsView->applyFilter(); }
void MainWindow::onResetFilter() { m_eventsView->resetFilter(); }
void MainWindow::on_buttonNew_clicked() { ResetContent(true); }
int MainWindow::FindDay(int year, int month, int weekday, int n) { return ::FindDay(year, month, weekday, n); }

void MainWindow::onExportXlsx()
{
    if (showingHistory())
        return ExportHistory(Settings::Workbooks, m_view, *m_archive, m_history);
    ExportAudit(Settings::Workbooks, m_view, m_session.decoded.config.downloadTime, m_auditFileName);
}

void MainWindow::onExportPdf()
{
    if (showingHistory())
        return ExportHistory(Settings::PdfReports, m_view, *m_archive, m_history);
    ExportAudit(Settings::PdfReports, m_view, m_session.decoded.config.downloadTime, m_auditFileName);
}

void MainWindow::on_pushButton_clicked()
{
    if (m_view.dstApplied
        && !Messages::question(tr("You have already set DST for these events. Do you want to set it again?")))
        return;
    CorrectDst(m_view, m_session.decoded.timeDateTable, ui->groupBox_3->rule());
    show(m_view);
}

void MainWindow::on_btnSettings_clicked()
{
    SettingsDialog dialog(this);
    PrepareDialog(&dialog, *this);
    m_archive->readRules(&dialog);
    if (dialog.exec() == QDialog::Accepted && dialog.archiveRulesChanged())
        m_archive->changeRules(dialog.givenRules(), dialog.archiveRules());
    findingsTab().setDisplay(SettingsFile::read().display);
    SetupTable(false);
    m_archive->refreshLocks();
}

// ---- audit files ----

void MainWindow::on_buttonOpen_clicked()
{
    const QString fileName = FileDialogs::open(Settings::AuditFiles);
    if (!fileName.isEmpty())
        OpenAuditFile(fileName);
}

void MainWindow::OpenAuditFile(const QString& fileName)
{
    // Read aside: what is on screen stays unless the file reads and decodes.
    auto file = std::make_unique<AuditSession>();
    if (!AuditFile::Load(fileName, *file).valid) {
        Messages::critical(tr("File not valid"));
        return;
    }
    file->decoded = DecodeAudit(*file);
    Messages::showNotices(file->decoded.notices);
    if (!file->decoded.ok)
        return;
    ResetContent(true);
    m_session = *file;
    m_auditFileName = fileName;
    FileDialogs::AddRecentFile(fileName);
    show(present());
}

void MainWindow::on_buttonSave_clicked() { SaveAudit(m_session, m_view); }

// ---- device operations ----

void MainWindow::on_buttonRefresh_clicked() { m_device->refresh(); }
void MainWindow::on_buttonReadDallas_clicked() { m_device->readKey(); }
void MainWindow::on_buttonWriteDallas_clicked() { m_device->writeKey(); }
void MainWindow::WriteDallas() { m_device->writeKey(); }
void MainWindow::on_btnDownlad_clicked() { m_device->download(); }
void MainWindow::downloadNewEvents() { m_device->downloadNew(m_archive->archivedEvents()); }
void MainWindow::on_btnLog_clicked() { m_device->usersLog(); }

// ---- the archive ----

void MainWindow::keepInArchive(AuditKind kind, bool asked, bool always)
{
    if (m_view.events.isEmpty() || showingHistory())
        return;
    if (!asked && !always && !SettingsFile::read().archiveAudits)
        return;
    // The file's bytes as "Save" would write them now, so a later import of that file is the same audit.
    m_archive->keep(AuditFile::Serialize(m_session, ui->labelDlDate->text()), kind, m_auditFileName, asked);
}

void MainWindow::onAddToArchive()
{
    if (m_view.events.isEmpty() || showingHistory()) {
        Messages::information(tr("Open or download an audit to add it to the archive."), this);
        return;
    }
    keepInArchive(!m_auditFileName.isEmpty() ? AuditKind::File
                  : m_session.busAudit       ? AuditKind::BusDownload
                                             : AuditKind::DallasKey,
                  true);
}

void MainWindow::openLockHistory(const QString& serial, const FoundEvent* at)
{
    m_selectOnShow = at ? std::make_unique<FoundEvent>(*at) : nullptr;
    m_archive->readHistory(
        serial, [this](std::shared_ptr<const LockHistory> history) { showHistory(std::move(history)); },
        [this] { m_selectOnShow.reset(); });
}

void MainWindow::showHistory(std::shared_ptr<const LockHistory> history)
{
    ResetContent(true);
    // The latest visit's audit gives the configuration and users tabs; the events are the history's.
    if (!AuditFile::Parse(history->latestAudit, m_session).valid) {
        Messages::critical(tr("File not valid"), this);
        ResetContent(true);
        return;
    }
    m_history = std::move(history);
    ui->buttonSave->setEnabled(false);
    ShowLoadedAudit();
    ui->tabWidget->setCurrentIndex(0);
    // A search's event: the same time, code, user and device (the table may show a simple audit,
    // numbered its own way). A finding does not tell the device (0).
    if (const std::unique_ptr<FoundEvent> at = std::move(m_selectOnShow))
        selectShown(at->event, at->event.device);
}

// ---- updates and About ----

void MainWindow::CheckForUpdates() { m_updates->check(); }
void MainWindow::downloadFinished(QNetworkReply* reply) { m_updates->answer(reply); }
void MainWindow::UpdateApplication() { m_updates->download(); }

void MainWindow::on_buttonAbout_clicked()
{
    AboutDialog dialog(this);
    dialog.exec();
}
