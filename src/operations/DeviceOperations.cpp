#include "DeviceOperations.h"

#include "BusDecoder.h"
#include "Protocol.h"
#include "UsersLog.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

namespace operations {

namespace {

// The operations' texts: what the workers report and the dialogs show.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(DeviceOperation)
};

constexpr unsigned char DallasFamily = 0x0C;
constexpr int NoKeyAnswerLength = 4;
constexpr int KeyAnswerLength = 11;
constexpr int KeyFamilyByte = 2;
// Length byte, command byte, then the page.
constexpr int PageAnswerLength = 2 + int(Protocol::DallasPageSize);
constexpr int WriteAnswerLength = 3;

constexpr int VersionAnswerLength = 15; // bytes 3..14 are taken
constexpr int DownloadModeByte = 4;
constexpr unsigned char DownloadModeBit = 0x80;
constexpr int UsersReportAnswerLength = userslog::TypesOffset + userslog::RecordCount; // up to byte 158
constexpr int UsersLogAnswerLength = 10; // bytes 2..9
constexpr unsigned char UsersLogUnsupported = 0x8A;
constexpr unsigned char EmptySlotClass = 0x80;
constexpr int FirstFirmwareWithTable = 105;


OperationOutcome succeeded(const QString& message = QString()) { return { OperationOutcome::Succeeded, message }; }
OperationOutcome failed(const QString& message) { return { OperationOutcome::Failed, message }; }
OperationOutcome cancelled() { return { OperationOutcome::Cancelled, QString() }; }

OperationOutcome done() { return succeeded(Texts::tr("Done")); }
OperationOutcome communicationError() { return failed(Texts::tr("Communication error")); }
OperationOutcome noAnswerFromLock() { return failed(Texts::tr("No answer from lock")); }
OperationOutcome noAnswerFromKeypad() { return failed(Texts::tr("No answer from keypad")); }
OperationOutcome portLost() { return failed(Texts::tr("USB interface disconnected")); }

// How one exchange went: the answer's length, or -1 when there was no answer to read.
struct Reply
{
    LinkStatus status = LinkStatus::NoAnswer;
    long long length = -1;

    bool lost() const { return status == LinkStatus::PortLost; }
    bool answered() const { return status == LinkStatus::Answered && length >= 1; }
};

// One request buffer and one answer buffer, as every operation uses them.
class Exchanges
{
public:
    explicit Exchanges(DeviceLink& link) : m_link(link) {}

    unsigned char* request() { return m_request.data(); }
    const unsigned char* answer() const { return m_answer.data(); }

    Reply send(unsigned int length)
    {
        m_answer.fill(0);
        const LinkReply reply = m_link.exchange(
            QByteArray::fromRawData(reinterpret_cast<const char*>(m_request.data()), int(length)), int(m_answer.size()));
        if (reply.status != LinkStatus::Answered)
            return { reply.status, -1 };
        // A link never hands over more than the buffer holds; if one did, it would be too long.
        if (reply.answer.size() > int(m_answer.size()))
            return { LinkStatus::AnswerTooLong, -1 };
        std::copy(reply.answer.begin(), reply.answer.end(), m_answer.begin());
        return { LinkStatus::Answered, reply.answer.size() };
    }

    // A request that gets no answer is sent once more; a lost port is not worth a second try.
    Reply sendWithRetry(unsigned int length)
    {
        const Reply reply = send(length);
        return reply.answered() || reply.lost() ? reply : send(length);
    }

