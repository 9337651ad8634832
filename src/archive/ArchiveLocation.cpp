#include "archive/ArchiveLocation.h"

#include "model/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
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
    // which might hold one. Whatever the address's shape, nothing between the user name and the
    // last "@" is shown: a password holding "@", "/" or ":" must not leak through a parse that
    // took part of it for a host, a port or a path.
    const QUrl url(location, QUrl::StrictMode);
    const int schemeEnd = location.indexOf(QLatin1String("://")) + 3;
    const QString scheme = location.left(schemeEnd);
    const QString rest = location.mid(schemeEnd);
    const int lastAt = rest.lastIndexOf(QLatin1Char('@'));
    QString user = lastAt >= 0 ? rest.left(lastAt).section(QLatin1Char(':'), 0, 0) : QString();
    QString where = (lastAt >= 0 ? rest.mid(lastAt + 1) : rest).section(QLatin1Char('?'), 0, 0).section(QLatin1Char('#'), 0, 0);
    // A user name with a "/" was a host already: the "@" belonged to a password.
    if (user.contains(QLatin1Char('/')))
        user.clear();
    // A "@" after a "?" or "#" leaves no way to tell where a password ends: show no part of it.
    const int query = rest.indexOf(QRegularExpression(QStringLiteral("[?#]")));
    const bool unclear = query >= 0 && rest.indexOf(QLatin1Char('@'), query) >= 0;
    if (unclear)
        user.clear(), where.clear();
    QString name = scheme + (user.isEmpty() ? QString() : user + QLatin1Char('@')) + where;
    // A well-formed address is shown as the URL parser took it (a "@" in an option's value is no
    // password's end); one whose path holds a "@" had a password taken for a port and a path.
    if (url.isValid() && !url.path().contains(QLatin1Char('@')) && !unclear) {
        QUrl shown = url;
        shown.setPassword(QString());
        shown.setQuery(QString());
        shown.setFragment(QString());
        name = shown.toString();
    }
    const auto bad = [&](const QString& why) {
        *error = Text::tr("The archive address %1 is not usable: %2").arg(name, why);
        return false;
    };
    if (!url.isValid())
        return bad(Text::tr("it is not a valid URL (check the port; write @, /, ?, # or : in a password as %40, %2F, "
                            "%3F, %23, %3A)"));
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
    // A "@" there ended a password that the parser took for a port and a path.
    if (a.database.contains('@'))
        return bad(Text::tr("it is not a valid URL (check the port; write @, /, ?, # or : in a password as %40, %2F, "
                            "%3F, %23, %3A)"));
    a.user = url.userName();
    a.password = url.password();

    QStringList options;
    bool timeout = false;
    for (const auto& item : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        // A password given as an option, with a "&" in it, would name the rest of it as an option.
        if (item.first == QLatin1String("password"))
            return bad(Text::tr("a password goes before the server's name (user:password@server), or in ~/.pgpass"));
        if (std::find(std::begin(knownOptions), std::end(knownOptions), item.first) == std::end(knownOptions)) {
            // A query holding a "@" may have taken in a password meant to end there: name the
            // option only when it cannot be one.
            static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_]{1,40}$"));
            if (url.query(QUrl::FullyDecoded).contains(QLatin1Char('@')) || !plainName.match(item.first).hasMatch())
                return bad(Text::tr("it holds an option that is not known"));
            return bad(Text::tr("unknown option %1").arg(item.first));
        }
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
