#include "Protocol.h"

#include <QtTest>

#include <cstring>
#include <functional>
#include <vector>

using Builder = std::function<unsigned int(unsigned char*, unsigned int)>;
Q_DECLARE_METATYPE(Builder)
Q_DECLARE_METATYPE(Protocol::AuditAnswer)

namespace {

constexpr unsigned char Sentinel = 0xEE;

QByteArray sentinelBlock(int size) { return QByteArray(size, char(Sentinel)); }

QByteArray asBytes(const unsigned char* data, unsigned int length)
{
    return QByteArray(reinterpret_cast<const char*>(data), int(length));
}

const unsigned char* raw(const QByteArray& bytes) { return reinterpret_cast<const unsigned char*>(bytes.constData()); }

} // namespace

class TestProtocol : public QObject
{
    Q_OBJECT

private slots:
    void frames_data();
    void frames();
    void writeDallasRefusesUnframeableLengths();
    void crc_data();
    void crc();
    void checkCrc_data();
    void checkCrc();
    void classifyAuditAnswer_data();
    void classifyAuditAnswer();
    void bcdToInt_data();
    void bcdToInt();
    void dallasPageAddress_data();
    void dallasPageAddress();
};

void TestProtocol::frames_data()
{
    QTest::addColumn<Builder>("build");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("VersionRequest") << Builder(&Protocol::VersionRequest) << QByteArray::fromHex("7E04A491");
    QTest::newRow("ReportRequest") << Builder(&Protocol::ReportRequest) << QByteArray::fromHex("0104232E");
    QTest::newRow("Status2Request") << Builder(&Protocol::Status2Request) << QByteArray::fromHex("0104280E");
    QTest::newRow("ReadConfig") << Builder(&Protocol::ReadConfig) << QByteArray::fromHex("010489FF");
    QTest::newRow("AuditNext") << Builder(&Protocol::AuditNext) << QByteArray::fromHex("01047DEA");
    QTest::newRow("CheckPresence") << Builder(&Protocol::CheckPresence) << QByteArray::fromHex("03069B");
    QTest::newRow("AuditStart start of audit")
        << Builder([](unsigned char* b, unsigned int c) { return Protocol::AuditStart(b, c, 0x00, 0x00); })
        << QByteArray::fromHex("01066D0000DF");
    QTest::newRow("AuditStart date/time entry 0")
        << Builder([](unsigned char* b, unsigned int c) { return Protocol::AuditStart(b, c, 0xFE, 0x00); })
        << QByteArray::fromHex("01066DFE009A");
    QTest::newRow("AuditStart date/time entry 7")
        << Builder([](unsigned char* b, unsigned int c) { return Protocol::AuditStart(b, c, 0xFE, 0x07); })
        << QByteArray::fromHex("01066DFE0719");
    QTest::newRow("AuditRecord 0")
        << Builder([](unsigned char* b, unsigned int c) { return Protocol::AuditRecord(b, c, 0); })
        << QByteArray::fromHex("01052C008F");
    QTest::newRow("AuditRecord 103")
        << Builder([](unsigned char* b, unsigned int c) { return Protocol::AuditRecord(b, c, 103); })
        << QByteArray::fromHex("01052C6769");
    QTest::newRow("ReadDallas first page")
        << Builder([](unsigned char* b, unsigned int c) { return Protocol::ReadDallas(b, c, 0x00, 0x00); })
        << QByteArray::fromHex("06040000201F");
    QTest::newRow("ReadDallas last page")
        << Builder([](unsigned char* b, unsigned int c) { return Protocol::ReadDallas(b, c, 0x1F, 0xE0); })
        << QByteArray::fromHex("06041FE0207F");

    static unsigned char page[32];
    for (int i = 0; i < 32; ++i)
        page[i] = static_cast<unsigned char>(0x40 + i);
    QTest::newRow("WriteDallas one page")
        << Builder([](unsigned char* b, unsigned int c) { return Protocol::WriteDallas(b, c, 0x1F, 0xE0, page, 32); })
        << QByteArray::fromHex("26051FE020"
                               "404142434445464748494A4B4C4D4E4F505152535455565758595A5B5C5D5E5F"
                               "D0");
    QTest::newRow("WriteDallas nothing")
        << Builder([](unsigned char* b, unsigned int c) { return Protocol::WriteDallas(b, c, 0x00, 0x20, nullptr, 0); })
        << QByteArray::fromHex("06050020" "00" "72");
}

