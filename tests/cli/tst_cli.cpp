#include "AuditCli.h"
#include "AuditFile.h"
#include "model/AuditFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

using namespace fixtures;

namespace {

struct RunResult
{
    int code = -1;
    QString out;
    QString err;
};

RunResult Run(const QStringList& args)
{
    RunResult r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = cli::Run(args, out, err);
    out.flush();
    err.flush();
    return r;
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Every line ends in CR LF, and no LF stands alone.
bool CrlfOnly(const QByteArray& csv)
{
    return csv.endsWith("\r\n") && csv.count('\n') == csv.count("\r\n");
}

const QStringList HeaderTexts { "#", "Device", "Date", "Date with DST", "User", "Event", "Event ID" };

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString busFile;
    QString dallasFile;
    QString dallasRaw;

    QString path(const QString& name) const { return dir.filePath(name); }

    static void provideTranslations(bool present)
    {
        for (const char* name : { "audit_it.qm", "audit_es.qm" }) {
            const QString here = QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
            QFile::remove(here);
            if (present)
                QVERIFY(QFile::copy(QStringLiteral(CORVANE_BINARY_DIR "/") + QLatin1String(name), here));
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        auto bus = std::make_unique<AuditSession>();
        LoadBus(*bus, 300);
        Present(*bus);
        busFile = path("bus.kaud");
        QVERIFY(AuditFile::Save(busFile, *bus, QStringLiteral("06/05/2024 07.00.00")));

        auto dallas = std::make_unique<AuditSession>();
        LoadDallas(*dallas, DallasImage());
        Present(*dallas);
        dallasFile = path("dallas.kaud");
        QVERIFY(AuditFile::Save(dallasFile, *dallas, QString()));
        dallasRaw = path("key.bin");
        QVERIFY(WriteAll(dallasRaw, DallasImage()));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("reason");
        const QString in = QStringLiteral("in.kaud");
        QTest::newRow("nothing") << QStringList() << "No command given.";
        QTest::newRow("unknown command") << QStringList { "convert", in, "o.csv" } << "Unknown command: convert";
        QTest::newRow("export without output") << QStringList { "export", in } << "Wrong number of arguments.";
        QTest::newRow("show with two inputs") << QStringList { "show", in, in } << "Wrong number of arguments.";
        QTest::newRow("unknown option") << QStringList { "show", in, "--colour" } << "Unknown option: --colour";
        QTest::newRow("table") << QStringList { "export", in, "o.csv", "--table", "keys" } << "Unknown table: keys";
        QTest::newRow("date format") << QStringList { "show", in, "--date-format", "ymd" } << "Unknown date format: ymd";
        QTest::newRow("hour format") << QStringList { "show", in, "--hour-format", "13" } << "Unknown hour format: 13";
        QTest::newRow("audit") << QStringList { "show", in, "--audit", "brief" } << "Unknown audit type: brief";
        QTest::newRow("language") << QStringList { "show", in, "--language", "fr" } << "Unknown language: fr";
        QTest::newRow("option without value") << QStringList { "export", in, "o.csv", "--table" }
                                              << "Option --table needs a value.";
        QTest::newRow("output not csv") << QStringList { "export", in, "o.xlsx" }
                                        << "Unsupported output: o.xlsx (use a .csv file or -).";
    }

    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        const RunResult r = Run(args);
        QCOMPARE(r.code, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.startsWith(reason + QLatin1Char('\n')), qPrintable(r.err));
        QVERIFY(r.err.endsWith(cli::UsageText()));
        QVERIFY(cli::UsageText().contains("corvane-audit-cli export INPUT OUTPUT"));
    }

    void rejectedInputs_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QByteArray>("content"); // not written when null
        QTest::addColumn<QString>("message");
        QByteArray altered = ReadAll(busFile);
        altered[altered.size() - 70] = char(altered[altered.size() - 70] ^ 1); // in the digest
        QByteArray badKey = RequestImage();
        badKey[32] = 0x01; // a non-zero byte where the first separator belongs
        badKey.replace(126, 2, QByteArray(2, '\0'));
        const quint16 sum = DallasBlockChecksum(reinterpret_cast<const quint8*>(badKey.constData()));
        badKey[126] = char(sum >> 8);
        badKey[127] = char(sum & 0xFF);

        QTest::newRow("missing") << path("absent.kaud") << QByteArray() << "Unable to read " + path("absent.kaud");
        QTest::newRow("altered audit file") << path("altered.kaud") << altered << "File not valid";
        QTest::newRow("empty audit file") << path("empty.kaud") << QByteArray("") << "File not valid";
        QTest::newRow("raw image, data error") << path("bad.bin") << badKey << "Dallas key data error";
        const QString notAnImage = " is neither an audit file (.kaud) nor a Dallas audit image of 8192 bytes.";
        QTest::newRow("8191 bytes") << path("short.bin") << QByteArray(8191, '\x55') << path("short.bin") + notAnImage;
        QTest::newRow("8193 bytes") << path("long.bin") << QByteArray(8193, '\x55') << path("long.bin") + notAnImage;
        QTest::newRow("csv given as input") << path("table.csv") << QByteArray("#,Device\r\n") << path("table.csv") + notAnImage;
        QTest::newRow("folder") << dir.path() << QByteArray() << "Unable to read " + dir.path();
    }

