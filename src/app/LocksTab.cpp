#include "app/LocksTab.h"

#include "app/PeopleDialog.h"
#include "archive/ArchiveEvidence.h"
#include "model/ReportContent.h"
#include "reports/PdfReport.h"
#include "reports/XlsxReport.h"
#include "view/FileDialogs.h"
#include "view/Messages.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileDialog>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

namespace {

struct LocksRead
{
    bool ok = false;
    QString error;
    QVector<LockSummary> locks;
};

struct HoursRead
{
    bool read = false;
    QString error; // of the change, else of the reading
    OpeningHours hours;
    bool own = false;
};

struct FindingsRead
{
    bool ok = false;
    QString error;
    QHash<QString, int> counts; // by serial number
};

struct AuditsWritten
{
    bool ok = false;
    QString error;
    int written = 0;
    QStringList changed; // files whose bytes no longer match the SHA-256 recorded at their import
};

struct SearchRead
{
    bool ok = false;
    QString error;
    QVector<FoundEvent> found;
};

// Sort keys: numbers as numbers and dates by time, whatever their display pattern.
enum { SortRole = Qt::UserRole + 1 };

} // namespace

bool LockSearchProxy::filterAcceptsRow(int sourceRow, const QModelIndex& parent) const
{
    const QString text = filterRegularExpression().pattern();
    if (text.isEmpty())
        return true;
    for (int column : { 0, 1 }) {
        if (sourceModel()->index(sourceRow, column, parent).data().toString().contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

LocksTab::LocksTab(ArchiveService& archive, QWidget* parent) : QWidget(parent), m_archive(archive)
{
    setObjectName(QStringLiteral("tabLocks"));
    m_search.setObjectName(QStringLiteral("lockSearch"));
    m_search.setClearButtonEnabled(true);
    m_table.setObjectName(QStringLiteral("lockTable"));
    m_open.setObjectName(QStringLiteral("buttonOpenHistory"));
    m_status.setObjectName(QStringLiteral("archiveStatus"));
    m_status.setWordWrap(true);

    m_proxy.setSourceModel(&m_model);
    m_proxy.setSortRole(SortRole);
    m_table.setModel(&m_proxy);
    m_table.setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table.setSelectionMode(QAbstractItemView::SingleSelection);
    m_table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table.setSortingEnabled(true);
    m_table.sortByColumn(0, Qt::AscendingOrder);
    m_table.verticalHeader()->hide();
    m_table.horizontalHeader()->setStretchLastSection(true);

    m_results.setObjectName(QStringLiteral("searchResults"));
    m_resultSort.setSourceModel(&m_resultModel);
    m_resultSort.setSortRole(SortRole);
    m_results.setModel(&m_resultSort);
    m_results.setSortingEnabled(true);
    m_results.setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results.setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results.verticalHeader()->hide();
    m_results.horizontalHeader()->setStretchLastSection(true);
    m_results.hide();
    m_from.setObjectName(QStringLiteral("searchFrom"));
    m_to.setObjectName(QStringLiteral("searchTo"));
    m_event.setObjectName(QStringLiteral("searchEvent"));
    m_user.setObjectName(QStringLiteral("searchUser"));
    m_find.setObjectName(QStringLiteral("buttonSearch"));
    m_send.setObjectName(QStringLiteral("buttonSendNow"));
    m_waiting.setObjectName(QStringLiteral("waitingAudits"));
    m_from.setMaximumWidth(110);
    m_to.setMaximumWidth(110);

    auto* top = new QHBoxLayout;
    top->addWidget(&m_search, 1);
    top->addWidget(&m_open);
    top->addWidget(&m_downloadNew);
    top->addWidget(&m_people);
    top->addWidget(&m_saveAudits);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(&m_from);
    searchRow->addWidget(&m_to);
    searchRow->addWidget(&m_event, 1);
    searchRow->addWidget(&m_user);
    searchRow->addWidget(&m_find);
    searchRow->addWidget(&m_found);
    searchRow->addWidget(&m_exportExcel);
    searchRow->addWidget(&m_exportPdf);
    m_exportExcel.setObjectName(QStringLiteral("exportFoundExcel"));
    m_exportPdf.setObjectName(QStringLiteral("exportFoundPdf"));
    m_exportExcel.hide();
    m_exportPdf.hide();
    connect(&m_exportExcel, &QPushButton::clicked, this, [this] { exportFound(Settings::Workbooks); });
    connect(&m_exportPdf, &QPushButton::clicked, this, [this] { exportFound(Settings::PdfReports); });
    m_split.setOrientation(Qt::Vertical);
    m_split.addWidget(&m_table);
    m_split.addWidget(&m_results);
    m_split.setStretchFactor(0, 1);
    m_split.setStretchFactor(1, 1);
    auto* queue = new QHBoxLayout;
    queue->addWidget(&m_waiting, 1);
    queue->addWidget(&m_send);
    auto* hoursRow = new QHBoxLayout;
    hoursRow->addWidget(&m_hoursLabel);
    hoursRow->addWidget(&m_hours, 1);
    hoursRow->addWidget(&m_saveHours);
    hoursRow->addWidget(&m_defaultHours);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(searchRow);
    layout->addWidget(&m_split, 1);
    layout->addLayout(hoursRow);
    layout->addWidget(&m_hoursMessage);
    layout->addWidget(&m_status);
    layout->addLayout(queue);
    setWaiting(0);
    connect(&m_send, &QPushButton::clicked, this, &LocksTab::sendNow);
    connect(&m_downloadNew, &QPushButton::clicked, this, &LocksTab::downloadNew);
    m_downloadNew.setObjectName(QStringLiteral("buttonDownloadNew"));
    connect(&m_find, &QPushButton::clicked, this, &LocksTab::searchRequested);

    connect(&m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_proxy.setFilterRegularExpression(QRegularExpression(text, QRegularExpression::NoPatternOption));
    });
    connect(&m_table, &QTableView::activated, this, [this] { openCurrent(); });
    connect(&m_results, &QTableView::activated, this, [this](const QModelIndex& index) {
        const int k = m_resultSort.mapToSource(index).row();
        if (k >= 0 && k < m_foundEvents.size())
            emit openHistoryAt(m_foundEvents[k].serial, m_foundEvents[k]);
    });
    connect(&m_open, &QPushButton::clicked, this, [this] { openCurrent(); });
    m_people.setObjectName(QStringLiteral("buttonPeople"));
    connect(&m_people, &QPushButton::clicked, this, &LocksTab::openPeople);
    m_saveAudits.setObjectName(QStringLiteral("buttonSaveAudits"));
    connect(&m_saveAudits, &QPushButton::clicked, this, &LocksTab::saveAudits);
    m_hours.setObjectName(QStringLiteral("lockHours"));
    m_hoursLabel.setBuddy(&m_hours);
    m_saveHours.setObjectName(QStringLiteral("buttonSaveHours"));
    m_defaultHours.setObjectName(QStringLiteral("buttonDefaultHours"));
    m_hoursMessage.setObjectName(QStringLiteral("hoursMessage"));
    m_hoursMessage.setWordWrap(true);
    m_hoursMessage.hide();
    connect(&m_saveHours, &QPushButton::clicked, this, &LocksTab::saveHours);
    connect(&m_hours, &QLineEdit::returnPressed, this, &LocksTab::saveHours);
    connect(&m_defaultHours, &QPushButton::clicked, this, [this] {
        readHours([](Archive& archive, const QString& serial) { return archive.setLockHours(serial, nullptr); });
    });
    connect(m_table.selectionModel(), &QItemSelectionModel::currentRowChanged, this, &LocksTab::updateLockButtons);
    connect(&m_proxy, &QAbstractItemModel::rowsInserted, this, &LocksTab::updateLockButtons);
    connect(&m_proxy, &QAbstractItemModel::rowsRemoved, this, &LocksTab::updateLockButtons);
    connect(&m_proxy, &QAbstractItemModel::modelReset, this, &LocksTab::updateLockButtons);
    updateLockButtons();
    retranslate();
    // Shown beside the other counts, where it is seen without scrolling.
    m_table.horizontalHeader()->moveSection(findingsColumn(), 5);
}

void LocksTab::retranslate()
{
    m_search.setPlaceholderText(tr("Search by serial number or lock name"));
    m_search.setAccessibleName(tr("Search locks"));
    m_open.setText(tr("Open history"));
    m_open.setToolTip(tr("Show the lock's whole history in the Events tab"));
    m_downloadNew.setText(tr("Download new events"));
    m_downloadNew.setToolTip(tr("Download from the connected lock only what it recorded since the last visit"));
    m_model.setHorizontalHeaderLabels(LockColumnHeaders() << tr("Findings"));
    if (QStandardItem* header = m_model.horizontalHeaderItem(findingsColumn()))
        header->setToolTip(tr("Findings of the last %n days, today included, as the archive's hours, closed days and thresholds judge them",
                              nullptr, FindingDays));
    m_people.setText(tr("People..."));
    m_people.setToolTip(tr("Who held each of the selected lock's user numbers, and when"));
    m_saveAudits.setText(tr("Save the lock's audits..."));
    m_saveAudits.setToolTip(tr("Every audit of the selected lock exactly as it was kept, with their SHA-256 sums in SHA256SUMS"));
    m_hoursLabel.setText(tr("Opening hours:"));
    // The days as the text is read: never translated.
    m_hours.setPlaceholderText(QStringLiteral("Mon-Fri 07:00-20:00; Sat 08:00-12:00"));
    m_hours.setToolTip(tr("When the selected lock may be opened: an opening at any other time is a finding"));
    m_saveHours.setText(tr("Save hours"));
    m_defaultHours.setText(tr("Use the default"));
    m_defaultHours.setToolTip(tr("The lock is judged by the archive's default hours again"));
    m_from.setPlaceholderText(tr("From YYYY-MM-DD"));
    m_from.setAccessibleName(tr("Events from this day"));
    m_to.setPlaceholderText(tr("To YYYY-MM-DD"));
    m_to.setAccessibleName(tr("Events up to this day"));
    m_user.setAccessibleName(tr("User"));
    m_find.setText(tr("Search"));
    m_find.setToolTip(tr("The matching events of every lock listed, newest first"));
    // As the Findings tab names its exports.
    m_exportExcel.setText(QCoreApplication::translate("FindingsTab", "Export to Excel"));
    m_exportPdf.setText(QCoreApplication::translate("FindingsTab", "Export to PDF"));
    m_send.setText(tr("Send now"));
    // The codes the lock's vocabulary names, by their names; the choices are kept across languages.
    const QVariantList events = m_event.checkedData();
    m_event.clear();
    const EventTexts texts(m_display);
    const QString unknown = EventText(-1, 0);
    for (int code = 1; code < 256; ++code) {
        const QString name = texts.event(code, 0);
        if (!name.isEmpty() && name != unknown)
            m_event.addCheckItem(QStringLiteral("%1 (%2)").arg(name).arg(code), code,
                                 events.contains(code) ? Qt::Checked : Qt::Unchecked);
    }
    m_event.setNoneCheckedText(tr("Any event"));
    m_event.setAllCheckedText(tr("Any event"));
    m_event.setUnknownStateText(tr("Any event"));
    m_event.updateText();
    // The users the lock names, by their names.
    const int user = m_user.currentData().isValid() ? m_user.currentData().toInt() : -1;
    m_user.clear();
    m_user.addItem(tr("Any user"), -1);
    for (int number = 1; number < 256; ++number) {
        const QString name = UserText(0, number);
        if (!name.isEmpty())
            m_user.addItem(name, number);
    }
    m_user.setCurrentIndex(std::max(0, m_user.findData(user)));
    m_event.setAccessibleName(tr("Event"));
    setWaiting(m_waiting.property("count").toInt());
}

void LocksTab::setWaiting(int count)
{
    m_waiting.setProperty("count", count);
    m_waiting.setText(tr("%1 audits waiting to be sent").arg(count));
    m_waiting.setVisible(count > 0);
    m_send.setVisible(count > 0);
}

bool LocksTab::query(SearchQuery* q, QString* error) const
{
    if (!m_from.text().trimmed().isEmpty() && !SearchDay(m_from.text(), false, &q->from)) {
        *error = tr("The first day is not a date as YYYY-MM-DD: %1").arg(m_from.text());
        return false;
    }
    if (!m_to.text().trimmed().isEmpty() && !SearchDay(m_to.text(), true, &q->to)) {
        *error = tr("The last day is not a date as YYYY-MM-DD: %1").arg(m_to.text());
        return false;
    }
    for (const QVariant& event : m_event.checkedData())
        q->events << event.toInt();
    q->user = m_user.currentData().toInt();
    if (!m_search.text().isEmpty()) {
        q->serials = shownSerials();
        // A lock search that shows nothing finds nothing, not everything.
        if (q->serials.isEmpty())
            q->serials << QString();
    }
    return true;
}

void LocksTab::searchEvents()
{
    SearchQuery q;
    QString error;
    if (!query(&q, &error)) {
        m_found.setText(error);
        return;
    }
    m_searching = true;
    m_found.setText(tr("Searching..."));
    const DisplaySettings display = m_display;
    m_archive.post<SearchRead>(
        [q](ArchiveWorker& w) {
            SearchRead read;
            Archive* archive = w.archive(Archive::OpenMode::Existing);
            read.ok = archive && archive->search(q, &read.found);
            read.error = archive ? archive->errorString() : w.error();
            return read;
        },
        [this, display](SearchRead read) {
            m_searching = false;
            if (!read.ok) {
                m_found.setText(read.error);
                return;
            }
            const TextTable table = SearchTextTable(read.found, display);
            m_foundEvents = read.found;
            m_results.setSortingEnabled(false);
            m_resultModel.clear();
            m_resultModel.setHorizontalHeaderLabels(table.header);
            m_resultModel.setRowCount(table.rows.size());
            // Numbers sort as numbers and dates by time, whatever their pattern; texts as shown.
            const QVector<EventColumn> columns = SearchColumns();
            const auto key = [](const FoundEvent& f, EventColumn column, const QString& text) -> QVariant {
                switch (column) {
                case EventColumn::Number: return f.number;
                case EventColumn::Device: return f.event.device;
                case EventColumn::Date: return f.event.time;
                case EventColumn::DstDate: return f.event.dstTime;
                case EventColumn::User: return f.event.user;
                case EventColumn::EventId: return f.event.event;
                case EventColumn::Visit: return f.event.visit;
                case EventColumn::Event:
                case EventColumn::Person: break;
                }
                return text;
            };
            for (int r = 0; r < table.rows.size(); ++r) {
                const FoundEvent& f = read.found[r];
                for (int c = 0; c < table.rows[r].size(); ++c) {
                    auto* item = new QStandardItem(table.rows[r][c]);
                    const int e = c - SearchColumnOf(columns.first()); // after the lock's serial and name
                    item->setData(e >= 0 ? key(f, columns[e], table.rows[r][c]) : QVariant(table.rows[r][c]), SortRole);
                    m_resultModel.setItem(r, c, item);
                }
            }
            m_results.setSortingEnabled(true);
            m_results.sortByColumn(4, Qt::DescendingOrder);
            // No "Date with DST" without a correction: the column only repeats "Date".
            m_results.setColumnHidden(SearchColumnOf(EventColumn::DstDate), true);
            m_results.show();
            m_results.resizeColumnsToContents();
            m_found.setText(tr("%n events found", nullptr, read.found.size()));
            m_exportExcel.setVisible(!read.found.isEmpty());
            m_exportPdf.setVisible(!read.found.isEmpty());
            emit refreshed();
        });
}

void LocksTab::refresh(const DisplaySettings& display)
{
    m_display = display;
    m_refreshing = true;
    const int generation = ++m_generation;
    m_archive.post<LocksRead>(
        [](ArchiveWorker& w) {
            LocksRead read;
            Archive* archive = w.archive();
            read.ok = archive && archive->locks(&read.locks);
            read.error = archive ? archive->errorString() : w.error();
            return read;
        },
        [this, generation, display](LocksRead read) {
            // Only the latest request counts; an earlier one may finish after it.
            if (generation != m_generation)
                return;
            m_refreshing = false;
            m_status.setText(read.ok ? QString() : read.error);
            if (read.ok)
                show(read.locks, display);
            emit refreshed();
        });
}

void LocksTab::show(const QVector<LockSummary>& locks, const DisplaySettings& display)
{
    const TextTable texts = LocksTextTable(locks, display);
    m_model.removeRows(0, m_model.rowCount());
    m_model.setRowCount(locks.size());
    for (int r = 0; r < locks.size(); ++r) {
        const LockSummary& l = locks[r];
        const QVariant keys[] = { l.serial, l.name, l.visits, l.events, l.gaps, l.firstEvent, l.lastEvent,
                                  l.lastVisit.toMSecsSinceEpoch() };
        for (int c = 0; c < texts.header.size(); ++c) {
            auto* item = new QStandardItem(texts.rows[r][c]);
            item->setData(keys[c], SortRole);
            if (c >= 2 && c <= 4)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_model.setItem(r, c, item);
        }
        auto* findings = new QStandardItem(QStringLiteral("..."));
        findings->setData(-1, SortRole);
        findings->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_model.setItem(r, findingsColumn(), findings);
    }
    m_table.resizeColumnsToContents();
    countFindings();
}

void LocksTab::countFindings(const QStringList& serials)
{
    // A new list stops the counts of the one before; one lock counted again stops none.
    const int generation = serials.isEmpty() ? ++*m_findingsGeneration : m_findingsGeneration->load();
    auto latest = m_findingsGeneration;
    ++m_countingFindings;
    FindingsQuery query;
    query.locks = serials;
    query.at = QDate::currentDate();
    SearchDay(PeopleDayText(query.at.addDays(1 - FindingDays)), false, &query.from);
    m_archive.post<FindingsRead>(
        [query, generation, latest](ArchiveWorker& w) {
            FindingsRead read;
            Archive* archive = w.archive(Archive::OpenMode::Existing);
            QVector<LockFindings> found;
            read.ok = archive
                && archive->findings(query, &found, [&](int, int) { return latest->load() == generation; });
            read.error = archive ? archive->errorString() : w.error();
            for (const LockFindings& lock : found)
                read.counts.insert(lock.serial, lock.findings.size());
            return read;
        },
        [this, generation](FindingsRead read) {
            --m_countingFindings;
            if (generation != *m_findingsGeneration)
                return;
            const int column = findingsColumn();
            for (int r = 0; r < m_model.rowCount(); ++r) {
                const QString serial = m_model.item(r, 0)->data(SortRole).toString();
                QStandardItem* item = m_model.item(r, column);
                if (!item)
                    continue;
                const auto count = read.counts.constFind(serial);
                if (count != read.counts.cend()) {
                    item->setText(QString::number(*count));
                    item->setData(*count, SortRole);
                    item->setToolTip(QString());
                } else if (!read.ok) {
                    // Another lock's history may be the one that failed: what is known stays.
                    if (item->data(SortRole).toInt() < 0) {
                        item->setText(QStringLiteral("?"));
                        item->setToolTip(read.error);
                    }
                }
            }
            emit refreshed();
        });
}

QStringList LocksTab::chosenSerials() const
{
    QStringList serials;
    if (const QItemSelectionModel* selection = m_table.selectionModel())
        for (const QModelIndex& row : selection->selectedRows(0))
            serials << row.data().toString();
    if (serials.isEmpty() && !m_search.text().isEmpty())
        serials = shownSerials();
    return serials;
}

QStringList LocksTab::shownSerials() const
{
    QStringList serials;
    for (int r = 0; r < m_proxy.rowCount(); ++r)
        serials << m_proxy.index(r, 0).data().toString();
    return serials;
}

QString LocksTab::currentSerial() const
{
    QModelIndex current = m_table.currentIndex();
    if (!current.isValid() && m_proxy.rowCount() == 1)
        current = m_proxy.index(0, 0);
    return current.isValid() ? m_proxy.index(current.row(), 0).data().toString() : QString();
}

void LocksTab::openCurrent()
{
    const QString serial = currentSerial();
    if (!serial.isEmpty())
        emit openHistory(serial);
}

void LocksTab::openPeople()
{
    const QString serial = currentSerial();
    if (serial.isEmpty())
        return;
    if (m_peopleDialog)
        m_peopleDialog->close();
    m_peopleDialog = new PeopleDialog(m_archive, serial, this);
    m_peopleDialog->setAttribute(Qt::WA_DeleteOnClose);
    m_peopleDialog->open();
}

void LocksTab::updateLockButtons()
{
    const QString serial = currentSerial();
    const bool any = !serial.isEmpty();
    m_people.setEnabled(any);
    m_saveAudits.setEnabled(any);
    for (QWidget* w : std::initializer_list<QWidget*>{ &m_hours, &m_saveHours })
        w->setEnabled(any);
    if (serial != m_hoursSerial) {
        m_hoursSerial = serial;
        m_hours.clear();
        m_defaultHours.setEnabled(false);
        m_hoursMessage.hide();
        if (any)
            readHours();
    }
}

void LocksTab::saveHours()
{
    if (m_hoursSerial.isEmpty())
        return;
    OpeningHours hours;
    QString error;
    // A text that does not read changes nothing; it stays to be mended.
    if (!OpeningHours::Parse(m_hours.text(), &hours, &error)) {
        m_hoursMessage.setText(error);
        m_hoursMessage.show();
        return;
    }
    readHours([hours](Archive& archive, const QString& serial) { return archive.setLockHours(serial, &hours); });
}

void LocksTab::readHours(std::function<bool(Archive&, const QString&)> change)
{
    const QString serial = m_hoursSerial;
    const int generation = ++m_hoursGeneration;
    m_archive.post<HoursRead>(
        [serial, change](ArchiveWorker& w) {
            HoursRead read;
            Archive* archive = w.archive(change ? Archive::OpenMode::Create : Archive::OpenMode::Existing);
            if (!archive) {
                read.error = w.error();
                return read;
            }
            if (change && !change(*archive, serial))
                read.error = archive->errorString();
            // What is stored now, whatever became of the change.
            read.read = archive->lockHours(serial, &read.hours, &read.own);
            if (!read.read && read.error.isEmpty())
                read.error = archive->errorString();
            return read;
        },
        [this, serial, generation, changed = bool(change)](HoursRead read) {
            if (generation != m_hoursGeneration || serial != m_hoursSerial)
                return;
            if (read.read) {
                // A refused text stays to be mended.
                if (read.error.isEmpty() || !changed)
                    m_hours.setText(read.hours.toText());
                m_defaultHours.setEnabled(read.own);
                m_hours.setToolTip(read.own ? tr("The lock's own opening hours") : tr("The archive's default opening hours"));
            }
            m_hoursMessage.setText(read.error);
            m_hoursMessage.setVisible(!read.error.isEmpty());
            // The lock is judged by other hours now.
            if (changed && read.error.isEmpty())
                countFindings({ serial });
        });
}

void LocksTab::saveAudits()
{
    const QString serial = currentSerial();
    if (serial.isEmpty())
        return;
    const QString folder = m_chooseFolder
        ? m_chooseFolder()
        : QFileDialog::getExistingDirectory(this, tr("Save the audits of lock %1 in").arg(serial));
    if (folder.isEmpty())
        return;
    m_saveAudits.setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Read and written on the archive's thread: a lock of many visits is many files.
    m_archive.post<AuditsWritten>(
        [serial, folder](ArchiveWorker& w) {
            AuditsWritten out;
            Archive* archive = w.archive(Archive::OpenMode::Existing);
            QVector<KeptAudit> audits;
            if (!archive || !archive->keptAudits(serial, &audits)) {
                out.error = archive ? archive->errorString() : w.error();
                return out;
            }
            QString failed, reason;
            if (!SaveKeptAudits(audits, folder, &failed, &reason)) {
                out.error = LocksTab::tr("Unable to write %1: %2").arg(QDir::toNativeSeparators(failed), reason);
                return out;
            }
            // Written as kept all the same: sha256sum -c names them too.
            const QStringList names = KeptAuditFileNames(audits);
            for (int k = 0; k < audits.size(); ++k)
                if (QString::fromLatin1(QCryptographicHash::hash(audits[k].content, QCryptographicHash::Sha256).toHex())
                    != audits[k].sha256)
                    out.changed << names[k];
            out.ok = true;
            out.written = audits.size();
            return out;
        },
        [this, serial, folder](AuditsWritten out) {
            QApplication::restoreOverrideCursor();
            updateLockButtons();
            if (!out.ok) {
                Messages::critical(out.error, this);
                return;
            }
            const QString written = tr("%n audits of lock %1 written to %2, with their SHA-256 sums in SHA256SUMS.",
                                       nullptr, out.written)
                                        .arg(serial, QDir::toNativeSeparators(folder));
            if (out.changed.isEmpty())
                Messages::information(written, this);
            else
                Messages::warning(written + QLatin1Char('\n')
                                      + tr("These no longer match the SHA-256 recorded at their import: %1")
                                            .arg(out.changed.join(QStringLiteral(", "))),
                                  this);
        });
}

void LocksTab::exportFound(Settings::FileKind kind)
{
    const QAbstractItemModel& shown = m_resultSort;
    if (shown.rowCount() == 0)
        return;
    const QString extension = kind == Settings::PdfReports ? QStringLiteral(".pdf") : QStringLiteral(".xlsx");
    const QString fileName = FileDialogs::save(kind, tr("Events found") + extension);
    if (fileName.isEmpty())
        return;
    // The columns shown, in the order shown; the rows as sorted.
    QVector<int> visible;
    for (int c = 0; c < shown.columnCount(); ++c)
        if (!m_results.isColumnHidden(c))
            visible.append(c);
    QVector<ReportColumn> columns;
    for (int c : visible) {
        const QString header = shown.headerData(c, Qt::Horizontal).toString();
        columns.append({ header, CellKind::Text, double(std::max(8, int(header.size()) + 4)),
                         QString::number(100 / visible.size()) + QLatin1Char('%') });
    }
    QVector<QStringList> rows;
    rows.reserve(shown.rowCount());
    for (int r = 0; r < shown.rowCount(); ++r) {
        QStringList cells;
        for (int c : visible)
            cells << shown.index(r, c).data().toString();
        rows.append(cells);
    }
    ReportContent content;
    content.history = true;
    content.display = m_display;
    content.printed = FormatDateTime(ReportPrintedAt(), m_display);
    content.title = tr("Events found: %n", nullptr, rows.size());
    ReportSection section = TextSection(tr("Events found"), columns, rows);
    section.frozenHeader = true;
    section.longRows = true;
    content.sections.append(section);
    // Long exports show the wait cursor; it is up before the work starts.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    QString error;
    const bool written = kind == Settings::PdfReports ? WritePdfReport(content, fileName, fileName, &error)
                                                      : WriteXlsxReport(content, fileName, &error);
    QApplication::restoreOverrideCursor();
    if (written)
        Messages::information(tr("Events exported to %1").arg(fileName), this);
    else
        Messages::critical(tr("Unable to export the events: %1").arg(error), this);
}
