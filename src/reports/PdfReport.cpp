#include "reports/PdfReport.h"

#include "model/OutputFile.h"
#include "reports/TextPrinter.h"

#include <QCoreApplication>
#include <QFile>

namespace {

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

// The templates' fixed HTML; the words between the pieces are translated, then escaped.
const char* const headerHtml =
    "<table border=\"0\" style=\"width: 100%; font-family: Tahoma,Arial,Calibri; font-size: 10pt;\">  <tbody>\t"
    "<tr style=\"vertical-align: top;\">\t  <td width=\"50%\">       <b>Corvane Audit</b>\t  </td>\t</tr>  </tbody></table>";

const char* const tableStart = "<table border=\"0\" style=\"width: 100%; padding: 50px; font-family: Tahoma,Arial,Calibri; "
                               "font-size: 8pt;\">";

// The configuration table: two entries a row (the second closes the row), the last two alone.
struct ConfigurationCell
{
    const char* label;
    const char* tail; // what follows the value
};
const char* const nextCell = "</td>       <td width=\"50%\" align=\"left\">";
const char* const nextRow = "</td>   </tr>   <tr>       <td width=\"50%\" align=\"left\">";
const ConfigurationCell configurationCells[] = {
    { "labelActiveConfiguration", nextCell },
    { "labelBoltOpenAlarm", nextRow },
    { "labelTD", nextCell },
    { "labelInputConfiguration", nextRow },
    { "labelOW", nextCell },
    { "labelOutputConfiguration", nextRow },
    { "labelUsersDual", nextCell },
    { "labelBuzzerMuted", nextRow },
    { "labelOvrDual", nextCell },
    { "labelDateFormat", nextRow },
    { "labelOvrUsers", nextCell },
    { "labelSilentAlarm", nextRow },
    { "labelFirstOvr", nextCell },
    // The template has always left this row unclosed.
    { "labelErc", "</td>   <tr>       <td width=\"50%\" align=\"left\">" },
    { "labelCodeExpiration", nextCell },
    { "labelManagerManagement", nextRow },
    { "labelCodeDisabling", nextRow },
    { "labelClosingTime", "</td>   </tr>" },
};

QString heading(const QString& text, bool first)
{
    return QLatin1String(first ? "<br/><h1>" : "<br/><br/><h1>") + escaped(text) + QLatin1String("</h1><br/>");
}

// The columns a section prints: those with a width.
QVector<int> printedColumns(const ReportSection& section)
{
    QVector<int> printed;
    for (int c = 0; c < section.columns.size(); ++c)
        if (!section.columns[c].pdfWidth.isEmpty())
            printed << c;
    return printed;
}

QString tableHead(const ReportSection& section, const QVector<int>& printed)
{
    QString html = QLatin1String(tableStart) + QLatin1String("  <tr>");
    for (int c : printed)
        html += QLatin1String("    <td width=\"") + section.columns[c].pdfWidth + QLatin1String("\" align=\"left\" ><b>")
            + escaped(section.columns[c].header) + QLatin1String("</b></td>");
    return html + QLatin1String("  </tr>");
}

QStringList rowTexts(const ReportSection& section, const QVector<int>& printed, int r, ReportRow& row)
{
    section.row(r, row);
    QStringList cells;
    cells.reserve(printed.size());
    for (int c : printed)
        cells << (row.separator.isNull() ? row.cells.value(c).text : c == section.separatorColumn ? row.separator : QString());
    return cells;
}

void appendNotes(QString& html, const ReportSection& section)
{
    for (const QString& note : section.notes)
        html += QLatin1String("<p style=\"font-family: Tahoma,Arial,Calibri; font-size: 8pt;\">") + escaped(note)
            + QLatin1String("</p>");
}

void appendTable(QString& html, const ReportSection& section, bool first)
{
    const QVector<int> printed = printedColumns(section);
    html += heading(section.name, first) + tableHead(section, printed);
    ReportRow row;
    for (int r = 0; r < section.rowCount; ++r) {
        html += QLatin1String("<tr>");
        for (const QString& cell : rowTexts(section, printed, r, row))
            html += QLatin1String("<td>") + escaped(cell) + QLatin1String("</td>");
        html += QLatin1String("</tr>");
    }
    html += QLatin1String("</table>");
    appendNotes(html, section);
}

// The configuration's own arrangement: two entries a row, by their keys.
void appendPairs(QString& html, const ReportSection& section, bool first)
{
    html += heading(section.name, first) + QLatin1String(tableStart)
        + QLatin1String("   <tr>       <td width=\"50%\" align=\"left\">");
    ReportRow row;
    for (const ConfigurationCell& cell : configurationCells) {
        QString caption, value;
        const int r = section.keys.indexOf(QLatin1String(cell.label));
        if (r >= 0 && r < section.rowCount) {
            section.row(r, row);
            caption = row.cells.value(0).text;
            value = row.cells.value(1).text;
        }
        html += escaped(caption) + QLatin1Char(' ') + escaped(value) + QLatin1String(cell.tail);
    }
}

void appendSection(QString& html, const ReportSection& section, bool first)
{
    if (section.layout == ReportSection::Pairs)
        appendPairs(html, section, first);
    else
        appendTable(html, section, first);
}

} // namespace

