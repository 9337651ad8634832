#include "device/PtyPeer.h"
#include "device/SerialTransport.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QtTest>

#include <memory>

using Pieces = QList<QByteArray>;

class TestSerialTransport : public QObject
{
    Q_OBJECT

    std::unique_ptr<PtyPeer> peer;
    QSerialPort port;
    QByteArray answer;

    // The request goes through the port to the peer, whose answer pieces land in a buffer of 64 bytes;
    // -1 when the peer did not read the request.
    long long Exchange(QByteArray request, const QList<int>& delaysMs, const Pieces& pieces, int capacity)
    {
        answer.fill('\xEE', 64);
        std::future<QByteArray> served = peer->answer(request.size(), delaysMs, pieces);
        const long long result = SendCommand(&port, reinterpret_cast<unsigned char*>(request.data()), request.size(),
                                             reinterpret_cast<unsigned char*>(answer.data()), capacity);
        return served.get() == request ? result : -1;
    }

    // The same exchange as a value, at `pace`: "status: bytes", or "unread" when the peer did not
    // read the request.
    QString Reply(const QByteArray& request, const QList<int>& delaysMs, const Pieces& pieces, int capacity,
                  const LinkPace& pace)
    {
        std::future<QByteArray> served = peer->answer(request.size(), delaysMs, pieces);
        const LinkReply reply = ::Exchange(port, request, capacity, pace);
        if (served.get() != request)
            return QStringLiteral("unread");
        const char* status[] = { "answered", "no answer", "short write", "too long", "lost" };
        return QString("%1: %2").arg(status[int(reply.status)], QString(reply.answer.toHex(' ')));
    }

private slots:
    void init() { peer = std::make_unique<PtyPeer>(); }
    void cleanup() { ClosePort(&port); }

    void lineSettings()
    {
        for (bool keyMode : { false, true }) {
            QVERIFY(OpenPort(&port, peer->slavePath, keyMode));
            const int baud = keyMode ? 19200 : 4800;
            // A pseudo-terminal refuses both modem lines; that must not leave the port in error.
            const QList<int> settings { port.baudRate(QSerialPort::Input), port.baudRate(QSerialPort::Output),
                port.dataBits(), port.parity(), port.stopBits(), port.flowControl(), int(port.readBufferSize()) };
            QCOMPARE(settings, QList<int>({ baud, baud, 8, QSerialPort::NoParity, QSerialPort::OneStop, 0, 0 }));
            QCOMPARE(port.error(), QSerialPort::NoError);
            ClosePort(&port);
        }
    }

    // At the line's pace: pieces closer than its 40 ms of silence are one answer, a longer pause
    // ends it; what fits the capacity is copied, nothing when the answer is too long.
    void exchange()
    {
        const QByteArray a = QByteArray::fromHex("810D0A0011130304087F1AFF"); // bytes a terminal would act on
        const struct { QList<int> delaysMs; Pieces pieces; int capacity; long long expected; } cases[] = {
            { { 0, 10, 10 }, { a.left(4), a.mid(4, 4), a.mid(8) }, 64, 12 }, // pieces 10 ms apart: one answer
            { { 0, 150 }, { a.left(5), a.mid(5) }, 64, 5 },                  // a pause ends it
            { { 0 }, { a }, 12, 12 },                                        // exactly the capacity
            { { 0, 10 }, { a.left(6), a.mid(6) }, 11, SendCommandAnswerTooLong } };
        for (const auto& c : cases) {
            init(); // a new peer, so that what came after a pause stays out of the next exchange
            QVERIFY(OpenPort(&port, peer->slavePath, false));
            QCOMPARE(Exchange(c.pieces.join(), c.delaysMs, c.pieces, c.capacity), c.expected);
            const int copied = int(qMax(c.expected, 0LL)); // nothing written beyond, nor at all when too long
            QCOMPARE(answer.toHex(' '), (c.pieces.join().left(copied) + QByteArray(64 - copied, '\xEE')).toHex(' '));
            ClosePort(&port);
        }
    }

