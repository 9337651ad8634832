// Drives the four device operations with arbitrary answers of arbitrary lengths: they must end,
// never read or write outside their buffers, and report success only with every buffer filled.

#include "model/BusDecoder.h"
#include "operations/DeviceOperations.h"
#include "ScriptedLink.h"
#include "model/UsersLog.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

void Require(bool condition)
{
    if (!condition)
        abort();
}

struct QuietProgress : OperationProgress
{
    void setPercentageMode(bool) override {}
    void setPercentage(int p) override { Require(p >= 0 && p <= 100); }
    void setStatus(const QString&, bool) override {}
    bool stopRequested() const override { return false; }
};


} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const auto operation = FuzzOperation(data[0] % quint8(FuzzOperation::Count));
    ScriptedLink link(data + 2, size - 2);
    QuietProgress progress;
    // Bounds the waits that the window leaves open, on the link's own clock.
    const qint64 waitLimitMs = 60000;

    OperationOutcome outcome;
    switch (operation) {
    case FuzzOperation::ReadKey: {
        const OperationResult<QByteArray> read = operations::ReadDallasKey(link, progress, wire::DallasPageCount, waitLimitMs);
        outcome = read.outcome;
        Require(read.payload.size() == wire::DallasImageSize);
        Require(!outcome.succeeded() || link.exchanges() >= 257);
        break;
    }
    case FuzzOperation::WriteKey:
        outcome = operations::WriteDallasKey(link, progress, QByteArray(8192, '\x55'), waitLimitMs);
        Require(!outcome.succeeded() || link.exchanges() >= 257);
        break;
    case FuzzOperation::Download: {
        const OperationResult<BusDump> download = operations::DownloadAudit(link, progress, data[1], waitLimitMs);
        outcome = download.outcome;
        // Never more records than asked for, each whole.
        Require(download.payload.events.size() % 12 == 0);
        Require(download.payload.events.size() / 12 <= operations::DownloadEventCount(data[1]));
        Require(!outcome.succeeded() || link.exchanges() >= 5);
        break;
    }
    case FuzzOperation::UsersLog: {
        const OperationResult<operations::UsersLogDump> log = operations::DownloadUsersLog(link, progress);
        outcome = log.outcome;
        Require(log.payload.records.size() == userslog::RecordCount * userslog::RecordSize);
        // The serial comes from the report block alone, only once the report was answered.
        Require(log.payload.serial.size() <= bus::ReportSerialArea);
        Require(log.payload.serial.isEmpty() || link.exchanges() >= 2);
        Require(!outcome.succeeded() || link.exchanges() >= 2 + userslog::RecordCount);
        break;
    }
    case FuzzOperation::Count:
        break;
    }
    Require(outcome.kind != OperationOutcome::Cancelled);
    Require(outcome.succeeded() || !outcome.message.isEmpty());
    return 0;
}
