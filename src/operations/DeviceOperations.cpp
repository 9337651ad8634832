#include "operations/DeviceOperations.h"

#include "device/Protocol.h"
#include "model/BusDecoder.h"
#include "model/LockHistory.h"
#include "model/UsersLog.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <functional>

namespace operations {

namespace {

// The operations' texts: what the workers report and the dialogs show.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(DeviceOperation)
};

constexpr quint8 DallasFamily = 0x0C;
constexpr int NoKeyAnswerLength = 4;
constexpr int KeyAnswerLength = 11;
constexpr int KeyFamilyByte = 2;
// Length byte, command byte, then the page.
constexpr int PageOffset = 2;
constexpr int PageAnswerLength = PageOffset + wire::DallasPageSize;
constexpr int WriteAnswerLength = 3;

constexpr int VersionOffset = 3;
constexpr int VersionAnswerLength = VersionOffset + wire::BusVersionSize;
constexpr int DownloadModeByte = 4;
constexpr quint8 DownloadModeBit = 0x80;
constexpr int StatusOffset = 3;
constexpr int ConfigOffset = 3;
constexpr int ReportOffset = 2;
constexpr int TableEntryOffset = 2;
constexpr quint8 TableEntryRequest = 0xFE;
constexpr int UsersReportAnswerLength = userslog::TypesOffset + userslog::RecordCount; // up to byte 158
constexpr int UsersLogAnswerLength = 10; // bytes 2..9
constexpr int UsersLogClassByte = 1;
constexpr int UsersLogStateByte = 2;
constexpr quint8 UsersLogUnsupported = 0x8A;
constexpr quint8 EmptySlotClass = 0x80;
constexpr int FirstFirmwareWithTable = 105;
// What is new is told in lines, not one per event.
constexpr int NewEventsTextEvery = 25;

OperationOutcome succeeded(const QString& message = QString()) { return { OperationOutcome::Succeeded, message }; }
OperationOutcome failed(const QString& message) { return { OperationOutcome::Failed, message }; }
OperationOutcome cancelled() { return { OperationOutcome::Cancelled, QString() }; }

OperationOutcome done() { return succeeded(Texts::tr("Done")); }
OperationOutcome communicationError() { return failed(Texts::tr("Communication error")); }
OperationOutcome noAnswerFromLock() { return failed(Texts::tr("No answer from lock")); }
OperationOutcome noAnswerFromKeypad() { return failed(Texts::tr("No answer from keypad")); }
OperationOutcome portLost() { return failed(Texts::tr("USB interface disconnected")); }

// Byte i of an answer whose length was checked.
quint8 At(const QByteArray& answer, int i)
{
    return quint8(answer.at(i));
}

bool CrcGood(const QByteArray& answer)
{
    return Protocol::CheckCrc(reinterpret_cast<const unsigned char*>(answer.constData()), unsigned(answer.size()));
}

// A request as one of Protocol's builders makes it.
template <typename... Params, typename... Args>
QByteArray Frame(unsigned int (*build)(unsigned char*, unsigned int, Params...), Args... args)
{
    QByteArray frame(AnswerCapacity, '\0');
    frame.resize(int(build(reinterpret_cast<unsigned char*>(frame.data()), unsigned(frame.size()), args...)));
    return frame;
}

// The N bytes of an answer from byte `from` on; false when the answer is shorter.
template <size_t N> bool Take(const QByteArray& answer, int from, std::array<quint8, N>& into)
{
    if (from < 0 || answer.size() < from + int(N))
        return false;
    std::copy(answer.begin() + from, answer.begin() + from + int(N), into.begin());
    return true;
}

// The exchanges of one operation over its link.
class Exchanges
{
public:
    explicit Exchanges(DeviceLink& link) : m_link(link) {}

