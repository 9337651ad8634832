#include "model/CaptureFormat.h"

#include <QtTest>

using namespace capture;

namespace {

// A capture as the writer makes it: every kind of answer, a change of line settings, the end.
QByteArray Written()
{
    Header header;
    header.program = "corvane-audit-cli 2.0.6.0";
    header.operation = "download";
    header.events = 50;
    header.started = "2026-12-07 10:15:02";
    return HeaderText(header) + LineSettingsLine(0, 4800, false) + RequestLine(1, QByteArray::fromHex("7E04A491"))
        + AnswerLine(70, Answer::Bytes, QByteArray::fromHex("7E10A4")) + RequestLine(71, "\x01\x04")
        + AnswerLine(871, Answer::Silent, {}) + RequestLine(872, "\x01\x04") + AnswerLine(950, Answer::TooLong, "\x81\x43")
        + RequestLine(950, "\x01") + AnswerLine(951, Answer::Empty, {}) + RequestLine(952, "\x01")
        + AnswerLine(953, Answer::ShortWrite, {}) + LineSettingsLine(960, 19200, true) + RequestLine(961, "\x03\x06\x9B")
        + AnswerLine(962, Answer::Lost, {}) + EndLine(963, "failed", "USB interface\ndisconnected");
}

} // namespace