QString PdfReportHeader()
{
    return QString::fromLatin1(headerHtml);
}

BodyTable PdfReportTable(const ReportContent& content)
{
    BodyTable table;
    table.tableStart = QLatin1String(tableStart);
    // The one long section is laid out a page at a time; the others are HTML around it. A history
    // names its lock above its events.
    int longSection = -1;
    for (int i = 0; i < content.sections.size() && longSection < 0; ++i)
        if (content.sections[i].longRows)
            longSection = i;
    for (int i = 0; i < content.sections.size(); ++i) {
        const ReportSection& section = content.sections[i];
        if (i == longSection) {
            const QVector<int> printed = printedColumns(section);
            table.before += heading(content.title.isEmpty() ? section.name : content.title, i == 0)
                + tableHead(section, printed);
            for (int c : printed)
                table.columnWidths << section.columns[c].pdfWidth;
            // Made a row at a time as the pages are laid out: a million events are never held as texts.
            table.rowCount = section.rowCount;
            table.row = [section, printed](int r) {
                ReportRow row;
                return r >= 0 && r < section.rowCount ? rowTexts(section, printed, r, row) : QStringList();
            };
            table.after = QLatin1String("</table>");
            appendNotes(table.after, section);
        } else {
            QString& html = longSection < 0 || i < longSection ? table.before : table.after;
            // The configuration's table was always the last and is left open: closed before another.
            if (i > 0 && content.sections[i - 1].layout == ReportSection::Pairs)
                html += QLatin1String("</table>");
            appendSection(html, section, i == 0);
        }
    }
    return table;
}

QString PdfReportBody(const ReportContent& content)
{
    return PdfReportTable(content).html();
}

QString PdfReportFooter(const QString& fileName, const QString& keypadDownloadTime, const QString& printed)
{
    const QString cell = QStringLiteral("<td width=\"%1\" align=\"center\" valign=\"middle\" style=\"font-size: 9pt;\">");
    // A history says when it was printed beside the lock's clock at download, each labelled; the
    // right-hand cell takes the room that needs.
    const bool labelled = !printed.isEmpty();
    QString right = escaped(keypadDownloadTime);
    if (labelled)
        right = escaped(QCoreApplication::translate("MainWindow", "Keypad date/time at audit download:")) + QLatin1Char(' ')
            + right + QLatin1String(" &nbsp; ")
            + escaped(QCoreApplication::translate("MainWindow", "Printed %1").arg(printed));
    return QStringLiteral("<table border=\"0\" style=\"width: 100%; font-family: Tahoma,Arial,Calibri;\">  <tbody>\t<tr>     ")
        + cell.arg(QLatin1String(labelled ? "28%" : "40%")) + escaped(fileName) + QLatin1String("\t  </td>\t  ")
        + cell.arg(QLatin1String(labelled ? "14%" : "20%")) + escaped(QCoreApplication::translate("MainWindow", "Page"))
        + QLatin1String(" &page; ") + escaped(QCoreApplication::translate("MainWindow", "of"))
        + QLatin1String(" &total;\t  </td>\t  ") + cell.arg(QLatin1String(labelled ? "58%" : "40%")) + right
        + QLatin1String("\t  </td>\t</tr>  </tbody></table>");
}

bool IsCompletePdf(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16)
        return false;
    if (!file.read(5).startsWith("%PDF-"))
        return false;
    file.seek(qMax<qint64>(0, file.size() - 64));
    return file.readAll().trimmed().endsWith("%%EOF");
}

void SetUpReportPrinter(TextPrinter& printer, const ReportContent& content, const QString& shownName)
{
    printer.setMargins(12);
    printer.setTopMargin(11);
    printer.setOrientation(QPageLayout::Landscape);
    printer.setHeaderText(PdfReportHeader());
    printer.setHeaderSize(7);
    printer.setBodyTable(PdfReportTable(content));
    printer.setFooterText(PdfReportFooter(shownName, content.keypadDownloadTime, content.printed));
    printer.setFooterSize(7);
}

bool WritePdfReport(const ReportContent& content, const QString& fileName, const QString& shownName, QString* error)
{
    OutputFile file(fileName);
    bool written = file.open();
    if (written) {
        TextPrinter printer;
        SetUpReportPrinter(printer, content, shownName);
        if (!content.title.isEmpty())
            printer.setDocName(content.title);
        written = printer.saveAsPdf(nullptr, file.writePath()) && IsCompletePdf(file.writePath());
        // The printer does not say why it stopped short; the file system does.
        if (!written)
            file.findWriteFailure();
        written = written && file.commit();
    }
    if (!written && error)
        *error = file.errorString();
    return written;
}
