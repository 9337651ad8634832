#include "sim/SimulatedInterface.h"

#include "device/LinePace.h"
#include "sim/AuditBuilder.h"

#include <QStringList>

#include <algorithm>

namespace {

constexpr quint8 KeypadAddress = 0x7E;
constexpr quint8 LockAddress = 0x01;
constexpr quint8 AuditMarker = 0x81;
constexpr quint8 RecordClass = 0x43;
constexpr quint8 EndClass = 0x80;
constexpr quint8 ErrorClass = 0x16;
constexpr quint8 UsersLogUnsupported = 0x8A;
constexpr quint8 AuditKeyFamily = 0x0C;
constexpr quint8 OtherFamily = 0x0A;
constexpr int KeySize = wire::DallasImageSize;
constexpr int PageSize = wire::DallasPageSize;
constexpr int ReportFiller = 17;
constexpr quint8 DownloadModeBit = 0x80;
constexpr int VersionModeByte = 1;

// The same CRC the program checks: reflected 0x8C, start 0x15.
quint8 Crc(const QByteArray& bytes)
{
    quint8 crc = 0x15;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint8((crc >> 1) ^ 0x8C) : quint8(crc >> 1);
    }
    return crc;
}

QByteArray Framed(QByteArray bytes)
{
    bytes.append(char(Crc(bytes)));
    return bytes;
}

QByteArray Bytes(std::initializer_list<quint8> values)
{
    QByteArray out;
    for (quint8 v : values)
        out.append(char(v));
    return out;
}

template <size_t N> QByteArray Bytes(const std::array<quint8, N>& values)
{
    return QByteArray(reinterpret_cast<const char*>(values.data()), int(N));
}

quint8 At(const QByteArray& bytes, int i)
{
    return quint8(bytes.at(i));
}

bool ToInt(const QString& text, int& value)
{
    bool ok = false;
    value = text.startsWith(QLatin1String("0x")) ? text.mid(2).toInt(&ok, 16) : text.toInt(&ok);
    return ok && value >= 0;
}

} // namespace

SimulatedInterface::SimulatedInterface(LockAudit lock) : m_lock(std::move(lock)) {}

void SimulatedInterface::recordEvents(int count)
{
    // The download's place is an index into the records, newest first: it moves with its record.
    const int added = RecordEvents(m_lock, count);
    m_nextEvent = std::min(m_nextEvent + added, m_lock.eventCount());
}

bool SimulatedInterface::recordScene(const QString& scene)
{
    const int added = RecordScene(m_lock, scene);
    m_nextEvent = std::min(m_nextEvent + added, m_lock.eventCount());
    return added > 0;
}

void SimulatedInterface::setKey(Key key)
{
    m_key = key;
    switch (key) {
    case Key::Absent:
    case Key::WrongFamily:
        break;
    case Key::Blank:
        m_keyMemory = QByteArray(KeySize, char(0x55));
        break;
    case Key::Request:
        m_keyMemory = RequestImage();
        break;
    case Key::Audit:
        m_keyMemory = m_lock.dallasImage;
        break;
    }
}

bool SimulatedInterface::lockFillsKey()
{
    if (m_key == Key::Absent || m_key == Key::WrongFamily || !m_keyMemory.startsWith("AUDT"))
        return false;
    m_keyMemory = m_lock.dallasImage;
    m_key = Key::Audit;
    return true;
}

int SimulatedInterface::requestLength(const QByteArray& pending)
{
    if (pending.isEmpty())
        return 0;
    const bool bus = At(pending, 0) == KeypadAddress || At(pending, 0) == LockAddress;
    if (bus && pending.size() < 2)
        return 0;
    const int length = bus ? At(pending, 1) : At(pending, 0);
    // Too short to be a frame: the first byte is dropped and the rest looked at again.
    return length < 3 ? 1 : length;
}

bool SimulatedInterface::isReaderFrame(const QByteArray& frame)
{
    return !frame.isEmpty() && At(frame, 0) != KeypadAddress && At(frame, 0) != LockAddress;
}

int SimulatedInterface::baudRateFor(const QByteArray& frame)
{
    return isReaderFrame(frame) ? KeyModeBaudRate : BusModeBaudRate;
}

QByteArray SimulatedInterface::answer(const QByteArray& request, int baud)
{
    if (m_hungUp || baud != baudRateFor(request))
        return QByteArray();
    ++m_requests;
    if (m_faults.hangUpAtRequest > 0 && m_requests >= m_faults.hangUpAtRequest) {
        m_hungUp = true;
        return QByteArray();
    }
    if (m_faults.silentFromRequest > 0 && m_requests >= m_faults.silentFromRequest)
        return QByteArray();
    if (request.size() < 3 || requestLength(request) != request.size()
        || Crc(request.left(request.size() - 1)) != At(request, request.size() - 1))
        return QByteArray();
    return isReaderFrame(request) ? readerAnswer(request) : busAnswer(request);
}

