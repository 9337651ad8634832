#include "ArchiveLocation.h"

#include "SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>

namespace {

// The archive's own texts, translated in the "Archive" context.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Archive)
};

// libpq options a URL may carry; anything else is more likely a typing error than a wish.
const char* const knownOptions[] = { "sslmode", "sslrootcert", "sslcert", "sslkey", "connect_timeout",
                                     "application_name" };

} // namespace

bool ParseArchiveAddress(const QString& location, ArchiveAddress* out, QString* error)
{
    ArchiveAddress a;
    const bool server = location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
        || location.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
    if (!server) {
        if (location.isEmpty()) {
            *error = Text::tr("No archive was named.");
            return false;
        }
        a.path = location;
        a.display = QDir::toNativeSeparators(location);
        *out = a;
        return true;
    }

    // What is shown: the server, the user and the database; never a password, nor the options,
    // which might hold one. Of a malformed URL, what follows its last "@".
    const QUrl url(location, QUrl::StrictMode);
    QUrl shown = url;
    shown.setPassword(QString());
    shown.setQuery(QString());
    shown.setFragment(QString());
    const QString name = url.isValid() ? shown.toString() : location.section('@', -1).section('?', 0, 0);
    const auto bad = [&](const QString& why) {
        *error = Text::tr("The archive address %1 is not usable: %2").arg(name, why);
        return false;
    };
    if (!url.isValid())
        return bad(Text::tr("it is not a valid URL (check the port)"));
    a.server = true;
    a.host = url.host();
    if (a.host.isEmpty())
        return bad(Text::tr("it names no server"));
    a.port = url.port(5432);
    if (a.port <= 0 || a.port > 65535)
        return bad(Text::tr("the port is not a number from 1 to 65535"));
    a.database = url.path().mid(1);
    if (a.database.isEmpty() || a.database.contains('/'))
        return bad(Text::tr("it names no database"));
    a.user = url.userName();
    a.password = url.password();

    QStringList options;
    bool timeout = false;
    for (const auto& item : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (std::find(std::begin(knownOptions), std::end(knownOptions), item.first) == std::end(knownOptions))
            return bad(Text::tr("unknown option %1").arg(item.first));
        if (item.second.contains(';') || item.second.contains('='))
            return bad(Text::tr("the option %1 has a value that cannot be used").arg(item.first));
        options << item.first + '=' + item.second;
        timeout = timeout || item.first == QLatin1String("connect_timeout");
    }
    // An unreachable server is reported in seconds, not after the system's minutes.
    if (!timeout)
        options << QStringLiteral("connect_timeout=5");
    a.connectOptions = options.join(';');
    a.display = name;
    *out = a;
    return true;
}

QString DefaultArchivePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/archive.sqlite");
}

QString ChooseArchiveLocation(const QString& option)
{
    if (!option.isEmpty())
        return option;
    const QString environment = qEnvironmentVariable("CORVANE_AUDIT_ARCHIVE");
    if (!environment.isEmpty())
        return environment;
    const QString setting = SettingsFile::read().archiveUrl.trimmed();
    if (!setting.isEmpty())
        return setting;
    const QString path = DefaultArchivePath();
    QDir().mkpath(QFileInfo(path).path());
    return path;
}
