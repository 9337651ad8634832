// Replaying captures: what CaptureReplay answers, and corvane-lock-sim --replay serving a
// capture on a pseudo-terminal to the command line.

#include "AuditCli.h"
#include "CliRun.h"
#include "AuditFileBytes.h"
#include "model/CaptureFormat.h"
#include "sim/CaptureReplay.h"
#include "LockSimProcess.h"
#include "device/Protocol.h"
#include "reports/ReportFixtures.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace fixtures;

namespace {

const QString Captures = QStringLiteral(CORVANE_SOURCE_DIR "/tests/captures/");

// The event records a capture of a download brought.
int RecordsCaptured(const capture::Capture& c)
{
    int records = 0;
    for (const capture::Exchange& e : c.exchanges) {
        const bool audit = e.request == QByteArray::fromHex("01066D0000DF") || e.request == QByteArray::fromHex("01047DEA");
        const auto* answer = reinterpret_cast<const unsigned char*>(e.answerBytes.constData());
        if (audit && e.answer == capture::Answer::Bytes
            && Protocol::ClassifyAuditAnswer(answer, e.answerBytes.size(), nullptr) == Protocol::AuditAnswer::Record)
            ++records;
    }
    return records;
}

} // namespace

class TestReplay : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY(dir.isValid() && QDir::setCurrent(dir.path())); }

    // Each captured answer after its captured delay, less the silence the program waits anyway;
    // a lost port hangs up. The first request that differs, in its bytes or its speed, is told
    // and gets silence, and so does every one after it.
    void answers()
    {
        const QByteArray text = QByteArray("corvane-capture 1\nprogram p\noperation read-key\n0 line 19200 dtr=on\n")
            + "10 > 03 06 9B\n75 < 0B 06 0C\n80 > 03 06 9B\n880 < silent\n900 > 03 06 9B\n910 < 04 06\n"
            + "911 > 03 06 9B\n9000 < 04 06 00 2A\n9001 > 06 04\n9002 < lost\n";
        capture::Capture c;
        QString error;
        QVERIFY2(capture::Parse(text, c, &error), qPrintable(error));
        const auto replies = [&c](const QList<QPair<QByteArray, int>>& requests) {
            CaptureReplay replay(c);
            QStringList got;
            for (const auto& r : requests) {
                const PtyServer::Reply reply = replay.reply(QByteArray::fromHex(r.first), r.second);
                const QString delay = reply.delayUs < 0 ? "-" : QString::number(reply.delayUs / 1000);
                got << reply.bytes.toHex().toUpper() + "@" + delay + (reply.hangUp ? " hang-up" : "");
            }
            return got << QString("%1/%2 %3").arg(replay.matched()).arg(replay.captured()).arg(replay.complete()) << replay.difference();
        };
        const QPair<QByteArray, int> presence { "03069B", 19200 };
        // 65 ms less the silence and the 3 bytes' 1.6 ms at 19200 baud; an answer 8 s late (edited
        // by hand) comes whole as late as the program still hears it.
        QCOMPARE(replies({ presence, presence, presence, presence, { "0604", 19200 } }),
                 (QStringList{ "0B060C@23", "@0", "0406@0", "0406002A@697", "@0 hang-up", "5/5 1", "" }));
        QCOMPARE(replies({ presence, { "03069C", 19200 }, presence }),
                 (QStringList{ "0B060C@23", "@-", "@-", "1/5 0", "request 2 differs from the capture: sent 03 06 9C, captured 03 06 9B" }));
        QCOMPARE(replies({ { "03069B", 4800 } }),
                 (QStringList{ "@-", "0/5 0", "request 1 differs from the capture: sent 03 06 9B at 4800 baud, captured at 19200 baud" }));
        QCOMPARE(replies({ presence, presence, presence, presence, { "0604", 19200 }, presence }).last(),
                 QStringLiteral("request 6 differs from the capture: sent 03 06 9B, captured nothing (it ends after 5 requests)"));
    }

    // A capture edited: the replay stops at the edited exchange, says so, and counts the
    // exchanges before it.
    void edited_data()
    {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("edited"); // its second occurrence for a request, else its first
        QTest::addColumn<QString>("difference");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        // Records 0 and 1 came before it: a partial audit.
        QTest::newRow("an event request") << QByteArray("> 01 04 7D EA") << QByteArray("> 01 04 7D EB")
            << "request 16 differs from the capture: sent 01 04 7D EA, captured 01 04 7D EB" << int(cli::Partial)
            << "No answer from lock: the download stopped after 2 events; they are kept, marked as partial.";
        QTest::newRow("the line's speed") << QByteArray("line 4800 dtr=off") << QByteArray("line 9600 dtr=off")
            << "request 1 differs from the capture: sent 7E 04 A4 91 at 4800 baud, captured at 9600 baud"
            << int(cli::Rejected) << "No answer from keypad";
    }
    void edited()
    {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, edited);
        QFETCH(QString, difference);
        QFETCH(int, code);
        QFETCH(QString, message);
        QByteArray text = ReadAll(Captures + "download-50-crc.capture");
        const int at = text.indexOf(original, original.startsWith('>') ? text.indexOf(original) + 1 : 0);
        QVERIFY(at > 0);
        QVERIFY(WriteAll("edited.capture", text.replace(at, original.size(), edited)));

        LockSimProcess sim({ "--replay", "edited.capture" });
        const QuickRun run({ "download", "--events", "50", "--wait", "2", "--no-archive", "edited.kaud", "--port", sim.path() });
        const LockSimProcess::Ended ended = sim.quit();
        QCOMPARE(run.code, code);
        QVERIFY2(run.err.endsWith(message + "\n"), qPrintable(run.err));
        QCOMPARE(ended.err, difference + "\n");
        const int matched = difference.section(' ', 1, 1).toInt() - 1;
        QCOMPARE(ended.out, QString("%1 of %2 captured exchanges matched\n").arg(matched).arg(text.count(" > ")));
        QCOMPARE(ended.status, 1);
    }

    // The captures under tests/captures, replayed through the real serial link: the program
    // asks for exactly what each holds, ends as its end line says, and writes the outputs kept
    // beside it (an audit file's download date aside). A capture that ends without its end
    // line, or was cancelled, is checked as far as it goes.
    void captures_data()
    {
        QTest::addColumn<QString>("path");
        const QDir folder(Captures);
        const QStringList files = folder.entryList({ "*.capture" }, QDir::Files, QDir::Name);
        QVERIFY2(!files.isEmpty(), "no capture to replay");
        for (const QString& file : files)
            QTest::newRow(qPrintable(file)) << folder.filePath(file);
    }
    void captures()
    {
        QFETCH(QString, path);
        capture::Capture c;
        QString error;
        QVERIFY2(capture::Load(path, c, &error), qPrintable(error));
        const QString base = path.chopped(int(strlen(".capture")));
        const QStringList outputs = QDir(QFileInfo(path).path()).entryList({ QFileInfo(base).fileName() + ".*" }, QDir::Files)
                                        .filter(QRegularExpression("\\.(bin|kaud|csv)$"));
        QVERIFY(outputs.size() <= 1);
        const QString expected = outputs.isEmpty() ? QString() : QFileInfo(path).path() + "/" + outputs.first();
        const QString output = outputs.isEmpty() ? QString() : "replayed." + QFileInfo(expected).suffix();

        const QString& operation = c.header.operation;
        QStringList args { operation, "--wait", "2" };
        if (operation == "read-key")
            args << (output.isEmpty() ? "replayed.bin" : output);
        else if (operation == "write-key")
            args << "--yes";
        else if (operation == "download")
            args << "--events" << QString::number(c.header.events) << (output.isEmpty() ? "replayed.kaud" : output);
        else if (operation == "users-log")
            args = QStringList{ operation, output.isEmpty() ? "replayed.csv" : output };
        else
            QFAIL(qPrintable("unknown operation " + operation));
        if (!output.isEmpty())
            QFile::remove(output);

        LockSimProcess sim({ "--replay", path });
        const QuickRun run(args + QStringList{ "--port", sim.path() });
        const LockSimProcess::Ended ended = sim.quit();
        QVERIFY2(ended.out.endsWith(QString("%1 of %1 captured exchanges matched\n").arg(c.exchanges.size())),
                 qPrintable(ended.out + ended.err));
        if (!c.ended || c.outcome == "cancelled")
            return;
        QVERIFY2(ended.err.isEmpty() && ended.status == 0, qPrintable(ended.err));
        // A download that failed after records came is kept as a partial audit.
        const bool partial = operation == "download" && c.outcome == "failed" && RecordsCaptured(c) > 0;
        QCOMPARE(run.code, int(c.outcome == "done" ? cli::Success : partial ? cli::Partial : cli::Rejected));
        if (!c.message.isEmpty() && c.outcome == "failed")
            QVERIFY2(run.err.contains(c.message), qPrintable(run.err));
        if (expected.isEmpty())
            return;
        QByteArray want = ReadAll(expected), got = ReadAll(output);
        if (output.endsWith(".kaud"))
            want = WithoutDownloadTime(want), got = WithoutDownloadTime(got);
        QVERIFY(!want.isEmpty());
        QCOMPARE(got.size(), want.size());
        QVERIFY(got == want);
    }

    // A file that is not a capture is refused before anything is served, with its line.
    void refused()
    {
        const QByteArray recorded = ReadAll(Captures + "download-50-crc.capture");
        QVERIFY(WriteAll("odd.capture", QByteArray(recorded).replace(" > 01 04 28 0E\n", " > 01 04 28 0\n")));
        QProcess sim;
        sim.start(CORVANE_BINARY_DIR "/corvane-lock-sim", { "--replay", "odd.capture" });
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 1);
        const int line = recorded.left(recorded.indexOf(" > 01 04 28 0E\n")).count('\n') + 1;
        QCOMPARE(QString::fromLocal8Bit(sim.readAllStandardError()),
                 QString("corvane-lock-sim: odd.capture: line %1: odd number of hex digits in \"0\"\n").arg(line));
        QVERIFY(sim.readAllStandardOutput().isEmpty());

        sim.start(CORVANE_BINARY_DIR "/corvane-lock-sim", { "--replay", "odd.capture", "--key", "audit" });
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 2);
    }
};

QTEST_MAIN(TestReplay)
#include "tst_replay.moc"