bool SimulatedInterface::lockSilent(LockStep step, int index)
{
    if (m_faults.lockSilentAt != step || m_faults.lockSilentTimes == 0)
        return false;
    if ((step == LockStep::TableEntry || step == LockStep::Event || step == LockStep::UsersLog)
        && index != m_faults.lockSilentIndex)
        return false;
    if (m_faults.lockSilentTimes > 0)
        --m_faults.lockSilentTimes;
    return true;
}

QByteArray SimulatedInterface::auditAnswer(int event)
{
    if (event == m_faults.eventErrorAt)
        return Framed(Bytes({ AuditMarker, ErrorClass, m_faults.eventErrorClass }));
    if (event >= m_lock.eventCount())
        return Framed(Bytes({ AuditMarker, EndClass }));
    return Framed(m_lock.records.mid(event * AuditSession::BusRecordSize, AuditSession::BusRecordSize));
}

QByteArray SimulatedInterface::busAnswer(const QByteArray& r)
{
    if (!m_keypadConnected)
        return QByteArray();
    const quint8 command = At(r, 2);
    if (At(r, 0) == KeypadAddress) {
        if (command != 0xA4)
            return QByteArray();
        std::array<quint8, AuditSession::BusVersionSize> version = m_lock.version;
        version[VersionModeByte] = quint8(m_downloadMode ? version[VersionModeByte] | DownloadModeBit
                                                         : version[VersionModeByte] & ~DownloadModeBit);
        QByteArray answer = Framed(Bytes({ KeypadAddress, 0x10, 0xA4 }) + Bytes(version));
        if (m_faults.keypadBadCrc != 0) {
            if (m_faults.keypadBadCrc > 0)
                --m_faults.keypadBadCrc;
            answer[answer.size() - 1] = char(~At(answer, answer.size() - 1));
        }
        return answer;
    }

    switch (command) {
    case 0x28:
        return lockSilent(LockStep::Status, 0) ? QByteArray()
                                               : Framed(Bytes({ LockAddress, 0x09, 0x28 }) + Bytes(m_lock.status));
    case 0x89:
        return lockSilent(LockStep::Configuration, 0)
            ? QByteArray()
            : Framed(Bytes({ LockAddress, 0x44, 0x89 }) + Bytes(m_lock.configuration));
    case 0x23:
        return lockSilent(LockStep::Report, 0) ? QByteArray()
                                               : Framed(Bytes({ LockAddress, 0xA0 }) + Bytes(m_lock.report)
                                                        + QByteArray(ReportFiller, ' ') + m_lock.userTypes);
    case 0x6D: {
        if (r.size() != 6)
            return QByteArray();
        if (At(r, 3) == 0xFE) {
            const int entry = At(r, 4);
            if (entry >= 8 || lockSilent(LockStep::TableEntry, entry))
                return entry >= 8 ? Framed(Bytes({ AuditMarker, EndClass })) : QByteArray();
            const QByteArray bytes = Bytes(m_lock.dateTimeTable).mid(entry * 8, 8);
            if (bytes == QByteArray(8, '\0'))
                return Framed(Bytes({ AuditMarker, EndClass }));
            return Framed(Bytes({ AuditMarker, RecordClass }) + bytes);
        }
        if (lockSilent(LockStep::Event, 0))
            return QByteArray();
        m_nextEvent = 0;
        return auditAnswer(0);
    }
    case 0x7D: {
        // An unanswered request leaves the lock where it was, so the repeated one gets the same event.
        if (lockSilent(LockStep::Event, m_nextEvent + 1))
            return QByteArray();
        return auditAnswer(++m_nextEvent);
    }
    case 0x2C: {
        if (r.size() != 5)
            return QByteArray();
        const int slot = At(r, 3);
        if (lockSilent(LockStep::UsersLog, slot))
            return QByteArray();
        if (!m_usersLogSupported)
            return Framed(Bytes({ AuditMarker, ErrorClass, UsersLogUnsupported }));
        if (slot >= LockAudit::UserSlots || !m_lock.logged[slot])
            return Framed(Bytes({ AuditMarker, EndClass, 0x00 }));
        return Framed(Bytes({ AuditMarker, RecordClass }) + Bytes(m_lock.logEntries[slot]));
    }
    default:
        return QByteArray();
    }
}

