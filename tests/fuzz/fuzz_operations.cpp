// Drives the four device operations with arbitrary answers of arbitrary lengths: they must end,
// never read or write outside their buffers, and report success only with every buffer filled.

#include "DeviceOperations.h"
#include "ScriptedLink.h"
#include "UsersLog.h"

#include <array>
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

struct Buffers
{
    std::array<unsigned char, 12> version{};
    std::array<unsigned char, 36> report{};
    std::array<unsigned char, 5> status{};
    std::array<unsigned char, 64> config{};
    std::array<unsigned char, 5600 * 12> events{};
    std::array<unsigned char, 64> table{};
    std::array<unsigned char, 8192> image{};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const auto operation = FuzzOperation(data[0] % quint8(FuzzOperation::Count));
    ScriptedLink link(data + 2, size - 2);
    QuietProgress progress;
    auto b = std::make_unique<Buffers>();
    // Bounds the waits that the window leaves open, on the link's own clock.
    const qint64 waitLimitMs = 60000;

    OperationOutcome outcome;
    switch (operation) {
    case FuzzOperation::ReadKey:
        outcome = operations::ReadDallasKey(link, progress, b->image.data(), 256, waitLimitMs);
        Require(!outcome.succeeded() || link.exchanges() >= 257);
        break;
    case FuzzOperation::WriteKey:
        outcome = operations::WriteDallasKey(link, progress, b->image.data(), 256, waitLimitMs);
        Require(!outcome.succeeded() || link.exchanges() >= 257);
        break;
    case FuzzOperation::Download:
        outcome = operations::DownloadAudit(link, progress, { b->version.data(), b->report.data(), b->status.data(),
                                                              b->config.data(), b->events.data(), b->table.data() },
                                            data[1], waitLimitMs);
        Require(!outcome.succeeded() || link.exchanges() >= 5);
        break;
    case FuzzOperation::UsersLog:
        outcome = operations::DownloadUsersLog(link, progress, b->image.data());
        Require(!outcome.succeeded() || link.exchanges() >= 2 + userslog::RecordCount);
        break;
    case FuzzOperation::Count:
        break;
    }
    Require(outcome.kind != OperationOutcome::Cancelled);
    Require(outcome.succeeded() || !outcome.message.isEmpty());
    return 0;
}