    LinkReply send(const QByteArray& request)
    {
        LinkReply reply = m_link.exchange(request, AnswerCapacity);
        // A link never hands over more than asked for; if one did, the answer would be too long.
        if (reply.status == LinkStatus::Answered && reply.answer.size() > AnswerCapacity)
            reply = { LinkStatus::AnswerTooLong, QByteArray() };
        return reply;
    }

    // A request that gets no answer is sent once more; a lost port is not worth a second try.
    LinkReply sendWithRetry(const QByteArray& request)
    {
        const LinkReply reply = send(request);
        return reply.answered() || reply.lost() ? reply : send(request);
    }

    qint64 elapsedMs() const { return m_link.elapsedMs(); }

private:
    DeviceLink& m_link;
};

bool waitExpired(const Exchanges& x, qint64 limitMs)
{
    return limitMs >= 0 && x.elapsedMs() >= limitMs;
}

// Polls the reader until it holds a key of the right family: true then, false with the outcome.
bool waitForKey(Exchanges& x, OperationProgress& progress, qint64 limitMs, OperationOutcome& outcome)
{
    const QByteArray presence = Frame(Protocol::CheckPresence);
    if (progress.stopRequested()) {
        outcome = cancelled();
        return false;
    }
    for (;;) {
        const LinkReply reply = x.send(presence);
        if (reply.lost()) {
            outcome = portLost();
            return false;
        }
        const int length = reply.status == LinkStatus::Answered ? reply.answer.size() : -1;
        if (length != NoKeyAnswerLength && length != KeyAnswerLength) {
            outcome = communicationError();
            return false;
        }
        if (length == KeyAnswerLength && At(reply.answer, KeyFamilyByte) == DallasFamily)
            return true;
        if (length == KeyAnswerLength)
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
                 std::array<quint8, wire::BusVersionSize>* version, OperationOutcome& outcome)
{
    const QByteArray request = Frame(Protocol::VersionRequest);
    if (progress.stopRequested()) {
        outcome = cancelled();
        return false;
    }
    LinkReply reply;
    for (;;) {
        reply = x.sendWithRetry(request);
        if (reply.lost()) {
            outcome = portLost();
            return false;
        }
        if (reply.answered())
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
    if (!CrcGood(reply.answer)) {
        reply = x.send(request);
        if (reply.lost()) {
            outcome = portLost();
            return false;
        }
        if (!reply.answered()) {
            outcome = noAnswerFromKeypad();
            return false;
        }
        if (!CrcGood(reply.answer)) {
            outcome = communicationError();
            return false;
        }
    }
    if (reply.answer.size() < (version ? VersionAnswerLength : DownloadModeByte + 1)) {
        outcome = communicationError();
        return false;
    }
    if (version)
        Take(reply.answer, VersionOffset, *version);
    progress.setPercentageMode(true);
    if (!(At(reply.answer, DownloadModeByte) & DownloadModeBit)) {
        outcome = failed(Texts::tr("Please enable download mode (function 7) on keypad"));
        return false;
    }
    return true;
}

// The answer to a lock request, sent with retry: true when it answered, false with the outcome.
bool askLock(Exchanges& x, const QByteArray& request, LinkReply& reply, OperationOutcome& outcome)
{
    reply = x.sendWithRetry(request);
    if (reply.lost()) {
        outcome = portLost();
        return false;
    }
    if (!reply.answered()) {
        outcome = noAnswerFromLock();
        return false;
    }
    return true;
}

// A lock block: the request sent with retry, its bytes from answer byte `from` on.
template <size_t N>
bool readLockBlock(Exchanges& x, const QByteArray& request, int from, std::array<quint8, N>& into, OperationOutcome& outcome)
{
    LinkReply reply;
    if (!askLock(x, request, reply, outcome))
        return false;
    if (!Take(reply.answer, from, into)) {
        outcome = communicationError();
        return false;
    }
    return true;
}

enum class AuditStep { Record, End, Stop };

// One audit answer (an event record or a table entry): sent with retry and classified. A record's
// N bytes from answer byte `from` on go to `into`.
template <size_t N>
AuditStep readAuditAnswer(Exchanges& x, const QByteArray& request, int from, std::array<quint8, N>& into,
                          OperationOutcome& outcome)
{
    LinkReply reply;
    if (!askLock(x, request, reply, outcome))
        return AuditStep::Stop;
    unsigned char code = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(reply.answer.constData());
    switch (Protocol::ClassifyAuditAnswer(bytes, reply.answer.size(), &code)) {
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
    if (!Take(reply.answer, from, into)) {
        outcome = communicationError();
        return AuditStep::Stop;
    }
    return AuditStep::Record;
}

// The lock's serial number in a report answer, as an audit keeps it; empty when the answer is too
// short to hold the report block or the block names none.
QString ReportAnswerSerial(const QByteArray& answer)
{
    std::array<quint8, wire::BusReportSize> block{};
    return Take(answer, ReportOffset, block) ? ShownLockText(BusReportSerial(block.data())) : QString();
}

template <typename Payload> OperationResult<Payload> ended(OperationResult<Payload>& result, const OperationOutcome& outcome)
{
    result.outcome = outcome;
    return result;
}

// Waits for a key, then makes one exchange a page: `request` is page p's, and `accept` says whether
// its answer is good, having taken what it needs from it.
OperationOutcome KeyPages(DeviceLink& link, OperationProgress& progress, int pageCount, qint64 waitLimitMs,
                          const QString& text, const std::function<QByteArray(quint8)>& request,
                          const std::function<bool(const LinkReply&, int)>& accept)
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
        const LinkReply reply = x.send(request(quint8(page)));
        if (reply.lost())
            return portLost();
        if (reply.status != LinkStatus::Answered || !accept(reply, page))
            return communicationError();
    }
    return done();
}

} // namespace

QString UnableToOpenText()
{
    return Texts::tr("Unable to open USB interface");
}

int DownloadEventCount(int requested)
{
    return requested < 1 || requested > wire::BusDownloadLimit ? wire::BusDownloadLimit : requested;
}

int FirmwareNumber(const std::array<quint8, wire::BusReportSize>& report)
{
    constexpr int TextOffset = 3;
    constexpr int TextSize = 33;
    static_assert(TextOffset + TextSize <= wire::BusReportSize, "the text lies in the block");
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(report.data()) + TextOffset, TextSize);
    const int crlf = text.indexOf(QLatin1String("\r\n"));
    bool ok = false;
    const int number = text.mid(crlf + 10, 4).remove(QLatin1Char('.')).toInt(&ok);
    return ok ? number : 0;
}

