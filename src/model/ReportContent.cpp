#include "ReportContent.h"

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
    return content;
}
