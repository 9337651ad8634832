#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "AuditFile.h"
#include "BusDecoder.h"
#include "ConfigPresentation.h"
#include "DallasDecoder.h"
#include "EventFilter.h"
#include "EventMerge.h"
#include "EventRows.h"
#include "Messages.h"
#include "SerialTransport.h"
#include "SettingsDialog.h"
#include "SettingsFile.h"

#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidgetItem>

namespace {

enum EventColumn { ColNumber, ColDevice, ColDate, ColDstDate, ColUser, ColEvent, ColEventId, EventColumnCount };
const int eventColumnWidths[EventColumnCount] = { 40, 110, 150, 150, 150, 470, 80 };
const int eventColumnWidthWithDst = 320;

const char* const dstComboKeys[] = { "From", "To", "FromDay", "ToDay", "FromMonth", "ToMonth", "AddSub", "Hours" };

DisplaySettings readDisplaySettings()
{
    QSettings settings(SettingsFile::path(), QSettings::IniFormat);
    DisplaySettings display;
    display.dateFormat = settings.value(QStringLiteral("DateFormat"), 0).toInt();
    display.hourFormat = settings.value(QStringLiteral("HourFormat"), 0).toInt();
    return display;
}

} // namespace

void switchTranslator(QTranslator& translator, const QString& fileName)
{
    QCoreApplication::removeTranslator(&translator);
    if (translator.load(fileName, QCoreApplication::applicationDirPath(), QString(), QString()))
        QCoreApplication::installTranslator(&translator);
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    Q_INIT_RESOURCE(resources);
    ui->setupUi(this);

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

    // Not built yet: kept visible so the toolbar reads as it will, but inert.
    for (QWidget* w : { static_cast<QWidget*>(ui->buttonWriteDallas), static_cast<QWidget*>(ui->buttonReadDallas),
                        static_cast<QWidget*>(ui->buttonAbout), static_cast<QWidget*>(ui->pushButton) })
        w->setEnabled(false);
}

MainWindow::~MainWindow()
{
    // The filter widgets are members; take them out of the layout widgets before those go.
    delete m_alignedLayout;
    delete ui;
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
    ui->labelDlDate->clear();
    ui->labelDlDate2->clear();
    // The rule combo boxes are refilled in the new language, which selects their first entries.
    for (QComboBox* combo : { ui->comboBoxFrom, ui->comboBoxFromDay, ui->comboBoxFromMonth, ui->comboBoxTo,
                              ui->comboBoxToDay, ui->comboBoxToMonth, ui->comboBoxAddSub }) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        combo->clear();
        combo->addItems(items);
    }
}

void MainWindow::SetupMenu()
{
    delete m_downloadMenu;
    delete m_languageMenu;
    delete m_exportMenu;

    m_downloadMenu = new QMenu(this);
    m_actionAudit = m_downloadMenu->addAction(QIcon(QStringLiteral(":/Resources/page_table_32.png")), tr("Audit"));
    m_actionUsersLog = m_downloadMenu->addAction(QIcon(QStringLiteral(":/Resources/users_32.png")), tr("Users log"));
    // The device operations are not wired yet.
    m_actionAudit->setEnabled(false);
    m_actionUsersLog->setEnabled(false);

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
    m_actionExportPdf->setEnabled(false);
    m_actionExportXlsx->setEnabled(false);

    ui->btnDownlad->setMenu(m_downloadMenu);
    ui->btnLanguage->setMenu(m_languageMenu);
    ui->buttonExport->setMenu(m_exportMenu);
    for (QToolButton* b : { ui->btnDownlad, ui->btnLanguage, ui->buttonExport })
        b->setPopupMode(QToolButton::InstantPopup);
}

// ---- tables, filter row, reset ----