    // The exchange as a value: the bytes of an answer too long too, one beyond the capacity
    // (enough for a capture to replay it as such), and the silence of the pace it is given.
    void exchangeValue_data()
    {
        QTest::addColumn<QList<int>>("delaysMs");
        QTest::addColumn<Pieces>("pieces");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("silenceMs");
        QTest::addColumn<QString>("reply");
        const QByteArray a = QByteArray::fromHex("810D0A0011130304087F1AFF");
        QTest::newRow("whole") << QList<int>{ 0, 10 } << Pieces{ a.left(4), a.mid(4) } << 64 << 40
                               << "answered: 81 0d 0a 00 11 13 03 04 08 7f 1a ff";
        QTest::newRow("too long by two") << QList<int>{ 0 } << Pieces{ a } << 10 << 40
                                         << "too long: 81 0d 0a 00 11 13 03 04 08 7f 1a";
        QTest::newRow("a shorter silence ends it sooner") << QList<int>{ 0, 60 } << Pieces{ a.left(4), a.mid(4) } << 64 << 20
                                                          << "answered: 81 0d 0a 00";
        QTest::newRow("silence") << QList<int>{} << Pieces{} << 64 << 40 << "no answer: ";
    }
    void exchangeValue()
    {
        QFETCH(QList<int>, delaysMs);
        QFETCH(Pieces, pieces);
        QFETCH(int, capacity);
        QFETCH(int, silenceMs);
        QFETCH(QString, reply);
        QVERIFY(OpenPort(&port, peer->slavePath, false));
        LinkPace pace;
        pace.silenceMs = silenceMs;
        QCOMPARE(Reply("\x01\x04\x7D\xEA", delaysMs, pieces, capacity, pace), reply);
    }

    void silenceIsNoAnswerAndTheRetryIsAnswered()
    {
        QVERIFY(OpenPort(&port, peer->slavePath, true));
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(Exchange("\x03\x06\x9B", {}, {}, 64), SendCommandNoAnswer);
        // It waited for a first byte; how much longer a loaded machine takes is not the point.
        QVERIFY2(timer.elapsed() >= LinePace.firstByteMs - 50, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(answer, QByteArray(64, '\xEE'));
        QCOMPARE(Exchange("\x03\x06\x9B", { 5 }, { "\x04\x06\x01\x02" }, 64), 4LL);
        QCOMPARE(answer.left(4), QByteArray("\x04\x06\x01\x02"));
    }

    void closedAndVanishedPorts()
    {
        const QString gone = PtyPeer().slavePath; // its terminal went with it
        if (QFile::exists(gone))
            QSKIP("the terminal's number is in use again");
        QVERIFY(!OpenPort(&port, gone, false) && !port.isOpen());
        unsigned char request[] = { 0x01, 0x04, 0x7D, 0xEA }, reply[4] = {};
        QCOMPARE(SendCommand(&port, request, 4, reply, 4), SendCommandPortLost); // nothing to write to
        port.clearError();
        ClosePort(&port); // on a closed port: nothing happens
        QCOMPARE(port.error(), QSerialPort::NoError);

        // The far end goes away (USB unplugged): the exchange says so at once, and again after.
        QVERIFY(OpenPort(&port, peer->slavePath, false));
        peer.reset();
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(SendCommand(&port, request, 4, reply, 4), SendCommandPortLost);
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    }

    void ports()
    {
        // Interfaces by product identifier, whatever the vendor, in the system's order.
        const QVector<SerialPortEntry> entries { { "ttyS0", false, 0, false, 0 },
            { "ttyUSB3", true, 0x10C4, true, 0xEA60 }, { "ttyUSB0", true, 0x0403, true, 0x6001 },
            { "ttyUSB2", false, 0, true, 0xEA60 }, { "ttyUSB1", true, 0x10C4, false, 0xEA60 },
            { "ttyUSB4", true, 0x10C4, true, 0xEA61 } };
        QCOMPARE(FilterUsbInterfacePorts(entries), QStringList({ "ttyUSB3", "ttyUSB2" }));
        qputenv(SimulatedPortsVariable, ":/tmp/b:/dev/pts/3::/tmp/a:"); // after the interfaces, in order
        const QStringList withSimulated = EnumPorts();
        qunsetenv(SimulatedPortsVariable);
        QCOMPARE(withSimulated, EnumPorts() + QStringList({ "/tmp/b", "/dev/pts/3", "/tmp/a" }));
    }
};

QTEST_GUILESS_MAIN(TestSerialTransport)
#include "tst_serialtransport.moc"
