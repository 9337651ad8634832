#include "view/SettingsDialog.h"
#include "ui_SettingsDialog.h"

#include "model/SettingsFile.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString DayForm = QStringLiteral("yyyy-MM-dd");
enum { DayRole = Qt::UserRole + 1 };

} // namespace

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent), ui(new Ui::SettingsDialog)
{
    ui->setupUi(this);
    const Settings settings = SettingsFile::read();
    const bool dayFirst = settings.display.dateFormat == 0;
    const bool hours24 = settings.display.hourFormat == 0;
    const bool fullAudit = settings.auditType == 0;
    ui->radioButtonEu->setChecked(dayFirst);
    ui->radioButtonUs->setChecked(!dayFirst);
    ui->radioButton24->setChecked(hours24);
    ui->radioButton12->setChecked(!hours24);
    ui->radioButtonFull->setChecked(fullAudit);
    ui->radioButtonSimple->setChecked(!fullAudit);
    ui->checkBoxArchive->setChecked(settings.archiveAudits);
    buildRules();
}

SettingsDialog::~SettingsDialog()
{
    delete ui;
}

void SettingsDialog::buildRules()
{
    m_rules.setObjectName(QStringLiteral("groupArchiveRules"));
    m_rules.setTitle(tr("Findings, for every user of the archive"));
    m_note.setObjectName(QStringLiteral("archiveRulesNote"));
    m_note.setWordWrap(true);
    m_note.setText(tr("Reading the archive..."));
    m_days.setObjectName(QStringLiteral("closedDays"));
    m_days.setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_days.setMaximumHeight(110);
    m_days.setAccessibleName(tr("Closed days"));
    m_day.setObjectName(QStringLiteral("closedDay"));
    m_day.setDisplayFormat(DayForm);
    m_day.setCalendarPopup(true);
    m_day.setDate(QDate::currentDate());
    m_day.setAccessibleName(tr("Closed day to add"));
    m_addDay.setObjectName(QStringLiteral("buttonAddClosedDay"));
    m_addDay.setText(tr("Add"));
    m_removeDay.setObjectName(QStringLiteral("buttonRemoveClosedDay"));
    m_removeDay.setText(tr("Remove"));

    const auto bounds = [](QSpinBox& box, const char* name, int min, int max) {
        box.setObjectName(QLatin1String(name));
        box.setRange(min, max);
    };
    using T = FindingThresholds;
    bounds(m_wrongCodes, "wrongCodes", T::MinWrongCodes, T::MaxWrongCodes);
    bounds(m_wrongCodeMinutes, "wrongCodeMinutes", T::MinMinutes, T::MaxMinutes);
    bounds(m_clockMinutes, "clockMinutes", T::MinMinutes, T::MaxMinutes);
    bounds(m_doorMinutes, "doorMinutes", T::MinMinutes, T::MaxMinutes);
    bounds(m_visitDays, "visitDays", T::MinVisitDays, T::MaxVisitDays);
    m_wrongCodes.setSuffix(tr(" wrong codes"));
    m_wrongCodeMinutes.setPrefix(tr("within "));
    m_wrongCodeMinutes.setSuffix(tr(" minutes of each other"));
    m_clockMinutes.setSuffix(tr(" minutes"));
    m_doorMinutes.setSuffix(tr(" minutes"));
    m_visitDays.setSuffix(tr(" days"));

    auto* burst = new QHBoxLayout;
    burst->addWidget(&m_wrongCodes);
    burst->addWidget(&m_wrongCodeMinutes);
    auto* form = new QFormLayout;
    form->addRow(tr("Wrong code burst:"), burst);
    form->addRow(tr("Opening after a clock setting, within:"), &m_clockMinutes);
    form->addRow(tr("Door held open, longer than:"), &m_doorMinutes);
    form->addRow(tr("Not visited, for more than:"), &m_visitDays);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(&m_day, 1);
    dayRow->addWidget(&m_addDay);
    dayRow->addWidget(&m_removeDay);
    auto* days = new QVBoxLayout;
    days->addWidget(&m_days);
    days->addLayout(dayRow);
    form->addRow(tr("Closed days:"), days);
    auto* layout = new QVBoxLayout(&m_rules);
    layout->addLayout(form);
    layout->addWidget(&m_note);
    // Above the Ok and Cancel row.
    ui->verticalLayout->insertWidget(ui->verticalLayout->count() - 1, &m_rules);

    connect(&m_addDay, &QPushButton::clicked, this, [this] { addDay(m_day.date()); });
    connect(&m_removeDay, &QPushButton::clicked, this, [this] { qDeleteAll(m_days.selectedItems()); });

    // Nothing to edit until the archive has answered.
    for (QWidget* w : editors())
        w->setEnabled(false);
}

