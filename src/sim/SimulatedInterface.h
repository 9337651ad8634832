#pragma once

#include "sim/SimulatedLock.h"

#include <QByteArray>
#include <QString>

#include <array>

// The USB interface with its Dallas key reader, the keypad and the lock on the bus, simulated.
// It answers the request frames the program sends, byte for byte as below, and can be told to
// misbehave. Every answer ends with the frame CRC over the bytes before it.
//
//   Request (program)            Answer (simulator)
//   keypad version  7E 04 A4 91  7E 10 A4 <version block, 12 bytes> CRC              16 bytes
//                                version block byte 1 bit 7: download mode; bytes 3, 4:
//                                keypad firmware major, minor
//   lock status     01 04 28 0E  01 09 28 <status block, 5 bytes> CRC                  9 bytes
//   configuration   01 04 89 FF  01 44 89 <configuration block, 64 bytes> CRC         68 bytes
//   report          01 04 23 2E  01 A0 <report block, 36 bytes> <17 spaces>
//                                <104 slot type characters> CRC                       160 bytes
//   audit start     01 06 6D 00 00 ..  the newest event record, as AuditNext
//   audit next      01 04 7D EA  <record, 12 bytes: 81 43 date event user 00 00> CRC   13 bytes
//                                no more records: 81 80 CRC                             3 bytes
//   table entry i   01 06 6D FE i ..   81 43 <entry, 8 bytes> CRC                      11 bytes
//                                empty slot: 81 80 CRC
//   users log n     01 05 2C n ..  81 43 <yy mm dd hh mi ss kind installer> CRC        11 bytes
//                                no entry: 81 80 00 CRC; no users log: 81 16 8A CRC     4 bytes
//   key presence    03 06 9B     no key: 04 06 00 CRC                                   4 bytes
//                                a key: 0B 06 <family, 6 serial bytes, ROM CRC> CRC    11 bytes
//                                (family 0x0C: the audit key; 0x0A: the wrong kind)
//   key page read   06 04 hi lo 20 ..  23 04 <32 bytes of the page> CRC              35 bytes
//   key page write  (n+6) 05 hi lo n <data> ..  03 05 CRC                              3 bytes
//
// Requests with a wrong CRC or an unknown command, and bus requests while the keypad is
// disconnected, get no answer. An audit error answer is 81 16 <code> CRC.
//
// As on the hardware, the bus runs at 4800 baud and the key reader at 19200 baud: a frame that
// arrives at the other speed reaches the interface as garbage, so it is not even counted as a
// request, and gets no answer.
class SimulatedInterface
{
public:
    enum class Key { Absent, WrongFamily, Blank, Request, Audit };
    enum class LockStep { None, Status, Configuration, Report, TableEntry, Event, UsersLog };

    struct Faults
    {
        int silentFromRequest = 0; // 1-based; 0: never
        int hangUpAtRequest = 0;   // the far end closes instead of answering; 0: never
        int keypadBadCrc = 0;      // keypad answers with a wrong CRC this many times (-1: always)
        LockStep lockSilentAt = LockStep::None;
        int lockSilentIndex = 0;   // table entry, event or users log record
        int lockSilentTimes = -1;  // how many requests go unanswered (-1: all)
        int eventErrorAt = -1;     // event k answered as 81 16 <eventErrorClass>
        quint8 eventErrorClass = 0;
        int keyRemovedAfterPage = -1; // later page reads get a 5-byte answer
        int presenceAnswerLength = 0; // 0: the right length
    };

    explicit SimulatedInterface(LockAudit lock = SampleLock());

    // The answer to one request frame that arrived at `baud`; empty: no answer. After the
    // hang-up, always empty.
    QByteArray answer(const QByteArray& request, int baud);
    bool hungUp() const { return m_hungUp; }
    int requestCount() const { return m_requests; }

    // The scene.
    void setKeypadConnected(bool connected) { m_keypadConnected = connected; }
    void setDownloadMode(bool on) { m_downloadMode = on; }
    void setUsersLogSupported(bool supported) { m_usersLogSupported = supported; }
    void setFirmwareVersion(const QByteArray& version) { m_lock.setFirmwareVersion(version); }
    void setKey(Key key);
    // The lock records more events, as between two visits. A download under way goes on with the
    // events it has not read yet: those recorded now come before where it is, as in a lock's
    // memory, and it never sees them.
    void recordEvents(int count);
    // Something for the findings to find (RecordScene), as recordEvents records; false for an
    // unknown scene.
    bool recordScene(const QString& scene);
    Key key() const { return m_key; }
    // The lock writes its audit into the key on its reader, if that key holds a request.
    bool lockFillsKey();
    const QByteArray& keyMemory() const { return m_keyMemory; }
    Faults& faults() { return m_faults; }
    const LockAudit& lock() const { return m_lock; }

    // Parses one fault description as the simulator's command line takes it, e.g.
    // "silent-from=12", "keypad-crc=once", "lock-silent=event:4", "lock-error=3:144".
    bool addFault(const QString& fault, QString* error);
    static QString faultHelp();

    // Length of the request that starts `pending`, or 0 while too few bytes tell it.
    static int requestLength(const QByteArray& pending);
    // Whether a frame goes to the key reader (19200 baud) rather than the bus (4800 baud).
    static bool isReaderFrame(const QByteArray& frame);
    // The only speed at which the interface hears `frame`.
    static int baudRateFor(const QByteArray& frame);

private:
    QByteArray busAnswer(const QByteArray& request);
    QByteArray readerAnswer(const QByteArray& request);
    QByteArray auditAnswer(int event);
    bool lockSilent(LockStep step, int index);

    LockAudit m_lock;
    Faults m_faults;
    bool m_keypadConnected = true;
    bool m_downloadMode = true;
    bool m_usersLogSupported = true;
    Key m_key = Key::Absent;
    QByteArray m_keyMemory; // what the key holds, whatever its kind
    int m_requests = 0;
    int m_nextEvent = 0;
    bool m_hungUp = false;
};
