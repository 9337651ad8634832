#include "app/PeopleDialog.h"

#include "model/EventRows.h"
#include "model/LockCodes.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPointer>
#include <QStyle>
#include <QVBoxLayout>

struct PeopleDialog::Result
{
    bool read = false; // the directory below is the archive's
    bool changed = true;
    QString error;
    ArchiveFailure failure = ArchiveFailure::None;
    Tenures tenures;
    QVector<int> unnamed;
    QMap<int, QVector<QDate>> installed;
};

namespace {

// Where a row's tenure is kept: its user, and its first day (none for an unnamed user's row).
enum { UserRole = Qt::UserRole + 1, FromRole };

const QString DayPattern = QStringLiteral("yyyy-MM-dd");

void setupDay(QDateEdit& edit)
{
    edit.setCalendarPopup(true);
    edit.setDisplayFormat(DayPattern);
    edit.setDate(QDate::currentDate());
}

} // namespace

PeopleDialog::PeopleDialog(ArchiveService& archive, const QString& serial, QWidget* parent)
    : QDialog(parent), m_archive(archive), m_serial(serial)
{
    setObjectName(QStringLiteral("peopleDialog"));
    setWindowTitle(tr("People of lock %1").arg(serial));
    m_table.setObjectName(QStringLiteral("peopleTable"));
    m_user.setObjectName(QStringLiteral("peopleUser"));
    m_person.setObjectName(QStringLiteral("peoplePerson"));
    m_from.setObjectName(QStringLiteral("peopleFrom"));
    m_installed.setObjectName(QStringLiteral("peopleInstalledDays"));
    m_until.setObjectName(QStringLiteral("peopleUntil"));
    m_hasUntil.setObjectName(QStringLiteral("peopleHasUntil"));
    m_add.setObjectName(QStringLiteral("buttonAddTenure"));
    m_remove.setObjectName(QStringLiteral("buttonRemoveTenure"));
    m_message.setObjectName(QStringLiteral("peopleMessage"));
    m_message.setWordWrap(true);
    m_message.setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_table.setModel(&m_model);
    m_table.setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table.setSelectionMode(QAbstractItemView::SingleSelection);
    m_table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table.verticalHeader()->hide();
    m_table.horizontalHeader()->setStretchLastSection(true);

    for (int user = 0; user < UserSlots; ++user)
        if (IsNamableUser(user))
            m_user.addItem(UserText(code(EventCode::ValidCode), user), user);
    m_person.setMaxLength(4 * MaxPersonLength); // the model counts what users see; this only bounds typing
    m_person.setPlaceholderText(tr("First and last name"));
    setupDay(m_from);
    setupDay(m_until);
    m_until.setEnabled(false);
    m_installedLabel.setText(tr("Installed on"));
    m_installedLabel.setBuddy(&m_installed);
    m_installed.setToolTip(tr("The days the lock's users logs give for this user's installation; choosing one sets From"));
    m_installedLabel.hide();
    m_installed.hide();
    m_hasUntil.setText(tr("Until"));
    m_hasUntil.setToolTip(tr("Leave unchecked while the person still holds the number"));
    m_add.setText(tr("Add"));
    m_add.setToolTip(tr("Names the person for the user from the first day on; a tenure of the user still open ends the day before"));
    m_remove.setText(tr("Remove"));
    m_remove.setToolTip(tr("Removes the selected tenure"));

    auto* form = new QFormLayout;
    form->addRow(tr("User"), &m_user);
    form->addRow(tr("Person"), &m_person);
    auto* fromRow = new QHBoxLayout;
    fromRow->addWidget(&m_from, 1);
    fromRow->addWidget(&m_installedLabel);
    fromRow->addWidget(&m_installed);
    form->addRow(tr("From"), fromRow);
    auto* untilRow = new QHBoxLayout;
    untilRow->addWidget(&m_hasUntil);
    untilRow->addWidget(&m_until, 1);
    form->addRow(untilRow);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&m_add);
    buttons->addWidget(&m_remove);
    buttons->addStretch(1);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&m_table, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(&m_message);
    layout->addWidget(close);
    resize(640, 560);

    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&m_hasUntil, &QCheckBox::toggled, &m_until, &QWidget::setEnabled);
    connect(&m_add, &QPushButton::clicked, this, &PeopleDialog::add);
    connect(&m_user, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &PeopleDialog::showInstalledDays);
    connect(&m_installed, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const QDate day = m_installed.itemData(index).toDate();
        if (day.isValid())
            m_from.setDate(day);
    });
    connect(&m_from, &QDateEdit::dateChanged, this, [this](const QDate& day) {
        // The day offered stays selected only while From shows it.
        m_installed.setCurrentIndex(m_installed.findData(day));
    });
    connect(&m_remove, &QPushButton::clicked, this, &PeopleDialog::removeSelected);
    connect(m_table.selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        // A row picks its user for the next tenure: an unnamed user is the one to name.
        const QVariant user = m_model.index(current.row(), 0).data(UserRole);
        if (user.isValid())
            m_user.setCurrentIndex(std::max(0, m_user.findData(user)));
        updateButtons();
    });
    reload();
}

void PeopleDialog::reload()
{
    change({});
}

