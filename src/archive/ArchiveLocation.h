#pragma once

#include <QString>

// Where an archive lives: a SQLite file, or a PostgreSQL database named by a URL
// postgresql://[user[:password]@]host[:port]/database[?option=value&...].
struct ArchiveAddress
{
    bool server = false;
    QString path; // the SQLite file
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password; // from the URL; libpq's password file serves when it is empty
    QString connectOptions; // libpq options, "name=value;..."
    // The location as it may be shown: never with the password.
    QString display;
};

// False with a message for a malformed URL (a bad port, no host or database, an unknown option).
bool ParseArchiveAddress(const QString& location, ArchiveAddress* out, QString* error);

// archive.sqlite in the user's data folder.
QString DefaultArchivePath();

// The archive to use: `option` (--archive) when given, else CORVANE_AUDIT_ARCHIVE, else ArchiveUrl
// in Settings.ini, else the default.
QString ChooseArchiveLocation(const QString& option = QString());