QWidgetList SettingsDialog::editors()
{
    return { &m_days, &m_day, &m_addDay, &m_removeDay, &m_wrongCodes, &m_wrongCodeMinutes, &m_clockMinutes,
             &m_doorMinutes, &m_visitDays };
}

void SettingsDialog::addDay(const QDate& day)
{
    if (!day.isValid())
        return;
    // In order, each day once.
    int at = 0;
    while (at < m_days.count() && m_days.item(at)->data(DayRole).toDate() < day)
        ++at;
    if (at < m_days.count() && m_days.item(at)->data(DayRole).toDate() == day)
        return;
    auto* item = new QListWidgetItem(day.toString(DayForm));
    item->setData(DayRole, day);
    m_days.insertItem(at, item);
}

void SettingsDialog::setArchiveRules(const ArchiveRules& rules, bool editable, const QString& note)
{
    m_given = rules;
    m_days.clear();
    QList<QDate> days = rules.closedDays.values();
    std::sort(days.begin(), days.end());
    for (const QDate& day : days)
        addDay(day);
    const FindingThresholds& t = rules.thresholds;
    m_wrongCodes.setValue(t.wrongCodes);
    m_wrongCodeMinutes.setValue(t.wrongCodeMinutes);
    m_clockMinutes.setValue(t.clockMinutes);
    m_doorMinutes.setValue(t.doorMinutes);
    m_visitDays.setValue(t.visitDays);
    for (QWidget* w : editors())
        w->setEnabled(editable);
    m_note.setText(note);
    m_note.setVisible(!note.isEmpty());
}

ArchiveRules SettingsDialog::archiveRules() const
{
    ArchiveRules rules;
    for (int i = 0; i < m_days.count(); ++i)
        rules.closedDays.insert(m_days.item(i)->data(DayRole).toDate());
    rules.thresholds.wrongCodes = m_wrongCodes.value();
    rules.thresholds.wrongCodeMinutes = m_wrongCodeMinutes.value();
    rules.thresholds.clockMinutes = m_clockMinutes.value();
    rules.thresholds.doorMinutes = m_doorMinutes.value();
    rules.thresholds.visitDays = m_visitDays.value();
    return rules;
}

bool SettingsDialog::archiveRulesChanged() const
{
    if (!m_wrongCodes.isEnabled())
        return false;
    const ArchiveRules rules = archiveRules();
    return rules.closedDays != m_given.closedDays || rules.thresholds != m_given.thresholds;
}

void SettingsDialog::on_btnOk_clicked()
{
    Settings settings;
    settings.display.dateFormat = ui->radioButtonEu->isChecked() ? 0 : 1;
    settings.display.hourFormat = ui->radioButton24->isChecked() ? 0 : 1;
    settings.auditType = ui->radioButtonFull->isChecked() ? 0 : 1;
    settings.archiveAudits = ui->checkBoxArchive->isChecked();
    SettingsFile::write(settings, SettingsFile::Choices);
    accept();
}

void SettingsDialog::on_btnCancel_clicked()
{
    reject();
}
