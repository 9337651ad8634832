#pragma once

#include "model/AuditRecords.h"
#include "model/EventRows.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// One caption/value pair of the "Configuration" group; labelName is the value label's
// object name on the configuration tab.
struct ConfigItem
{
    QString labelName;
    QString caption;
    QString value;
};

// One row of the users table. An empty status or opening mode means the cell has no item.
struct UserRow
{
    QString name;
    QString status;
    QString openingMode;
    int user = -1; // the user number the row is about
    // The person holding the number on the latest visit's day, for a lock's history whose
    // directory names people (NamePeople); null for none.
    QString person;
};

struct ConfigPresentation
{
    QString lockName;
    QString serialNumber;
    QString lockVersion;
    QString keypadVersion;
    QString pcDownloadTime;
    QString keypadDownloadTime;
    QVector<ConfigItem> configuration;
    QVector<UserRow> users;
    // The users' rows name their persons: a lock's history whose directory names anyone.
    bool persons = false;
};

// Turns the lock record into the texts of the configuration and users tabs and the two
// download times. The keypad time is the lock's clock at its newest event, shown even in
// the year 2000; it is empty when there are no lock events.
ConfigPresentation PresentConfig(const Config& config, bool busAudit, const QList<EventsTable>& lockEvents,
                                 const DisplaySettings& settings);

// "Lock name:", "Serial number:", "Lock version:", "Keypad version:",
// "PC date/time at audit download:", "Keypad date/time at audit download:", translated.
QStringList IdentityCaptions();

// The identity captions paired with their values and label names, in the same order.
QVector<ConfigItem> IdentityItems(const ConfigPresentation& presentation);

// "User", "Status", "Opening mode", translated.
QStringList UserColumnHeaders();
