#include "model/ReportContent.h"

#include <QCoreApplication>

#include <iterator>

QStringList ReportConfigurationLabels()
{
    return { QStringLiteral("labelActiveConfiguration"), QStringLiteral("labelTD"), QStringLiteral("labelOW"),
             QStringLiteral("labelUsersDual"), QStringLiteral("labelOvrDual"), QStringLiteral("labelOvrUsers"),
             QStringLiteral("labelFirstOvr"), QStringLiteral("labelCodeExpiration"),
             QStringLiteral("labelCodeDisabling"), QStringLiteral("labelClosingTime"),
             QStringLiteral("labelBoltOpenAlarm"), QStringLiteral("labelInputConfiguration"),
             QStringLiteral("labelOutputConfiguration"), QStringLiteral("labelBuzzerMuted"),
             QStringLiteral("labelDateFormat"), QStringLiteral("labelSilentAlarm"), QStringLiteral("labelErc"),
             QStringLiteral("labelManagerManagement") };
}

const ReportSection* ReportContent::section(const QString& name) const
{
    for (const ReportSection& s : sections)
        if (s.name == name)
            return &s;
    return nullptr;
}

ReportSection* ReportContent::section(const QString& name)
{
    for (ReportSection& s : sections)
        if (s.name == name)
            return &s;
    return nullptr;
}

namespace {

QString translate(const char* text)
{
    return QCoreApplication::translate("MainWindow", text);
}

// What the events section's rows are made of: its own copy of the view (the events themselves
// are shared, not copied) and the texts for its display settings.
struct EventRowsSource
{
    explicit EventRowsSource(const AuditView& v) : view(v), texts(v.display) {}
    AuditView view;
    EventTexts texts;
    QVector<EventColumn> columns;
    // Rows to events, -1 for a separator; empty when each row is its event.
    QVector<int> rows;
};

ReportSection EventsSection(const AuditView& view)
{
    auto source = std::make_shared<EventRowsSource>(view);
    source->columns = view.columns();
    const bool dst = view.dstApplied;
    ReportSection section;
    section.name = translate(QT_TRANSLATE_NOOP("MainWindow", "Audit"));
    section.longRows = true;
    // The PDF leaves the daylight-saving date out without the correction; the workbook writes it
    // in a column of no width.
    QVector<EventColumn> printed;
    for (EventColumn c : source->columns)
        if (dst || !EventColumnOf(c).dstOnly)
            printed << c;
    const QStringList pdfWidths = EventColumnPdfWidths(printed, dst);
    for (EventColumn c : source->columns) {
        const EventColumnTraits& traits = EventColumnOf(c);
        ReportColumn column;
        column.header = translate(traits.header);
        column.kind = traits.kind;
        column.sheetWidth = traits.dstOnly && !dst ? 0 : traits.workbookWidth;
        column.pdfWidth = pdfWidths.value(printed.indexOf(c));
        section.columns << column;
    }
    section.separatorColumn = std::max(0, EventColumnIndex(source->columns, EventColumn::Event));
    // A history's workbook keeps its numbers and dates as such, its header in sight as it scrolls.
    section.typedCells = section.frozenHeader = view.isHistory();
    // A history has a separator row above each gap, as the window has.
    for (int e = 0, gap = 0; e < view.eventCount(); ++e) {
        while (gap < view.gapRows.size() && view.gapRows[gap] == e) {
            source->rows.append(-1);
            ++gap;
        }
        if (!view.gapRows.isEmpty())
            source->rows.append(e);
    }
    section.rowCount = source->rows.isEmpty() ? view.eventCount() : int(source->rows.size());
    section.row = [source](int row, ReportRow& out) {
        const AuditView& v = source->view;
        const int event = source->rows.isEmpty() ? row : source->rows.at(row);
        if (event < 0) {
            out.cells.fill(ReportCell(), source->columns.size());
            out.separator = translate(QT_TRANSLATE_NOOP("MainWindow", "Events may be missing here"));
            return;
        }
        const ShownEvent e = v.eventAt(event);
        const bool highlighted = DstHighlighted(e, source->texts, v.dstApplied);
        // The latest visit's events stand out, as in the window.
        const quint8 strong = v.isHistory() && e.visit == v.history.visits ? Strong : NoMark;
        out.separator = QString();
        out.cells.resize(source->columns.size());
        for (int i = 0; i < source->columns.size(); ++i) {
            const EventColumnTraits& traits = EventColumnOf(source->columns[i]);
            ReportCell& cell = out.cells[i];
            cell.text = traits.text(e, source->texts);
            cell.value = traits.value ? traits.value(e) : 0;
            cell.marks = strong | (traits.id == EventColumn::DstDate && highlighted ? Highlighted : NoMark);
        }
    };
    return section;
}

ReportSection UsersSection(const ConfigPresentation& presentation)
{
    const QStringList headers = UserColumnHeaders();
    QVector<QStringList> rows;
    for (const UserRow& u : presentation.users)
        rows.append({ u.name, u.status, u.openingMode });
    ReportSection section = TextSection(translate(QT_TRANSLATE_NOOP("MainWindow", "Users")),
                                        { { headers.value(0), CellKind::Text, 50, QStringLiteral("30%") },
                                          { headers.value(1), CellKind::Text, 50, QStringLiteral("30%") },
                                          { headers.value(2), CellKind::Text, 50, QStringLiteral("40%") } },
                                        rows);
    section.columnRules = false;
    return section;
}

ReportSection ConfigurationSection(const ConfigPresentation& presentation)
{
    QVector<QStringList> rows;
    QStringList keys;
    for (const QString& label : ReportConfigurationLabels()) {
        for (const ConfigItem& item : presentation.configuration)
            if (item.labelName == label) {
                rows.append({ item.caption, item.value });
                keys << label;
            }
    }
    ReportSection section = TextSection(translate(QT_TRANSLATE_NOOP("MainWindow", "Configuration")),
                                        { { QString(), CellKind::Text, 50, QString() },
                                          { QString(), CellKind::Text, 50, QString() } },
                                        rows);
    section.layout = ReportSection::Pairs;
    section.keys = keys;
    return section;
}

} // namespace