OperationResult<QByteArray> ReadDallasKey(DeviceLink& link, OperationProgress& progress, int pageCount,
                                          qint64 waitLimitMs)
{
    OperationResult<QByteArray> result;
    pageCount = qBound(0, pageCount, wire::DallasPageCount);
    result.payload = QByteArray(pageCount * wire::DallasPageSize, '\0');
    QByteArray& image = result.payload;
    result.outcome = KeyPages(
        link, progress, pageCount, waitLimitMs, Texts::tr("Reading Dallas key..."),
        [](quint8 p) { return Frame(Protocol::ReadDallas, Protocol::DallasPageHi(p), Protocol::DallasPageLo(p)); },
        [&image](const LinkReply& reply, int page) {
            if (reply.answer.size() < PageAnswerLength)
                return false;
            image.replace(page * wire::DallasPageSize, wire::DallasPageSize,
                          reply.answer.constData() + PageOffset, wire::DallasPageSize);
            return true;
        });
    return result;
}

OperationOutcome WriteDallasKey(DeviceLink& link, OperationProgress& progress, const QByteArray& image,
                                qint64 waitLimitMs)
{
    const int pageCount = qMin(int(image.size() / wire::DallasPageSize), wire::DallasPageCount);
    return KeyPages(
        link, progress, pageCount, waitLimitMs, Texts::tr("Writing Dallas key..."),
        [&image](quint8 p) {
            const QByteArray page = image.mid(p * wire::DallasPageSize, wire::DallasPageSize);
            return Frame(Protocol::WriteDallas, Protocol::DallasPageHi(p), Protocol::DallasPageLo(p),
                         reinterpret_cast<const unsigned char*>(page.constData()), unsigned(page.size()));
        },
        [](const LinkReply& reply, int) { return reply.answer.size() == WriteAnswerLength; });
}

