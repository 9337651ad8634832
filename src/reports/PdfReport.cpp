#include "PdfReport.h"

#include "OutputFile.h"
#include "TextPrinter.h"

#include <QCoreApplication>
#include <QFile>

namespace {

QString translate(const char* text) { return QCoreApplication::translate("MainWindow", text); }
QString escaped(const QString& text) { return text.toHtmlEscaped(); }

// The templates' fixed HTML; the words between the pieces are translated, then escaped.
const char* const headerHtml =
    "<table border=\"0\" style=\"width: 100%; font-family: Tahoma,Arial,Calibri; font-size: 10pt;\">  <tbody>\t"
    "<tr style=\"vertical-align: top;\">\t  <td width=\"50%\">       <b>Corvane Audit</b>\t  </td>\t</tr>  </tbody></table>";

const char* const tableStart = "<table border=\"0\" style=\"width: 100%; padding: 50px; font-family: Tahoma,Arial,Calibri; "
                               "font-size: 8pt;\">";

struct Column
{
    const char* width;
    int source; // index into the events table's columns
};
const Column columnsWithoutDst[] = { { "4%", 0 }, { "8%", 1 }, { "18%", 2 }, { "14%", 4 }, { "46%", 5 }, { "10%", 6 } };
const Column columnsWithDst[] = { { "4%", 0 }, { "8%", 1 }, { "16%", 2 }, { "16%", 3 },
                                  { "14%", 4 }, { "32%", 5 }, { "10%", 6 } };

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

QString eventCell(const EventRow& row, int column)
{
    switch (column) {
    case 0: return row.number;
    case 1: return row.device;
    case 2: return row.date;
    case 3: return row.dstDate;
    case 4: return row.user;
    case 5: return row.event;
    default: return row.eventId;
    }
}

template <size_t N> BodyTable eventsTable(const ReportContent& content, const Column (&columns)[N])
{
    BodyTable table;
    const QStringList headers = EventColumnHeaders();
    table.tableStart = QLatin1String(tableStart);
    const QString heading = content.title.isEmpty() ? translate(QT_TRANSLATE_NOOP("MainWindow", "Audit")) : content.title;
    table.before = QLatin1String("<br/><h1>") + escaped(heading)
        + QLatin1String("</h1><br/>") + QLatin1String(tableStart) + QLatin1String("  <tr>");
    for (const Column& c : columns) {
        table.before += QLatin1String("    <td width=\"") + QLatin1String(c.width) + QLatin1String("\" align=\"left\" ><b>")
            + escaped(headers.at(c.source)) + QLatin1String("</b></td>");
        table.columnWidths << QLatin1String(c.width);
    }
    table.before += QLatin1String("  </tr>");
    const QVector<EventRow> events = content.events;
    table.rowCount = events.size();
    table.row = [events, &columns](int i) {
        QStringList cells;
        if (i < 0 || i >= events.size())
            return cells;
        cells.reserve(int(N));
        for (const Column& c : columns)
            cells << eventCell(events.at(i), c.source);
        return cells;
    };
    table.after = QLatin1String("</table>");
    return table;
}

void appendUsers(QString& html, const ReportContent& content)
{
    const QStringList headers = UserColumnHeaders();
    html += QLatin1String("<br/><br/><h1>") + escaped(translate(QT_TRANSLATE_NOOP("MainWindow", "Users")))
        + QLatin1String("</h1><br/>") + QLatin1String(tableStart)
        + QLatin1String("   <tr>       <td width=\"30%\" align=\"left\" ><b>") + escaped(headers.at(0))
        + QLatin1String("</b></td>       <td width=\"30%\" align=\"left\" ><b>") + escaped(headers.at(1))
        + QLatin1String("</b></td>       <td width=\"40%\" align=\"left\" ><b>") + escaped(headers.at(2))
        + QLatin1String("</b></td>   </tr>");
    for (const UserRow& u : content.users) {
        html += QLatin1String("<tr><td>") + escaped(u.name) + QLatin1String("</td><td>") + escaped(u.status)
            + QLatin1String("</td><td>") + escaped(u.openingMode) + QLatin1String("</td></tr>");
    }
    html += QLatin1String("</table>");
}

void appendConfiguration(QString& html, const ReportContent& content)
{
    html += QLatin1String("<br/><br/><h1>") + escaped(translate(QT_TRANSLATE_NOOP("MainWindow", "Configuration")))
        + QLatin1String("</h1><br/>") + QLatin1String(tableStart)
        + QLatin1String("   <tr>       <td width=\"50%\" align=\"left\">");
    for (const ConfigurationCell& cell : configurationCells) {
        ConfigItem item;
        for (const ConfigItem& i : content.configuration)
            if (i.labelName == QLatin1String(cell.label))
                item = i;
        html += escaped(item.caption) + QLatin1Char(' ') + escaped(item.value) + QLatin1String(cell.tail);
    }
}

} // namespace

QString PdfReportHeader()
{
    return QString::fromLatin1(headerHtml);
}

BodyTable PdfReportTable(const ReportContent& content)
{
    BodyTable table = content.dstApplied ? eventsTable(content, columnsWithDst) : eventsTable(content, columnsWithoutDst);
    appendUsers(table.after, content);
    appendConfiguration(table.after, content);
    return table;
}

QString PdfReportBody(const ReportContent& content)
{
    return PdfReportTable(content).html();
}

QString PdfReportFooter(const QString& fileName, const QString& keypadDownloadTime)
{
    const QString cell = QStringLiteral("<td width=\"%1\" align=\"center\" valign=\"middle\" style=\"font-size: 9pt;\">");
    return QStringLiteral("<table border=\"0\" style=\"width: 100%; font-family: Tahoma,Arial,Calibri;\">  <tbody>\t<tr>     ")
        + cell.arg(QLatin1String("40%")) + escaped(fileName) + QLatin1String("\t  </td>\t  ")
        + cell.arg(QLatin1String("20%")) + escaped(QCoreApplication::translate("MainWindow", "Page"))
        + QLatin1String(" &page; ") + escaped(QCoreApplication::translate("MainWindow", "of"))
        + QLatin1String(" &total;\t  </td>\t  ") + cell.arg(QLatin1String("40%")) + escaped(keypadDownloadTime)
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
    printer.setFooterText(PdfReportFooter(shownName, content.keypadDownloadTime));
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
