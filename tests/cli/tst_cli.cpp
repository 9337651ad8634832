#include "archive/Archive.h"
#include "sim/AuditBuilder.h"
#include "AuditCli.h"
#include "CliRun.h"
#include "model/CaptureFormat.h"
#include "LockSimProcess.h"
#include "reports/ReadBack.h"
#include "reports/ReportFixtures.h"
#include "sim/SimulatedLock.h"

#include <QTemporaryDir>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTranslator>
#include <QtTest>

#include <thread>

#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>

using namespace fixtures;

namespace {

// 60 lock events an hour apart from 14/03/2024 09.00.00 back; a simple audit drops the 15 code entries.
DallasImageBuilder Key(const QByteArray& name = "VAULT1", const QByteArray& serial = "20240117")
{
    LockDescription lock{ name, serial, 1, 7, 2, 5, {}, {} };
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
            { "lf.bin", Key("VLT\n01").image() }, { "cr.bin", Key("VLT\r01").image() },
            { "formula.bin", Key("=1+2", "-2024011").image() }, { "escape.bin", Key("V\x1b]2;x\a").image() },
            { "zero.bin", QByteArray(8192, '\0') }, { "saved-as", ReadAll(CORVANE_SOURCE_DIR "/samples/bus-audit.kaud") } };
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
        const QString longestName = QString(251, 'e') + ".csv"; // the most a folder holds
        const QString tooLong = QString(252, 'e') + ".csv";
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
        row("longest name", { "export", "key.bin", longestName }, 0, "", EventsHeader.toUtf8(), 46);
        row("too long a name", { "export", "key.bin", tooLong }, 1, "Unable to write " + tooLong + ": File name too long\n");
        row("not for show", { "show", "key.bin", "--table", "users" }, 2, "Unknown option: --table\n");
        row("no such input", { "export", "none.bin", "out.csv" }, 1, "Unable to read none.bin: No such file or directory\n");
        row("audit file without its extension", { "export", "saved-as", "-", "--table", "configuration" }, 0, "",
            "Lock name:,VAULT1\r\n", 24);
        row("formula in a lock's name", { "export", "formula.bin", "-", "--table", "configuration" }, 0, "",
            "Lock name:,'=1+2  \r\nSerial number:,'-2024011\r\n", 24);
        row("version", { "--version" }, 0, "", "corvane-audit-cli 2.0.6.0\n");
        row("export help", { "export", "--help" }, 0, "", "Usage: corvane-audit-cli export INPUT OUTPUT [options]\n");
        row("show help", { "show", "--help" }, 0, "", "Usage: corvane-audit-cli show INPUT [options]\n");
        row("events to a file", { "export", "key.bin", "out.csv" }, 0, "", (EventsHeader + "\r\n"
            "1,Lock,14/03/2024 09.00.00,14/03/2024 09.00.00,User 01,Bolt open,5\r\n").toUtf8(), 46);
        row("bad checksums", { "export", "crc.bin", "-" }, 0, "CRC error\nCRC error\n", "#,Device,", 46);
        row("corrected dates", { "export", "key.bin", "out.csv", "--dst", "1,0,3,5,0,10,add,1" }, 0, "", (EventsHeader + "\r\n"
            "1,Lock,14/03/2024 09.00.00,14/03/2024 10.00.00,User 01,Bolt open,5\r\n").toUtf8(), 46);
        row("empty key", { "export", "request.bin", "-" }, 1, "The Dallas audit key is empty\n");
        row("all-zero key", { "export", "zero.bin", "out.csv" }, 1, "The Dallas audit key is empty\n");
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
        const QString file = args.value(2).endsWith(".csv") && args.value(2).size() < 256 ? args.value(2) : QString();
        const QByteArray previous = "kept" + QByteArray(100000, 'x');
        QVERIFY(file.isEmpty() || WriteAll(file, previous));
        const Run r(args);
        QCOMPARE(r.code, code);
        QVERIFY2(code ? r.err.startsWith(err) : r.err == err, qPrintable(r.err));
        // A usage error is one line and where to read more.
        QCOMPARE(r.err.count('\n') == 2 && r.err.contains(QRegularExpression("\nTry 'corvane-audit-cli( export| show)? --help'.\n$")),
                 code == 2);
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

