#include "UsersLog.h"

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
    case 0x3C:
        return Texts::tr("Manager");
    case 0x3D:
        return Texts::tr("Manager 02");
    case 0x3E:
        return Texts::tr("Manager 03");
    case 0x50:
        return Texts::tr("Master");
    case 0x51:
        return Texts::tr("Master 02");
    case 0x62:
        return Texts::tr("ERC 1 user");
    case 0x63:
        return Texts::tr("ERC 2 user");
    default:
        break;
    }
    if ((slot >= 0x01 && slot <= 0x3B) || (slot >= 0x3F && slot <= 0x4F))
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
    QVector<QPair<int, QString>> userSlots = { { 60, Texts::tr("Manager") },   { 61, Texts::tr("Manager 02") }, { 62, Texts::tr("Manager 03") },
                                           { 80, Texts::tr("Master") },    { 81, Texts::tr("Master 02") } };
    for (int n = 1; n <= 59; ++n)
        userSlots.append({ n, Texts::tr("User %1").arg(twoDigits(n)) });

    QVector<UsersLogRow> rows;
    rows.reserve(userSlots.size());
    for (const auto& slot : userSlots) {
        const quint8* record = records + slot.first * userslog::RecordSize;
        rows.append({ slot.second, installer(record), installationDate(record, settings) });
    }
    return rows;
}

QStringList UsersLogHeaders()
{
    return { Texts::tr("User"), Texts::tr("Insatlled by"), Texts::tr("Date") };
}
