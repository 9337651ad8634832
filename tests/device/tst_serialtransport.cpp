#include "Protocol.h"
#include "SerialTransport.h"
#include "device/PtyPeer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>

Q_DECLARE_METATYPE(SerialPortEntry)

namespace {

constexpr unsigned char Sentinel = 0xEE;
constexpr int AnswerBufferSize = 64;

QByteArray bytesOf(const unsigned char* data, int length)
{
    return QByteArray(reinterpret_cast<const char*>(data), length);
}

QByteArray untouched(int length) { return QByteArray(length, char(Sentinel)); }

SerialPortEntry entry(const char* name, int vendorId, int productId)
{
    // -1 stands for an identifier the system does not know.
    return {QString::fromLatin1(name), vendorId >= 0, quint16(qMax(vendorId, 0)), productId >= 0,
            quint16(qMax(productId, 0))};
}

} // namespace

class TestSerialTransport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void openSetsLineSettings_data();
    void openSetsLineSettings();
    void exchange_data();
    void exchange();
    void silenceIsNoAnswerAndTheRetryIsAnswered();
    void refusedWriteIsShortWrite();
    void openVanishedPortFails_data();
    void openVanishedPortFails();
    void closePortOnClosedPortDoesNothing();
    void filterUsbInterfacePorts_data();
    void filterUsbInterfacePorts();
    void enumPortsAppendsSimulatedPorts_data();
    void enumPortsAppendsSimulatedPorts();
};

void TestSerialTransport::initTestCase()
{
    qRegisterMetaType<QSerialPort::SerialPortError>();
}

void TestSerialTransport::cleanup()
{
    qunsetenv(SimulatedPortsVariable);
}

void TestSerialTransport::openSetsLineSettings_data()
{
    QTest::addColumn<bool>("keyMode");
    QTest::addColumn<int>("baudRate");

    QTest::newRow("bus mode") << false << 4800;
    QTest::newRow("key mode") << true << 19200;
}

void TestSerialTransport::openSetsLineSettings()
{
    QFETCH(bool, keyMode);
    QFETCH(int, baudRate);

    PtyPeer peer;
    QVERIFY(peer.isOpen());
    QSerialPort port;
    QVERIFY(OpenPort(&port, peer.slavePath(), keyMode));
    QVERIFY(port.isOpen());
    QCOMPARE(port.openMode(), QIODevice::ReadWrite);
    QCOMPARE(port.baudRate(QSerialPort::Input), baudRate);
    QCOMPARE(port.baudRate(QSerialPort::Output), baudRate);
    QCOMPARE(port.dataBits(), QSerialPort::Data8);
    QCOMPARE(port.parity(), QSerialPort::NoParity);
    QCOMPARE(port.stopBits(), QSerialPort::OneStop);
    QCOMPARE(port.flowControl(), QSerialPort::NoFlowControl);
    QCOMPARE(port.readBufferSize(), 0);
    // A pseudo-terminal refuses both modem lines; that must not leave the port in error.
    QCOMPARE(port.error(), QSerialPort::NoError);
    ClosePort(&port);
}

void TestSerialTransport::exchange_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QList<int>>("delaysMs");
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<qlonglong>("expected");
    QTest::addColumn<QByteArray>("expectedAnswer");

    const QByteArray record = QByteArray::fromHex("81430102030405060708090A");
    const QByteArray auditStart = QByteArray::fromHex("01066D0000DF");
    const QByteArray auditNext = QByteArray::fromHex("01047DEA");

    QTest::newRow("one piece") << auditStart << QList<int>{0} << QList<QByteArray>{record} << 64 << 12LL
                               << record;
    QTest::newRow("three pieces 15 ms apart")
        << auditNext << QList<int>{0, 15, 15} << QList<QByteArray>{record.left(4), record.mid(4, 4), record.mid(8)}
        << 64 << 12LL << record;
    QTest::newRow("a pause ends the answer")
        << auditNext << QList<int>{0, 150} << QList<QByteArray>{record.left(5), record.mid(5)} << 64 << 5LL
        << record.left(5);
    QTest::newRow("exactly the capacity")
        << auditNext << QList<int>{0} << QList<QByteArray>{record} << 12 << 12LL << record;
    QTest::newRow("one byte over the capacity")
        << auditNext << QList<int>{0} << QList<QByteArray>{record} << 11 << SendCommandAnswerTooLong << QByteArray();
    QTest::newRow("over the capacity in pieces")
        << auditNext << QList<int>{0, 15} << QList<QByteArray>{record.left(6), record.mid(6)} << 11
        << SendCommandAnswerTooLong << QByteArray();
    const QByteArray lineControl = QByteArray::fromHex("0D0A0011130304087F1A1C15FF");
    QTest::newRow("bytes a terminal would interpret")
        << lineControl << QList<int>{0} << QList<QByteArray>{lineControl} << 64 << qlonglong(lineControl.size())
        << lineControl;
}

