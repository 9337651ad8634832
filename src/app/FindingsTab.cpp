#include "app/FindingsTab.h"

#include "reports/PdfReport.h"
#include "reports/XlsxReport.h"
#include "view/FileDialogs.h"
#include "view/Messages.h"

#include <QApplication>
#include <QHBoxLayout>
#include <algorithm>
#include <QHeaderView>
#include <QVBoxLayout>

namespace {

struct FleetRead
{
    bool ok = false;
    QString error;
    QVector<LockFindings> locks;
};

enum {
    SortRole = Qt::UserRole + 1, // numbers as numbers and dates by time, whatever their pattern
    KeyRole,                     // the finding's key, on the first column
    DayRole,                     // the audit seconds the day filter goes by; -1 for Not visited
    RowRole,                     // the finding: date, code, user, visit, first position
    NameRole,                    // the lock's name, on the first column
};

// The tab's name, as the window's tab bar says it.
struct FindingsTabText
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};

} // namespace

void FindingsFilter::set(int key, const QString& serial, qint64 from, qint64 to)
{
    m_key = key;
    m_serial = serial;
    m_from = from;
    m_to = to;
    invalidateFilter();
}

bool FindingsFilter::filterAcceptsRow(int sourceRow, const QModelIndex& parent) const
{
    const QModelIndex first = sourceModel()->index(sourceRow, 0, parent);
    if (m_key >= 0 && first.data(KeyRole).toInt() != m_key)
        return false;
    if (!m_serial.isEmpty() && first.data().toString() != m_serial)
        return false;
    // Not visited is judged at its own day, not over a period: the days never hide it.
    const qint64 day = first.data(DayRole).toLongLong();
    if (day < 0 || (m_from < 0 && m_to < 0))
        return true;
    return day != 0 && (m_from < 0 || day >= m_from) && (m_to < 0 || day < m_to);
}

FindingsTab::FindingsTab(ArchiveService& archive, std::function<QStringList()> selectedLocks, QWidget* parent)
    : QWidget(parent), m_archive(archive), m_selectedLocks(std::move(selectedLocks))
{
    setObjectName(QStringLiteral("tabFindings"));
    m_scope.setObjectName(QStringLiteral("findingsScope"));
    m_kind.setObjectName(QStringLiteral("findingsKind"));
    m_lock.setObjectName(QStringLiteral("findingsLock"));
    m_from.setObjectName(QStringLiteral("findingsFrom"));
    m_to.setObjectName(QStringLiteral("findingsTo"));
    m_judge.setObjectName(QStringLiteral("buttonJudge"));
    m_excel.setObjectName(QStringLiteral("buttonFindingsExcel"));
    m_pdf.setObjectName(QStringLiteral("buttonFindingsPdf"));
    m_counts.setObjectName(QStringLiteral("findingsCounts"));
    m_status.setObjectName(QStringLiteral("findingsStatus"));
    m_table.setObjectName(QStringLiteral("findingsTable"));
    m_from.setMaximumWidth(140);
    m_to.setMaximumWidth(140);
    m_from.setClearButtonEnabled(true);
    m_to.setClearButtonEnabled(true);
    m_counts.setWordWrap(true);
    m_kind.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_lock.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_status.setWordWrap(true);
    for (int s : { AllLocks, SelectedLocks, AuditOnScreen })
        m_scope.addItem(QString(), s);

    m_filter.setSourceModel(&m_model);
    m_filter.setSortRole(SortRole);
    m_table.setModel(&m_filter);
    m_table.setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table.setSelectionMode(QAbstractItemView::SingleSelection);
    m_table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table.verticalHeader()->hide();
    m_table.horizontalHeader()->setStretchLastSection(true);
    // As judged until a header is clicked: by lock, each lock's findings newest first.
    m_table.horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table.setSortingEnabled(true);

    auto* top = new QHBoxLayout;
    top->addWidget(&m_scope);
    top->addWidget(&m_judge);
    top->addStretch(1);
    top->addWidget(&m_excel);
    top->addWidget(&m_pdf);
    auto* filters = new QHBoxLayout;
    filters->addWidget(&m_kind);
    filters->addWidget(&m_lock);
    filters->addWidget(&m_from);
    filters->addWidget(&m_to);
    filters->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(filters);
    layout->addWidget(&m_counts);
    layout->addWidget(&m_table, 1);
    layout->addWidget(&m_status);

    connect(&m_scope, QOverload<int>::of(&QComboBox::activated), this, [this] { judge(); });
    connect(&m_judge, &QPushButton::clicked, this, [this] { judge(); });
    connect(&m_excel, &QPushButton::clicked, this, [this] { exportTable(Settings::Workbooks); });
    connect(&m_pdf, &QPushButton::clicked, this, [this] { exportTable(Settings::PdfReports); });
    connect(&m_kind, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { filter(); });
    connect(&m_lock, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { filter(); });
    connect(&m_from, &QLineEdit::textChanged, this, [this] { filter(); });
    connect(&m_to, &QLineEdit::textChanged, this, [this] { filter(); });
    connect(&m_table, &QTableView::activated, this, &FindingsTab::activate);
    retranslate();
}