void PeopleDialog::add()
{
    Tenure tenure;
    tenure.user = m_user.currentData().toInt();
    tenure.person = m_person.text();
    tenure.from = m_from.date();
    if (m_hasUntil.isChecked())
        tenure.until = m_until.date();
    // Worked out on the directory shown first, so that a refusal is the directory's own; the
    // archive works it out again on the directory as it stands when it stores it.
    if (!refused(SetTenure(m_tenures, tenure)))
        change([tenure](Archive& archive, const QString& serial) { return archive.setTenure(serial, tenure); });
}

void PeopleDialog::removeSelected()
{
    const QModelIndex current = m_table.currentIndex();
    const QVariant user = m_model.index(current.row(), 0).data(UserRole);
    const QDate from = m_model.index(current.row(), 0).data(FromRole).toDate();
    if (!current.isValid() || !from.isValid() || refused(RemoveTenure(m_tenures, user.toInt(), from)))
        return;
    change([user = user.toInt(), from](Archive& archive, const QString& serial) {
        return archive.removeTenure(serial, user, from);
    });
}

bool PeopleDialog::refused(const PeopleChange& outcome)
{
    if (outcome.ok())
        return false;
    m_message.setText(tr("Not changed: %1").arg(outcome.error));
    return true;
}

void PeopleDialog::change(std::function<bool(Archive&, const QString&)> change)
{
    m_busy = true;
    updateButtons();
    QPointer<PeopleDialog> self(this);
    m_archive.post<Result>(
        [change, serial = m_serial](ArchiveWorker& w) {
            Result r;
            Archive* archive = w.archive(change ? Archive::OpenMode::Create : Archive::OpenMode::Existing);
            if (!archive) {
                r.changed = false;
                r.error = w.error();
                r.failure = w.failure();
                return r;
            }
            if (change && !change(*archive, serial)) {
                r.changed = false;
                r.error = archive->errorString();
                r.failure = archive->failure();
            }
            // What is stored now, whatever became of the change.
            r.read = archive->people(serial, &r.tenures, &r.unnamed);
            if (!r.read && r.error.isEmpty())
                r.error = archive->errorString();
            // A users log that no longer reads costs only the days it would offer.
            if (r.read && !archive->installationDayHistory(serial, &r.installed) && r.error.isEmpty())
                r.error = archive->errorString();
            return r;
        },
        [self, isChange = bool(change)](Result r) {
            if (!self)
                return;
            if (!isChange)
                r.changed = false;
            self->done(r);
        });
}

void PeopleDialog::done(const Result& r)
{
    m_busy = false;
    if (r.failure == ArchiveFailure::ReadOnly)
        m_readOnly = true;
    if (r.read) {
        showDirectory(r.tenures, r.unnamed);
        m_installedDays = r.installed;
        showInstalledDays();
    }
    if (!r.error.isEmpty())
        m_message.setText(r.error);
    else
        m_message.clear();
    if (r.changed)
        m_person.clear();
    updateButtons();
    emit updated();
}

void PeopleDialog::showDirectory(const Tenures& tenures, const QVector<int>& unnamed)
{
    m_tenures = tenures;
    m_unnamed = unnamed;
    const TextTable blanks = PeopleTextTable({}, unnamed);
    const TextTable named = PeopleTextTable(tenures, {});
    m_model.clear();
    m_model.setHorizontalHeaderLabels(PeopleColumnHeaders());
    // The users nobody is named for first: they are what the technician has to fill in.
    const QIcon mark = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int r = 0; r < blanks.rows.size(); ++r) {
        QList<QStandardItem*> row;
        auto* user = new QStandardItem(mark, blanks.rows[r].value(0));
        user->setData(unnamed.value(r), UserRole);
        auto* person = new QStandardItem(tr("Nobody named"));
        QFont italic = person->font();
        italic.setItalic(true);
        person->setFont(italic);
        person->setToolTip(tr("The latest visit shows this user installed, and nobody is named for it"));
        row << user << person << new QStandardItem << new QStandardItem;
        m_model.appendRow(row);
    }
    // PeopleTextTable lists them in the order the directory keeps: by user, then by first day.
    Tenures sorted = tenures;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Tenure& a, const Tenure& b) { return a.user != b.user ? a.user < b.user : a.from < b.from; });
    for (int r = 0; r < named.rows.size() && r < sorted.size(); ++r) {
        QList<QStandardItem*> row;
        for (const QString& cell : named.rows[r])
            row << new QStandardItem(cell);
        row[0]->setData(sorted[r].user, UserRole);
        row[0]->setData(sorted[r].from, FromRole);
        m_model.appendRow(row);
    }
    m_table.resizeColumnsToContents();
}

void PeopleDialog::updateButtons()
{
    const bool editable = !m_busy && !m_readOnly;
    for (QWidget* w : std::initializer_list<QWidget*>{ &m_user, &m_person, &m_from, &m_installed, &m_hasUntil, &m_add })
        w->setEnabled(editable);
    m_until.setEnabled(editable && m_hasUntil.isChecked());
    const QModelIndex current = m_table.currentIndex();
    m_remove.setEnabled(editable && current.isValid()
                        && m_model.index(current.row(), 0).data(FromRole).toDate().isValid());
}

void PeopleDialog::showInstalledDays()
{
    const QVector<QDate> days = m_installedDays.value(m_user.currentData().toInt());
    const QSignalBlocker quiet(&m_installed);
    m_installed.clear();
    for (const QDate& day : days)
        m_installed.addItem(PeopleDayText(day), day);
    m_installed.setCurrentIndex(m_installed.findData(m_from.date()));
    m_installedLabel.setVisible(!days.isEmpty());
    m_installed.setVisible(!days.isEmpty());
}