    void rejectedInputs()
    {
        QFETCH(QString, input);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        if (!content.isNull())
            QVERIFY(WriteAll(input, content));
        const QString output = path("rejected.csv");
        QVERIFY(WriteAll(output, "kept"));
        const RunResult r = Run({ "export", input, output });
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith(message), qPrintable(r.err));
        QCOMPARE(ReadAll(output), QByteArray("kept"));
        QCOMPARE(Run({ "show", input }).code, 1);
    }

    void exportsEvents_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("bus");
        QTest::newRow("bus audit file") << busFile << true;
        QTest::newRow("dallas audit file") << dallasFile << false;
        QTest::newRow("raw dallas image") << dallasRaw << false;
    }

    void exportsEvents()
    {
        QFETCH(QString, input);
        QFETCH(bool, bus);
        auto session = std::make_unique<AuditSession>();
        if (bus)
            LoadBus(*session, 300);
        else
            LoadDallas(*session, DallasImage());
        const AuditTexts expected = Present(*session);

        const QString output = path("events.csv");
        const RunResult r = Run({ "export", input, output });
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        const QByteArray csv = ReadAll(output);
        QVERIFY(CrlfOnly(csv));
        QVERIFY(csv.startsWith("#,Device,Date,Date with DST,User,Event,Event ID\r\n"));
        QCOMPARE(csv.count("\r\n"), expected.events.rows.size() + 1);
        QCOMPARE(csv, ToCsv(expected.events));
        // The first row is the newest lock event.
        QVERIFY2(csv.contains("\r\n1,Lock,06/05/2024 07.00.00,06/05/2024 07.00.00,User 01,Bolt open,5\r\n") == bus,
                 csv.left(200).constData());

        // "-" writes the same bytes to the output stream; the default table is the events.
        const RunResult toStream = Run({ "export", input, "-", "--table", "events" });
        QCOMPARE(toStream.code, 0);
        QCOMPARE(toStream.out.toUtf8(), csv);
    }

    void displayOptions()
    {
        auto session = std::make_unique<AuditSession>();
        LoadBus(*session, 300);
        const AuditTexts full = Present(*session, FullAudit, DisplaySettings { 1, 1 });
        const RunResult r = Run({ "export", busFile, "-", "--date-format", "mdy", "--hour-format", "12", "--audit", "full" });
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.toUtf8(), ToCsv(full.events));
        QVERIFY(r.out.contains("\r\n1,Lock,05/06/2024 07.00.00 AM,05/06/2024 07.00.00 AM,User 01,Bolt open,5\r\n"));
        // The simple audit drops code entries next to changes and commands with their follower.
        const RunResult simple = Run({ "export", busFile, "-" });
        QVERIFY(simple.out.count("\r\n") < r.out.count("\r\n"));
        QCOMPARE(r.out.count("\r\n"), full.events.rows.size() + 1);
        QCOMPARE(full.events.rows.size(), 300);
    }

    void usersAndConfigurationTables()
    {
        const RunResult users = Run({ "export", busFile, "-", "--table", "users" });
        QCOMPARE(users.code, 0);
        const QStringList lines = users.out.split("\r\n");
        QCOMPARE(lines.first(), QStringLiteral("User,Status,Opening mode"));
        // SampleConfig: master 2 as "Master 2" installed with Dallas key only, user 1, then user 59 deleted.
        QCOMPARE(lines.at(1), QStringLiteral("Master,Deleted,Code and Dallas key"));
        QCOMPARE(lines.at(2), QStringLiteral("Master 2,Installed,Dallas key only"));
        QVERIFY(lines.contains(QStringLiteral("User 59,Deleted,Code only")));
        QCOMPARE(lines.last(), QString()); // ends with CR LF
        QCOMPARE(lines.size(), 1 + 10 + 1);

        const RunResult configuration = Run({ "export", busFile, "-", "--table", "configuration" });
        QCOMPARE(configuration.code, 0);
        QStringList rows = configuration.out.split("\r\n");
        QCOMPARE(rows.takeLast(), QString());
        QCOMPARE(rows.size(), 6 + 18);
        const QStringList identity { "Lock name:,VAULT1",
                                     "Serial number:,20240117",
                                     "Lock version:,1.07",
                                     "Keypad version:,2.05",
                                     "PC date/time at audit download:,06/05/2024 07.08.09",
                                     "Keypad date/time at audit download:,06/05/2024 07.00.00" };
        QCOMPARE(rows.mid(0, 6), identity);
        QCOMPARE(rows.at(6), QStringLiteral("Active configuration:,03"));
        QVERIFY(rows.contains(QStringLiteral("Time delay:,10")));
        QVERIFY(rows.contains(QStringLiteral("Open window:,05")));
        QVERIFY(rows.contains(QStringLiteral("Date format:,mm/dd/yyyy")));

        // A user installed without an opening mode and a master without status show empty fields.
        auto session = std::make_unique<AuditSession>();
        LockDescription lock = Lock(DelayEncoding::Bcd);
        lock.configuration[40] = 0;    // master: no status, no opening mode
        lock.configuration[2] = 0x04;  // user 4: installed, no opening mode
        BusAuditBuilder builder;
        builder.setLock(lock).addEvent(At(2024, 2, 1, 8, 0), 0x05, 4);
        builder.fill(*session);
        session->busAudit = true;
        Present(*session);
        const QString file = path("sparse.kaud");
        QVERIFY(AuditFile::Save(file, *session, QString()));
        const RunResult sparse = Run({ "export", file, "-", "--table", "users" });
        QVERIFY2(sparse.out.startsWith("User,Status,Opening mode\r\nMaster,,\r\n"), qPrintable(sparse.out));
        QVERIFY(sparse.out.contains("\r\nUser 04,Installed,\r\n"));
    }

    void quotesOnlyWhereNeeded_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("comma") << QByteArray("VLT,01") << QByteArray("\"VLT,01\"");
        QTest::newRow("double quote") << QByteArray("V\"LT01") << QByteArray("\"V\"\"LT01\"");
        QTest::newRow("line feed") << QByteArray("VLT\n01") << QByteArray("\"VLT\n01\"");
        QTest::newRow("carriage return") << QByteArray("VLT\r01") << QByteArray("\"VLT\r01\"");
        QTest::newRow("slash and blanks") << QByteArray("V/T 1 ") << QByteArray("V/T 1 ");
    }

    // The Dallas configuration block takes the lock name's six bytes as they are.
    void quotesOnlyWhereNeeded()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, field);
        const QString raw = path("named.bin");
        QVERIFY(WriteAll(raw, DallasImage(20, 5, name)));
        const RunResult r = Run({ "export", raw, "-", "--table", "configuration" });
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.toUtf8().startsWith("Lock name:," + field + "\r\nSerial number:,20240117\r\n"),
                 qPrintable(r.out.left(60)));

        // The option texts hold a slash and parentheses, which need no quotes.
        const RunResult events = Run({ "export", raw, "-", "--audit", "full" });
        QVERIFY(events.out.contains(",Option 03 (Manual closing),Option changed,104\r\n"));
    }

    void emptyKeyExportsTheHeader()
    {
        const QString raw = path("request.bin");
        QVERIFY(WriteAll(raw, RequestImage()));
        const QString output = path("empty.csv");
        const RunResult r = Run({ "export", raw, output });
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QStringLiteral("The Dallas audit key is empty\n"));
        QCOMPARE(ReadAll(output), QByteArray("#,Device,Date,Date with DST,User,Event,Event ID\r\n"));
    }

    void crcErrorsWarnAndDecodingGoesOn()
    {
        const QByteArray image = DallasImageBuilder()
                                     .addDateTime(2024, 3, 14, 9, 30)
                                     .addConfiguration(Lock(DelayEncoding::Plain))
                                     .addEvents(0x01, LockEntries(120, At(2024, 3, 14, 9, 0)))
                                     .breakChecksum(2)
                                     .breakChecksum(4)
                                     .image();
        const QString raw = path("crc.bin");
        QVERIFY(WriteAll(raw, image));
        auto session = std::make_unique<AuditSession>();
        LoadDallas(*session, image);
        const AuditTexts expected = Present(*session);

        const RunResult r = Run({ "export", raw, "-" });
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QStringLiteral("CRC error\nCRC error\n"));
        QCOMPARE(r.out.toUtf8(), ToCsv(expected.events));
        QVERIFY(expected.events.rows.size() > 70);
    }

    void translatedHeaders_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("it") << QStringLiteral("it");
        QTest::newRow("es") << QStringLiteral("es");
    }

    // Compared with the catalogue itself: a text it does not translate yet stays English.
    void translatedHeaders()
    {
        QFETCH(QString, language);
        provideTranslations(true);
        QTranslator catalogue;
        QVERIFY(catalogue.load(QStringLiteral(CORVANE_BINARY_DIR "/audit_%1.qm").arg(language)));
        QStringList expected;
        for (const QString& text : HeaderTexts) {
            const QString translated = catalogue.translate("MainWindow", text.toUtf8().constData());
            expected << (translated.isEmpty() ? text : translated);
        }
        const RunResult r = Run({ "export", busFile, "-", "--language", language });
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.section("\r\n", 0, 0), expected.join(QLatin1Char(',')));

        // The next run in English is English again.
        const RunResult english = Run({ "export", busFile, "-" });
        QCOMPARE(english.out.section("\r\n", 0, 0), HeaderTexts.join(QLatin1Char(',')));

        // Without the catalogue beside the program the texts stay English.
        provideTranslations(false);
        const RunResult missing = Run({ "export", busFile, "-", "--language", language });
        QCOMPARE(missing.code, 0);
        QCOMPARE(missing.out.section("\r\n", 0, 0), HeaderTexts.join(QLatin1Char(',')));
    }

    void failedWriteKeepsTheOldOutput_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("existing");
        QTest::newRow("no such folder") << path("no/such/folder/out.csv") << false;
        // The temporary name adds 7 characters: past the longest file name, it cannot be made.
        QTest::newRow("no room for the temporary name") << path(QString(250, 'e') + ".csv") << true;
    }

    void failedWriteKeepsTheOldOutput()
    {
        QFETCH(QString, output);
        QFETCH(bool, existing);
        if (existing)
            QVERIFY(WriteAll(output, "previous export"));
        const RunResult r = Run({ "export", busFile, output });
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith("Unable to write " + output + ": "), qPrintable(r.err));
        QCOMPARE(QFileInfo::exists(output), existing);
        if (existing)
            QCOMPARE(ReadAll(output), QByteArray("previous export"));
    }

    void exportReplacesAnExistingFile()
    {
        const QString output = path("replaced.csv");
        QVERIFY(WriteAll(output, QByteArray(200000, 'x')));
        QCOMPARE(Run({ "export", busFile, output, "--table", "users" }).code, 0);
        QVERIFY(ReadAll(output).startsWith("User,Status,Opening mode\r\n"));
        QVERIFY(ReadAll(output).size() < 1000);
    }

    void show()
    {
        auto session = std::make_unique<AuditSession>();
        LoadBus(*session, 300);
        const AuditTexts expected = Present(*session);
        const RunResult r = Run({ "show", busFile });
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.isEmpty());
        const QStringList lines = r.out.split('\n');
        const int events = lines.indexOf("Events");
        QVERIFY(lines.startsWith("Informations"));
        QVERIFY(lines.contains("Configuration") && lines.contains("Users") && events > 0);
        QVERIFY(lines.at(1).startsWith("Lock name:") && lines.at(1).endsWith("VAULT1"));
        // Header and one line per row, then the final line end.
        QCOMPARE(lines.size() - events - 1, expected.events.rows.size() + 2);
        QVERIFY(lines.at(events + 1).startsWith("#"));
        QVERIFY(!lines.at(events + 1).contains("Date with DST"));
        QVERIFY(lines.at(events + 2).contains("06/05/2024 07.00.00  User 01"));
        QVERIFY(lines.at(events + 2).contains("  Bolt open  ") && lines.at(events + 2).endsWith("  5"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