OperationResult<BusDump> DownloadAudit(DeviceLink& link, OperationProgress& progress, int eventCount,
                                       qint64 waitLimitMs, const ArchivedEvents& archived)
{
    OperationResult<BusDump> result;
    BusDump& dump = result.payload;
    OperationOutcome& outcome = result.outcome;
    const int count = DownloadEventCount(eventCount);
    const int total = count + 13;
    // Looking for the last visit, the bar cannot know its end: it tells events and time instead.
    const bool untilKnown = bool(archived);
    Exchanges x(link);
    const QString downloading = Texts::tr("Downloading audit...");

    progress.setPercentageMode(false);
    progress.setStatus(Texts::tr("Please connect the PC to the keypad"), false);
    if (!checkKeypad(x, progress, true, waitLimitMs, &dump.version, outcome))
        return result;

    // Status, configuration and report, each followed by its share of the bar.
    int step = 0;
    const auto block = [&](const QByteArray& request, int from, auto& into) {
        if (!readLockBlock(x, request, from, into, outcome))
            return false;
        ++step;
        if (!untilKnown)
            progress.setPercentage(100 * step / total);
        progress.setStatus(downloading, false);
        if (progress.stopRequested()) {
            outcome = cancelled();
            return false;
        }
        return true;
    };
    if (!block(Frame(Protocol::Status2Request), StatusOffset, dump.status)
        || !block(Frame(Protocol::ReadConfig), ConfigOffset, dump.configuration)
        || !block(Frame(Protocol::ReportRequest), ReportOffset, dump.report))
        return result;

    if (FirmwareNumber(dump.report) >= FirstFirmwareWithTable) {
        for (int i = 0; i < wire::BusDateTimeTableEntries; ++i) {
            std::array<quint8, wire::BusDateTimeTableEntrySize> entry{};
            const QByteArray request = Frame(Protocol::AuditStart, TableEntryRequest, quint8(i));
            if (readAuditAnswer(x, request, TableEntryOffset, entry, outcome) == AuditStep::Stop)
                return result;
            // An entry the lock does not have stays zero.
            std::copy(entry.begin(), entry.end(), dump.dateTimeTable.begin() + i * wire::BusDateTimeTableEntrySize);
        }
    }

    // What is new ends where the archive's newest events begin.
    KnownEventsStop stop({});
    if (untilKnown)
        stop = KnownEventsStop(archived(BusReportSerial(dump.report.data())));
    QElapsedTimer clock;
    clock.start();
    const auto newEventsText = [&](int records) {
        progress.setStatus(
            Texts::tr("%1 events, stopping at the last visit (%2 s)").arg(records).arg(clock.elapsed() / 1000), false);
    };

    // The first record comes with the start of the audit, every later one with the next request.
    const QByteArray start = Frame(Protocol::AuditStart, quint8(0x00), quint8(0x00));
    const QByteArray next = Frame(Protocol::AuditNext);
    for (int records = 0;;) {
        std::array<quint8, wire::BusRecordSize> record{};
        const AuditStep read = readAuditAnswer(x, records == 0 ? start : next, 0, record, outcome);
        if (read == AuditStep::Stop)
            return result;
        if (read == AuditStep::Record) {
            dump.events.append(reinterpret_cast<const char*>(record.data()), wire::BusRecordSize);
            ++records;
            const EventsTable e = DecodeBusRecord(record.data());
            if (stop.reached({ e.time, quint8(e.event), quint8(e.user), 0 })) {
                if (stop.active())
                    newEventsText(records);
                return ended(result, done());
            }
        }
        if (read == AuditStep::End || records >= count)
            return ended(result, done());
        if (!stop.active()) {
            progress.setPercentage((400 + 100 * (records - 1)) / total);
            progress.setStatus(downloading, false);
        } else {
            progress.setPercentageMode(false);
            if (records % NewEventsTextEvery == 0 || records == 1)
                newEventsText(records);
        }
        if (progress.stopRequested())
            return ended(result, cancelled());
    }
}

