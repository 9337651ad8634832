// The directory of people. Directories are written "user:person:from:until", tenures apart by
// " / ", until empty while open.

#include "model/People.h"

#include <QtTest>

#include <random>

namespace {

QDate Day(const QString& text)
{
    return text.isEmpty() ? QDate() : QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

Tenure Parse(const QString& text)
{
    const QStringList f = text.split(QLatin1Char(':'));
    return Tenure{ f.at(0).toInt(), f.at(1), Day(f.at(2)), Day(f.value(3)) };
}

Tenures Dir(const QString& text)
{
    Tenures out;
    if (!text.isEmpty()) {
        for (const QString& t : text.split(QStringLiteral(" / ")))
            out.append(Parse(t));
    }
    return out;
}

QString Text(const Tenures& dir)
{
    QStringList out;
    for (const Tenure& t : dir)
        out << QStringLiteral("%1:%2:%3:%4").arg(t.user).arg(t.person, PeopleDayText(t.from), PeopleDayText(t.until));
    return out.join(QStringLiteral(" / "));
}

// Audit seconds at a day and time.
qint64 At(const QString& day, int hour = 12)
{
    return QDate(2000, 1, 1).daysTo(Day(day)) * 86400 + hour * 3600;
}

const char* const Header = "User,Person,From,Until\r\n";

} // namespace

class TestPeople : public QObject
{
    Q_OBJECT

private slots:
    void set_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("after"); // or the refusal
        QTest::addColumn<bool>("ok");

        const QString maria = "3:Maria Rossi:2024-01-01:2024-08-31";
        const QString mariaOpen = "3:Maria Rossi:2024-01-01:";
        QTest::newRow("first") << "" << mariaOpen << mariaOpen << true;
        QTest::newRow("hand-over") << mariaOpen << "3:Luca:2024-09-01:" << maria + " / 3:Luca:2024-09-01:" << true;
        QTest::newRow("hand-over the day after")
            << mariaOpen << "3:Luca:2024-01-02:" << "3:Maria Rossi:2024-01-01:2024-01-01 / 3:Luca:2024-01-02:" << true;
        QTest::newRow("open tenure begun the same day")
            << mariaOpen << "3:Luca:2024-01-01:" << "User 03 is Maria Rossi since 2024-01-01" << false;
        QTest::newRow("the same tenure again") << maria << maria << "User 03 is Maria Rossi from 2024-01-01 to 2024-08-31" << false;
        QTest::newRow("open tenure begun later")
            << "3:Maria Rossi:2024-06-01:" << "3:Luca:2024-01-01:" << "User 03 is Maria Rossi since 2024-06-01" << false;
        QTest::newRow("ending the day before an open tenure")
            << "3:Maria Rossi:2024-06-01:" << "3:Luca:2024-01-01:2024-05-31"
            << "3:Luca:2024-01-01:2024-05-31 / 3:Maria Rossi:2024-06-01:" << true;
        QTest::newRow("ending on the day an open tenure begins")
            << "3:Maria Rossi:2024-06-01:" << "3:Luca:2024-01-01:2024-06-01" << "User 03 is Maria Rossi since 2024-06-01" << false;
        QTest::newRow("closed tenure overlapped at its end")
            << maria << "3:Luca:2024-08-31:" << "User 03 is Maria Rossi from 2024-01-01 to 2024-08-31" << false;
        QTest::newRow("the day after a closed tenure") << maria << "3:Luca:2024-09-01:" << maria + " / 3:Luca:2024-09-01:" << true;
        QTest::newRow("the day before a closed tenure")
            << maria << "3:Luca:2023-01-01:2023-12-31" << "3:Luca:2023-01-01:2023-12-31 / " + maria << true;
        QTest::newRow("closed tenure overlapped at its start")
            << maria << "3:Luca:2023-06-01:2024-01-01" << "User 03 is Maria Rossi from 2024-01-01 to 2024-08-31" << false;
        QTest::newRow("inside a closed tenure")
            << maria << "3:Luca:2024-02-01:2024-03-01" << "User 03 is Maria Rossi from 2024-01-01 to 2024-08-31" << false;
        // The open tenure would be handed over, but the closed one before it stands in the way.
        QTest::newRow("hand-over blocked by a closed tenure")
            << maria + " / 3:Anna:2024-09-01:" << "3:Luca:2024-05-01:" << "User 03 is Maria Rossi from 2024-01-01 to 2024-08-31" << false;
        QTest::newRow("hand-over after a closed tenure")
            << maria + " / 3:Anna:2024-09-01:" << "3:Luca:2024-10-01:"
            << maria + " / 3:Anna:2024-09-01:2024-09-30 / 3:Luca:2024-10-01:" << true;
        QTest::newRow("another user is no overlap")
            << mariaOpen << "4:Luca:2023-01-01:" << mariaOpen + " / 4:Luca:2023-01-01:" << true;
        QTest::newRow("manager named as the events table names it")
            << "61:Anna:2024-01-01:" << "61:Luca:2023-01-01:" << "Manager 02 is Anna since 2024-01-01" << false;
        QTest::newRow("until before from")
            << maria << "4:Luca:2024-03-02:2024-03-01" << "The last day, 2024-03-01, is before the first, 2024-03-02." << false;
        QTest::newRow("no first day") << "" << "4:Luca::" << "The tenure has no first day." << false;
        QTest::newRow("trimmed") << "" << "4:  Luca Bianchi \t:2024-01-01:" << "4:Luca Bianchi:2024-01-01:" << true;
        QTest::newRow("empty name") << maria << "4: \t :2024-01-01:" << "The name of the person is empty." << false;
        QTest::newRow("a tab inside the name")
            << "" << "4:Luca\tBianchi:2024-01-01:" << "The name of the person holds a line break, a tab or another control character." << false;
        QTest::newRow("a direction override inside the name")
            << "" << QString("4:Luca") + QChar(0x202E) + "Bianchi:2024-01-01:"
            << "The name of the person holds a line break, a tab or another control character." << false;
        const QString unnamable = "User number %1 cannot be named: people hold users 1 to 59, the managers (60 to 62) and the masters (80 and 81).";
        for (int user : { 0, 63, 79, 82, 98, 99, 100, -1 })
            QTest::newRow(qPrintable(QString("user %1").arg(user))) << "" << QString("%1:Luca:2024-01-01:").arg(user) << unnamable.arg(user) << false;
        for (int user : { 1, 59, 60, 62, 80, 81 }) {
            const QString t = QString("%1:Luca:2024-01-01:").arg(user);
            QTest::newRow(qPrintable(QString("user %1").arg(user))) << "" << t << t << true;
        }
    }

