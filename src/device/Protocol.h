#pragma once

#include "model/LockCodes.h"

// Request frames for the lock bus (keypad and lock) and for the Dallas key reader of the USB
// interface, their CRC and the checks applied to answers. Builders write into the caller's
// buffer and return the frame length, or 0 without writing anything when it does not fit.
class Protocol
{
public:
    static constexpr unsigned char KeypadAddress = 0x7E;
    static constexpr unsigned char LockAddress = 0x01;
    static constexpr unsigned char AuditAnswerStart = 0x81;
    // The length byte counts the whole frame, so this is the most one key write can carry.
    static constexpr unsigned int MaxDallasWriteLength = 255 - 6;

    enum class AuditAnswer { Record, End, LockError, CommunicationError };

    static unsigned int VersionRequest(unsigned char* buffer, unsigned int capacity);
    static unsigned int ReportRequest(unsigned char* buffer, unsigned int capacity);
    static unsigned int Status2Request(unsigned char* buffer, unsigned int capacity);
    static unsigned int ReadConfig(unsigned char* buffer, unsigned int capacity);
    static unsigned int AuditNext(unsigned char* buffer, unsigned int capacity);
    static unsigned int AuditStart(unsigned char* buffer, unsigned int capacity, unsigned char a, unsigned char b);
    static unsigned int AuditRecord(unsigned char* buffer, unsigned int capacity, unsigned char n);
    static unsigned int CheckPresence(unsigned char* buffer, unsigned int capacity);
    static unsigned int ReadDallas(unsigned char* buffer, unsigned int capacity, unsigned char hi, unsigned char lo);
    // Also 0 when n exceeds MaxDallasWriteLength or data is null with n > 0.
    static unsigned int WriteDallas(unsigned char* buffer, unsigned int capacity, unsigned char hi,
                                    unsigned char lo, const unsigned char* data, unsigned int n);

    static unsigned char Crc(const unsigned char* data, unsigned int length);
    static bool CheckCrc(const unsigned char* answer, unsigned int length);
    static unsigned char BcdToInt(unsigned char value);

    // Class of an answer to AuditStart or AuditNext; length is the SendCommand result, so
    // anything below the bytes the decision needs is a communication error. lockErrorCode,
    // when given, receives byte 2 for a lock error and 0 otherwise.
    static AuditAnswer ClassifyAuditAnswer(const unsigned char* answer, long long length,
                                           unsigned char* lockErrorCode);

    // Byte address of key page p is p * 32 (wire::DallasPageSize), sent high byte first.
    static unsigned char DallasPageHi(unsigned char page);
    static unsigned char DallasPageLo(unsigned char page);

private:
    static unsigned int writeFixed(unsigned char* buffer, unsigned int capacity, const unsigned char* frame,
                                   unsigned int length);
};