    qint64 elapsedMs() const { return m_link.elapsedMs(); }

private:
    DeviceLink& m_link;
    std::array<unsigned char, AnswerCapacity> m_request{};
    std::array<unsigned char, AnswerCapacity> m_answer{};
};

bool waitExpired(const Exchanges& x, qint64 limitMs)
{
    return limitMs >= 0 && x.elapsedMs() >= limitMs;
}

// Polls the reader until it holds a key of the right family: true then, false with the outcome.
bool waitForKey(Exchanges& x, OperationProgress& progress, qint64 limitMs, OperationOutcome& outcome)
{
    const unsigned int length = Protocol::CheckPresence(x.request(), AnswerCapacity);
    if (progress.stopRequested()) {
        outcome = cancelled();
        return false;
    }
    for (;;) {
        const Reply n = x.send(length);
        if (n.lost()) {
            outcome = portLost();
            return false;
        }
        if (n.length != NoKeyAnswerLength && n.length != KeyAnswerLength) {
            outcome = communicationError();
            return false;
        }
        if (n.length == KeyAnswerLength && x.answer()[KeyFamilyByte] == DallasFamily)
            return true;
        if (n.length == KeyAnswerLength)
            progress.setStatus(Texts::tr("Dallas key not valid"), true);
        else
            progress.setStatus(Texts::tr("Waiting for Dallas key..."), false);
        if (progress.stopRequested()) {
            outcome = cancelled();
            return false;
        }
        if (waitExpired(x, limitMs)) {
            outcome = failed(Texts::tr("No Dallas key found"));
            return false;
        }
    }
}

int pagePercent(int page, int pageCount)
{
    return pageCount > 1 ? page * 100 / (pageCount - 1) : 100;
}

// Waits for the keypad and takes its version answer: true when the keypad answered with a good CRC,
// in download mode, its version block stored in `version` (when given); false with the outcome.
bool checkKeypad(Exchanges& x, OperationProgress& progress, bool endlessWait, qint64 limitMs,
                 unsigned char* version, OperationOutcome& outcome)
{
    const unsigned int length = Protocol::VersionRequest(x.request(), AnswerCapacity);
    if (progress.stopRequested()) {
        outcome = cancelled();
        return false;
    }
    Reply n;
    for (;;) {
        n = x.sendWithRetry(length);
        if (n.lost()) {
            outcome = portLost();
            return false;
        }
        if (n.answered())
            break;
        if (!endlessWait) {
            outcome = noAnswerFromKeypad();
            return false;
        }
        if (progress.stopRequested()) {
            outcome = cancelled();
            return false;
        }
        if (waitExpired(x, limitMs)) {
            outcome = noAnswerFromKeypad();
            return false;
        }
    }
    if (!Protocol::CheckCrc(x.answer(), unsigned(n.length))) {
        n = x.send(length);
        if (n.lost()) {
            outcome = portLost();
            return false;
        }
        if (!n.answered()) {
            outcome = noAnswerFromKeypad();
            return false;
        }
        if (!Protocol::CheckCrc(x.answer(), unsigned(n.length))) {
            outcome = communicationError();
            return false;
        }
    }
    if (n.length < (version ? VersionAnswerLength : DownloadModeByte + 1)) {
        outcome = communicationError();
        return false;
    }
    if (version)
        std::memcpy(version, x.answer() + 3, wire::BusVersionSize);
    progress.setPercentageMode(true);
    if (!(x.answer()[DownloadModeByte] & DownloadModeBit)) {
        outcome = failed(Texts::tr("Please enable download mode (function 7) on keypad"));
        return false;
    }
    return true;
}

// Sends a lock request with retry and takes `size` bytes from answer byte `from` on.
bool readLockBlock(Exchanges& x, unsigned int length, int from, int size, unsigned char* into,
                   OperationOutcome& outcome)
{
    const Reply n = x.sendWithRetry(length);
    if (n.lost()) {
        outcome = portLost();
        return false;
    }
    if (!n.answered()) {
        outcome = noAnswerFromLock();
        return false;
    }
    if (n.length < from + size) {
        outcome = communicationError();
        return false;
    }
    std::memcpy(into, x.answer() + from, size_t(size));
    return true;
}

enum class AuditStep { Record, End, Stop };

// One audit answer (an event record or a table entry): sent with retry and classified. A
// record's `size` bytes from answer byte `from` go to `into`.
AuditStep readAuditAnswer(Exchanges& x, unsigned int length, int from, int size, unsigned char* into,
                          OperationOutcome& outcome)
{
    const Reply n = x.sendWithRetry(length);
    if (n.lost()) {
        outcome = portLost();
        return AuditStep::Stop;
    }
    if (!n.answered()) {
        outcome = noAnswerFromLock();
        return AuditStep::Stop;
    }
    unsigned char code = 0;
    switch (Protocol::ClassifyAuditAnswer(x.answer(), n.length, &code)) {
    case Protocol::AuditAnswer::End:
        return AuditStep::End;
    case Protocol::AuditAnswer::LockError:
        outcome = failed(Texts::tr("Lock error %1").arg(int(code)));
        return AuditStep::Stop;
    case Protocol::AuditAnswer::CommunicationError:
        outcome = communicationError();
        return AuditStep::Stop;
    case Protocol::AuditAnswer::Record:
        break;
    }
    if (n.length < from + size) {
        outcome = communicationError();
        return AuditStep::Stop;
    }
    std::memcpy(into, x.answer() + from, size_t(size));
    return AuditStep::Record;
}

} // namespace

