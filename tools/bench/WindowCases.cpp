// The whole pipeline as the window runs it: raw bus buffers to a filled events table with
// its filter lists.

#include "AuditBuilder.h"
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
        BusAuditBuilder builder;
        qint64 time = 760000000;
        for (int i = 0; i < AuditSession::BusDownloadLimit; ++i, time -= 5400)
            builder.addEvent(time, quint8(1 + i % 0x40), quint8(1 + i % 59));
        builder.setReport("123456", "BENCH1", "1.07");
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
