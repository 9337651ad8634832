#include "AuditBuilder.h"
#include "AuditCli.h"
#include "CaptureFormat.h"
#include "LockSimProcess.h"
#include "SimulatedLock.h"
#include "reports/ReadBack.h"
#include "reports/ReportFixtures.h"

#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

using namespace fixtures;

namespace {

// One command's exit status and what it wrote (the streams flush into the strings as they go).
struct Run
{
    QString out, err;
    int code;
    explicit Run(const QStringList& args) { QTextStream o(&out), e(&err); code = cli::Run(args, o, e); }
};

// 60 lock events an hour apart from 14/03/2024 09.00.00 back; a simple audit drops the 15 code entries.
DallasImageBuilder Key(const QByteArray& name = "VAULT1")
{
    LockDescription lock{ name, "20240117", 1, 7, 2, 5, {}, {} };
    lock.configuration[40] = 0xB0; // master: no status, no opening mode; master 2: disabled, key only
    lock.configuration[0] = 0x50;  // user 1: installed, code only
    lock.configuration[2] = 0x04;  // user 4: installed, no opening mode
    const qint64 newest = QDateTime(QDate(2024, 3, 14), QTime(9, 0), Qt::UTC).toSecsSinceEpoch() - 946684800;
    const quint8 pattern[4][2] = { { 0x05, 1 }, { 0x11, 4 }, { 0x01, 1 }, { 0x68, 3 } };
    QVector<AuditEntry> events;
    for (int i = 0; i < 60; ++i)
        events.append({ newest - 3600 * i, pattern[i % 4][0], pattern[i % 4][1] });
    return DallasImageBuilder().addDateTime(2024, 3, 14, 9, 30).addConfiguration(lock).addEvents(0x01, events);
}

const QString EventsHeader = QStringLiteral("#,Device,Date,Date with DST,User,Event,Event ID");

} // namespace

