// The whole pipeline as the window runs it: raw bus buffers to a filled events table with
// its filter lists.

#include "BenchAudits.h"
#include "BenchCase.h"
#include "MainWindow.h"

#include <memory>

namespace {

BenchCase BusAuditToTable()
{
    BenchCase c;
    c.name = QStringLiteral("window/bus-5600-to-table");
    c.iterations = 20;
    c.prepare = [](QString& note) {
        auto window = std::make_shared<MainWindow>();
        window->show();
        const BusAuditBuilder builder = FullBusAudit();
        window->ResetContent(true);
        window->session().busAudit = true;
        builder.fill(window->session());
        note = QStringLiteral("5600 events, decode, configuration, merge, filter, rows, filter lists");
        return [window]() {
            window->ResetContent(false);
            window->ShowLoadedAudit();
        };
    };
    return c;
}

} // namespace

QVector<BenchCase> WindowCases()
{
    return { BusAuditToTable() };
}