void FindingsTab::retranslate()
{
    m_scope.setItemText(AllLocks, tr("All locks"));
    m_scope.setItemText(SelectedLocks, tr("Locks selected in the Locks tab"));
    m_scope.setItemText(AuditOnScreen, tr("Audit on screen"));
    m_scope.setAccessibleName(tr("Findings of"));
    m_judge.setText(tr("Judge again"));
    m_judge.setToolTip(tr("Judge the locks again by the archive's hours, closed days and thresholds"));
    m_excel.setText(tr("Export to Excel"));
    m_excel.setToolTip(tr("Write the findings listed to a workbook"));
    m_pdf.setText(tr("Export to PDF"));
    m_pdf.setToolTip(tr("Write the findings listed to a PDF report"));
    m_from.setPlaceholderText(tr("From YYYY-MM-DD"));
    m_from.setAccessibleName(tr("Findings from this day"));
    m_to.setPlaceholderText(tr("To YYYY-MM-DD"));
    m_to.setAccessibleName(tr("Findings up to this day"));
    m_kind.setAccessibleName(tr("Finding"));
    m_lock.setAccessibleName(tr("Lock"));
    const int key = m_kind.currentIndex() > 0 ? m_kind.currentData().toInt() : -1;
    {
        const QSignalBlocker quiet(m_kind);
        m_kind.clear();
        m_kind.addItem(tr("Any finding"), -1);
        for (int k = 0; k < FindingKeyCount; ++k)
            m_kind.addItem(FindingText(FindingKey(k)), k);
        m_kind.setCurrentIndex(std::max(0, m_kind.findData(key)));
    }
    show(m_scope.currentData().toInt() == AuditOnScreen ? m_audit : m_fleet);
}

void FindingsTab::setDisplay(const DisplaySettings& display)
{
    m_display = display;
    show(m_scope.currentData().toInt() == AuditOnScreen ? m_audit : m_fleet);
}

void FindingsTab::setAudit(const DecodedAudit* audit)
{
    m_hasAudit = audit != nullptr;
    m_audit.clear();
    // As the command line's export judges one audit: the default rules, no gaps, no visits.
    if (audit)
        m_audit.append({ ShownLockText(audit->config.serialNumber), ShownLockText(audit->config.lockName),
                         JudgeAudit(FindingEventsOf(*audit), FindingRules()), {} });
    if (m_scope.currentData().toInt() == AuditOnScreen)
        judge();
}

void FindingsTab::shown()
{
    if (m_scope.currentData().toInt() != AuditOnScreen && m_stale && !m_judging)
        judge();
}

void FindingsTab::judge()
{
    const int generation = ++m_generation;
    if (m_scope.currentData().toInt() == AuditOnScreen) {
        // A judgement of the fleet under way is dropped: judged again when the fleet is asked for.
        m_stale = m_stale || m_judging;
        m_judging = false;
        show(m_audit);
        return;
    }
    FindingsQuery query;
    if (m_scope.currentData().toInt() == SelectedLocks) {
        query.locks = m_selectedLocks ? m_selectedLocks() : QStringList();
        // None selected is no lock, not every lock.
        if (query.locks.isEmpty()) {
            m_judging = false;
            m_fleet.clear();
            m_fleetText = tr("Select locks in the Locks tab, or search for them there.");
            show(m_fleet);
            return;
        }
    }
    m_judging = true;
    m_stale = false;
    m_status.setText(tr("Judging the locks..."));
    m_archive.post<FleetRead>(
        [query](ArchiveWorker& w) {
            FleetRead read;
            Archive* archive = w.archive(Archive::OpenMode::Existing);
            read.ok = archive && archive->findings(query, &read.locks);
            read.error = archive ? archive->errorString() : w.error();
            return read;
        },
        [this, generation](FleetRead read) {
            // Only the latest request counts; an earlier one may finish after it.
            if (generation != m_generation)
                return;
            m_judging = false;
            m_fleet = read.ok ? read.locks : QVector<LockFindings>();
            m_fleetText = read.ok ? tr("%n locks judged by the archive's hours, closed days and thresholds.", nullptr,
                                       read.locks.size())
                                  : read.error;
            if (!read.ok)
                m_stale = true;
            show(m_fleet);
        });
}

