#include "model/UsersLog.h"

#include <QtTest>

class TestUsersLog : public QObject
{
    Q_OBJECT

private slots:
    // Each case fills the record of User 01 (the sixth row) and reads its two cells.
    void rows()
    {
        const struct { std::array<quint8, 8> record; int date, hour; const char* installedBy; const char* when; } cases[] = {
            { { 0x01, 0x40, 4, 3, 19, 15, 6, 7 }, 1, 1, "User 64", "03/04/2019 03.06.07 PM" },
            { { 0x01, 0x3C, 4, 3, 19, 15, 6, 7 }, 0, 0, "Manager", "04/03/2019 15.06.07" },
            { { 0x01, 0x51, 0, 3, 19, 15, 6, 7 }, 0, 0, "Master 02", "" },  // day 0: no date
            { { 0x01, 0x55, 1, 1, 0, 0, 0, 0 }, 0, 0, "", "01/01/2000 00.00.00" },
            { { 0x01, 0x00, 0, 0, 0, 0, 0, 0 }, 0, 0, "", "" },
            { { 0x01, 0x63, 0, 0, 0, 0, 0, 0 }, 0, 0, "ERC 2 user", "" },
            { { 0x12, 0x50, 0, 0, 0, 0, 0, 0 }, 0, 0, "Corvane Setup", "" },
            { { 0x80, 0x50, 0, 0, 0, 0, 0, 0 }, 0, 0, "No log", "" },
            { { 0x01, 0x01, 31, 2, 23, 9, 0, 0 }, 0, 0, "User 01", "" }, // no 31 February
        };
        for (const auto& c : cases) {
            std::array<quint8, userslog::BufferSize> records{};
            std::copy(c.record.begin(), c.record.end(), records.begin() + 1 * userslog::RecordSize);
            const QVector<UsersLogRow> rows = UsersLogRows(records.data(), DisplaySettings { c.date, c.hour });
            QCOMPARE(rows.at(5).user, QStringLiteral("User 01"));
            QCOMPARE(rows.at(5).installedBy, QString::fromLatin1(c.installedBy));
            QCOMPARE(rows.at(5).date, QString::fromLatin1(c.when));
        }
    }

    // Managers, masters, then users 01 to 59: 64 rows; slots 0, 63..79 and 82..103 never show.
    void order()
    {
        std::array<quint8, userslog::BufferSize> records{};
        for (int slot = 0; slot < userslog::RecordCount; ++slot)
            records[slot * userslog::RecordSize] = userslog::SetupInstalled;
        QStringList names;
        for (const UsersLogRow& row : UsersLogRows(records.data(), DisplaySettings()))
            names << row.user;
        QCOMPARE(names.size(), 64);
        QCOMPARE(names.mid(0, 6), (QStringList{ "Manager", "Manager 02", "Manager 03", "Master", "Master 02", "User 01" }));
        QCOMPARE(names.last(), QStringLiteral("User 59"));
    }

    void slotTypes()
    {
        QString types;
        for (char c : QByteArray("0123456789ABCDEFabc?"))
            types += QString::number(UserSlotType(c));
        QCOMPARE(types, QStringLiteral("00003232000011110000"));
    }
};

QTEST_GUILESS_MAIN(TestUsersLog)
#include "tst_userslog.moc"
