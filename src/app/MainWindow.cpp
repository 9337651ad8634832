#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "AboutDialog.h"
#include "AuditFile.h"
#include "BusDecoder.h"
#include "ConfigPresentation.h"
#include "DallasDecoder.h"
#include "DallasRequest.h"
#include "EventMerge.h"
#include "EventRows.h"
#include "ReportContent.h"
#include "InstallPaths.h"
#include "ArchiveLocation.h"
#include "ArchiveService.h"
#include "LocksTab.h"
#include "Messages.h"
#include "OperationDialogs.h"
#include "SelectLockDialog.h"
#include "SerialTransport.h"
#include "SettingsDialog.h"
#include "SettingsFile.h"
#include "UpdateCheck.h"
#include "UpdateDialog.h"
#include "UpdateServer.h"
#include "UsersLogDialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QSettings>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidgetItem>

namespace {

const char* const dstComboKeys[] = { "From", "To", "FromDay", "ToDay", "FromMonth", "ToMonth", "AddSub", "Hours" };

} // namespace

void switchTranslator(QTranslator& translator, const QString& fileName)
{
    QCoreApplication::removeTranslator(&translator);
    // Beside the executable first; an installed copy keeps its catalogues in its share folder.
    for (const QString& dir : installpaths::TranslationDirectories()) {
        if (translator.load(fileName, dir, QString(), QString())) {
            QCoreApplication::installTranslator(&translator);
            return;
        }
    }
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    Q_INIT_RESOURCE(resources);
    ui->setupUi(this);
    m_eventsView = new EventsTableView(ui->tableWidget, ui->widget, this);
    ui->verticalLayoutEvents->insertWidget(1, m_eventsView->historyBar());
    m_archive = new ArchiveService(this);
    m_locksTab = new LocksTab(*m_archive, ui->tabWidget);
    ui->tabWidget->addTab(m_locksTab, QString());
    connect(m_locksTab, &LocksTab::openHistory, this, &MainWindow::openLockHistory);
    connect(m_locksTab, &LocksTab::sendNow, this, [this] { sendQueued(true); });
    connect(m_locksTab, &LocksTab::downloadNew, this, &MainWindow::downloadNewEvents);
    connect(m_locksTab, &LocksTab::searchRequested, this, [this] { m_locksTab->searchEvents(); });

    {
        QSettings settings(SettingsFile::path(), QSettings::IniFormat);
        restoreGeometry(settings.value(QStringLiteral("mainWindowGeometry")).toByteArray());
        restoreState(settings.value(QStringLiteral("mainWindowState")).toByteArray(), 0);
    }

    m_filtersBuilt = false;
    m_session.dstApplied = false;
    m_ports = EnumPorts();

    SetupWidgets();

    {
        QSettings settings(SettingsFile::path(), QSettings::IniFormat);
        QComboBox* combos[] = { ui->comboBoxFrom, ui->comboBoxTo, ui->comboBoxFromDay, ui->comboBoxToDay,
                                ui->comboBoxFromMonth, ui->comboBoxToMonth, ui->comboBoxAddSub, ui->comboBoxHours };
        for (int i = 0; i < 8; ++i)
            combos[i]->setCurrentIndex(settings.value(QLatin1String(dstComboKeys[i]), 0).toInt());
    }

    m_session.ZeroAll();

    // A technician asked for captures of what the program says to the locks.
    SetCaptureFolder(qEnvironmentVariable(CaptureFolderVariable), [this](const QString& message) {
        QMetaObject::invokeMethod(this, [this, message] { warnCaptureOff(message); }, Qt::QueuedConnection);
    });

    m_networkManager = new QNetworkAccessManager(this);
    connect(m_networkManager, &QNetworkAccessManager::finished, this, &MainWindow::downloadFinished);
    CheckForUpdates();
    refreshLocks();
    // What waited for the archive server goes as soon as it answers.
    sendQueued(false);
}

MainWindow::~MainWindow()
{
    SetCaptureFolder(QString(), nullptr);
    // What keeps an audit finishes first; reads still waiting are dropped.
    delete m_archive;
    // Its check lists sit in the form's filter row: they go before the form does.
    delete m_eventsView;
    delete ui;
}