void FindingsTab::show(const QVector<LockFindings>& locksAsJudged)
{
    const bool audit = m_scope.currentData().toInt() == AuditOnScreen;
    if (audit)
        m_status.setText(m_hasAudit ? tr("The audit on screen, judged by the default hours and thresholds.")
                                    : tr("Open or download an audit to see its findings; a lock's history has them "
                                         "under All locks."));
    else if (!m_judging)
        m_status.setText(m_fleetText);

    QVector<LockFindings> locks = locksAsJudged;
    std::stable_sort(locks.begin(), locks.end(),
                     [](const LockFindings& a, const LockFindings& b) { return a.serial < b.serial; });
    const TextTable texts = FindingsTextTable(locks, m_display);

    m_table.setSortingEnabled(false);
    m_model.clear();
    m_model.setHorizontalHeaderLabels(texts.header);
    m_model.setRowCount(texts.rows.size());
    int r = 0;
    for (const LockFindings& lock : locks) {
        for (const Finding& f : lock.findings) {
            // Not visited sorts by the day of the visit, on the audits' scale (a wall-clock reading).
            const qint64 date = f.key == FindingKey::NotVisited
                ? AuditDateTime(0).secsTo(QDateTime(f.visited.date(), f.visited.time(), Qt::UTC))
                : f.date;
            const QVariant keys[] = { lock.serial, lock.name, int(f.key), date,      f.until,
                                      f.hasUser() ? QVariant(f.user) : QVariant(), QString(), f.events, f.visit };
            const QStringList& row = texts.rows[r];
            for (int c = 0; c < row.size(); ++c) {
                auto* item = new QStandardItem(row[c]);
                item->setData(c < int(std::size(keys)) ? keys[c] : QVariant(row[c]), SortRole);
                if (c >= 7)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_model.setItem(r, c, item);
            }
            QStandardItem* first = m_model.item(r, 0);
            first->setData(int(f.key), KeyRole);
            first->setData(f.key == FindingKey::NotVisited ? qint64(-1) : f.date, DayRole);
            // The finding itself, for a double-click.
            first->setData(QVariant::fromValue(QVector<qint64>{ f.date, f.event, f.user, f.visit, f.first }), RowRole);
            first->setData(lock.name, NameRole);
            ++r;
        }
    }
    m_table.setSortingEnabled(true);

    // The lock filter offers the locks judged; a lock chosen stays chosen while it is there.
    const QString serial = m_lock.currentData().toString();
    {
        const QSignalBlocker quiet(m_lock);
        m_lock.clear();
        m_lock.addItem(tr("Any lock"), QString());
        for (const LockFindings& lock : locks)
            m_lock.addItem(lock.name.isEmpty() ? lock.serial : lock.serial + QStringLiteral("  ") + lock.name, lock.serial);
        m_lock.setCurrentIndex(std::max(0, m_lock.findData(serial)));
    }
    filter();
    m_table.resizeColumnsToContents();
}

void FindingsTab::filter()
{
    qint64 from = -1, to = -1;
    QStringList wrong;
    if (!m_from.text().trimmed().isEmpty() && !SearchDay(m_from.text(), false, &from)) {
        from = -1;
        wrong << tr("The first day is not a date as YYYY-MM-DD: %1").arg(m_from.text());
    }
    if (!m_to.text().trimmed().isEmpty() && !SearchDay(m_to.text(), true, &to)) {
        to = -1;
        wrong << tr("The last day is not a date as YYYY-MM-DD: %1").arg(m_to.text());
    }
    m_filter.set(m_kind.currentIndex() > 0 ? m_kind.currentData().toInt() : -1, m_lock.currentData().toString(), from,
                 to);

    // What is listed, at a glance: each kind with its count, in the findings' order.
    int count[FindingKeyCount] = {};
    for (int row = 0; row < m_filter.rowCount(); ++row)
        ++count[std::clamp(m_filter.index(row, 0).data(KeyRole).toInt(), 0, FindingKeyCount - 1)];
    QStringList parts;
    for (int k = 0; k < FindingKeyCount; ++k)
        if (count[k] > 0)
            parts << QStringLiteral("%1 %2").arg(FindingText(FindingKey(k))).arg(count[k]);
    QString text = parts.isEmpty() ? tr("No findings") : parts.join(QStringLiteral(" \u00b7 "));
    if (!wrong.isEmpty())
        text = wrong.join(QLatin1Char('\n')) + QLatin1Char('\n') + text;
    m_counts.setText(text);
}

