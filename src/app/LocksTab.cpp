#include "LocksTab.h"

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
    m_results.setModel(&m_resultModel);
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
    m_user.setRange(-1, 255);
    m_user.setValue(-1);
    m_from.setMaximumWidth(110);
    m_to.setMaximumWidth(110);

    auto* top = new QHBoxLayout;
    top->addWidget(&m_search, 1);
    top->addWidget(&m_open);
    top->addWidget(&m_downloadNew);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(&m_from);
    searchRow->addWidget(&m_to);
    searchRow->addWidget(&m_event, 1);
    searchRow->addWidget(&m_user);
    searchRow->addWidget(&m_find);
    searchRow->addWidget(&m_found);
    m_split.setOrientation(Qt::Vertical);
    m_split.addWidget(&m_table);
    m_split.addWidget(&m_results);
    m_split.setStretchFactor(0, 1);
    m_split.setStretchFactor(1, 1);
    auto* queue = new QHBoxLayout;
    queue->addWidget(&m_waiting, 1);
    queue->addWidget(&m_send);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(searchRow);
    layout->addWidget(&m_split, 1);
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
    connect(&m_open, &QPushButton::clicked, this, [this] { openCurrent(); });
    retranslate();
}

void LocksTab::retranslate()
{
    m_search.setPlaceholderText(tr("Search by serial number or lock name"));
    m_search.setAccessibleName(tr("Search locks"));
    m_open.setText(tr("Open history"));
    m_open.setToolTip(tr("Show the lock's whole history in the Events tab"));
    m_downloadNew.setText(tr("Download new events"));
    m_downloadNew.setToolTip(tr("Download from the connected lock only what it recorded since the last visit"));
    m_model.setHorizontalHeaderLabels(LockColumnHeaders());
    m_from.setPlaceholderText(tr("From YYYY-MM-DD"));
    m_from.setAccessibleName(tr("Events from this day"));
    m_to.setPlaceholderText(tr("To YYYY-MM-DD"));
    m_to.setAccessibleName(tr("Events up to this day"));
    m_user.setSpecialValueText(tr("Any user"));
    m_user.setAccessibleName(tr("User number"));
    m_find.setText(tr("Search"));
    m_find.setToolTip(tr("The matching events of every lock listed, newest first"));
    m_send.setText(tr("Send now"));
    // Every code the lock may record, by its name; the choice is kept across languages.
    const int chosen = m_event.currentIndex();
    m_event.clear();
    m_event.addItem(tr("Any event"), -1);
    const EventTexts texts(m_display);
    for (int code = 1; code < 256; ++code) {
        const QString name = texts.event(code, 0);
        if (!name.isEmpty() && name != QString::number(code))
            m_event.addItem(QStringLiteral("%1 (%2)").arg(name).arg(code), code);
    }
    m_event.setCurrentIndex(std::max(chosen, 0));
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
    const int event = m_event.currentData().toInt();
    if (event >= 0)
        q->events << event;
    q->user = m_user.value();
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
            m_resultModel.clear();
            m_resultModel.setHorizontalHeaderLabels(table.header);
            m_resultModel.setRowCount(table.rows.size());
            for (int r = 0; r < table.rows.size(); ++r)
                for (int c = 0; c < table.rows[r].size(); ++c)
                    m_resultModel.setItem(r, c, new QStandardItem(table.rows[r][c]));
            // No "Date with DST" without a correction: the column only repeats "Date".
            m_results.setColumnHidden(5, true);
            m_results.show();
            m_results.resizeColumnsToContents();
            m_found.setText(tr("%1 events found").arg(read.found.size()));
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
    }
    m_table.resizeColumnsToContents();
}

QStringList LocksTab::shownSerials() const
{
    QStringList serials;
    for (int r = 0; r < m_proxy.rowCount(); ++r)
        serials << m_proxy.index(r, 0).data().toString();
    return serials;
}

void LocksTab::openCurrent()
{
    QModelIndex current = m_table.currentIndex();
    if (!current.isValid() && m_proxy.rowCount() == 1)
        current = m_proxy.index(0, 0);
    if (current.isValid())
        emit openHistory(m_proxy.index(current.row(), 0).data().toString());
}