        // A lock's name never reaches the terminal as a command to it.
        QVERIFY(Run({ "show", "escape.bin" }).out.contains("  V\\x1b]2;x\n"));
        // Output that does not arrive is a failure.
        QFile full("/dev/full");
        QVERIFY(full.open(QIODevice::WriteOnly));
        QString err;
        QTextStream o(&full), e(&err);
        QCOMPARE(cli::Run({ "show", "key.bin" }, o, e), 1);
        QVERIFY2(err.startsWith("Unable to write to standard output"), qPrintable(err));
    }

    // Outputs that are refused keep what they were: the input itself (by any name), a read-only file, a folder.
    void refusedOutputsAreKept_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("err");
        QVERIFY(QFile::copy(CORVANE_SOURCE_DIR "/samples/dallas-audit.kaud", "self.kaud") || QFile::exists("self.kaud"));
        QFile::link("self.kaud", "link.kaud");
        QVERIFY(WriteAll("read-only.pdf", "kept") && QFile::setPermissions("read-only.pdf", QFile::ReadOwner));
        QDir().mkpath("folder.csv");
        const QString self = "self.kaud is the input itself: choose another output.\n";
        QTest::newRow("csv onto itself") << QStringList{ "export", "self.kaud", "self.kaud", "--format", "csv" } << "self.kaud" << self;
        QTest::newRow("pdf by another path") << QStringList{ "export", "self.kaud", "./self.kaud", "--format", "pdf" } << "self.kaud"
                                             << "./" + self;
        QTest::newRow("workbook through a link") << QStringList{ "export", "link.kaud", "self.kaud", "--format", "xlsx" } << "self.kaud" << self;
        QTest::newRow("raw image onto itself") << QStringList{ "export", "key.bin", "key.bin", "--format", "csv" } << "key.bin"
                                               << "key.bin is the input itself: choose another output.\n";
        for (const char* format : { "csv", "xlsx", "pdf" })
            QTest::newRow(qPrintable(QString("read-only %1").arg(format)))
                << QStringList{ "export", "key.bin", "read-only.pdf", "--format", format } << "read-only.pdf"
                << "Unable to write read-only.pdf: Permission denied\n";
        QTest::newRow("folder") << QStringList{ "export", "key.bin", "folder.csv" } << "folder.csv"
                                << "Unable to write folder.csv: Is a directory\n";
    }

    void refusedOutputsAreKept()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, target);
        QFETCH(QString, err);
        const QFileInfo before(target);
        const QByteArray bytes = ReadAll(target);
        const Run r(args);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, err);
        const QFileInfo after(target);
        QCOMPARE(after.isDir(), before.isDir());
        QCOMPARE(after.permissions(), before.permissions());
        QCOMPARE(ReadAll(target), bytes);
        QCOMPARE(QDir().entryList({ ".corvane-*" }, QDir::Hidden | QDir::Files), QStringList());
    }

    // A device, a pipe or a link into /proc is written into, never replaced; a full device says so.
    void specialOutputs()
    {
        for (const char* format : { "csv", "xlsx", "pdf" }) {
            QCOMPARE(Run({ "export", "key.bin", "/dev/null", "--format", format }).code, 0);
            const Run full({ "export", "key.bin", "/dev/full", "--format", format });
            QCOMPARE(full.code, 1);
            QCOMPARE(full.err, QString("Unable to write /dev/full: No space left on device\n"));

            QFile::remove("fifo");
            QCOMPARE(::mkfifo("fifo", 0600), 0);
            QByteArray piped;
            std::thread reader([&piped] { QFile f("fifo"); if (f.open(QIODevice::ReadOnly)) piped = f.readAll(); });
            const Run toPipe({ "export", "key.bin", "fifo", "--format", format });
            reader.join();
            QCOMPARE(toPipe.code, 0);
            QVERIFY(QFileInfo("fifo").isFile() == false && QFileInfo::exists("fifo"));
            QCOMPARE(piped.left(4), QByteArray(*format == 'c' ? "#,De" : *format == 'x' ? "PK\x03\x04" : "%PDF"));
        }
        // A shell's `>> log` behind /proc/self/fd: appended to, and the link stays a link.
        QFile log("appended.csv");
        QVERIFY(log.open(QIODevice::WriteOnly) && log.write("before\n") == 7 && log.flush());
        QFile::remove("stdout-link");
        QVERIFY(QFile::link(QString("/proc/self/fd/%1").arg(log.handle()), "stdout-link"));
        QCOMPARE(Run({ "export", "key.bin", "stdout-link", "--format", "csv" }).code, 0);
        QVERIFY(QFileInfo("stdout-link").isSymLink());
        QVERIFY(ReadAll("appended.csv").startsWith("before\n#,Device,"));
    }

    // A disk that fills up: the reason, no file, no temporary left, an earlier file kept.
    void fullDisk()
    {
        QDir().mkpath("small");
        if (QProcess::execute("mount", { "-t", "tmpfs", "-o", "size=64k", "tmpfs", "small" }) != 0)
            QSKIP("mounting a small file system needs the right to mount");
        QVERIFY(WriteAll("small/kept.xlsx", "kept"));
        const QString sample = CORVANE_SOURCE_DIR "/samples/bus-audit.kaud";
        const Run pdf({ "export", sample, "small/report.pdf" });
        const Run xlsx({ "export", sample, "small/kept.xlsx" });
        const Run csv({ "export", sample, "small/events.csv", "--audit", "full" });
        const QStringList left = QDir("small").entryList(QDir::Files | QDir::Hidden);
        QProcess::execute("umount", { "small" });
        QCOMPARE(pdf.err, QString("Unable to write small/report.pdf: No space left on device\n"));
        QCOMPARE(xlsx.err, QString("Unable to write small/kept.xlsx: No space left on device\n"));
        QCOMPARE(csv.err, QString("Unable to write small/events.csv: No space left on device\n"));
        QCOMPARE(pdf.code + xlsx.code + csv.code, 3);
        QCOMPARE(left, QStringList{ "kept.xlsx" });
    }

    // A name that is not text in the system's encoding is refused, never turned into another name.
    void argumentsInAnotherEncoding()
    {
        const char* const argv[] = { "corvane-audit-cli", "export", "key.bin", "caf\xe9.csv" };
        QStringList args;
        QString error;
        QVERIFY(!cli::DecodeArguments(4, argv, args, &error));
        QVERIFY2(error.startsWith("caf\\xe9.csv is not valid text in this system's encoding"), qPrintable(error));
        const char* const good[] = { "corvane-audit-cli", "caf\xc3\xa9.csv" };
        QVERIFY(cli::DecodeArguments(2, good, args, &error) && args == QStringList{ QString::fromUtf8("caf\xc3\xa9.csv") });
    }

    // The device commands against the sample lock in memory (and one real port).
    void deviceCommands()
    {
        const struct { QStringList args; int code; const char* err; } cases[] = {
            { { "read-key", "--port", "simulated", "key.kaud" }, 0, "" },
            { { "read-key", "--port", "simulated", "key-read.bin" }, 0, "" },
            { { "read-key", "--port", "simulated", "key.txt" }, 2, "Unsupported output: key.txt\nTry 'corvane-audit-cli read-key --help'.\n" },
            { { "write-key", "--port", "simulated" }, 2, "write-key deletes what the key holds: confirm on a terminal, or pass --yes." },
            { { "write-key", "--port", "simulated", "--yes" }, 0, "" },
            { { "download", "--port", "simulated", "--events", "20", "bus.kaud" }, 0, "" },
            { { "download", "--events", "-3", "bus.kaud" }, 2, "Unknown value for --events: -3" },
            { { "download", "--port", "/nonexistent", "bus2.kaud" }, 1, "Unable to open USB interface /nonexistent: no such device\n" },
            { { "download", "--port", "/dev/null", "bus2.kaud" }, 1, "Unable to open USB interface /dev/null: not a serial port\n" },
            { { "download", "--port", "./key.bin", "bus2.kaud" }, 1, "Unable to open USB interface ./key.bin: not a serial port\n" },
            { { "read-key", "--port", "/nonexistent", "no/folder/k.kaud" }, 1, "Unable to write no/folder/k.kaud: No such file or directory\n" },
            { { "download", "--port", "/nonexistent", "folder.csv" }, 2, "Unsupported output: folder.csv\nTry 'corvane-audit-cli download --help'.\n" },
            { { "read-key", "--wait", "nan", "k.bin" }, 2, "Unknown value for --wait: nan" },
            { { "read-key", "--wait", "inf", "k.bin" }, 2, "Unknown value for --wait: inf" },
            { { "write-key", "--wait", "1e300", "--yes" }, 2, "Unknown value for --wait: 1e300" },
            { { "users-log", "--port", "simulated", "--wait", "3", "-" }, 2, "Unknown option: --wait" },
            { { "users-log", "--port", "simulated", "--no-archive", "-" }, 2, "Unknown option: --no-archive" },
            { { "read-key", "--wait", "0", "k.bin" }, 2, "Unknown value for --wait: 0" },
            { { "ports", "--help" }, 0, "" },
        };
        // Qt's own warnings never reach the user.
        static QStringList warnings;
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) { warnings << m; });
        for (const auto& c : cases) {
            const Run r(c.args);
            QVERIFY2(r.code == c.code && (!*c.err || r.err.startsWith(c.err)) && (c.code || !r.err.contains("error")),
                     qPrintable(c.args.join(' ') + ": " + r.err));
        }
        qInstallMessageHandler(previous);
        QCOMPARE(warnings, QStringList());
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

    // With --archive the users log is also kept with its lock, said on standard error; the CSV is
    // written whatever the archive says. Without it nothing is asked of an archive.
    void usersLogKept_data()
    {
        QTest::addColumn<QString>("archive"); // "" for none
        QTest::addColumn<bool>("withLock");   // the archive holds the lock's audit
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said");
        QTest::newRow("kept with its lock") << "log-kept.sqlite" << true << 0 << "Users log kept in the archive with lock 23041207\n";
        QTest::newRow("a lock the archive does not hold") << "log-nolock.sqlite" << false << 1 << "holds no lock 23041207.\n";
        QTest::newRow("the server away") << "postgresql://corvane@127.0.0.1:9/none" << false << 3
                                         << "download it again once the archive answers.\n";
        QTest::newRow("no --archive") << "" << false << 0 << "";
    }
    void usersLogKept()
    {
        QFETCH(QString, archive);
        QFETCH(bool, withLock);
        QFETCH(int, code);
        QFETCH(QString, said);
        if (withLock) {
            Archive a;
            QVERIFY(a.open(archive));
            QCOMPARE(int(a.import(ReadAll(CORVANE_SOURCE_DIR "/samples/bus-audit.kaud"), AuditKind::BusDownload).status),
                     int(ImportReport::Added));
        }
        QFile::remove("kept-log.csv");
        QStringList args{ "users-log", "--port", "simulated", "kept-log.csv" };
        if (!archive.isEmpty())
            args << "--archive" << archive;
        const Run r(args);
        QCOMPARE(r.code, code);
        // Progress comes first on standard error, the archive's word last.
        QVERIFY2(said.isEmpty() ? !r.err.contains("archive") : r.err.endsWith(said), qPrintable(r.err));
        QCOMPARE(ReadAll("kept-log.csv").count("\r\n"), 1 + 64);
        if (!withLock)
            return;
        Archive a;
        QMap<int, QVector<QDate>> days;
        QVERIFY(a.open(archive, Archive::OpenMode::Existing) && a.installationDayHistory("23041207", &days));
        const LockAudit lock = SampleLock();
        const auto& entry = lock.logEntries[1];
        QCOMPARE(days.value(1), QVector<QDate>{ QDate(2000 + entry[0], entry[1], entry[2]) });
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

    // A real port: the bound on the wait for a key, the ports the environment names, a port in use.
    void overASerialPort()
    {
        LockSimProcess sim({ "--key", "absent" });
        const Run listed({ "ports" });
        QVERIFY(listed.out.split('\n').contains(sim.path()));
        const Run r({ "read-key", "--wait", "0.5", "k.bin" });
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.endsWith("No Dallas key found\n"), qPrintable(r.err));
        QVERIFY(!QFile::exists("k.bin"));

        QSerialPort holder(sim.path());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        const Run busy({ "read-key", "--port", sim.path(), "k.bin" });
        QCOMPARE(busy.err, "Unable to open USB interface " + sim.path() + ": in use by another program\n");

        // The progress of a download ends at 100 %.
        const QStringList progress = Run({ "download", "--port", "simulated", "--events", "200", "--no-archive", "p.kaud" }).err.split('\n');
        QCOMPARE(progress.mid(progress.size() - 3), (QStringList{ "90%", "100%", "" }));
    }

    // A key prepared and then filled by the lock on its own, as the run command's simulator does.
    void keyFilledByTheSimulatedLock()
    {
        LockSimProcess sim({ "--key", "blank", "--auto-fill", "1" });
        QCOMPARE(QuickRun({ "write-key", "--port", sim.path(), "--yes" }).code, 0);
        QCOMPARE(sim.command("status").section(';', 0, 0), QStringLiteral("key: request"));
        QVERIFY(sim.waitForLine("the lock wrote its audit into the key"));
        QCOMPARE(QuickRun({ "read-key", "--port", sim.path(), "filled.bin" }).code, 0);
        QCOMPARE(ReadAll("filled.bin"), SampleLock().dallasImage);
    }

    // The simulator tells the commands it takes while it runs, and so does a replay.
    void simulatorHelp()
    {
        LockSimProcess sim({});
        const QString help = sim.command("help");
        QVERIFY2(help.startsWith("key KIND") && help.contains("\n  events N ") && help.endsWith("quit"), qPrintable(help));
        QCOMPARE(sim.command("fill"), QStringLiteral("the lock refused: the key on the reader holds no audit request"));
        LockSimProcess replay({ "--replay", CORVANE_SOURCE_DIR "/tests/captures/users-log.capture" });
        QVERIFY(replay.command("help").startsWith("status "));
    }

    // A download that stops short keeps what it read: saved as an audit marked as partial in its
    // label, kept in the archive, told with the number of events and the reason; exit status 4.
    void partialDownload()
    {
        LockSimProcess sim({ "--fault", "lock-silent=event:30" });
        QFile::remove("partial.sqlite");
        const QuickRun run({ "download", "--port", sim.path(), "--events", "100", "--archive", "partial.sqlite", "partial.kaud" });
        QCOMPARE(run.code, int(cli::Partial));
        QVERIFY2(run.err.contains("\nNo answer from lock: the download stopped after 30 events; they are kept, marked as partial.\n"),
                 qPrintable(run.err));
        const QByteArray file = ReadAll("partial.kaud");
        QVERIFY(file.size() > 3 && file.size() >= 3 + quint8(file.at(2)));
        const QString label = QString::fromUtf16(reinterpret_cast<const char16_t*>(file.constData() + 3), quint8(file.at(2)) / 2);
        QVERIFY2(label.endsWith(" (partial: 30 events)"), qPrintable(label));
        QCOMPARE(Run({ "export", "partial.kaud", "-", "--audit", "full" }).out.count("\r\n"), 1 + 30);
        const QStringList locks = Run({ "archive", "locks", "--archive", "partial.sqlite", "-" }).out.split("\r\n");
        QCOMPARE(locks.value(1).section(',', 3, 3), QStringLiteral("30"));

        // None read: nothing saved, the failure as it was.
        sim.command("fault lock-silent=event:0");
        const QuickRun none({ "download", "--port", sim.path(), "--no-archive", "none.kaud" });
        QCOMPARE(none.code, int(cli::Rejected));
        QCOMPARE(none.err.section('\n', -2), QStringLiteral("No answer from lock\n"));
        QVERIFY(!QFile::exists("none.kaud"));
    }

    // Ctrl-C stops the program at once with status 130, wherever it waits: for the keypad, or for
    // the answer to the write-key question on a terminal.
    void interrupted_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("onTerminal");
        QTest::addColumn<QString>("waitFor"); // on standard error, before Ctrl-C
        QTest::newRow("users log, no keypad") << QStringList{ "users-log", "-" } << false << QString();
        QTest::newRow("download, no keypad") << QStringList{ "download", "x.kaud" } << false << "Please connect";
        QTest::newRow("write-key question") << QStringList{ "write-key" } << true << "[y/N]";
    }

    // Ctrl-C while events come keeps those read: exit status 4 and the partial audit saved.
    void interruptedDownload()
    {
        LockSimProcess sim({ "--pace", "real" });
        QProcess cli;
        QFile::remove("stopped.kaud");
        cli.setReadChannel(QProcess::StandardError);
        cli.start(CORVANE_BINARY_DIR "/corvane-audit-cli",
                  { "download", "--events", "100", "--no-archive", "--port", sim.path(), "stopped.kaud" });
        QVERIFY(cli.waitForStarted());
        QByteArray err;
        // A tenth of the bar is past the lock's blocks: events have come.
        while (!err.contains("10%\n") && cli.state() == QProcess::Running && cli.waitForReadyRead(5000))
            err += cli.readAllStandardError();
        QVERIFY2(err.contains("10%\n"), err.constData());
        ::kill(pid_t(cli.processId()), SIGINT);
        QVERIFY(cli.waitForFinished(5000));
        err += cli.readAllStandardError();
        QCOMPARE(cli.exitCode(), int(cli::Partial));
        const QRegularExpressionMatch told = QRegularExpression("The download was cancelled after (\\d+) events; they are kept, marked as partial.\n$").match(QString::fromUtf8(err));
        QVERIFY2(told.hasMatch(), err.constData());
        QCOMPARE(Run({ "export", "stopped.kaud", "-", "--audit", "full" }).out.count("\r\n"), 1 + told.captured(1).toInt());
    }

    void interrupted()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, onTerminal);
        QFETCH(QString, waitFor);
        LockSimProcess sim({ "--keypad", "absent" });
        QProcess cli;
        const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
        if (onTerminal)
            cli.setStandardInputFile(QString::fromLocal8Bit(::ptsname(terminal)));
        cli.start(CORVANE_BINARY_DIR "/corvane-audit-cli", args + QStringList{ "--port", sim.path() });
        QVERIFY(cli.waitForStarted());
        QByteArray err;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 10000 && !err.contains(waitFor.toUtf8()) && cli.state() == QProcess::Running) {
            cli.waitForReadyRead(100);
            err += cli.readAllStandardError();
        }
        // At the question, or asking the keypad: the simulator has heard the first request.
        if (!onTerminal)
            QTRY_VERIFY_WITH_TIMEOUT(!sim.command("status").contains(" 0 requests"), 10000);
        QVERIFY(cli.state() == QProcess::Running);
        ::kill(pid_t(cli.processId()), SIGINT);
        // Only the stop ends them with 130: the download would wait on for the keypad, the users log
        // end with its own failure.
        QVERIFY(cli.waitForFinished(5000));
        ::close(terminal);
        err += cli.readAllStandardError();
        QCOMPARE(cli.exitCode(), 130);
        QVERIFY2(err.endsWith("Stopped.\n"), err.constData());
        QVERIFY(!QFile::exists("x.kaud"));
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
