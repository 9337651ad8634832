#pragma once

#include "device/DeviceLink.h"
#include "model/AuditRecords.h"
#include "model/History.h"

#include <array>
#include <functional>

#include <QString>

// The device operations, each written once against a link and a progress sink: the workers
// run them over a serial port on their own thread, the command line runs them in the
// foreground, the tests and fuzzers run them against a simulated interface in memory.
//
// Every exchange keeps its answer as the bytes that came: nothing is ever read from an answer
// beyond them, and an answer too short for what is taken from it is a communication error.

// How an operation ended. The message is the one to show: the error of a failure, "Done" on
// success where the operation has a closing message, nothing when it was cancelled.
struct OperationOutcome
{
    enum Kind { Succeeded, Failed, Cancelled };
    Kind kind = Cancelled;
    QString message;
    // What the message leaves out, for whoever has room for it (the command line): e.g. the port
    // and why it would not open.
    QString detail = QString();

    bool succeeded() const { return kind == Succeeded; }
};

// An operation's outcome and what it brought back: whole when it succeeded, what came so far
// otherwise.
template <typename Payload> struct OperationResult
{
    OperationOutcome outcome;
    Payload payload;

    bool succeeded() const { return outcome.succeeded(); }
};

namespace operations {

// The most an answer may hold; a longer one is too long.
constexpr int AnswerCapacity = 256;
// No bound on the wait for a keypad or a key: the window waits until the user cancels.
constexpr qint64 NoWaitLimit = -1;

// Below 1 or above wire::BusDownloadLimit means all, that is 5600.
int DownloadEventCount(int requested);

// Lock firmware number from the report block, as "1.05" gives 105; 0 when it does not read.
int FirmwareNumber(const std::array<quint8, wire::BusReportSize>& report);

// Waits for a valid key on the reader, then reads `pageCount` pages of 32 bytes (at most the key's
// wire::DallasPageCount): the image.
OperationResult<QByteArray> ReadDallasKey(DeviceLink& link, OperationProgress& progress, int pageCount,
                                          qint64 waitLimitMs = NoWaitLimit);

// Waits for a valid key on the reader, then writes the pages of `image` into it.
OperationOutcome WriteDallasKey(DeviceLink& link, OperationProgress& progress, const QByteArray& image,
                                qint64 waitLimitMs = NoWaitLimit);

// For a download of what is new: the newest archived events of the lock with this serial number,
// oldest first (none when the archive does not know it). Asked once the report is read.
using ArchivedEvents = std::function<QVector<HistoryEvent>(const QString& serial)>;

// Waits for the keypad, then reads the lock's status, configuration, report, date/time table
// and up to `eventCount` event records (see DownloadEventCount). With `archived`, it stops as
// soon as the records read end with the lock's newest archived events (see KnownEventsStop),
// telling the events read and the time instead of a percentage. A download that fails or is
// cancelled after the line's own retries brings back what it read: see PartialEventCount.
OperationResult<BusDump> DownloadAudit(DeviceLink& link, OperationProgress& progress, int eventCount,
                                       qint64 waitLimitMs = NoWaitLimit, const ArchivedEvents& archived = {});

// A download that stopped short (a failure or Cancel) after reading events: what it read (the
// blocks and those events) is a partial audit, shown and kept like a whole one. Its events; 0 for
// a download that succeeded or read none.
int PartialEventCount(const OperationResult<BusDump>& download);

// Why a partial download stopped and how many events it read, in the operations' own words.
QString PartialDownloadText(const OperationOutcome& outcome, int events);

// The label of a partial audit (the keypad's date and time at the download, as the window shows
// it and an audit file keeps it), marked as partial with its events.
QString PartialLabel(const QString& label, int events);

// A users log and the lock it came from.
struct UsersLogDump
{
    QByteArray records; // 104 records of 8 bytes
    // The lock's serial number, read from its report as an audit's is; empty when it names none.
    QString serial;
};

// Reads the lock's serial number and its 104 users log records (8 bytes each). Success has no
// message.
OperationResult<UsersLogDump> DownloadUsersLog(DeviceLink& link, OperationProgress& progress);

// The message of a port that could not be opened, in the operations' own words.
QString UnableToOpenText();

} // namespace operations