ReportSection TextSection(const QString& name, const QVector<ReportColumn>& columns, const QVector<QStringList>& rows,
                          const QVector<QVector<bool>>& highlighted)
{
    ReportSection section;
    section.name = name;
    section.columns = columns;
    section.rowCount = rows.size();
    section.row = [rows, highlighted, width = columns.size()](int row, ReportRow& out) {
        out.separator = QString();
        out.cells.resize(width);
        const QStringList& texts = rows.at(row);
        for (int i = 0; i < width; ++i) {
            out.cells[i].text = texts.value(i);
            out.cells[i].value = 0;
            out.cells[i].marks = highlighted.value(row).value(i) ? Highlighted : NoMark;
        }
    };
    return section;
}

ReportContent ReportFromView(const AuditView& view)
{
    ReportContent content;
    content.sections << EventsSection(view) << UsersSection(view.configuration)
                     << ConfigurationSection(view.configuration);
    content.keypadDownloadTime = view.configuration.keypadDownloadTime;
    content.dstApplied = view.dstApplied;
    content.history = view.isHistory();
    content.display = view.display;
    if (view.isHistory())
        content.printed = FormatDateTime(ReportPrintedAt(), view.display);
    if (view.isHistory())
        content.title = HistoryTitle(view);
    return content;
}

ReportSection FindingsSection(const LockFindings& lock, const DisplaySettings& display)
{
    // The listing's own table, so that the report and `archive findings` never disagree; the lock
    // is the report's, its two columns left out.
    const TextTable table = FindingsTextTable({ lock }, display);
    constexpr int LockColumns = 2;
    // Finding, Date, Until, User, Person, Events, Visit.
    const double sheetWidths[] = { 28, 20, 20, 16, 24, 8, 8 };
    const char* const pdfWidths[] = { "20%", "16%", "16%", "14%", "18%", "8%", "8%" };
    QVector<ReportColumn> columns;
    for (int c = LockColumns; c < table.header.size(); ++c) {
        const int k = c - LockColumns;
        const bool known = k < int(std::size(sheetWidths));
        columns.append({ table.header[c], CellKind::Text, known ? sheetWidths[k] : 16,
                         QLatin1String(known ? pdfWidths[k] : "10%") });
    }
    QVector<QStringList> rows;
    rows.reserve(table.rows.size());
    for (const QStringList& row : table.rows)
        rows.append(row.mid(LockColumns));
    ReportSection section = TextSection(QCoreApplication::translate("MainWindow", "Findings"), columns, rows);
    if (rows.isEmpty())
        section.notes << QCoreApplication::translate("MainWindow", "Nothing deserves a look.");
    return section;
}