void MainWindow::SetupTable(bool clearRaw)
{
    QTableWidget* table = ui->tableWidget;
    table->setColumnCount(EventColumnCount);
    for (int c = 0; c < EventColumnCount; ++c)
        table->setColumnWidth(c, eventColumnWidths[c]);
    table->setHorizontalHeaderLabels(EventColumnHeaders());
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnHidden(ColDstDate, true);

    QTableWidget* users = ui->tableWidget_2;
    users->setColumnCount(3);
    users->setColumnWidth(0, 150);
    users->setColumnWidth(1, 150);
    users->setColumnWidth(2, 250);
    users->setHorizontalHeaderLabels(UserColumnHeaders());
    users->horizontalHeader()->setStretchLastSection(false);

    if (table->rowCount() > 0) {
        ResetContent(clearRaw);
        // Re-rendering goes on even when a Dallas image reports a problem again.
        ShowLoadedAudit(false);
    }

    if (m_filtersBuilt) {
        delete m_alignedLayout;
        delete m_btnResetFilter;
        delete m_btnSetFilter;
    }

    m_btnSetFilter = new QPushButton(tr("Set"), this);
    m_btnResetFilter = new QPushButton(tr("Reset"), this);
    connect(m_btnSetFilter, &QPushButton::clicked, this, &MainWindow::onSetFilter);
    connect(m_btnResetFilter, &QPushButton::clicked, this, &MainWindow::onResetFilter);

    auto* buttons = new QHBoxLayout();
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(m_btnSetFilter);
    buttons->addWidget(m_btnResetFilter);

    m_alignedLayout = new ColumnAlignedLayout();
    m_alignedLayout->setContentsMargins(0, 0, 0, 0);
    m_alignedLayout->addWidget(&m_column0Placeholder);
    m_alignedLayout->addLayout(buttons);
    m_alignedLayout->addWidget(&m_dateFilter);
    m_alignedLayout->addWidget(&m_column3Placeholder);
    m_alignedLayout->addWidget(&m_userFilter);
    m_alignedLayout->addWidget(&m_eventFilter);
    m_alignedLayout->addWidget(&m_eventIdFilter);
    ui->widget->setLayout(m_alignedLayout);
    m_alignedLayout->setHeaderView(table->horizontalHeader());

    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, &MainWindow::invalidateAlignedLayout,
            Qt::UniqueConnection);
    connect(table->horizontalScrollBar(), &QScrollBar::valueChanged, this, &MainWindow::invalidateAlignedLayout,
            Qt::UniqueConnection);

    m_filtersBuilt = true;
}

void MainWindow::invalidateAlignedLayout()
{
    if (m_alignedLayout)
        m_alignedLayout->invalidate();
}

void MainWindow::ResetContent(bool clearRaw)
{
    ui->tableWidget->setRowCount(0);
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

    ui->tableWidget->setColumnHidden(ColDstDate, true);
    ui->tableWidget->setColumnWidth(ColEvent, eventColumnWidths[ColEvent]);
}

void MainWindow::on_buttonNew_clicked()
{
    ResetContent(true);
}

void MainWindow::on_buttonRefresh_clicked()
{
    m_ports = EnumPorts();
    ui->comboBox->clear();
    ui->comboBox->addItems(m_ports);
}

void MainWindow::on_btnSettings_clicked()
{
    auto* dialog = new SettingsDialog(this);
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    dialog->setWindowIcon(windowIcon());
    dialog->exec();
    delete dialog;
    SetupTable(false);
}

// ---- audit files ----

static QString auditFileFilter()
{
    return QStringLiteral("Corvane Audit Files (*.kaud)");
}

void MainWindow::on_buttonSave_clicked()
{
    if (m_session.mergedEvents.isEmpty())
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
    if (fileName.isEmpty())
        return;
    const AuditFile::ReadResult file = AuditFile::Load(fileName, m_session);
    if (!file.valid) {
        // Nothing of a rejected file stays in the session.
        ResetContent(true);
        Messages::critical(tr("File not valid"));
        return;
    }
    ui->labelDlDate->setText(file.label);
    ShowLoadedAudit();
}

// ---- the audit pipeline ----

void MainWindow::showDecodeNotices(const DecodeResult& result)
{
    for (DecodeNotice notice : result.notices) {
        if (DecodeNoticeIsError(notice))
            Messages::critical(DecodeNoticeText(notice));
        else
            Messages::information(DecodeNoticeText(notice));
    }
}