    void set()
    {
        QFETCH(QString, before);
        QFETCH(QString, set);
        QFETCH(QString, after);
        QFETCH(bool, ok);
        const PeopleChange change = SetTenure(Dir(before), Parse(set));
        QCOMPARE(change.ok(), ok);
        if (ok) {
            QCOMPARE(Text(change.tenures), after);
        } else {
            QCOMPARE(change.error, after);
            QCOMPARE(Text(change.tenures), before);
        }
    }

    // Names as they are typed, counted as users see characters.
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("ok");
        QTest::newRow("80 letters") << QString(80, 'a') << true;
        QTest::newRow("81 letters") << QString(81, 'a') << false;
        // Each é a letter and a combining accent: 160 code units, 80 characters.
        QTest::newRow("80 letters with combining accents") << QString("e\u0301").repeated(80) << true;
        QTest::newRow("81 letters with combining accents") << QString("e\u0301").repeated(81) << false;
        // Outside the basic plane: two code units each.
        QTest::newRow("80 emoji") << QString::fromUtf8("\xF0\x9F\x98\x80").repeated(80) << true;
        QTest::newRow("a line break") << "Maria\nRossi" << false;
    }

    void names()
    {
        QFETCH(QString, name);
        QFETCH(bool, ok);
        const PeopleChange change = SetTenure({}, Tenure{ 3, name, QDate(2024, 1, 1), QDate() });
        QCOMPARE(change.ok(), ok);
        if (ok)
            QCOMPARE(change.tenures.value(0).person, name.trimmed());
    }

    void days_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("day"); // empty when refused
        QTest::newRow("a day") << "2024-02-29" << "2024-02-29";
        QTest::newRow("blanks around") << " 2024-03-01 " << "2024-03-01";
        QTest::newRow("no 29 February") << "2023-02-29" << "";
        QTest::newRow("month 13") << "2024-13-01" << "";
        QTest::newRow("year 0") << "0000-01-01" << "";
        QTest::newRow("one digit") << "2024-1-05" << "";
        QTest::newRow("other digits") << QString::fromUtf8("٢٠٢٤-01-05") << "";
        QTest::newRow("empty") << "" << "";
    }

    void days()
    {
        QFETCH(QString, text);
        QFETCH(QString, day);
        QDate parsed;
        QString error;
        QCOMPARE(ParsePeopleDay(text, &parsed, &error), !day.isEmpty());
        if (day.isEmpty())
            QCOMPARE(error, QString("'%1' is not a day: write it as YYYY-MM-DD.").arg(text.trimmed()));
        else
            QCOMPARE(PeopleDayText(parsed), day);
    }

    void remove_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("after"); // or the refusal
        QTest::addColumn<bool>("ok");
        const QString both = "3:Maria:2024-01-01:2024-08-31 / 3:Luca:2024-09-01: / 4:Anna:2024-09-01:";
        QTest::newRow("the later") << both << 3 << "2024-09-01" << "3:Maria:2024-01-01:2024-08-31 / 4:Anna:2024-09-01:" << true;
        QTest::newRow("the earlier") << both << 3 << "2024-01-01" << "3:Luca:2024-09-01: / 4:Anna:2024-09-01:" << true;
        QTest::newRow("another user") << both << 4 << "2024-09-01" << "3:Maria:2024-01-01:2024-08-31 / 3:Luca:2024-09-01:" << true;
        QTest::newRow("a day inside is not its first") << both << 3 << "2024-01-02" << "User 03 has no tenure from 2024-01-02." << false;
        QTest::newRow("no such user") << both << 5 << "2024-09-01" << "User 05 has no tenure from 2024-09-01." << false;
        QTest::newRow("not a namable user")
            << both << 63 << "2024-09-01"
            << "User number 63 cannot be named: people hold users 1 to 59, the managers (60 to 62) and the masters (80 and 81)." << false;
    }

    void remove()
    {
        QFETCH(QString, before);
        QFETCH(int, user);
        QFETCH(QString, from);
        QFETCH(QString, after);
        QFETCH(bool, ok);
        const PeopleChange change = RemoveTenure(Dir(before), user, Day(from));
        QCOMPARE(change.ok(), ok);
        QCOMPARE(ok ? Text(change.tenures) : change.error, after);
        if (!ok)
            QCOMPARE(Text(change.tenures), before);
    }

    void personOfEvent_data()
    {
        QTest::addColumn<int>("event");
        QTest::addColumn<int>("user");
        QTest::addColumn<qint64>("time");
        QTest::addColumn<QString>("person");
        QTest::newRow("last second of a tenure") << 0x01 << 3 << At("2024-08-31", 24) - 1 << "Maria";
        QTest::newRow("first second of the next") << 0x01 << 3 << At("2024-09-01", 0) << "Luca";
        QTest::newRow("first day") << 0x05 << 3 << At("2024-01-01", 0) << "Maria";
        QTest::newRow("the day before the first") << 0x05 << 3 << At("2023-12-31", 23) << "";
        QTest::newRow("option change: the byte is an option") << 0x68 << 3 << At("2024-05-01") << "";
        QTest::newRow("configuration change") << 0x70 << 3 << At("2024-05-01") << "";
        QTest::newRow("lock installed") << 0x03 << 100 << At("2024-05-01") << "";
        QTest::newRow("code changed by a user") << 0x03 << 3 << At("2024-05-01") << "Maria";
        QTest::newRow("ERC user") << 0x01 << 98 << At("2024-05-01") << "";
        QTest::newRow("other user") << 0x01 << 63 << At("2024-05-01") << "";
        QTest::newRow("manager") << 0x01 << 60 << At("2024-05-01") << "Anna";
        QTest::newRow("master") << 0xFA << 80 << At("2024-05-01") << "Piero";
        QTest::newRow("master 02 before 2000") << 0x01 << 81 << qint64(-1) << "Old";
        // A clock never set counts from 2000: no day to go by.
        QTest::newRow("clock never set") << 0x01 << 81 << At("2000-06-01") << "";
        QTest::newRow("no time") << 0x01 << 81 << qint64(0) << "";
        QTest::newRow("first day after 2000") << 0x01 << 81 << At("2001-01-01", 0) << "Old";
        QTest::newRow("far future") << 0x01 << 81 << (qint64(1) << 62) << "";
        QTest::newRow("far past") << 0x01 << 81 << std::numeric_limits<qint64>::min() << "";
    }

    void personOfEvent()
    {
        QFETCH(int, event);
        QFETCH(int, user);
        QFETCH(qint64, time);
        QFETCH(QString, person);
        const PeopleIndex index(Dir("3:Maria:2024-01-01:2024-08-31 / 3:Luca:2024-09-01: / 60:Anna:2023-01-01: / "
                                    "80:Piero:2020-01-01:2030-12-31 / 81:Old:1999-01-01:"));
        const QString found = index.person(event, user, time);
        QCOMPARE(found, person);
        QCOMPARE(found.isNull(), person.isEmpty());
    }

    // Directories grown by random changes, the index against a plain scan.
    void indexAgreesWithAScan()
    {
        std::mt19937 random(7);
        const QDate start(2020, 1, 1);
        for (int round = 0; round < 20; ++round) {
            Tenures dir;
            for (int k = 0; k < 60; ++k) {
                const int user = std::uniform_int_distribution<int>(1, 4)(random);
                const QDate from = start.addDays(std::uniform_int_distribution<int>(0, 2000)(random));
                const int length = std::uniform_int_distribution<int>(-1, 300)(random);
                const PeopleChange c = SetTenure(dir, Tenure{ user, QString("P%1").arg(k), from, length < 0 ? QDate() : from.addDays(length) });
                if (c.ok())
                    dir = c.tenures;
            }
            std::shuffle(dir.begin(), dir.end(), random);
            const PeopleIndex index(dir);
            for (int k = 0; k < 500; ++k) {
                const int user = std::uniform_int_distribution<int>(1, 4)(random);
                const QDate day = start.addDays(std::uniform_int_distribution<int>(-10, 2400)(random));
                QString expected;
                for (const Tenure& t : dir) {
                    if (t.user == user && t.covers(day)) {
                        QVERIFY2(expected.isNull(), "two tenures of one user cover one day");
                        expected = t.person;
                    }
                }
                QCOMPARE(index.person(0x01, user, At(PeopleDayText(day))), expected);
            }
        }
    }

    void unnamed_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("unnamed");
        QTest::newRow("Maria's last day") << "2024-08-31" << "4 80";
        QTest::newRow("the day after") << "2024-09-01" << "3 4 80";
        QTest::newRow("before Anna") << "2023-12-31" << "3 4 60 80";
        QTest::newRow("no download day") << "" << "3 4 60 80";
    }

    // Installed 3, 60, 80, 63 and the ERC user; disabled 4; deleted 5; unknown status at 6.
    void unnamed()
    {
        QFETCH(QString, day);
        QFETCH(QString, unnamed);
        Config config;
        for (int user : { 3, 60, 80, 63, 98 })
            config.userStatus[size_t(user)] = 1;
        config.userStatus[4] = 2;
        config.userStatus[5] = 3;
        config.userStatus[6] = 9;
        const Tenures dir = Dir("3:Maria:2024-01-01:2024-08-31 / 5:Luca:2024-01-01: / 60:Anna:2024-01-01:");
        QStringList numbers;
        for (int user : UnnamedUsers(dir, config, Day(day)))
            numbers << QString::number(user);
        QCOMPARE(numbers.join(' '), unnamed);
    }

    // By user, by first day, a user's blank row after its tenures.
    void listing()
    {
        const Tenures dir = Dir("80:Piero:2024-01-01: / 3:Luca:2024-09-01:2024-10-01 / 60:Anna:2024-01-01: / "
                                "3:Maria:2024-01-01:2024-08-31 / 59:Gino:2020-01-01:2020-01-31");
        const QByteArray csv = PeopleCsv(PeopleTextTable(dir, { 81, 3, 4, 81 }));
        QCOMPARE(QString::fromUtf8(csv), QString("User,Person,From,Until\r\n"
                                                 "User 03,Maria,2024-01-01,2024-08-31\r\n"
                                                 "User 03,Luca,2024-09-01,2024-10-01\r\n"
                                                 "User 03,,,\r\n"
                                                 "User 04,,,\r\n"
                                                 "User 59,Gino,2020-01-01,2020-01-31\r\n"
                                                 "Manager,Anna,2024-01-01,\r\n"
                                                 "Master,Piero,2024-01-01,\r\n"
                                                 "Master 02,,,\r\n"));
    }

    void listingInItalian()
    {
        QTranslator italian;
        QVERIFY(italian.load(QStringLiteral("audit_it"), QStringLiteral(CORVANE_BINARY_DIR)));
        QVERIFY(QCoreApplication::installTranslator(&italian));
        const TextTable table = PeopleTextTable(Dir("3:Maria:2024-01-01:2024-08-31 / 62:Anna:2024-01-01:"), { 3 });
        QCOMPARE(table.header.join(','), QString("Utente,Persona,Dal,Al"));
        QCOMPARE(table.rows.value(0).value(0), QString("Utente 03"));
        QCOMPARE(table.rows.value(2).join(','), QString("Manager 03,Anna,2024-01-01,"));
        const QString conflict = SetTenure(Dir("3:Maria:2024-01-01:"), Parse("3:Luca:2023-01-01:")).error;
        QCoreApplication::removeTranslator(&italian);
        QCOMPARE(conflict, QString("Utente 03 è Maria dal 2024-01-01"));
    }

    // List, fill in the blank rows, import, and list again: every name comes back exactly.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "";
        QTest::newRow("Italian") << "it";
        QTest::newRow("Spanish") << "es";
    }

    void roundTrip()
    {
        QFETCH(QString, language);
        QTranslator catalogue;
        if (!language.isEmpty()) {
            QVERIFY(catalogue.load("audit_" + language, QStringLiteral(CORVANE_BINARY_DIR)));
            QVERIFY(QCoreApplication::installTranslator(&catalogue));
        }
        const QStringList names = { "Rossi, Maria", "Anna \"Nina\" Bianchi", "D'Angelo", QString::fromUtf8("Zoë Ñúñez 李"),
                                    "=SUM(A1:A9)", "+39 333", "-", "@home", "'=already quoted", "''+twice", "'plain", "'",
                                    "a;b", "x\"" };
        Tenures dir;
        for (int k = 0; k < names.size(); ++k)
            dir.append(Tenure{ k + 1, names.at(k), QDate(2024, 1, 1 + k), k % 2 ? QDate(2024, 3, 1) : QDate() });
        dir.append(Tenure{ 60, "Gestore", QDate(2023, 5, 1), QDate() });

        // The listing with users 20 and 81 to name, filled in as a person would.
        QByteArray csv = PeopleCsv(PeopleTextTable(dir, { 20, 81 }));
        const QByteArray blank20 = (UserText(1, 20) + ",,,\r\n").toUtf8();
        const QByteArray blank81 = (UserText(1, 81) + ",,,\r\n").toUtf8();
        QVERIFY(csv.contains(blank20) && csv.contains(blank81));
        csv.replace(blank20, (UserText(1, 20) + ",\"Neri, Ugo\",2024-06-01,\r\n").toUtf8());

        const PeopleChange imported = ImportPeople(csv, PeopleVocabulary(QList<const QTranslator*>{ &catalogue }));
        QCoreApplication::removeTranslator(&catalogue);
        QVERIFY2(imported.ok(), qPrintable(imported.error));
        Tenures expected = dir;
        expected.insert(names.size(), Tenure{ 20, "Neri, Ugo", QDate(2024, 6, 1), QDate() });
        QCOMPARE(Text(imported.tenures), Text(expected));
        QCoreApplication::installTranslator(&catalogue);
        const QByteArray again = PeopleCsv(PeopleTextTable(imported.tenures, { 81 }));
        QCoreApplication::removeTranslator(&catalogue);
        QCOMPARE(again, csv);
    }

    // What other tools make of a listing still reads.
    void importVariants_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("tenures");
        const QByteArray row = "User 03,Maria,2024-01-01,\r\n";
        QTest::newRow("no line end at the end") << QByteArray("User,Person,From,Until\r\nUser 03,Maria,2024-01-01,") << "3:Maria:2024-01-01:";
        QTest::newRow("LF") << QByteArray("User,Person,From,Until\nUser 03,Maria,2024-01-01,\n") << "3:Maria:2024-01-01:";
        QTest::newRow("CR") << QByteArray("User,Person,From,Until\rUser 03,Maria,2024-01-01,\r") << "3:Maria:2024-01-01:";
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF") + Header + row << "3:Maria:2024-01-01:";
        QTest::newRow("semicolons, Italian")
            << QByteArray("Utente;Persona;Dal;Al\r\nUtente 03;Rossi, Maria;2024-01-01;2024-02-01\r\n") << "3:Rossi, Maria:2024-01-01:2024-02-01";
        QTest::newRow("Spanish names")
            << QByteArray("Usuario,Persona,Desde,Hasta\r\nUsuario 03,Ana,2024-01-01,\r\nGerente 02,Luis,2024-01-01,\r\nMaestro,Pablo,2024-01-01,\r\n")
            << "3:Ana:2024-01-01: / 61:Luis:2024-01-01: / 80:Pablo:2024-01-01:";
        QTest::newRow("languages mixed, case and blanks aside")
            << QByteArray("user,PERSONA,Dal,until\r\n  utente   04 ,Ana,2024-01-01,\r\nMANAGER 03,Luis,2024-01-01,\r\n")
            << "4:Ana:2024-01-01: / 62:Luis:2024-01-01:";
        QTest::newRow("as the users table names them")
            << QByteArray(Header) + "User 05,Ana,2024-01-01,\r\nManager 2,Luis,2024-01-01,\r\nMaster 2,Pia,2024-01-01,\r\n"
            << "5:Ana:2024-01-01: / 61:Luis:2024-01-01: / 81:Pia:2024-01-01:";
        QTest::newRow("numbers") << QByteArray(Header) + "3,Ana,2024-01-01,\r\n060,Luis,2024-01-01,\r\n81,Pia,2024-01-01,\r\n"
                                 << "3:Ana:2024-01-01: / 60:Luis:2024-01-01: / 81:Pia:2024-01-01:";
        QTest::newRow("rows without a person skipped, whatever else they hold")
            << QByteArray(Header) + "User 03,,,\r\nUser 04, ,not a day,\r\nGhost,,,\r\nUser 05\r\n" + row << "3:Maria:2024-01-01:";
        QTest::newRow("blank lines") << QByteArray(Header) + "\r\n" + row + ",,,\r\n\r\n" << "3:Maria:2024-01-01:";
        QTest::newRow("empty columns carried along")
            << QByteArray("User,Person,From,Until,,\r\nUser 03,Maria,2024-01-01,,,\r\nUser 04,Luca,2024-01-01\r\n")
            << "3:Maria:2024-01-01: / 4:Luca:2024-01-01:";
        QTest::newRow("quotes everywhere")
            << QByteArray("\"User\",\"Person\",\"From\",\"Until\"\r\n\"User 03\",\"Maria \"\"Mia\"\"\",\"2024-01-01\",\"\"\r\n")
            << "3:Maria \"Mia\":2024-01-01:";
        QTest::newRow("a leading apostrophe without a formula stays")
            << QByteArray(Header) + "User 03,'Maria,2024-01-01,\r\n" << "3:'Maria:2024-01-01:";
        QTest::newRow("rows in any order")
            << QByteArray(Header) + "User 03,Luca,2024-09-01,\r\nUser 03,Maria,2024-01-01,2024-08-31\r\n"
            << "3:Maria:2024-01-01:2024-08-31 / 3:Luca:2024-09-01:";
    }

    void importVariants()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, tenures);
        QTranslator italian, spanish;
        QVERIFY(italian.load(QStringLiteral("audit_it"), QStringLiteral(CORVANE_BINARY_DIR)));
        QVERIFY(spanish.load(QStringLiteral("audit_es"), QStringLiteral(CORVANE_BINARY_DIR)));
        const PeopleChange change = ImportPeople(csv, PeopleVocabulary({ &italian, &spanish }));
        QVERIFY2(change.ok(), qPrintable(change.error));
        QCOMPARE(Text(change.tenures), tenures);
    }

    // Any bad row refuses the whole file, saying where and why.
    void importRefused_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("error");
        const QByteArray good = "User 03,Maria,2024-01-01,2024-08-31\r\n";
        const QString header = "line 1: the first line must be the header User,Person,From,Until.";
        QTest::newRow("empty file") << QByteArray() << header;
        QTest::newRow("no header") << good << header;
        QTest::newRow("columns in another order") << QByteArray("Person,User,From,Until\r\n") + good << header;
        QTest::newRow("impossible day")
            << QByteArray(Header) + good + "User 04,Luca,2023-02-29,\r\n" << "line 3: '2023-02-29' is not a day: write it as YYYY-MM-DD.";
        QTest::newRow("day first") << QByteArray(Header) + "User 04,Luca,01/02/2024,\r\n"
                                   << "line 2: '01/02/2024' is not a day: write it as YYYY-MM-DD.";
        QTest::newRow("bad until") << QByteArray(Header) + "User 04,Luca,2024-01-01,soon\r\n"
                                   << "line 2: 'soon' is not a day: write it as YYYY-MM-DD.";
        QTest::newRow("no from") << QByteArray(Header) + "User 04,Luca,,2024-01-01\r\n" << "line 2: the From day is missing.";
        QTest::newRow("until before from") << QByteArray(Header) + "User 04,Luca,2024-01-02,2024-01-01\r\n"
                                           << "line 2: The last day, 2024-01-01, is before the first, 2024-01-02.";
        QTest::newRow("unknown user") << QByteArray(Header) + "Ghost,Luca,2024-01-01,\r\n"
                                      << "line 2: 'Ghost' is neither a user number nor the name of a user.";
        QTest::newRow("user the lock does not name")
            << QByteArray(Header) + "63,Luca,2024-01-01,\r\n"
            << "line 2: User number 63 cannot be named: people hold users 1 to 59, the managers (60 to 62) and the masters (80 and 81).";
        QTest::newRow("name too long") << QByteArray(Header) + "User 04," + QByteArray(81, 'x') + ",2024-01-01,\r\n"
                                       << "line 2: The name of the person is longer than 80 characters.";
        QTest::newRow("a line break in a name") << QByteArray(Header) + "User 04,\"Luca\nBianchi\",2024-01-01,\r\n"
                                                << "line 2: The name of the person holds a line break, a tab or another control character.";
        QTest::newRow("a fifth column") << QByteArray(Header) + "User 04,Luca,2024-01-01,,note\r\n"
                                        << "line 2: a row has four columns: User, Person, From, Until.";
        QTest::newRow("quote not closed") << QByteArray(Header) + good + "User 04,\"Luca,2024-01-01,\r\n" + good
                                          << "line 3: a quoted field is not closed.";
        QTest::newRow("text after a quote") << QByteArray(Header) + "User 04,\"Luca\" Bianchi,2024-01-01,\r\n"
                                            << "line 2: text follows a closing quote.";
        QTest::newRow("not UTF-8") << QByteArray(Header) + "User 04,Lu\xE7" "a,2024-01-01,\r\n" << "line 2: the text is not UTF-8.";
        QTest::newRow("cut inside a character") << QByteArray(Header) + "User 04,Zo\xC3" << "line 2: the text is not UTF-8.";
        // A quoted field over two lines: the rows after it keep their place.
        QTest::newRow("lines counted across a quoted line break")
            << QByteArray(Header) + "User 03,Maria,2024-01-01,\"\r\n\"\r\nUser 04,Luca,2024-01-00,\r\n"
            << "line 4: '2024-01-00' is not a day: write it as YYYY-MM-DD.";
        QTest::newRow("rows overlapping")
            << QByteArray(Header) + good + "User 04,Luca,2024-01-01,\r\n03,Anna,2024-08-31,\r\n"
            << "line 4: User 03 is Maria from 2024-01-01 to 2024-08-31 (line 2).";
        // No hand-over within a file: it states the whole directory.
        QTest::newRow("an open row before another")
            << QByteArray(Header) + "User 03,Luca,2024-01-01,\r\nUser 03,Anna,2024-09-01,\r\n"
            << "line 3: User 03 is Luca since 2024-01-01 (line 2).";
    }

    void importRefused()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, error);
        const PeopleChange change = ImportPeople(csv, PeopleVocabulary());
        QCOMPARE(change.error, error);
        QVERIFY(change.tenures.isEmpty());
    }

    // A listing damaged at random: refused with a line, or a sound directory that lists and reads
    // back to itself.
    void importDamaged()
    {
        const QByteArray listing = QByteArray(Header) + "User 03,Maria,2024-01-01,2024-08-31\r\nUser 03,\"Luca, \"\"L\"\"\",2024-09-01,\r\n"
                                   "Manager,'=x,2023-01-01,2023-12-31\r\n60,Anna,2024-01-01,\r\nMaster 02,,,\r\n";
        const QByteArray alphabet("\",;'=\r\n-0123456789\xC3\xA9\xFF ");
        const PeopleVocabulary vocabulary;
        std::mt19937 random(11);
        int accepted = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray csv = listing;
            const int changes = std::uniform_int_distribution<int>(1, 4)(random);
            for (int c = 0; c < changes; ++c) {
                const int at = std::uniform_int_distribution<int>(int(strlen(Header)), csv.size() - 1)(random);
                const char byte = alphabet.at(std::uniform_int_distribution<int>(0, alphabet.size() - 1)(random));
                switch (std::uniform_int_distribution<int>(0, 2)(random)) {
                case 0: csv[at] = byte; break;
                case 1: csv.insert(at, byte); break;
                default: csv.remove(at, 1); break;
                }
            }
            const PeopleChange change = ImportPeople(csv, vocabulary);
            if (!change.ok()) {
                QVERIFY2(change.error.startsWith("line ") && change.tenures.isEmpty(), csv.constData());
                continue;
            }
            ++accepted;
            for (int k = 0; k < change.tenures.size(); ++k) {
                const Tenure& t = change.tenures.at(k);
                QVERIFY2(TenureError(t).isEmpty(), csv.constData());
                if (k > 0 && change.tenures.at(k - 1).user == t.user)
                    QVERIFY2(change.tenures.at(k - 1).until.isValid() && change.tenures.at(k - 1).until < t.from, csv.constData());
            }
            const PeopleChange again = ImportPeople(PeopleCsv(PeopleTextTable(change.tenures, {})), vocabulary);
            QVERIFY2(again.ok(), qPrintable(again.error));
            QCOMPARE(Text(again.tenures), Text(change.tenures));
        }
        // Both outcomes were exercised.
        QVERIFY(accepted > 100 && accepted < 2900);
    }

    // The catalogues are found where the program keeps its translations.
    void vocabularyLoads()
    {
        for (const char* name : { "audit_it.qm", "audit_es.qm" }) {
            const QString copy = QCoreApplication::applicationDirPath() + '/' + name;
            QFile::remove(copy);
            QVERIFY(QFile::copy(QStringLiteral(CORVANE_BINARY_DIR "/") + name, copy));
        }
        const PeopleVocabulary vocabulary = PeopleVocabulary::load();
        QCOMPARE(vocabulary.userNumber("Utente 07"), 7);
        QCOMPARE(vocabulary.userNumber("Gerente 03"), 62);
        QCOMPARE(vocabulary.userNumber("Maestro 02"), 81);
        QCOMPARE(vocabulary.userNumber("User 60"), -1);
        QCOMPARE(vocabulary.userNumber("ERC 1 user"), -1);
        QVERIFY(vocabulary.isHeader({ "Usuario", "Persona", "Desde", "Hasta" }));
    }
};

QTEST_GUILESS_MAIN(TestPeople)
#include "tst_people.moc"