QByteArray SimulatedInterface::readerAnswer(const QByteArray& r)
{
    const quint8 command = At(r, 1);
    const bool present = m_key != Key::Absent;
    switch (command) {
    case 0x06: {
        if (m_faults.presenceAnswerLength > 0)
            return Framed(QByteArray(m_faults.presenceAnswerLength - 1, '\x06'));
        if (!present)
            return Framed(Bytes({ 0x04, 0x06, 0x00 }));
        const quint8 family = m_key == Key::WrongFamily ? OtherFamily : AuditKeyFamily;
        QByteArray rom = Bytes({ family, 0x5A, 0x17, 0x23, 0x04, 0x12, 0x00 });
        rom.append(char(Crc(rom)));
        return Framed(Bytes({ 0x0B, 0x06 }) + rom);
    }
    case 0x04: {
        // The answer's length byte counts itself, the command and the CRC: 252 data bytes at most.
        if (r.size() != 6 || !present || m_key == Key::WrongFamily || At(r, 4) > 0xFF - 3)
            return QByteArray();
        const int address = At(r, 2) * 256 + At(r, 3);
        const int page = address / PageSize;
        if (m_faults.keyRemovedAfterPage >= 0 && page > m_faults.keyRemovedAfterPage) {
            m_key = Key::Absent;
            return Framed(Bytes({ 0x05, 0x04, 0xFF, 0xFF }));
        }
        QByteArray data = m_keyMemory.mid(address, At(r, 4));
        data.append(QByteArray(At(r, 4) - data.size(), char(0xFF)));
        return Framed(Bytes({ quint8(data.size() + 3), 0x04 }) + data);
    }
    case 0x05: {
        if (r.size() < 6 || !present || m_key == Key::WrongFamily)
            return QByteArray();
        const int address = At(r, 2) * 256 + At(r, 3);
        const int n = std::min<int>(At(r, 4), r.size() - 6);
        for (int i = 0; i < n && address + i < m_keyMemory.size(); ++i)
            m_keyMemory[address + i] = r.at(5 + i);
        // Once its last page is written the key holds the request, whatever it held before.
        static const QByteArray request = RequestImage();
        if (m_keyMemory == request)
            m_key = Key::Request;
        return Framed(Bytes({ 0x03, 0x05 }));
    }
    default:
        return QByteArray();
    }
}

bool SimulatedInterface::addFault(const QString& fault, QString* error)
{
    const int eq = fault.indexOf(QLatin1Char('='));
    const QString name = fault.left(eq);
    const QString value = eq < 0 ? QString() : fault.mid(eq + 1);
    const QStringList parts = value.split(QLatin1Char(':'));
    int a = 0;
    int b = 0;
    const auto bad = [&]() {
        *error = QStringLiteral("bad fault: %1").arg(fault);
        return false;
    };

    if (name == QLatin1String("silent-from") && ToInt(value, a) && a > 0)
        m_faults.silentFromRequest = a;
    else if (name == QLatin1String("hang-up") && ToInt(value, a) && a > 0)
        m_faults.hangUpAtRequest = a;
    else if (name == QLatin1String("keypad-crc") && (value == QLatin1String("once") || value == QLatin1String("always")))
        m_faults.keypadBadCrc = value == QLatin1String("once") ? 1 : -1;
    else if ((name == QLatin1String("lock-silent") || name == QLatin1String("lock-silent-once")) && !value.isEmpty()) {
        const QStringList steps = { "status", "config", "report", "table", "event", "log" };
        const int step = steps.indexOf(parts.first());
        const bool indexed = step >= 3;
        if (step < 0 || parts.size() != (indexed ? 2 : 1) || (indexed && !ToInt(parts.at(1), a)))
            return bad();
        m_faults.lockSilentAt = LockStep(step + 1);
        m_faults.lockSilentIndex = indexed ? a : 0;
        m_faults.lockSilentTimes = name == QLatin1String("lock-silent-once") ? 1 : -1;
    } else if (name == QLatin1String("event-error") && parts.size() == 2 && ToInt(parts.at(0), a)
               && ToInt(parts.at(1), b) && b <= 0xFF) {
        m_faults.eventErrorAt = a;
        m_faults.eventErrorClass = quint8(b);
    } else if (name == QLatin1String("key-removed-after") && ToInt(value, a))
        m_faults.keyRemovedAfterPage = a;
    else if (name == QLatin1String("presence-length") && ToInt(value, a) && a >= 1 && a <= 64)
        m_faults.presenceAnswerLength = a;
    else
        return bad();
    return true;
}

QString SimulatedInterface::faultHelp()
{
    return QStringLiteral(
        "  silent-from=K          no answer from the K-th request on (counted from 1)\n"
        "  hang-up=K              the far end closes at the K-th request\n"
        "  keypad-crc=once|always the keypad answers with a wrong CRC\n"
        "  lock-silent=STEP       the lock does not answer: status, config, report,\n"
        "                         table:I (date/time entry I), event:K (record K from 0), log:N\n"
        "  lock-silent-once=STEP  the same, for one request only\n"
        "  event-error=K:CODE     record K answered with class 0x16 and CODE: 2 ends the audit,\n"
        "                         1 or 3 is a communication error, 129..255 a lock error\n"
        "  key-removed-after=P    the key leaves the reader after page P (short page answers)\n"
        "  presence-length=N      key presence answered with N bytes\n");
}
