#include "device/Protocol.h"

#include "model/Bytes.h"

#include <cstring>

namespace {

constexpr unsigned char CommandAuditStart = 0x6D;
constexpr unsigned char CommandAuditRecord = 0x2C;
constexpr unsigned char CommandReadPage = 0x04;
constexpr unsigned char CommandWritePage = 0x05;

// Requests without parameters are stored whole, CRC included, so they go out byte for byte
// as the devices know them whatever happens to the CRC routine.
constexpr unsigned char VersionFrame[] = {0x7E, 0x04, 0xA4, 0x91};
constexpr unsigned char ReportFrame[] = {0x01, 0x04, 0x23, 0x2E};
constexpr unsigned char Status2Frame[] = {0x01, 0x04, 0x28, 0x0E};
constexpr unsigned char ReadConfigFrame[] = {0x01, 0x04, 0x89, 0xFF};
constexpr unsigned char AuditNextFrame[] = {0x01, 0x04, 0x7D, 0xEA};
constexpr unsigned char CheckPresenceFrame[] = {0x03, 0x06, 0x9B};

constexpr unsigned int AuditStartLength = 6;
constexpr unsigned int AuditRecordLength = 5;
constexpr unsigned int ReadDallasLength = 6;
constexpr unsigned int WriteDallasOverhead = 6;

void storeCrc(unsigned char* frame, unsigned int length)
{
    frame[length - 1] = Protocol::Crc(frame, length - 1);
}

} // namespace

unsigned int Protocol::writeFixed(unsigned char* buffer, unsigned int capacity, const unsigned char* frame,
                                  unsigned int length)
{
    if (buffer == nullptr || capacity < length)
        return 0;
    std::memcpy(buffer, frame, length);
    return length;
}

unsigned int Protocol::VersionRequest(unsigned char* buffer, unsigned int capacity)
{
    return writeFixed(buffer, capacity, VersionFrame, sizeof VersionFrame);
}

unsigned int Protocol::ReportRequest(unsigned char* buffer, unsigned int capacity)
{
    return writeFixed(buffer, capacity, ReportFrame, sizeof ReportFrame);
}

unsigned int Protocol::Status2Request(unsigned char* buffer, unsigned int capacity)
{
    return writeFixed(buffer, capacity, Status2Frame, sizeof Status2Frame);
}

unsigned int Protocol::ReadConfig(unsigned char* buffer, unsigned int capacity)
{
    return writeFixed(buffer, capacity, ReadConfigFrame, sizeof ReadConfigFrame);
}

unsigned int Protocol::AuditNext(unsigned char* buffer, unsigned int capacity)
{
    return writeFixed(buffer, capacity, AuditNextFrame, sizeof AuditNextFrame);
}

unsigned int Protocol::CheckPresence(unsigned char* buffer, unsigned int capacity)
{
    return writeFixed(buffer, capacity, CheckPresenceFrame, sizeof CheckPresenceFrame);
}

unsigned int Protocol::AuditStart(unsigned char* buffer, unsigned int capacity, unsigned char a, unsigned char b)
{
    if (buffer == nullptr || capacity < AuditStartLength)
        return 0;
    buffer[0] = LockAddress;
    buffer[1] = AuditStartLength;
    buffer[2] = CommandAuditStart;
    buffer[3] = a;
    buffer[4] = b;
    storeCrc(buffer, AuditStartLength);
    return AuditStartLength;
}

unsigned int Protocol::AuditRecord(unsigned char* buffer, unsigned int capacity, unsigned char n)
{
    if (buffer == nullptr || capacity < AuditRecordLength)
        return 0;
    buffer[0] = LockAddress;
    buffer[1] = AuditRecordLength;
    buffer[2] = CommandAuditRecord;
    buffer[3] = n;
    storeCrc(buffer, AuditRecordLength);
    return AuditRecordLength;
}

unsigned int Protocol::ReadDallas(unsigned char* buffer, unsigned int capacity, unsigned char hi, unsigned char lo)
{
    if (buffer == nullptr || capacity < ReadDallasLength)
        return 0;
    buffer[0] = ReadDallasLength;
    buffer[1] = CommandReadPage;
    buffer[2] = hi;
    buffer[3] = lo;
    buffer[4] = wire::DallasPageSize;
    storeCrc(buffer, ReadDallasLength);
    return ReadDallasLength;
}

unsigned int Protocol::WriteDallas(unsigned char* buffer, unsigned int capacity, unsigned char hi,
                                   unsigned char lo, const unsigned char* data, unsigned int n)
{
    if (buffer == nullptr || n > MaxDallasWriteLength || (data == nullptr && n > 0))
        return 0;
    const unsigned int length = n + WriteDallasOverhead;
    if (capacity < length)
        return 0;
    buffer[0] = static_cast<unsigned char>(length);
    buffer[1] = CommandWritePage;
    buffer[2] = hi;
    buffer[3] = lo;
    buffer[4] = static_cast<unsigned char>(n);
    if (n > 0)
        std::memcpy(buffer + 5, data, n);
    storeCrc(buffer, length);
    return length;
}

unsigned char Protocol::Crc(const unsigned char* data, unsigned int length)
{
    unsigned char crc = 0x15;
    for (unsigned int i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x01) ? static_cast<unsigned char>((crc >> 1) ^ 0x8C) : static_cast<unsigned char>(crc >> 1);
    }
    return crc;
}

bool Protocol::CheckCrc(const unsigned char* answer, unsigned int length)
{
    if (answer == nullptr || length < 3)
        return false;
    return Crc(answer, length - 1) == answer[length - 1];
}

unsigned char Protocol::BcdToInt(unsigned char value)
{
    return bytes::bcdToInt(value);
}

Protocol::AuditAnswer Protocol::ClassifyAuditAnswer(const unsigned char* answer, long long length,
                                                    unsigned char* lockErrorCode)
{
    if (lockErrorCode != nullptr)
        *lockErrorCode = 0;
    if (answer == nullptr || length < 2 || answer[0] != AuditAnswerStart)
        return AuditAnswer::CommunicationError;

    switch (answer[1]) {
    case 0x43:
    case 0xAC:
        return AuditAnswer::Record;
    case 0x80:
        return AuditAnswer::End;
    case 0x16:
        break;
    default:
        return AuditAnswer::CommunicationError;
    }

    // The lock reports its state in byte 2 of a 0x16 answer.
    if (length < 3)
        return AuditAnswer::CommunicationError;
    const unsigned char state = answer[2];
    if (state == 0x02)
        return AuditAnswer::End;
    if (state == 0x01 || state == 0x03)
        return AuditAnswer::CommunicationError;
    if (state >= 0x81) {
        if (lockErrorCode != nullptr)
            *lockErrorCode = state;
        return AuditAnswer::LockError;
    }
    return AuditAnswer::Record;
}

unsigned char Protocol::DallasPageHi(unsigned char page)
{
    return static_cast<unsigned char>(page / 8);
}

unsigned char Protocol::DallasPageLo(unsigned char page)
{
    return static_cast<unsigned char>((page * wire::DallasPageSize) % 256);
}