int PartialEventCount(const OperationResult<BusDump>& download)
{
    return download.succeeded() ? 0 : download.payload.events.size() / wire::BusRecordSize;
}

QString PartialDownloadText(const OperationOutcome& outcome, int events)
{
    if (outcome.kind == OperationOutcome::Cancelled)
        return Texts::tr("The download was cancelled after %n events; they are kept, marked as partial.", nullptr,
                         events);
    return Texts::tr("%1: the download stopped after %n events; they are kept, marked as partial.", nullptr, events)
        .arg(outcome.message);
}

QString PartialLabel(const QString& label, int events)
{
    return Texts::tr("%1 (partial: %n events)", nullptr, events).arg(label);
}

OperationResult<UsersLogDump> DownloadUsersLog(DeviceLink& link, OperationProgress& progress)
{
    OperationResult<UsersLogDump> result;
    result.payload.records = QByteArray(userslog::RecordCount * userslog::RecordSize, '\0');
    QByteArray& records = result.payload.records;
    const auto end = [&result](const OperationOutcome& outcome) { return ended(result, outcome); };
    Exchanges x(link);
    OperationOutcome outcome;
    if (!checkKeypad(x, progress, false, NoWaitLimit, nullptr, outcome))
        return end(outcome);

    LinkReply report;
    if (!askLock(x, Frame(Protocol::ReportRequest), report, outcome))
        return end(outcome);
    if (report.answer.size() < UsersReportAnswerLength)
        return end(communicationError());
    result.payload.serial = ReportAnswerSerial(report.answer);
    int types[userslog::RecordCount];
    for (int i = 0; i < userslog::RecordCount; ++i)
        types[i] = UserSlotType(report.answer.at(userslog::TypesOffset + i));

    progress.setPercentageMode(true);
    progress.setPercentage(0);
    if (progress.stopRequested())
        return end(cancelled());

    for (int i = 0; i < userslog::RecordCount; ++i) {
        LinkReply reply;
        if (!askLock(x, Frame(Protocol::AuditRecord, quint8(i)), reply, outcome))
            return end(outcome);
        const QByteArray& a = reply.answer;
        if (a.size() > UsersLogStateByte && At(a, UsersLogStateByte) == UsersLogUnsupported)
            return end(failed(Texts::tr("Lock's firmware not compatible with this function")));
        if (a.size() <= UsersLogClassByte)
            return end(communicationError());
        QByteArray record(userslog::RecordSize, '\0');
        if (At(a, UsersLogClassByte) == EmptySlotClass) {
            record[0] = char(types[i] >= 2 ? userslog::SetupInstalled : userslog::NoLog);
        } else {
            if (a.size() < UsersLogAnswerLength)
                return end(communicationError());
            const int order[userslog::RecordSize] = { 8, 9, 4, 3, 2, 5, 6, 7 };
            for (int j = 0; j < userslog::RecordSize; ++j)
                record[j] = a.at(order[j]);
        }
        records.replace(i * userslog::RecordSize, userslog::RecordSize, record);
        progress.setPercentageMode(true);
        progress.setPercentage((200 + 100 * i) / userslog::RecordCount);
        if (progress.stopRequested())
            return end(cancelled());
    }
    return end(succeeded());
}

} // namespace operations