int MainWindow::archiveWorkPending() const
{
    return m_archive->pending() + (m_locksTab->isRefreshing() || m_locksTab->isSearching() ? 1 : 0);
}

void MainWindow::SetupWidgets()
{
    const int language = SettingsFile::intValue(QStringLiteral("Language"), 1);
    if (language == 0)
        onLangIt();
    else if (language == 2)
        onLangEs();
    else
        onLangEn();
    ui->tabWidget->setCurrentIndex(0);
    ui->comboBox->addItems(m_ports);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    QSettings settings(SettingsFile::path(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("mainWindowGeometry"), saveGeometry());
    settings.setValue(QStringLiteral("mainWindowState"), saveState(0));
    const QComboBox* combos[] = { ui->comboBoxFrom, ui->comboBoxTo, ui->comboBoxFromDay, ui->comboBoxToDay,
                                  ui->comboBoxFromMonth, ui->comboBoxToMonth, ui->comboBoxAddSub, ui->comboBoxHours };
    for (int i = 0; i < 8; ++i)
        settings.setValue(QLatin1String(dstComboKeys[i]), combos[i]->currentIndex());
    settings.sync();
    event->accept();
}

// ---- languages and menus ----

void MainWindow::onLangIt() { applyLanguage(QStringLiteral("it"), 0, 0); }
void MainWindow::onLangEn() { applyLanguage(QStringLiteral("en"), 1, 1); }
void MainWindow::onLangEs() { applyLanguage(QStringLiteral("es"), 2, 2); }

void MainWindow::applyLanguage(const QString& code, int settingValue, int checkedIndex)
{
    loadLanguage(code);
    retranslateForm();
    SetupTable(false);
    SetupMenu();
    SettingsFile::setValue(QStringLiteral("Language"), settingValue);
    QAction* actions[] = { m_actionItalian, m_actionEnglish, m_actionSpanish };
    for (int i = 0; i < 3; ++i)
        actions[i]->setChecked(i == checkedIndex);
}

void MainWindow::loadLanguage(const QString& code)
{
    if (m_currLang == code)
        return;
    m_currLang = code;
    QLocale::setDefault(QLocale(code));
    switchTranslator(m_translator, QStringLiteral("audit_%1.qm").arg(code));
    switchTranslator(m_translatorQt, QStringLiteral("qt_%1.qm").arg(code));
}

void MainWindow::retranslateForm()
{
    ui->retranslateUi(this);
    ui->tabWidget->setTabText(ui->tabWidget->indexOf(m_locksTab), tr("Locks"));
    m_locksTab->retranslate();
    ui->labelDlDate->clear();
    ui->labelDlDate2->clear();
    // The rule combo boxes are refilled in the new language; the user's choices stay.
    for (QComboBox* combo : { ui->comboBoxFrom, ui->comboBoxFromDay, ui->comboBoxFromMonth, ui->comboBoxTo,
                              ui->comboBoxToDay, ui->comboBoxToMonth, ui->comboBoxAddSub }) {
        const int chosen = combo->currentIndex();
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        combo->clear();
        combo->addItems(items);
        combo->setCurrentIndex(chosen);
    }
}

void MainWindow::SetupMenu()
{
    // A language change rebuilds the menus from inside the click on one of them: the old menus go
    // once that click has been delivered.
    for (QMenu* menu : { m_downloadMenu.data(), m_languageMenu.data(), m_exportMenu.data(), m_openMenu.data() })
        if (menu)
            menu->deleteLater();

    m_downloadMenu = new QMenu(this);
    m_actionAudit = m_downloadMenu->addAction(QIcon(QStringLiteral(":/Resources/page_table_32.png")), tr("Audit"));
    m_actionUsersLog = m_downloadMenu->addAction(QIcon(QStringLiteral(":/Resources/users_32.png")), tr("Users log"));
    connect(m_actionAudit, &QAction::triggered, this, &MainWindow::on_btnDownlad_clicked);
    connect(m_actionUsersLog, &QAction::triggered, this, &MainWindow::on_btnLog_clicked);

    m_languageMenu = new QMenu(this);
    m_actionItalian = m_languageMenu->addAction(QIcon(QStringLiteral(":/Resources/Italy.png")), tr("Italian"));
    m_actionEnglish = m_languageMenu->addAction(QIcon(QStringLiteral(":/Resources/United Kingdom.png")), tr("English"));
    m_actionSpanish = m_languageMenu->addAction(QIcon(QStringLiteral(":/Resources/Spain.png")), tr("Spanish"));
    for (QAction* a : { m_actionItalian, m_actionEnglish, m_actionSpanish })
        a->setCheckable(true);
    connect(m_actionItalian, &QAction::triggered, this, &MainWindow::onLangIt);
    connect(m_actionEnglish, &QAction::triggered, this, &MainWindow::onLangEn);
    connect(m_actionSpanish, &QAction::triggered, this, &MainWindow::onLangEs);

    m_exportMenu = new QMenu(this);
    m_actionExportPdf = m_exportMenu->addAction(QIcon(QStringLiteral(":/Resources/if_pdf_272705.png")), tr("Export to Pdf"));
    m_actionExportXlsx =
        m_exportMenu->addAction(QIcon(QStringLiteral(":/Resources/if_excel_272703.png")), tr("Export to Excel"));
    connect(m_actionExportPdf, &QAction::triggered, this, &MainWindow::onExportPdf);
    connect(m_actionExportXlsx, &QAction::triggered, this, &MainWindow::onExportXlsx);

    m_openMenu = new QMenu(this);
    m_actionOpen = m_openMenu->addAction(QIcon(QStringLiteral(":/Resources/Open.png")), tr("Open..."));
    m_actionAddToArchive = m_openMenu->addAction(tr("Add to archive"));
    connect(m_actionOpen, &QAction::triggered, this, &MainWindow::on_buttonOpen_clicked);
    connect(m_actionAddToArchive, &QAction::triggered, this, &MainWindow::onAddToArchive);
    ui->buttonOpen->setMenu(m_openMenu);
    // A click opens as it always did; the arrow beside it offers the archive.
    ui->buttonOpen->setPopupMode(QToolButton::MenuButtonPopup);

    ui->btnDownlad->setMenu(m_downloadMenu);
    ui->btnLanguage->setMenu(m_languageMenu);
    ui->buttonExport->setMenu(m_exportMenu);
    for (QToolButton* b : { ui->btnDownlad, ui->btnLanguage, ui->buttonExport })
        b->setPopupMode(QToolButton::InstantPopup);
}

// ---- tables, filter row, reset ----

void MainWindow::SetupTable(bool clearRaw)
{
    m_eventsView->setupColumns();

    QTableWidget* users = ui->tableWidget_2;
    users->setColumnCount(3);
    users->setColumnWidth(0, 150);
    users->setColumnWidth(1, 150);
    users->setColumnWidth(2, 250);
    users->setHorizontalHeaderLabels(UserColumnHeaders());
    users->horizontalHeader()->setStretchLastSection(false);

    if (!m_view.events.isEmpty()) {
        ResetContent(clearRaw);
        // Re-rendering goes on even when a Dallas image reports a problem again.
        ShowLoadedAudit(false);
    }

    m_eventsView->rebuildFilterRow();
    connect(m_eventsView->setButton(), &QPushButton::clicked, this, &MainWindow::onSetFilter);
    connect(m_eventsView->resetButton(), &QPushButton::clicked, this, &MainWindow::onResetFilter);
    // The filter row follows the table's columns as they are resized or scrolled.
    connect(ui->tableWidget->horizontalHeader(), &QHeaderView::sectionResized, this,
            &MainWindow::invalidateAlignedLayout, Qt::UniqueConnection);
    connect(ui->tableWidget->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &MainWindow::invalidateAlignedLayout, Qt::UniqueConnection);
    m_filtersBuilt = true;

    // Tab follows the reading order: from the tabs down to the filter row (whose new buttons
    // would otherwise come last), the table and the daylight-saving row by row.
    QWidgetList order = { ui->tabWidget->focusProxy() };
    order << m_eventsView->focusOrder() << ui->comboBoxFrom << ui->comboBoxFromDay << ui->comboBoxFromMonth
          << ui->comboBoxAddSub << ui->comboBoxTo << ui->comboBoxToDay << ui->comboBoxToMonth << ui->comboBoxHours
          << ui->pushButton;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void MainWindow::invalidateAlignedLayout()
{
    m_eventsView->invalidateAlignedLayout();
}

void MainWindow::ResetContent(bool clearRaw)
{
    m_view = AuditView();
    m_eventsView->setView(m_view);
    ui->tableWidget_2->setRowCount(0);
    ui->tabWidget->setCurrentIndex(0);

    for (QLabel* label : { ui->labelKeypadVersion, ui->labelLockName, ui->labelLockVersion, ui->labelLockSN,
                           ui->labelActiveConfiguration, ui->labelTD, ui->labelOW, ui->labelUsersDual,
                           ui->labelOvrDual, ui->labelOvrUsers, ui->labelFirstOvr, ui->labelCodeExpiration,
                           ui->labelCodeDisabling, ui->labelClosingTime, ui->labelBoltOpenAlarm,
                           ui->labelInputConfiguration, ui->labelOutputConfiguration, ui->labelBuzzerMuted,
                           ui->labelDateFormat, ui->labelSilentAlarm, ui->labelErc, ui->labelManagerManagement,
                           ui->labelDlDate, ui->labelDlDate2 })
        label->clear();

    m_session.ResetContent(clearRaw);
    if (clearRaw) {
        m_auditFileName.clear();
        m_historyAudit.reset();
        ui->buttonSave->setEnabled(true);
    }

    m_eventsView->resetColumns();
}

void MainWindow::on_buttonNew_clicked()
{
    ResetContent(true);
}

void MainWindow::on_buttonRefresh_clicked()
{
    // Every operation refreshes first: the interface the user chose stays chosen while it is there.
    const QString chosen = selectedPort();
    m_ports = EnumPorts();
    ui->comboBox->clear();
    ui->comboBox->addItems(m_ports);
    ui->comboBox->setCurrentIndex(qMax(0, m_ports.indexOf(chosen)));
}

void MainWindow::on_btnSettings_clicked()
{
    auto* dialog = new SettingsDialog(this);
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    dialog->setWindowIcon(windowIcon());
    dialog->exec();
    delete dialog;
    SetupTable(false);
    refreshLocks();
}

// ---- audit files ----

static QString auditFileFilter()
{
    return QStringLiteral("Corvane Audit Files (*.kaud)");
}

void MainWindow::on_buttonSave_clicked()
{
    if (m_view.events.isEmpty())
        return;
    const QString label = ui->labelDlDate->text();
    const QString fileName = Messages::saveFileName(auditFileFilter());
    if (fileName.isEmpty())
        return;
    if (!AuditFile::Save(fileName, m_session, label)) {
        Messages::critical(tr("Unable to save file"));
        return;
    }
    Messages::information(tr("Done"));
}

void MainWindow::on_buttonOpen_clicked()
{
    ResetContent(true);
    const QString fileName = Messages::openFileName(auditFileFilter());
    if (!fileName.isEmpty())
        OpenAuditFile(fileName);
}

void MainWindow::OpenAuditFile(const QString& fileName)
{
    ResetContent(true);
    const AuditFile::ReadResult file = AuditFile::Load(fileName, m_session);
    if (!file.valid) {
        // Nothing of a rejected file stays in the session.
        ResetContent(true);
        Messages::critical(tr("File not valid"));
        return;
    }
    m_auditFileName = fileName;
    ui->labelDlDate->setText(file.label);
    ShowLoadedAudit();
}

// ---- device operations ----

bool MainWindow::findInterface(bool refresh)
{
    if (refresh)
        on_buttonRefresh_clicked();
    if (!m_ports.isEmpty())
        return true;
    Messages::critical(tr("Unable to find any USB interface"), this);
    return false;
}

QString MainWindow::selectedPort() const
{
    return m_ports.value(ui->comboBox->currentIndex(), m_ports.value(0));
}

void MainWindow::warnCaptureOff(const QString& message)
{
    if (m_captureWarned)
        return;
    m_captureWarned = true;
    Messages::warning(message, this);
}

void MainWindow::prepareDialog(QDialog* dialog)
{
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    dialog->setWindowIcon(windowIcon());
}

void MainWindow::on_buttonReadDallas_clicked()
{
    bool done = false;
    if (!findInterface(true))
        return;
    m_session.busAudit = false;
    ResetContent(true);
    auto* dialog =
        new ReadDallasDialog(this, selectedPort(), m_session.dallasImage.data(), AuditSession::DallasPages, &done);
    prepareDialog(dialog);
    dialog->exec();
    delete dialog;
    if (done && ShowLoadedAudit())
        keepInArchive(AuditKind::DallasKey, false);
}

void MainWindow::on_buttonWriteDallas_clicked()
{
    WriteDallas();
}

void MainWindow::WriteDallas()
{
    if (!findInterface(true))
        return;
    if (!Messages::question(
            tr("Warning: this operation will delete all data in Dallas key. Do you want to proceed?"), this))
        return;
    m_session.dallasPageCount = AuditSession::DallasPages;
    BuildRequestImage(m_requestImage.data());
    auto* dialog = new WriteDallasDialog(this, selectedPort(), m_requestImage.data(), int(m_session.dallasPageCount));
    prepareDialog(dialog);
    dialog->exec();
    delete dialog;
}

void MainWindow::on_btnDownlad_clicked()
{
    if (!findInterface(true))
        return;
    m_session.dallasImage.fill(0);
    m_session.busAudit = true;
    ResetContent(true);
    int eventCount = 0;
    auto* select = new SelectLockDialog(this, &eventCount);
    prepareDialog(select);
    if (select->exec() != QDialog::Accepted) {
        delete select;
        return;
    }
    AuditSession& s = m_session;
    auto* dialog = new DownloadAuditDialog(this, ui->comboBox->currentIndex(), selectedPort(), s.busVersion.data(),
                                           s.busReport.data(), s.busStatus.data(), s.busConfig.data(),
                                           s.busEvents.data(), s.busDateTimeTable.data(), eventCount);
    prepareDialog(dialog);
    // What was read before a failure or Cancel is shown and kept too, marked as partial.
    const bool whole = dialog->exec() == QDialog::Accepted;
    if (whole || dialog->partialEvents() > 0) {
        s.downloadTime = QDateTime::currentDateTime();
        if (ShowLoadedAudit()) {
            if (!whole)
                ui->labelDlDate->setText(operations::PartialLabel(ui->labelDlDate->text(), dialog->partialEvents()));
            keepInArchive(AuditKind::BusDownload, false);
        }
    }
    delete dialog;
    delete select;
}

void MainWindow::on_btnLog_clicked()
{
    // The list as it was last filled: the users log does not look for interfaces again.
    if (!findInterface(false))
        return;
    m_usersLog.fill(0);
    auto* dialog = new UsersLogDialog(this, ui->comboBox->currentIndex(), selectedPort(), m_usersLog.data());
    prepareDialog(dialog);
    dialog->exec();
    delete dialog;
}

// ---- the audit pipeline ----

void MainWindow::showDecodeNotices(const QVector<DecodeNotice>& notices)
{
    for (DecodeNotice notice : notices) {
        if (DecodeNoticeIsError(notice))
            Messages::critical(DecodeNoticeText(notice));
        else
            Messages::information(DecodeNoticeText(notice));
    }
}

bool MainWindow::ParseEventsBuffer()
{
    m_session.decoded = DecodeDallasImage(m_session.dallasImage.data(), m_session.downloadTime);
    const QVector<DecodeNotice> notices = m_session.decoded.notices;
    const bool ok = m_session.decoded.ok;
    // A key that is not an audit leaves nothing behind, its image included.
    if (!ok)
        ResetContent(true);
    showDecodeNotices(notices);
    return ok;
}

void MainWindow::ParseBusEvents()
{
    m_session.decoded.keypadEvents.clear();
    m_session.decoded.lockEvents = DecodeBusEvents(m_session);
    m_session.decoded.timeDateTable = DecodeBusTimeDateTable(m_session);
}

void MainWindow::ParseBusConfig()
{
    m_session.decoded.config = DecodeBusConfig(m_session);
}

bool MainWindow::ShowLoadedAudit(bool stopWhenRejected)
{
    bool decoded = true;
    if (m_historyAudit) {
        m_session.decoded = *m_historyAudit;
    } else if (m_session.busAudit) {
        ParseBusEvents();
        ParseBusConfig();
    } else {
        decoded = ParseEventsBuffer();
    }
    if (!decoded && stopWhenRejected)
        return false;
    ParseConfig();
    MergeEvents();
    FilterEvents();
    ParseListView();
    return decoded;
}

void MainWindow::ParseConfig()
{
    m_view.display = SettingsFile::displaySettings();
    m_view.configuration = PresentConfig(m_session.decoded.config, m_session.busAudit, m_session.decoded.lockEvents,
                                         m_view.display);
    const ConfigPresentation& p = m_view.configuration;
    ui->labelDlDate->setText(p.keypadDownloadTime);
    ui->labelDlDate2->setText(p.pcDownloadTime);
    ui->labelLockName->setText(p.lockName);
    ui->labelLockSN->setText(p.serialNumber);
    ui->labelLockVersion->setText(p.lockVersion);
    ui->labelKeypadVersion->setText(p.keypadVersion);
    for (const ConfigItem& item : p.configuration) {
        if (QLabel* label = findChild<QLabel*>(item.labelName))
            label->setText(item.value);
    }

    QTableWidget* users = ui->tableWidget_2;
    users->setRowCount(p.users.size());
    for (int r = 0; r < p.users.size(); ++r) {
        const UserRow& row = p.users.at(r);
        users->setItem(r, 0, new QTableWidgetItem(row.name));
        // An unknown status or opening mode leaves the cell without an item.
        users->setItem(r, 1, row.status.isEmpty() ? nullptr : new QTableWidgetItem(row.status));
        users->setItem(r, 2, row.openingMode.isEmpty() ? nullptr : new QTableWidgetItem(row.openingMode));
    }
}

void MainWindow::MergeEvents()
{
    m_view.events = ::MergeEvents(m_session.decoded.lockEvents, m_session.decoded.keypadEvents);
}

void MainWindow::FilterEvents()
{
    ::FilterEvents(m_view.events, SettingsFile::intValue(QStringLiteral("AuditType"), 1));
}

void MainWindow::ParseListView()
{
    m_view.display = SettingsFile::displaySettings();
    m_view.dstApplied = m_session.dstApplied;
    NumberEvents(m_view.events);
    MarkHistory(m_view, m_session.decoded.history);
    m_eventsView->setView(m_view);
    PopulateFilters();
}

// ---- filters ----

void MainWindow::PopulateFilters() { m_eventsView->populateFilters(); }
void MainWindow::onSetFilter() { m_eventsView->applyFilter(); }
void MainWindow::onResetFilter() { m_eventsView->resetFilter(); }

// ---- updates and About ----

void MainWindow::CheckForUpdates()
{
    // Without a configured server nothing is sent at all.
    const QUrl server = UpdateServer::BaseUrl(SettingsFile::path());
    if (!server.isEmpty())
        UpdateCheck::RequestVersion(*m_networkManager, server);
}

void MainWindow::downloadFinished(QNetworkReply* reply)
{
    reply->deleteLater();
    if (UpdateCheck::OffersUpdate(*reply)
        && Messages::question(tr("An update is available. Do you want to download and install it?")))
        UpdateApplication();
}

void MainWindow::UpdateApplication()
{
    UpdateDialog dialog(this);
    dialog.exec();
}

void MainWindow::on_buttonAbout_clicked()
{
    AboutDialog dialog(this);
    dialog.exec();
}