void TestProtocol::frames()
{
    QFETCH(Builder, build);
    QFETCH(QByteArray, expected);
    const unsigned int length = unsigned(expected.size());

    unsigned char out[256];
    std::memset(out, Sentinel, sizeof out);
    QCOMPARE(build(out, sizeof out), length);
    QCOMPARE(asBytes(out, length).toHex(' '), expected.toHex(' '));
    QCOMPARE(asBytes(out + length, sizeof out - length), sentinelBlock(int(sizeof out - length)));
    // The last byte, constant or computed, is the CRC of everything before it.
    QCOMPARE(Protocol::Crc(raw(expected), length - 1), raw(expected)[length - 1]);
    QVERIFY(Protocol::CheckCrc(raw(expected), length));

    std::memset(out, Sentinel, sizeof out);
    QCOMPARE(build(out, length), length);
    QCOMPARE(asBytes(out, length), expected);

    std::memset(out, Sentinel, sizeof out);
    QCOMPARE(build(out, length - 1), 0u);
    QCOMPARE(build(out, 0), 0u);
    QCOMPARE(asBytes(out, sizeof out), sentinelBlock(sizeof out));
}

void TestProtocol::writeDallasRefusesUnframeableLengths()
{
    static unsigned char data[300] = {};
    unsigned char buffer[512];

    QCOMPARE(Protocol::WriteDallas(buffer, sizeof buffer, 0, 0, data, Protocol::MaxDallasWriteLength), 255u);
    QCOMPARE(int(buffer[0]), 0xFF);
    QCOMPARE(buffer[4], static_cast<unsigned char>(Protocol::MaxDallasWriteLength));

    std::memset(buffer, Sentinel, sizeof buffer);
    QCOMPARE(Protocol::WriteDallas(buffer, sizeof buffer, 0, 0, data, Protocol::MaxDallasWriteLength + 1), 0u);
    QCOMPARE(Protocol::WriteDallas(buffer, sizeof buffer, 0, 0, nullptr, 1), 0u);
    QCOMPARE(asBytes(buffer, sizeof buffer), sentinelBlock(sizeof buffer));
}

void TestProtocol::crc_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("expected");

    QTest::newRow("check value") << QByteArray("123456789") << 0x1D;
    QTest::newRow("empty range") << QByteArray() << 0x15;
    QTest::newRow("one byte") << QByteArray("1") << 0x42;
}

void TestProtocol::crc()
{
    QFETCH(QByteArray, data);
    QFETCH(int, expected);
    QCOMPARE(int(Protocol::Crc(raw(data), unsigned(data.size()))), expected);
}

void TestProtocol::checkCrc_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("expected");

    // The short rows hold bytes a check over fewer than two bytes would accept.
    QTest::newRow("0 bytes") << QByteArray() << false;
    QTest::newRow("1 byte equal to the CRC of nothing") << QByteArray::fromHex("15") << false;
    QTest::newRow("2 bytes, second the CRC of the first") << QByteArray::fromHex("3142") << false;
    QTest::newRow("3 bytes, right CRC") << QByteArray::fromHex("7E0418") << true;
    QTest::newRow("3 bytes, wrong CRC") << QByteArray::fromHex("7E0419") << false;
    QTest::newRow("keypad answer, right CRC") << QByteArray::fromHex("7E04A491") << true;
    QTest::newRow("keypad answer, damaged byte") << QByteArray::fromHex("7E04A591") << false;
}

void TestProtocol::checkCrc()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, expected);
    QCOMPARE(Protocol::CheckCrc(raw(answer), unsigned(answer.size())), expected);
}