QString UnableToOpenText()
{
    return Texts::tr("Unable to open USB interface");
}

int DownloadEventCount(int requested)
{
    return requested < 1 || requested > MaxDownloadEvents ? MaxDownloadEvents : requested;
}

int FirmwareNumber(const unsigned char* report)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(report) + 3, 33);
    const int crlf = text.indexOf(QLatin1String("\r\n"));
    bool ok = false;
    const int number = text.mid(crlf + 10, 4).remove(QLatin1Char('.')).toInt(&ok);
    return ok ? number : 0;
}

namespace {

template <typename Payload> OperationResult<Payload> ended(OperationResult<Payload>& result, const OperationOutcome& outcome)
{
    result.outcome = outcome;
    return result;
}

// Waits for a key, then makes one exchange a page; `page` sends page p and says whether its
// answer is good, having taken what it needs from it.
OperationOutcome KeyPages(DeviceLink& link, OperationProgress& progress, int pageCount, qint64 waitLimitMs,
                          const QString& text, const std::function<Reply(Exchanges&, unsigned char)>& send,
                          const std::function<bool(const Exchanges&, const Reply&, int)>& accept)
{
    Exchanges x(link);
    OperationOutcome outcome;
    if (!waitForKey(x, progress, waitLimitMs, outcome))
        return outcome;
    progress.setStatus(text, false);
    for (int page = 0; page < pageCount; ++page) {
        if (progress.stopRequested())
            return cancelled();
        progress.setPercentageMode(true);
        progress.setPercentage(pagePercent(page, pageCount));
        progress.setStatus(text, false);
        const Reply n = send(x, static_cast<unsigned char>(page));
        if (n.lost())
            return portLost();
        if (!accept(x, n, page))
            return communicationError();
    }
    return done();
}

} // namespace

OperationResult<QByteArray> ReadDallasKey(DeviceLink& link, OperationProgress& progress, int pageCount,
                                          qint64 waitLimitMs)
{
    OperationResult<QByteArray> result;
    pageCount = qBound(0, pageCount, KeyPageCount);
    result.payload = QByteArray(pageCount * int(Protocol::DallasPageSize), '\0');
    char* image = result.payload.data();
    result.outcome = KeyPages(
        link, progress, pageCount, waitLimitMs, Texts::tr("Reading Dallas key..."),
        [](Exchanges& x, unsigned char p) {
            return x.send(Protocol::ReadDallas(x.request(), AnswerCapacity, Protocol::DallasPageHi(p),
                                               Protocol::DallasPageLo(p)));
        },
        [image](const Exchanges& x, const Reply& n, int page) {
            if (n.length < PageAnswerLength)
                return false;
            std::memcpy(image + page * Protocol::DallasPageSize, x.answer() + 2, Protocol::DallasPageSize);
            return true;
        });
    return result;
}