void FindingsTab::activate(const QModelIndex& index)
{
    const QModelIndex first = m_filter.mapToSource(index).siblingAtColumn(0);
    const QVector<qint64> f = first.data(RowRole).value<QVector<qint64>>();
    if (f.size() != 5)
        return;
    EventsTable event;
    event.time = f[0];
    event.event = int(f[1]);
    event.user = int(f[2]);
    event.visit = int(f[3]);
    if (m_scope.currentData().toInt() == AuditOnScreen) {
        emit showAuditEvent(event);
        return;
    }
    // The device is not told: 0 matches the event on either.
    FoundEvent found;
    found.serial = first.data().toString();
    found.name = first.data(NameRole).toString();
    found.event = event;
    found.number = f[4];
    emit openHistoryAt(found.serial, found);
}

bool FindingsTab::span(qint64* first, qint64* last) const
{
    bool any = false;
    for (int row = 0; row < m_filter.rowCount(); ++row) {
        const qint64 date = m_filter.index(row, 3).data(SortRole).toLongLong();
        if (date <= 0)
            continue;
        *first = any ? std::min(*first, date) : date;
        *last = any ? std::max(*last, date) : date;
        any = true;
    }
    return any;
}

ReportContent FindingsTab::report() const
{
    ReportContent content;
    content.display = m_display;
    // The days asked for, else the days the findings listed cover.
    qint64 first = 0, last = 0;
    const bool listed = span(&first, &last);
    qint64 bound = 0;
    if (SearchDay(m_from.text(), false, &bound))
        first = bound;
    if (SearchDay(m_to.text(), true, &bound))
        last = bound - 1;
    const QString pattern = m_display.dateFormat == 1 ? QStringLiteral("MM/dd/yyyy") : QStringLiteral("dd/MM/yyyy");
    const auto day = [&](qint64 seconds) { return AuditDateTime(seconds).date().toString(pattern); };
    QSet<QString> locks;
    for (int row = 0; row < m_filter.rowCount(); ++row)
        locks.insert(m_filter.index(row, 0).data().toString());
    const int judged = m_scope.currentData().toInt() == AuditOnScreen ? m_audit.size() : m_fleet.size();
    // A lock chosen is one lock, whatever else was judged.
    const int count = m_lock.currentIndex() > 0 ? 1 : std::max(judged, int(locks.size()));
    content.title = listed || first > 0 ? tr("Findings: %n locks, %1 to %2", nullptr, count).arg(day(first), day(last))
                                        : tr("Findings: %n locks", nullptr, count);

    QVector<QStringList> rows;
    for (int row = 0; row < m_filter.rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < m_filter.columnCount(); ++c)
            cells << m_filter.index(row, c).data().toString();
        rows.append(cells);
    }
    const QStringList headers = FindingColumnHeaders();
    const double sheet[] = { 14, 18, 26, 20, 20, 16, 20, 8, 7 };
    const char* pdf[] = { "9%", "12%", "16%", "14%", "14%", "10%", "12%", "7%", "6%" };
    QVector<ReportColumn> columns;
    for (int c = 0; c < headers.size(); ++c)
        columns.append({ headers[c], CellKind::Text, sheet[c], QLatin1String(pdf[c]) });
    ReportSection section = TextSection(FindingsTabText::tr("Findings"), columns, rows);
    section.frozenHeader = true;
    // The title stands above the table, as a history's names its lock.
    section.longRows = true;
    content.sections.append(section);
    return content;
}

void FindingsTab::exportTable(Settings::FileKind kind)
{
    if (m_filter.rowCount() == 0) {
        Messages::information(tr("No findings to export."), this);
        return;
    }
    qint64 first = 0, last = 0;
    span(&first, &last);
    const QString extension = kind == Settings::PdfReports ? QStringLiteral(".pdf") : QStringLiteral(".xlsx");
    const QString suggested = QStringLiteral("%1 %2 %3%4")
                                  .arg(FindingsTabText::tr("Findings"),
                                       AuditDateTime(first).date().toString(Qt::ISODate),
                                       AuditDateTime(last).date().toString(Qt::ISODate), extension);
    const QString fileName = FileDialogs::save(kind, suggested);
    if (fileName.isEmpty())
        return;
    // Long exports show the wait cursor; it is up before the work starts.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    const ReportContent content = report();
    QString error;
    const bool written = kind == Settings::PdfReports ? WritePdfReport(content, fileName, fileName, &error)
                                                      : WriteXlsxReport(content, fileName, &error);
    QApplication::restoreOverrideCursor();
    if (written)
        Messages::information(tr("Findings exported to %1").arg(fileName), this);
    else
        Messages::critical(tr("Unable to export the findings: %1").arg(error), this);
}