void TestProtocol::classifyAuditAnswer_data()
{
    using A = Protocol::AuditAnswer;
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<Protocol::AuditAnswer>("expected");
    QTest::addColumn<int>("errorCode");

    QTest::newRow("0x43 record") << QByteArray::fromHex("81430102030405060708090A") << A::Record << 0;
    QTest::newRow("0xAC record, two bytes suffice") << QByteArray::fromHex("81AC") << A::Record << 0;
    QTest::newRow("0x80 end, two bytes suffice") << QByteArray::fromHex("8180") << A::End << 0;
    QTest::newRow("0x16/0x02 end") << QByteArray::fromHex("811602") << A::End << 0;
    QTest::newRow("0x16/0x01 communication error") << QByteArray::fromHex("811601") << A::CommunicationError << 0;
    QTest::newRow("0x16/0x03 communication error") << QByteArray::fromHex("811603") << A::CommunicationError << 0;
    QTest::newRow("0x16/0x00 record") << QByteArray::fromHex("811600") << A::Record << 0;
    QTest::newRow("0x16/0x04 record") << QByteArray::fromHex("811604") << A::Record << 0;
    QTest::newRow("0x16/0x80 record") << QByteArray::fromHex("811680") << A::Record << 0;
    QTest::newRow("0x16/0x81 lock error 129") << QByteArray::fromHex("811681") << A::LockError << 129;
    QTest::newRow("0x16/0x90 lock error 144") << QByteArray::fromHex("8116900000") << A::LockError << 144;
    QTest::newRow("0x16/0xFF lock error 255") << QByteArray::fromHex("8116FF") << A::LockError << 255;
    QTest::newRow("unknown byte 1") << QByteArray::fromHex("814400") << A::CommunicationError << 0;
    QTest::newRow("byte 0 not 0x81") << QByteArray::fromHex("014300") << A::CommunicationError << 0;
    QTest::newRow("empty") << QByteArray() << A::CommunicationError << 0;
    QTest::newRow("byte 0 only") << QByteArray::fromHex("81") << A::CommunicationError << 0;
    QTest::newRow("0x16 without byte 2") << QByteArray::fromHex("8116") << A::CommunicationError << 0;
}

void TestProtocol::classifyAuditAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(Protocol::AuditAnswer, expected);
    QFETCH(int, errorCode);

    // A heap copy of exactly the answer's length lets the sanitizer see any read beyond it.
    std::vector<unsigned char> exact(answer.begin(), answer.end());
    unsigned char code = 0x5A;
    QCOMPARE(Protocol::ClassifyAuditAnswer(exact.data(), static_cast<long long>(exact.size()), &code), expected);
    QCOMPARE(int(code), errorCode);
    QCOMPARE(Protocol::ClassifyAuditAnswer(exact.data(), static_cast<long long>(exact.size()), nullptr), expected);
}

void TestProtocol::bcdToInt_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("0x00") << 0x00 << 0;
    QTest::newRow("0x09") << 0x09 << 9;
    QTest::newRow("0x10") << 0x10 << 10;
    QTest::newRow("0x59") << 0x59 << 59;
    QTest::newRow("0x99") << 0x99 << 99;
    QTest::newRow("not decimal 0x0A") << 0x0A << 10;
    QTest::newRow("not decimal 0xFF") << 0xFF << 165;
}

void TestProtocol::bcdToInt()
{
    QFETCH(int, value);
    QFETCH(int, expected);
    QCOMPARE(int(Protocol::BcdToInt(static_cast<unsigned char>(value))), expected);
}

void TestProtocol::dallasPageAddress_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("hi");
    QTest::addColumn<int>("lo");

    QTest::newRow("page 0") << 0 << 0x00 << 0x00;
    QTest::newRow("page 1") << 1 << 0x00 << 0x20;
    QTest::newRow("page 7") << 7 << 0x00 << 0xE0;
    QTest::newRow("page 8") << 8 << 0x01 << 0x00;
    QTest::newRow("page 255") << 255 << 0x1F << 0xE0;
}

void TestProtocol::dallasPageAddress()
{
    QFETCH(int, page);
    QFETCH(int, hi);
    QFETCH(int, lo);
    const auto p = static_cast<unsigned char>(page);
    QCOMPARE(int(Protocol::DallasPageHi(p)), hi);
    QCOMPARE(int(Protocol::DallasPageLo(p)), lo);
}

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
