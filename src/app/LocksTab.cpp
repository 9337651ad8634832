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

LocksTab::LocksTab(QWidget* parent) : QWidget(parent)
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

    auto* top = new QHBoxLayout;
    top->addWidget(&m_search, 1);
    top->addWidget(&m_open);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(&m_table, 1);
    layout->addWidget(&m_status);

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
    m_model.setHorizontalHeaderLabels(LockColumnHeaders());
}

void LocksTab::refresh(const QString& location, const DisplaySettings& display)
{
    m_refreshing = true;
    const int generation = ++m_generation;
    m_tasks.run<LocksRead>(
        [location] {
            LocksRead read;
            Archive archive;
            read.ok = archive.open(location) && archive.locks(&read.locks);
            read.error = archive.errorString();
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