class TestCaptureFormat : public QObject
{
    Q_OBJECT

private slots:
    // What the writer writes reads back whole, whatever the answer was.
    void readsWhatIsWritten()
    {
        Capture c;
        QString error;
        QVERIFY2(Parse(Written(), c, &error), qPrintable(error));
        QCOMPARE(c.header.program + "|" + c.header.operation + "|" + c.header.started, QStringLiteral("corvane-audit-cli 2.0.6.0|download|2026-12-07 10:15:02"));
        QCOMPARE(c.header.events, 50);
        QCOMPARE(c.exchanges.size(), 6);
        QStringList seen;
        for (const Exchange& e : c.exchanges)
            seen << QString("%1 %2 %3 %4ms %5 %6").arg(e.line).arg(e.baud).arg(e.dtr).arg(e.answerMs - e.requestMs)
                        .arg(int(e.answer)).arg(HexText(e.request) + "/" + HexText(e.answerBytes));
        QCOMPARE(seen, (QStringList{ "7 4800 0 69ms 0 7E 04 A4 91/7E 10 A4", "9 4800 0 800ms 2 01 04/",
                                     "11 4800 0 78ms 4 01 04/81 43", "13 4800 0 1ms 1 01/", "15 4800 0 1ms 3 01/",
                                     "18 19200 1 1ms 5 03 06 9B/" }));
        QVERIFY(c.ended);
        QCOMPARE(c.outcome + "|" + c.message, QStringLiteral("failed|USB interface disconnected"));

        // Cut off after a request, as a crash leaves it: the answer is unknown; comments and
        // blank lines, and a Windows editor's line ends, are nothing.
        const QByteArray cut = Written().left(Written().indexOf("\n872 >") + 1).replace("\n1 >", "\n# note\n\r\n1 >").replace("\n", "\r\n");
        QVERIFY2(Parse(cut + "872 > 01 04\n", c, &error), qPrintable(error));
        QCOMPARE(c.exchanges.size(), 3);
        QCOMPARE(c.exchanges.last().answer, Answer::Unknown);
        QVERIFY(!c.ended);
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        const QByteArray head = "corvane-capture 1\nprogram p 1\noperation read-key\n";
        const QByteArray open = head + "0 line 19200 dtr=on\n";
        QTest::newRow("empty") << QByteArray() << "line 1: not a capture: it must begin with \"corvane-capture 1\"";
        QTest::newRow("another file") << QByteArray("AUDT\x01\x01") << "line 1: not a capture: it must begin with \"corvane-capture 1\"";
        QTest::newRow("first line cut") << QByteArray("corvane-capture 1") << "line 1: cut short: it has no line end";
        QTest::newRow("wrong first line") << QByteArray("corvane-capture 2\nprogram p\n") << "line 1: not a capture: it must begin with \"corvane-capture 1\"";
        QTest::newRow("header only, cut") << QByteArray("corvane-capture 1\nprogram p") << "line 2: cut short: it has no line end";
        QTest::newRow("no operation") << QByteArray("corvane-capture 1\nprogram p\n0 line 4800 dtr=off\n")
                                      << "line 3: the header needs a program line and an operation line";
        QTest::newRow("header without events") << QByteArray("corvane-capture 1\nprogram p\n") << "line 2: the header needs a program line and an operation line";
        QTest::newRow("unknown header") << head + "port /dev/ttyUSB0\n" << "line 4: unknown header line \"port\"";
        QTest::newRow("header twice") << head + "program q\n" << "line 4: a second \"program\" line";
        QTest::newRow("events 0") << head + "events 0\n" << "line 4: events must be 1..5600";
        QTest::newRow("header among events") << open + "program q\n" << "line 5: not an event: an event line starts with its time in milliseconds";
        QTest::newRow("truncated line") << open + "3 > 03 06 9B\n4 < 04 0" << "line 6: cut short: it has no line end";
        QTest::newRow("odd hex") << open + "3 > 03 06 9\n" << "line 5: odd number of hex digits in \"9\"";
        QTest::newRow("not hex") << open + "3 > 03 06 9G\n" << "line 5: not bytes in hex: \"9G\"";
        QTest::newRow("odd hex in an answer") << open + "3 > 03 06 9B\n4 < 040\n" << "line 6: odd number of hex digits in \"040\"";
        QTest::newRow("no time") << open + "x3 > 03\n" << "line 5: not an event: an event line starts with its time in milliseconds";
        QTest::newRow("time goes back") << open + "3 > 03 06 9B\n2 < 04\n" << "line 6: the time goes back";
        QTest::newRow("request before settings") << head + "3 > 03 06 9B\n" << "line 4: a request before the line settings";
        QTest::newRow("request without bytes") << open + "3 >\n" << "line 5: a request without bytes";
        QTest::newRow("two requests") << open + "3 > 03\n4 > 03\n" << "line 6: a request before the answer to line 5";
        QTest::newRow("answer alone") << open + "3 < 04 06 00 2A\n" << "line 5: an answer without its request";
        QTest::newRow("answer without bytes") << open + "3 > 03\n4 <\n" << "line 6: an answer without bytes (\"empty\" or \"silent\" say so)";
        QTest::newRow("silent with bytes") << open + "3 > 03\n4 < silent 04\n" << "line 6: nothing follows \"silent\"";
        QTest::newRow("bad settings") << head + "0 line fast dtr=on\n" << "line 4: line settings are \"line BAUD dtr=on|off\"";
        QTest::newRow("settings inside an exchange") << open + "3 > 03\n4 line 4800 dtr=off\n" << "line 6: line settings inside an exchange";
        QTest::newRow("unknown event") << open + "3 ? 03\n" << "line 5: unknown event \"?\"";
        QTest::newRow("unknown end") << open + "3 end maybe\n" << "line 5: the end is done, failed or cancelled";
        QTest::newRow("a NUL byte") << open + QByteArray("3 end failed USB \0interface\n", 28) << "line 5: not text: it holds a NUL byte";
        QTest::newRow("after the end") << open + "3 end done Done\n4 > 03\n" << "line 6: nothing may follow the end line";
    }
    // A file that is not a capture says where it goes wrong, and nothing of it is kept.
    void refused()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        Capture c;
        c.exchanges.resize(3);
        QString why;
        QVERIFY(!Parse(text, c, &why));
        QCOMPARE(why, error);
    }
};

QTEST_GUILESS_MAIN(TestCaptureFormat)
#include "tst_captureformat.moc"