// Runs in a folder holding the inputs; the catalogue goes beside the program, where the command line looks.
class TestCli : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid() && QDir::setCurrent(dir.path()));
        const QString catalogue = QCoreApplication::applicationDirPath() + "/audit_it.qm";
        QFile::remove(catalogue); // a copy left by an earlier build would not be replaced
        QVERIFY(QFile::copy(CORVANE_BINARY_DIR "/audit_it.qm", catalogue));
        const QByteArray image = Key().image();
        const QVector<QPair<QString, QByteArray>> files{ { "key.bin", image }, { "empty.kaud", {} },
            { "crc.bin", Key().breakChecksum(1).breakChecksum(2).image() }, { "request.bin", RequestImage() },
            { "bad.bin", DallasImageBuilder().addBlock(0x77, "\1\1").image() }, { "short.bin", image.left(8191) },
            { "long.bin", image + '\0' }, { "comma.bin", Key("VLT,01").image() }, { "quote.bin", Key("V\"LT01").image() },
            { "lf.bin", Key("VLT\n01").image() }, { "cr.bin", Key("VLT\r01").image() } };
        for (const auto& file : files)
            QVERIFY(WriteAll(file.first, file.second));
    }

    void runs_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("err");    // all of stderr on success, its start otherwise
        QTest::addColumn<QByteArray>("out"); // how the output starts
        QTest::addColumn<int>("lines");      // CR LF pairs in the output
        auto row = [](const char* tag, const QStringList& args, int code, const QString& err, const QByteArray& out = {},
                      int lines = -1) { QTest::newRow(tag) << args << code << err << out << lines; };
        const QString notAnImage = " is neither an audit file (.kaud) nor a Dallas audit image of 8192 bytes.";
        const QString longName = QString(250, 'e') + ".csv"; // no room for the temporary's 7 more characters
        row("no command", {}, 2, "No command given.\n");
        row("bad value", { "show", "a", "--hour-format", "13" }, 2, "Unknown value for --hour-format: 13 (use 24|12).\n");
        row("no value", { "export", "a", "out.csv", "--table" }, 2, "Option --table needs a value.\n");
        row("not csv", { "export", "a", "o.xls" }, 2, "Unsupported output: o.xls (use a .csv, .xlsx or .pdf file, or -).\n");
        row("workbook to stdout", { "export", "key.bin", "-", "--format", "xlsx" }, 2, "Only CSV goes to standard output.\n");
        const auto dst = [](const char* rule) { return QStringList { "export", "a", "o.csv", "--dst", rule }; };
        row("dst fields", dst("5,0,3"), 2, "--dst takes eight comma-separated fields, N,W,M,N,W,M,add|subtract,H: 5,0,3\n");
        row("dst occurrence", dst("0,0,3,5,0,10,add,1"), 2, "Bad start occurrence in --dst: 0 (use 1..5).\n");
        row("dst month", dst("5,0,13,5,0,10,add,1"), 2, "Bad start month in --dst: 13 (use 1..12).\n");
        row("dst weekday", dst("5,0,3,5,7,10,add,1"), 2, "Bad end weekday in --dst: 7 (use 0..6).\n");
        row("dst direction", dst("5,0,3,5,0,10,plus,1"), 2, "Bad direction in --dst: plus (use add or subtract).\n");
        row("dst hours", dst("5,0,3,5,0,10,add,3"), 2, "Bad hours in --dst: 3 (use 0, 0.5, 1, 1.5 or 2).\n");
        row("dst no value", { "show", "a", "--dst" }, 2, "Option --dst needs a value.\n");
        row("empty audit file", { "export", "empty.kaud", "out.csv" }, 1, "File not valid\n");
        row("data error", { "export", "bad.bin", "out.csv" }, 1, "Dallas key data error\n");
        row("8191 bytes", { "export", "short.bin", "out.csv" }, 1, "short.bin" + notAnImage);
        row("8193 bytes", { "export", "long.bin", "out.csv" }, 1, "long.bin" + notAnImage);
        row("unwritable", { "export", "key.bin", longName }, 1, "Unable to write " + longName + ": ");
        row("events to a file", { "export", "key.bin", "out.csv" }, 0, "", (EventsHeader + "\r\n"
            "1,Lock,14/03/2024 09.00.00,14/03/2024 09.00.00,User 01,Bolt open,5\r\n").toUtf8(), 46);
        row("bad checksums", { "export", "crc.bin", "-" }, 0, "CRC error\nCRC error\n", "#,Device,", 46);
        row("corrected dates", { "export", "key.bin", "out.csv", "--dst", "1,0,3,5,0,10,add,1" }, 0, "", (EventsHeader + "\r\n"
            "1,Lock,14/03/2024 09.00.00,14/03/2024 10.00.00,User 01,Bolt open,5\r\n").toUtf8(), 46);
        row("empty key", { "export", "request.bin", "-" }, 0, "The Dallas audit key is empty\n", "#,Device,", 1);
        row("users", { "export", "key.bin", "-", "--table", "users" }, 0, "", "User,Status,Opening mode\r\n"
            "Master,,\r\nMaster 2,Disabled,Dallas key only\r\nUser 01,Installed,Code only\r\nUser 04,Installed,\r\n", 5);
        row("configuration", { "export", "key.bin", "-", "--table", "configuration" }, 0, "", "Lock name:,VAULT1\r\n"
            "Serial number:,20240117\r\nLock version:,1.07\r\nKeypad version:,2.05\r\nPC date/time at audit download:,"
            "Not available\r\nKeypad date/time at audit download:,14/03/2024 09.00.00\r\nActive configuration:,", 6 + 18);
        row("comma", { "export", "comma.bin", "-", "--table", "configuration" }, 0, "", "Lock name:,\"VLT,01\"\r\nS", 24);
        row("quote", { "export", "quote.bin", "-", "--table", "configuration" }, 0, "", "Lock name:,\"V\"\"LT01\"\r\nS", 24);
        row("LF", { "export", "lf.bin", "-", "--table", "configuration" }, 0, "", "Lock name:,\"VLT\n01\"\r\nS", 24);
        row("CR", { "export", "cr.bin", "-", "--table", "configuration" }, 0, "", "Lock name:,\"VLT\r01\"\r\nS", 24);
        // Expected from the catalogue itself: a text it leaves untranslated stays English.
        QTranslator italian;
        QVERIFY(italian.load("audit_it", QCoreApplication::applicationDirPath()) && qApp->installTranslator(&italian));
        QStringList header;
        for (const QString& text : EventsHeader.split(','))
            header << QCoreApplication::translate("MainWindow", text.toUtf8().constData());
        qApp->removeTranslator(&italian);
        QVERIFY(header.join(',') != EventsHeader);
        row("italian", { "export", "key.bin", "-", "--language", "it" }, 0, "", (header.join(',') + "\r\n").toUtf8(), 46);
    }

    // Only usage errors print the usage; a failure leaves an existing output as it was, a success replaces it whole.
    void runs()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, err);
        QFETCH(QByteArray, out);
        QFETCH(int, lines);
        const QString file = args.value(2).endsWith(".csv") ? args.value(2) : QString();
        const QByteArray previous = "kept" + QByteArray(100000, 'x');
        QVERIFY(file.isEmpty() || WriteAll(file, previous));
        const Run r(args);
        QCOMPARE(r.code, code);
        QVERIFY2(code ? r.err.startsWith(err) : r.err == err, qPrintable(r.err));
        QCOMPARE(r.err.contains("\n\nUsage:\n  corvane-audit-cli export INPUT OUTPUT ["), code == 2);
        const QByteArray written = file.isEmpty() ? r.out.toUtf8() : ReadAll(file);
        QVERIFY(code == 0 || written == (file.isEmpty() ? QByteArray() : previous));
        QVERIFY2(written.startsWith(out), written.left(300).constData());
        QVERIFY(lines < 0 || (written.endsWith("\r\n") && written.count("\r\n") == lines));
    }

    // The samples corrected for a European summer: the workbook's cells are the CSV's fields, and
    // the report names OUTPUT as given in its footer.
    void reports()
    {
        const QStringList dst { "--dst", "5,0,3,5,0,10,add,1" };
        const QString sample = CORVANE_SOURCE_DIR "/samples/bus-audit.kaud";
        const QString key = CORVANE_SOURCE_DIR "/samples/dallas-audit.kaud"; // fewer pages, as good a check
        for (const QStringList& args : { QStringList { sample, "sample.csv" }, { sample, "sample.xlsx" }, { key, "report.out", "--format", "pdf" } })
            QCOMPARE(Run(QStringList { "export" } + args + dst).code, 0);

        const QStringList csv = QString::fromUtf8(ReadAll("sample.csv")).split("\r\n", Qt::SkipEmptyParts);
        const QVariantMap cells = readback::Workbook("sample.xlsx").value("Audit")["cells"].toVariant().toMap();
        QCOMPARE(cells.size(), 7 * csv.size());
        int yellow = 0;
        for (int r = 0; r < csv.size(); ++r) {
            QStringList row;
            for (char c = 'B'; c <= 'H'; ++c)
                row << cells.value(QString(c) + QString::number(r + 2)).toString().section('|', 0, 0);
            QCOMPARE(row.join(','), QString(csv[r]).remove('"'));
            yellow += cells.value("E" + QString::number(r + 2)).toString().contains("|Y|");
        }
        QVERIFY(yellow > 0 && yellow < csv.size() / 2);

        const QStringList pages = readback::PdfPages("report.out");
        QVERIFY(pages.size() > 5);
        QVERIFY(pages.first().simplified().contains("# Device Date Date with DST User Event Event ID"));
        QVERIFY(pages.last().simplified().endsWith(QString("report.out Page %1 of %1 17/03/2025 10.09.20").arg(pages.size())));
    }

    // Aligned columns, the events without "Date with DST"; after the Italian export, English again.
    void show()
    {
        const QStringList lines = Run({ "show", "key.bin", "--date-format", "mdy" }).out.split('\n');
        const int events = lines.indexOf("Events");
        QVERIFY(lines.first() == "Informations" && lines.contains("Configuration") && lines.contains("Users"));
        QCOMPARE(lines.size() - events, 1 + 1 + 45 + 1);
        QCOMPARE(lines.at(events + 2).simplified(), QStringLiteral("1 Lock 03/14/2024 09.00.00 User 01 Bolt open 5"));
        QCOMPARE(lines.at(events + 1).indexOf("Device"), lines.at(events + 2).indexOf("Lock"));
    }

    // The device commands against the sample lock in memory (and one real port).
    void deviceCommands()
    {
        const struct { QStringList args; int code; const char* err; } cases[] = {
            { { "read-key", "--port", "simulated", "key.kaud" }, 0, "" },
            { { "read-key", "--port", "simulated", "key-read.bin" }, 0, "" },
            { { "read-key", "--port", "simulated", "key.txt" }, 2, "Unsupported output: key.txt\n\nUsage: corvane-audit-cli read-key" },
            { { "write-key", "--port", "simulated" }, 2, "write-key deletes what the key holds: confirm on a terminal, or pass --yes." },
            { { "write-key", "--port", "simulated", "--yes" }, 0, "" },
            { { "download", "--port", "simulated", "--events", "20", "bus.kaud" }, 0, "" },
            { { "download", "--events", "-3", "bus.kaud" }, 2, "Unknown value for --events: -3" },
            { { "download", "--port", "/nonexistent", "bus2.kaud" }, 1, "Unable to open USB interface\n" },
            { { "users-log", "--port", "simulated", "--wait", "3", "-" }, 2, "Unknown option: --wait" },
            { { "read-key", "--wait", "0", "k.bin" }, 2, "Unknown value for --wait: 0" },
            { { "ports", "--help" }, 0, "" },
        };
        for (const auto& c : cases) {
            const Run r(c.args);
            QVERIFY2(r.code == c.code && (!*c.err || r.err.startsWith(c.err)) && (c.code || !r.err.contains("error")),
                     qPrintable(c.args.join(' ') + ": " + r.err));
        }
        QCOMPARE(ReadAll("key-read.bin"), SampleLock().dallasImage);
        QCOMPARE(Run({ "export", "key.kaud", "-" }).code, 0);
        QCOMPARE(Run({ "export", "bus.kaud", "-", "--audit", "full" }).out.count("\r\n"), 1 + 20);
        QVERIFY(Run({ "read-key", "--help" }).out.startsWith("Usage: corvane-audit-cli read-key [--port PATH]"));
    }

    void usersLog()
    {
        const QStringList lines = Run({ "users-log", "--port", "simulated", "-", "--date-format", "mdy", "--hour-format", "12" })
                                      .out.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 64);
        QCOMPARE(lines.mid(0, 2), (QStringList{ "User,Insatlled by,Date", "Manager,Master,03/04/2024 09.20.35 AM" }));
        QCOMPARE(lines.at(4), QStringLiteral("Master,Corvane Setup,"));
        const QString italian = Run({ "users-log", "--port", "simulated", "-", "--language", "it" }).out.section("\r\n", 0, 0);
        QVERIFY(!italian.isEmpty() && italian != lines.first());
    }

    // --capture writes the line's traffic; a capture that cannot be written is one warning and
    // the operation goes on; the lock in memory has no line to capture.
    void capture()
    {
        LockSimProcess sim({ "--fault", "keypad-crc=once" });
        QCOMPARE(Run({ "download", "--events", "3", "--capture", "d.capture", "d.kaud" }).code, 0);
        capture::Capture c;
        QString error;
        QVERIFY2(capture::Load("d.capture", c, &error), qPrintable(error));
        QCOMPARE(c.header.operation + " " + QString::number(c.header.events), QStringLiteral("download 3"));
        QVERIFY(c.header.program.startsWith(QCoreApplication::applicationName() + " "));
        QCOMPARE(c.exchanges.size(), 2 + 3 + 8 + 3); // the keypad asked twice for its CRC
        const capture::Exchange& first = c.exchanges.first();
        QCOMPARE(capture::HexText(first.request) + " " + QString::number(first.baud) + (first.dtr ? " dtr" : ""),
                 QStringLiteral("7E 04 A4 91 4800"));
        QCOMPARE(c.exchanges.at(1).answerBytes.left(3), QByteArray("\x7E\x10\xA4"));
        QCOMPARE(c.outcome + "|" + c.message, QStringLiteral("done|Done"));

        const Run off({ "download", "--events", "1", "--capture", "/nonexistent/d.capture", "d1.kaud" });
        QCOMPARE(off.code, 0);
        QVERIFY2(off.err.startsWith("The capture is off: /nonexistent/d.capture cannot be written (") && off.err.count("The capture is off") == 1,
                 qPrintable(off.err));
        QVERIFY(QFile::exists("d1.kaud"));

        const Run simulated({ "read-key", "--port", "simulated", "--capture", "k.capture", "k.bin" });
        QCOMPARE(simulated.code, 2);
        QVERIFY(simulated.err.startsWith("--capture records what is said on a serial port; --port simulated has none."));
    }

    // A real port: the bound on the wait for a key, and the ports the environment names.
    void overASerialPort()
    {
        LockSimProcess sim({ "--key", "absent" });
        const Run listed({ "ports" });
        QVERIFY(listed.out.split('\n').contains(sim.path()));
        const Run r({ "read-key", "--wait", "0.5", "k.bin" });
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.endsWith("No Dallas key found\n"), qPrintable(r.err));
        QVERIFY(!QFile::exists("k.bin"));
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
