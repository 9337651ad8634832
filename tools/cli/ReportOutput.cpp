#include "ReportOutput.h"

#include "model/ReportContent.h"
#include "reports/PdfReport.h"
#include "reports/XlsxReport.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace cli {

namespace {

struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(cli)
};

struct Field
{
    const char* name;
    int low, high;
};

} // namespace

bool ParseDstRule(const QString& text, DstRule& rule, QString* error)
{
    const Field fields[] = {
        { QT_TRANSLATE_NOOP("cli", "start occurrence"), 1, 5 }, { QT_TRANSLATE_NOOP("cli", "start weekday"), 0, 6 },
        { QT_TRANSLATE_NOOP("cli", "start month"), 1, 12 },     { QT_TRANSLATE_NOOP("cli", "end occurrence"), 1, 5 },
        { QT_TRANSLATE_NOOP("cli", "end weekday"), 0, 6 },      { QT_TRANSLATE_NOOP("cli", "end month"), 1, 12 },
    };
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 8) {
        *error = Cli::tr("--dst takes eight comma-separated fields, N,W,M,N,W,M,add|subtract,H: %1").arg(text);
        return false;
    }
    int values[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        values[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok || values[i] < fields[i].low || values[i] > fields[i].high) {
            *error = Cli::tr("Bad %1 in --dst: %2 (use %3..%4).")
                         .arg(Cli::tr(fields[i].name), parts.at(i))
                         .arg(fields[i].low)
                         .arg(fields[i].high);
            return false;
        }
    }
    const QString direction = parts.at(6).trimmed();
    if (direction != QLatin1String("add") && direction != QLatin1String("subtract")) {
        *error = Cli::tr("Bad direction in --dst: %1 (use add or subtract).").arg(parts.at(6));
        return false;
    }
    const int hoursIndex = QStringList{ "0", "0.5", "1", "1.5", "2" }.indexOf(parts.at(7).trimmed());
    if (hoursIndex < 0) {
        *error = Cli::tr("Bad hours in --dst: %1 (use 0, 0.5, 1, 1.5 or 2).").arg(parts.at(7));
        return false;
    }
    rule.startOccurrence = values[0];
    rule.startWeekday = values[1];
    rule.startMonth = values[2];
    rule.endOccurrence = values[3];
    rule.endWeekday = values[4];
    rule.endMonth = values[5];
    rule.subtract = direction == QLatin1String("subtract");
    rule.shiftSeconds = DstShiftSeconds(hoursIndex);
    return true;
}

QString FormatOfOutput(const QString& output)
{
    for (const char* format : { "csv", "xlsx", "pdf" }) {
        if (output.endsWith(QLatin1Char('.') + QLatin1String(format), Qt::CaseInsensitive))
            return QLatin1String(format);
    }
    return QString();
}

bool WriteReportOutput(const Options& options, const LoadedAudit& audit, QTextStream& err,
                       const std::function<void(ReportContent&)>& complete)
{
    ReportContent content = ReportFromView(audit.view);
    if (complete)
        complete(content);
    bool written = false;
    QString reason;
    if (options.format == QLatin1String("xlsx")) {
        written = WriteXlsxReport(content, options.output, &reason);
    } else if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        written = WritePdfReport(content, options.output, options.output, &reason);
    } else {
        err << Cli::tr("The PDF report needs a graphical application object.") << Qt::endl;
        return false;
    }
    if (!written)
        err << UnableToWriteText(options.output, reason) << Qt::endl;
    return written;
}

} // namespace cli