bool MainWindow::ParseEventsBuffer()
{
    const DecodeResult result = ::ParseEventsBuffer(m_session);
    if (!result.ok)
        ResetContent(true);
    showDecodeNotices(result);
    return result.ok;
}

void MainWindow::ParseBusEvents() { ::ParseBusEvents(m_session); }
void MainWindow::ParseBusConfig() { ::ParseBusConfig(m_session); }

bool MainWindow::ShowLoadedAudit(bool stopWhenRejected)
{
    bool decoded = true;
    if (m_session.busAudit) {
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
    const ConfigPresentation p =
        PresentConfig(m_session.config, m_session.busAudit, m_session.lockEvents, readDisplaySettings());
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
    ::MergeEvents(m_session.lockEvents, m_session.keypadEvents, m_session.mergedEvents);
}

void MainWindow::FilterEvents()
{
    ::FilterEvents(m_session.mergedEvents, SettingsFile::intValue(QStringLiteral("AuditType"), 1));
}

void MainWindow::ParseListView()
{
    const QVector<EventRow> rows = BuildEventRows(m_session.mergedEvents, readDisplaySettings(), m_session.dstApplied);

    QTableWidget* table = ui->tableWidget;
    const bool sorting = table->isSortingEnabled();
    table->setSortingEnabled(false);
    table->setUpdatesEnabled(false);
    table->setRowCount(0);
    table->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const EventRow& row = rows.at(r);
        table->setItem(r, ColNumber, new QTableWidgetItem(row.number));
        table->setItem(r, ColDevice, new QTableWidgetItem(row.device));
        table->setItem(r, ColDate, new QTableWidgetItem(row.date));
        auto* dst = new QTableWidgetItem(row.dstDate);
        if (row.dstHighlight)
            dst->setBackground(Qt::yellow);
        table->setItem(r, ColDstDate, dst);
        table->setItem(r, ColUser, new QTableWidgetItem(row.user));
        table->setItem(r, ColEvent, new QTableWidgetItem(row.event));
        table->setItem(r, ColEventId, new QTableWidgetItem(row.eventId));
    }
    table->setUpdatesEnabled(true);
    table->setSortingEnabled(sorting);

    PopulateFilters();
}

// ---- filters ----

static QString cellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

void MainWindow::PopulateFilters()
{
    const QTableWidget* table = ui->tableWidget;
    DistinctValues dates, users, events, ids;
    for (int r = 0; r < table->rowCount(); ++r) {
        dates.add(DateKey(cellText(table, r, ColDate)));
        users.add(cellText(table, r, ColUser));
        events.add(cellText(table, r, ColEvent));
        ids.add(cellText(table, r, ColEventId));
    }
    m_dateFilter.setUncheckedItems(dates.values());
    m_userFilter.setUncheckedItems(users.values());
    m_eventFilter.setUncheckedItems(events.values());
    m_eventIdFilter.setUncheckedItems(ids.values());
}

void MainWindow::onSetFilter()
{
    FilterValues picks;
    picks.dates = m_dateFilter.checkedTexts();
    picks.users = m_userFilter.checkedTexts();
    picks.events = m_eventFilter.checkedTexts();
    picks.eventIds = m_eventIdFilter.checkedTexts();

    QTableWidget* table = ui->tableWidget;
    table->setUpdatesEnabled(false);
    for (int r = 0; r < table->rowCount(); ++r) {
        const bool match = RowMatches(picks, DateKey(cellText(table, r, ColDate)), cellText(table, r, ColUser),
                                      cellText(table, r, ColEvent), cellText(table, r, ColEventId));
        table->setRowHidden(r, !match);
    }
    table->setUpdatesEnabled(true);
}

void MainWindow::onResetFilter()
{
    for (QCheckList* list : { &m_dateFilter, &m_userFilter, &m_eventFilter, &m_eventIdFilter })
        list->uncheckAll();
    QTableWidget* table = ui->tableWidget;
    for (int r = 0; r < table->rowCount(); ++r)
        table->setRowHidden(r, false);
}
