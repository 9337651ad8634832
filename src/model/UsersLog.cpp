#include "model/UsersLog.h"

#include "model/LockCodes.h"

#include <QCoreApplication>

namespace {

// The texts belong to the users log dialog that shows them.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(UsersLogDialog)
};

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString slotName(int slot)
{
    switch (slot) {
    case users::Manager:
        return Texts::tr("Manager");
    case users::Manager2:
        return Texts::tr("Manager 02");
    case users::Manager3:
        return Texts::tr("Manager 03");
    case users::Master:
        return Texts::tr("Master");
    case users::Master2:
        return Texts::tr("Master 02");
    case users::Erc1:
        return Texts::tr("ERC 1 user");
    case users::Erc2:
        return Texts::tr("ERC 2 user");
    default:
        break;
    }
    if ((slot >= users::FirstUser && slot <= users::LastUser) || (slot >= users::FirstOtherUser && slot <= users::LastOtherUser))
        return Texts::tr("User %1").arg(twoDigits(slot));
    return QString();
}

QString installer(const quint8* record)
{
    if (record[0] == userslog::SetupInstalled)
        return QStringLiteral("Corvane Setup");
    if (record[0] == userslog::NoLog)
        return Texts::tr("No log");
    return slotName(record[1]);
}

QString installationDate(const quint8* r, const DisplaySettings& settings)
{
    if (r[2] == 0)
        return QString();
    // Held as UTC so that no time-zone gap can move the lock's reading.
    const QDateTime at(QDate(2000 + r[4], r[3], r[2]), QTime(r[5], r[6], r[7]), Qt::UTC);
    return FormatDateTime(at, settings);
}

} // namespace

int UserSlotType(char c)
{
    switch (c) {
    case 'C': case 'D': case 'E': case 'F':
        return 1;
    case '5': case '7':
        return 2;
    case '4': case '6':
        return 3;
    default:
        return 0;
    }
}

QVector<UsersLogRow> UsersLogRows(const quint8* records, const DisplaySettings& settings)
{
    QVector<QPair<int, QString>> userSlots = { { users::Manager, Texts::tr("Manager") },
                                               { users::Manager2, Texts::tr("Manager 02") },
                                               { users::Manager3, Texts::tr("Manager 03") },
                                               { users::Master, Texts::tr("Master") },
                                               { users::Master2, Texts::tr("Master 02") } };
    for (int n = users::FirstUser; n <= users::LastUser; ++n)
        userSlots.append({ n, Texts::tr("User %1").arg(twoDigits(n)) });

    QVector<UsersLogRow> rows;
    rows.reserve(userSlots.size());
    for (const auto& slot : userSlots) {
        const quint8* record = records + slot.first * userslog::RecordSize;
        rows.append({ slot.second, installer(record), installationDate(record, settings) });
    }
    return rows;
}

QMap<int, QDate> UsersLogInstallationDays(const QByteArray& records)
{
    QMap<int, QDate> days;
    if (records.size() < userslog::RecordCount * userslog::RecordSize)
        return days;
    const auto* r = reinterpret_cast<const quint8*>(records.constData());
    for (int slot = 0; slot < userslog::RecordCount; ++slot, r += userslog::RecordSize) {
        if (r[0] == userslog::NoLog || r[2] == 0)
            continue;
        const QDate day(2000 + r[4], r[3], r[2]);
        if (day.isValid())
            days.insert(slot, day);
    }
    return days;
}

QStringList UsersLogHeaders()
{
    return { Texts::tr("User"), Texts::tr("Insatlled by"), Texts::tr("Date") };
}
