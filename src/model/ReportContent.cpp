#include "ReportContent.h"

#include <QCoreApplication>

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

ReportContent ReportFromView(const AuditView& view)
{
    ReportContent content;
    content.events = BuildEventRows(view.events, view.display, view.dstApplied);
    const ConfigPresentation& presentation = view.configuration;
    content.users = presentation.users;
    for (const QString& label : ReportConfigurationLabels()) {
        for (const ConfigItem& item : presentation.configuration)
            if (item.labelName == label)
                content.configuration.append(item);
    }
    content.keypadDownloadTime = presentation.keypadDownloadTime;
    content.dstApplied = view.dstApplied;
    if (view.isHistory())
        content.title = HistoryTitle(view);
    return content;
}

QString HistoryTitle(const AuditView& view)
{
    const ConfigPresentation& c = view.configuration;
    const QString date = view.display.dateFormat == 1 ? QStringLiteral("MM/dd/yyyy") : QStringLiteral("dd/MM/yyyy");
    const QString serial = c.serialNumber.trimmed(), name = c.lockName.trimmed();
    if (view.history.visits == 1)
        return QCoreApplication::translate("MainWindow", "Lock %1 %2: one visit, %3")
            .arg(serial, name, view.history.lastVisit.toString(date));
    return QCoreApplication::translate("MainWindow", "Lock %1 %2: %3 visits, %4 to %5")
        .arg(serial, name, QString::number(view.history.visits), view.history.firstVisit.toString(date),
             view.history.lastVisit.toString(date));
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
