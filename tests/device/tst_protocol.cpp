#include "device/Protocol.h"

#include <QtTest>

#include <functional>
#include <vector>

using A = Protocol::AuditAnswer;

static const unsigned char* Raw(const QByteArray& b) { return reinterpret_cast<const unsigned char*>(b.constData()); }

class TestProtocol : public QObject
{
    Q_OBJECT

private slots:
    void frames()
    {
        const QByteArray page = QByteArray::fromHex("404142434445464748494A4B4C4D4E4F505152535455565758595A5B5C5D5E5F");
        const std::pair<std::function<unsigned int(unsigned char*, unsigned int)>, QByteArray> frames[] = {
            { &Protocol::VersionRequest, "7E04A491" }, { &Protocol::ReportRequest, "0104232E" },
            { &Protocol::Status2Request, "0104280E" }, { &Protocol::ReadConfig, "010489FF" },
            { &Protocol::AuditNext, "01047DEA" }, { &Protocol::CheckPresence, "03069B" },
            { [](auto b, auto c) { return Protocol::AuditStart(b, c, 0x00, 0x00); }, "01066D0000DF" },
            { [](auto b, auto c) { return Protocol::AuditStart(b, c, 0xFE, 0x00); }, "01066DFE009A" },
            { [](auto b, auto c) { return Protocol::AuditStart(b, c, 0xFE, 0x07); }, "01066DFE0719" },
            { [](auto b, auto c) { return Protocol::AuditRecord(b, c, 0); }, "01052C008F" },
            { [](auto b, auto c) { return Protocol::AuditRecord(b, c, 103); }, "01052C6769" },
            { [](auto b, auto c) { return Protocol::ReadDallas(b, c, 0x00, 0x00); }, "06040000201F" },
            { [](auto b, auto c) { return Protocol::ReadDallas(b, c, 0x1F, 0xE0); }, "06041FE0207F" },
            { [&page](auto b, auto c) { return Protocol::WriteDallas(b, c, 0x1F, 0xE0, Raw(page), 32); },
              "26051FE020" + page.toHex() + "D0" } };
        for (const auto& [build, hex] : frames) {
            const QByteArray frame = QByteArray::fromHex(hex);
            const unsigned int length = unsigned(frame.size());
            QByteArray out(256, '\xEE'), tooSmall = out; // one byte too small: nothing written
            QCOMPARE(build(reinterpret_cast<unsigned char*>(out.data()), length), length);
            QCOMPARE(build(reinterpret_cast<unsigned char*>(tooSmall.data()), length - 1), 0u);
            QCOMPARE((out + tooSmall).toHex(' '), (frame + QByteArray(512 - length, '\xEE')).toHex(' '));
        }
        // The length byte counts the whole frame: 249 data bytes at most, and data must be there.
        unsigned char b[300], data[250] = {};
        QCOMPARE(Protocol::WriteDallas(b, 300, 0, 0, data, 249), 255u);
        QCOMPARE(Protocol::WriteDallas(b, 300, 0, 0, data, 250) + Protocol::WriteDallas(b, 300, 0, 0, nullptr, 1), 0u);
    }

    void crc()
    {
        QCOMPARE(int(Protocol::Crc(Raw("123456789"), 9)), 0x1D);
        QCOMPARE(int(Protocol::Crc(Raw(""), 0)), 0x15);
        // Answers of up to two bytes fail, even those whose bytes would check; three bytes check one CRC over two.
        const std::pair<const char*, bool> answers[] = { { "", false }, { "15", false }, { "3142", false },
            { "7E0418", true }, { "7E0419", false }, { "7E04A491", true }, { "7E04A591", false } };
        for (const auto& [hex, good] : answers)
            QVERIFY2(Protocol::CheckCrc(Raw(QByteArray::fromHex(hex)), qstrlen(hex) / 2) == good, hex);
    }

    void classifyAuditAnswer()
    {
        const A Record = A::Record, End = A::End, Error = A::CommunicationError, Lock = A::LockError;
        const struct { const char* hex; A expected; int code; } answers[] = { { "814301", Record, 0 },
            { "81AC", Record, 0 }, { "8180", End, 0 }, { "811602", End, 0 }, { "811601", Error, 0 },
            { "811603", Error, 0 }, { "811600", Record, 0 }, { "811680", Record, 0 }, { "811681", Lock, 129 },
            { "8116FF", Lock, 255 }, { "814400", Error, 0 }, { "014300", Error, 0 }, { "", Error, 0 },
            { "81", Error, 0 }, { "8116", Error, 0 } };
        for (const auto& a : answers) {
            // A heap copy of exactly the answer's length lets the sanitizer see any read beyond it.
            const QByteArray answer = QByteArray::fromHex(a.hex);
            std::vector<unsigned char> exact(answer.begin(), answer.end());
            unsigned char code = 0x5A;
            const A got = Protocol::ClassifyAuditAnswer(exact.data(), answer.size(), &code);
            QVERIFY2(got == a.expected && code == a.code, a.hex);
            QVERIFY2(Protocol::ClassifyAuditAnswer(exact.data(), answer.size(), nullptr) == a.expected, a.hex);
        }
    }

    void numbers()
    {
        // Time delay and open window: packed decimal digits, the high one counting ten.
        for (const auto& [bcd, value] : { std::pair { 0x09, 9 }, { 0x10, 10 }, { 0x99, 99 }, { 0xFF, 165 } })
            QCOMPARE(int(Protocol::BcdToInt(static_cast<unsigned char>(bcd))), value);
        // Key page p starts at byte p * 32.
        for (const auto& [page, address] : { std::pair { 1, 0x20 }, { 7, 0xE0 }, { 8, 0x100 }, { 255, 0x1FE0 } })
            QCOMPARE(Protocol::DallasPageHi(page) * 256 + Protocol::DallasPageLo(page), address);
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