OperationOutcome WriteDallasKey(DeviceLink& link, OperationProgress& progress, const QByteArray& image,
                                qint64 waitLimitMs)
{
    const int pageCount = qMin(int(image.size() / int(Protocol::DallasPageSize)), KeyPageCount);
    const auto* pages = reinterpret_cast<const unsigned char*>(image.constData());
    return KeyPages(
        link, progress, pageCount, waitLimitMs, Texts::tr("Writing Dallas key..."),
        [pages](Exchanges& x, unsigned char p) {
            return x.send(Protocol::WriteDallas(x.request(), AnswerCapacity, Protocol::DallasPageHi(p),
                                                Protocol::DallasPageLo(p), pages + p * Protocol::DallasPageSize,
                                                Protocol::DallasPageSize));
        },
        [](const Exchanges&, const Reply& n, int) { return n.length == WriteAnswerLength; });
}

OperationResult<BusDump> DownloadAudit(DeviceLink& link, OperationProgress& progress, int eventCount,
                                       qint64 waitLimitMs, const ArchivedEvents& archived)
{
    OperationResult<BusDump> result;
    BusDump& dump = result.payload;
    OperationOutcome& outcome = result.outcome;
    const int count = DownloadEventCount(eventCount);
    const int total = count + 13;
    Exchanges x(link);
    const QString downloading = Texts::tr("Downloading audit...");

    progress.setPercentageMode(false);
    progress.setStatus(Texts::tr("Please connect the PC to the keypad"), false);
    if (!checkKeypad(x, progress, true, waitLimitMs, dump.version.data(), outcome))
        return result;

    // Status, configuration and report, each followed by its share of the bar.
    struct Block
    {
        unsigned int (*build)(unsigned char*, unsigned int);
        int from;
        int size;
        unsigned char* into;
    };
    const Block blocks[] = { { Protocol::Status2Request, 3, wire::BusStatusSize, dump.status.data() },
                             { Protocol::ReadConfig, 3, wire::BusConfigSize, dump.configuration.data() },
                             { Protocol::ReportRequest, 2, wire::BusReportSize, dump.report.data() } };
    int step = 1;
    for (const Block& block : blocks) {
        if (!readLockBlock(x, block.build(x.request(), AnswerCapacity), block.from, block.size, block.into, outcome))
            return result;
        // Looking for the last visit, the bar cannot know its end: no percentage at all.
        if (!archived)
            progress.setPercentage(100 * step++ / total);
        progress.setStatus(downloading, false);
        if (progress.stopRequested())
            return ended(result, cancelled());
    }

    // What is new ends where the archive's newest events begin; the bar cannot know where that is.
    KnownEventsStop stop({});
    if (archived)
        stop = KnownEventsStop(archived(BusReportSerial(dump.report.data())));
    QElapsedTimer clock;
    clock.start();
    const auto show = [&](int records) {
        if (!stop.active()) {
            progress.setPercentage((400 + 100 * (records - 1)) / total);
            progress.setStatus(downloading, false);
            return;
        }
        progress.setPercentageMode(false);
        // Every few events, and the last count when it stops: a log gets lines, not one per event.
        if (records % 25 == 0 || records == 1)
            progress.setStatus(Texts::tr("%1 events, stopping at the last visit (%2 s)")
                                   .arg(records)
                                   .arg(clock.elapsed() / 1000),
                               false);
    };
    const auto stopped = [&](int records) {
        if (stop.active())
            progress.setStatus(Texts::tr("%1 events, stopping at the last visit (%2 s)")
                                   .arg(records)
                                   .arg(clock.elapsed() / 1000),
                               false);
        return ended(result, done());
    };
    const auto known = [&](const std::array<unsigned char, wire::BusRecordSize>& record) {
        const EventsTable e = DecodeBusRecord(record.data());
        return stop.reached({ e.time, quint8(e.event), quint8(e.user), 0 });
    };

    if (FirmwareNumber(dump.report.data()) >= FirstFirmwareWithTable) {
        for (int i = 0; i < wire::BusDateTimeTableEntries; ++i) {
            unsigned char* entry = dump.dateTimeTable.data() + i * wire::BusDateTimeTableEntrySize;
            const unsigned int length = Protocol::AuditStart(x.request(), AnswerCapacity, 0xFE, quint8(i));
            if (readAuditAnswer(x, length, 2, wire::BusDateTimeTableEntrySize, entry, outcome) == AuditStep::Stop)
                return result;
        }
    }

    std::array<unsigned char, wire::BusRecordSize> record{};
    const AuditStep first =
        readAuditAnswer(x, Protocol::AuditStart(x.request(), AnswerCapacity, 0x00, 0x00), 0, wire::BusRecordSize,
                        record.data(), outcome);
    if (first == AuditStep::Stop)
        return result;
    bool reached = false;
    if (first == AuditStep::Record) {
        dump.events.append(reinterpret_cast<const char*>(record.data()), wire::BusRecordSize);
        reached = known(record);
    }
    if (reached)
        return stopped(1);
    if (first == AuditStep::End || count == 1)
        return ended(result, done());
    show(1);
    if (progress.stopRequested())
        return ended(result, cancelled());

    const unsigned int next = Protocol::AuditNext(x.request(), AnswerCapacity);
    for (int k = 1;; ++k) {
        const AuditStep step = readAuditAnswer(x, next, 0, wire::BusRecordSize, record.data(), outcome);
        if (step == AuditStep::Stop)
            return result;
        bool reached = false;
        if (step == AuditStep::Record) {
            dump.events.append(reinterpret_cast<const char*>(record.data()), wire::BusRecordSize);
            reached = known(record);
        }
        if (reached)
            return stopped(k + 1);
        if (step == AuditStep::End || k + 1 >= count)
            return ended(result, done());
        show(k + 1);
        if (progress.stopRequested())
            return ended(result, cancelled());
    }
}