ReportSection EvidenceSection(const HistoryEvidence& evidence, const DisplaySettings& display)
{
    // The kinds as the archive stores them.
    static const char* const kinds[] = { QT_TRANSLATE_NOOP("MainWindow", "bus download"),
                                         QT_TRANSLATE_NOOP("MainWindow", "Dallas key"),
                                         QT_TRANSLATE_NOOP("MainWindow", "file") };
    const auto kindText = [](const QString& stored) {
        for (const char* kind : kinds)
            if (stored == QLatin1String(kind))
                return translate(kind);
        return stored;
    };
    QVector<QStringList> rows;
    rows.reserve(evidence.visits.size());
    for (const Visit& v : evidence.visits) {
        const QString by = v.importedHost.isEmpty() ? v.importedBy : v.importedBy + QLatin1Char('@') + v.importedHost;
        rows.append({ QString::number(v.number), FormatDateTime(v.downloaded, display), kindText(v.kind), by,
                      FormatDateTime(v.imported, display), QString::fromLatin1(v.sha256) });
    }
    // The SHA-256 column holds its 64 digits on one line, were they all the widest.
    ReportSection section = TextSection(
        QCoreApplication::translate("MainWindow", "Evidence"),
        { { QCoreApplication::translate("MainWindow", "Visit"), CellKind::Text, 8, QStringLiteral("5%") },
          { QCoreApplication::translate("MainWindow", "Downloaded"), CellKind::Text, 20, QStringLiteral("12%") },
          { QCoreApplication::translate("MainWindow", "Kind"), CellKind::Text, 14, QStringLiteral("9%") },
          { QCoreApplication::translate("MainWindow", "Imported by"), CellKind::Text, 24, QStringLiteral("13%") },
          { QCoreApplication::translate("MainWindow", "Imported at"), CellKind::Text, 20, QStringLiteral("12%") },
          { QCoreApplication::translate("MainWindow", "SHA-256"), CellKind::Text, 70, QStringLiteral("49%") } },
        rows);
    section.notes << QCoreApplication::translate("MainWindow", "Chain head of the archive when this report was made: %1")
                         .arg(evidence.chainHead)
                  << QCoreApplication::translate("MainWindow", "Check with: corvane-audit-cli archive verify --head %1; "
                                                               "corvane-audit-cli archive audits %2 DIR; "
                                                               "sha256sum -c SHA256SUMS")
                         .arg(evidence.chainHead, evidence.serial);
    return section;
}

QString HistoryTitle(const AuditView& view)
{
    const ConfigPresentation& c = view.configuration;
    const QString date = view.display.dateFormat == 1 ? QStringLiteral("MM/dd/yyyy") : QStringLiteral("dd/MM/yyyy");
    const QString serial = c.serialNumber.trimmed(), name = c.lockName.trimmed();
    QString title;
    if (view.onlyVisit > 0)
        title = QCoreApplication::translate("MainWindow", "Lock %1 %2: Visit %3 of %4, %5")
                    .arg(serial, name, QString::number(view.onlyVisit), QString::number(view.history.visits),
                         view.history.lastVisit.toString(date));
    else if (view.history.visits == 1)
        title = QCoreApplication::translate("MainWindow", "Lock %1 %2: one visit, %3")
                    .arg(serial, name, view.history.lastVisit.toString(date));
    else
        title = QCoreApplication::translate("MainWindow", "Lock %1 %2: %3 visits, %4 to %5")
                    .arg(serial, name, QString::number(view.history.visits), view.history.firstVisit.toString(date),
                         view.history.lastVisit.toString(date));
    // The gaps it shows, where events may be missing.
    const int gaps = view.gapRows.size();
    if (gaps > 0)
        title += QStringLiteral(", ") + QCoreApplication::translate("MainWindow", "%n gaps", nullptr, gaps);
    return title;
}

QString HistoryFileName(const AuditView& view, const QString& extension)
{
    const ConfigPresentation& c = view.configuration;
    QString name = QStringLiteral("%1 %2 %3 to %4").arg(c.serialNumber.trimmed(), c.lockName.trimmed(),
        view.history.firstVisit.toString(QStringLiteral("yyyy-MM-dd")),
        view.history.lastVisit.toString(QStringLiteral("yyyy-MM-dd")));
    for (QChar& ch : name)
        if (ch.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(ch))
            ch = QLatin1Char('_');
    return name.simplified() + QLatin1Char('.') + extension;
}

QDateTime ReportPrintedAt()
{
    bool ok = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    return ok ? QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC) : QDateTime::currentDateTime();
}