void TestSerialTransport::exchange()
{
    QFETCH(QByteArray, request);
    QFETCH(QList<int>, delaysMs);
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(int, capacity);
    QFETCH(qlonglong, expected);
    QFETCH(QByteArray, expectedAnswer);

    PtyPeer peer;
    QVERIFY(peer.isOpen());
    QSerialPort port;
    QVERIFY(OpenPort(&port, peer.slavePath(), false));
    peer.start(request.size(), delaysMs, pieces);

    unsigned char answer[AnswerBufferSize];
    std::memset(answer, Sentinel, sizeof answer);
    QByteArray sent = request;
    const long long result =
        SendCommand(&port, reinterpret_cast<unsigned char*>(sent.data()), sent.size(), answer, capacity);

    QCOMPARE(peer.finish().toHex(' '), request.toHex(' '));
    QCOMPARE(result, expected);
    const int copied = int(qMax(result, 0LL));
    QCOMPARE(bytesOf(answer, copied).toHex(' '), expectedAnswer.toHex(' '));
    QCOMPARE(bytesOf(answer + copied, AnswerBufferSize - copied), untouched(AnswerBufferSize - copied));
    ClosePort(&port);
}

void TestSerialTransport::silenceIsNoAnswerAndTheRetryIsAnswered()
{
    PtyPeer peer;
    QVERIFY(peer.isOpen());
    QSerialPort port;
    QVERIFY(OpenPort(&port, peer.slavePath(), true));

    unsigned char request[8];
    const unsigned int length = Protocol::CheckPresence(request, sizeof request);
    unsigned char answer[AnswerBufferSize];
    std::memset(answer, Sentinel, sizeof answer);

    peer.start(int(length), {}, {});
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(SendCommand(&port, request, length, answer, AnswerBufferSize), SendCommandNoAnswer);
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= 750 && elapsed < 2000, qPrintable(QString::number(elapsed)));
    QCOMPARE(peer.finish(), bytesOf(request, int(length)));
    QCOMPARE(bytesOf(answer, AnswerBufferSize), untouched(AnswerBufferSize));

    // The time-out of the first attempt must not spoil the second.
    const QByteArray noKey = QByteArray::fromHex("04060000");
    peer.start(int(length), {5}, {noKey});
    QCOMPARE(SendCommand(&port, request, length, answer, AnswerBufferSize), 4LL);
    QCOMPARE(bytesOf(answer, 4), noKey);
    QCOMPARE(peer.finish(), bytesOf(request, int(length)));
    ClosePort(&port);
}

void TestSerialTransport::refusedWriteIsShortWrite()
{
    QSerialPort port;
    unsigned char request[8];
    const unsigned int length = Protocol::AuditNext(request, sizeof request);
    unsigned char answer[AnswerBufferSize];
    std::memset(answer, Sentinel, sizeof answer);

    QCOMPARE(SendCommand(&port, request, length, answer, AnswerBufferSize), SendCommandShortWrite);
    QCOMPARE(bytesOf(answer, AnswerBufferSize), untouched(AnswerBufferSize));
}