OperationResult<QByteArray> DownloadUsersLog(DeviceLink& link, OperationProgress& progress)
{
    OperationResult<QByteArray> result;
    result.payload = QByteArray(userslog::RecordCount * userslog::RecordSize, '\0');
    auto* records = reinterpret_cast<unsigned char*>(result.payload.data());
    const auto end = [&result](const OperationOutcome& outcome) { return ended(result, outcome); };
    Exchanges x(link);
    OperationOutcome outcome;
    if (!checkKeypad(x, progress, false, NoWaitLimit, nullptr, outcome))
        return end(outcome);

    const Reply n = x.sendWithRetry(Protocol::ReportRequest(x.request(), AnswerCapacity));
    if (n.lost())
        return end(portLost());
    if (!n.answered())
        return end(noAnswerFromLock());
    if (n.length < UsersReportAnswerLength)
        return end(communicationError());
    int types[userslog::RecordCount];
    for (int i = 0; i < userslog::RecordCount; ++i)
        types[i] = UserSlotType(char(x.answer()[userslog::TypesOffset + i]));

    progress.setPercentageMode(true);
    progress.setPercentage(0);
    if (progress.stopRequested())
        return end(cancelled());

    for (int i = 0; i < userslog::RecordCount; ++i) {
        const Reply r = x.sendWithRetry(Protocol::AuditRecord(x.request(), AnswerCapacity, quint8(i)));
        if (r.lost())
            return end(portLost());
        if (!r.answered())
            return end(noAnswerFromLock());
        const unsigned char* a = x.answer();
        unsigned char* record = records + i * userslog::RecordSize;
        if (r.length > 2 && a[2] == UsersLogUnsupported)
            return end(failed(Texts::tr("Lock's firmware not compatible with this function")));
        if (r.length < 2)
            return end(communicationError());
        if (a[1] == EmptySlotClass) {
            std::fill(record, record + userslog::RecordSize, 0);
            record[0] = types[i] >= 2 ? userslog::SetupInstalled : userslog::NoLog;
        } else {
            if (r.length < UsersLogAnswerLength)
                return end(communicationError());
            const int order[userslog::RecordSize] = { 8, 9, 4, 3, 2, 5, 6, 7 };
            for (int j = 0; j < userslog::RecordSize; ++j)
                record[j] = a[order[j]];
        }
        progress.setPercentageMode(true);
        progress.setPercentage((200 + 100 * i) / userslog::RecordCount);
        if (progress.stopRequested())
            return end(cancelled());
    }
    return end(succeeded());
}

} // namespace operations