void TestSerialTransport::openVanishedPortFails_data()
{
    QTest::addColumn<QString>("path");

    QString gone;
    {
        PtyPeer peer;
        gone = peer.slavePath();
    }
    QTest::newRow("pseudo-terminal closed since") << gone;
    QTest::newRow("never there") << QStringLiteral("/dev/ttyCorvaneMissing0");
}

void TestSerialTransport::openVanishedPortFails()
{
    QFETCH(QString, path);
    if (path.isEmpty() || QFile::exists(path))
        QSKIP("the path is in use");

    QSerialPort port;
    QVERIFY(!OpenPort(&port, path, false));
    QVERIFY(!port.isOpen());
}

void TestSerialTransport::closePortOnClosedPortDoesNothing()
{
    QSerialPort port;
    QSignalSpy errors(&port, &QSerialPort::errorOccurred);
    QVERIFY(errors.isValid());
    ClosePort(&port);
    QCOMPARE(errors.count(), 0);
    QCOMPARE(port.error(), QSerialPort::NoError);

    PtyPeer peer;
    QVERIFY(OpenPort(&port, peer.slavePath(), false));
    ClosePort(&port);
    QVERIFY(!port.isOpen());
    errors.clear();
    ClosePort(&port);
    QCOMPARE(errors.count(), 0);
    QCOMPARE(port.error(), QSerialPort::NoError);
}

void TestSerialTransport::filterUsbInterfacePorts_data()
{
    QTest::addColumn<QVector<SerialPortEntry>>("ports");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no ports") << QVector<SerialPortEntry>{} << QStringList{};
    QTest::newRow("serial ports, none an interface")
        << QVector<SerialPortEntry>{entry("ttyS0", -1, -1), entry("ttyACM0", 0x2341, 0x0043),
                                    entry("ttyUSB0", 0x0403, 0x6001), entry("ttyUSB1", 0x10C4, 0xEA61)}
        << QStringList{};
    QTest::newRow("interfaces of any vendor, in system order")
        << QVector<SerialPortEntry>{entry("ttyUSB3", 0x10C4, 0xEA60), entry("ttyS0", -1, -1),
                                    entry("ttyUSB0", 0x1234, 0xEA60), entry("ttyUSB1", 0x0403, 0x6001),
                                    entry("ttyUSB2", -1, 0xEA60)}
        << QStringList{"ttyUSB3", "ttyUSB0", "ttyUSB2"};
    SerialPortEntry unknown = entry("ttyUSB0", 0x10C4, 0xEA60);
    unknown.hasProductId = false;
    QTest::newRow("product id not known") << QVector<SerialPortEntry>{unknown} << QStringList{};
}

void TestSerialTransport::filterUsbInterfacePorts()
{
    QFETCH(QVector<SerialPortEntry>, ports);
    QFETCH(QStringList, expected);
    QCOMPARE(FilterUsbInterfacePorts(ports), expected);
}

void TestSerialTransport::enumPortsAppendsSimulatedPorts_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QStringList>("appended");

    QTest::newRow("unset") << false << QByteArray() << QStringList{};
    QTest::newRow("empty") << true << QByteArray() << QStringList{};
    QTest::newRow("one path") << true << QByteArray("/dev/pts/91") << QStringList{"/dev/pts/91"};
    QTest::newRow("several paths in order")
        << true << QByteArray("/tmp/b:/dev/pts/3:/tmp/a") << QStringList{"/tmp/b", "/dev/pts/3", "/tmp/a"};
    QTest::newRow("empty parts dropped") << true << QByteArray(":/tmp/a::/tmp/b:") << QStringList{"/tmp/a", "/tmp/b"};
}

void TestSerialTransport::enumPortsAppendsSimulatedPorts()
{
    QFETCH(bool, set);
    QFETCH(QByteArray, value);
    QFETCH(QStringList, appended);

    QStringList real;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (info.hasProductIdentifier() && info.productIdentifier() == 0xEA60)
            real.append(info.portName());
    }
    if (set)
        qputenv(SimulatedPortsVariable, value);
    QCOMPARE(EnumPorts(), real + appended);
}

QTEST_GUILESS_MAIN(TestSerialTransport)
#include "tst_serialtransport.moc"
