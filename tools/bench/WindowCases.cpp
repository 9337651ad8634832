// The window's figures: the whole pipeline of a bus audit as the window runs it, and a history of
// 100 000 events from its decoded value to a painted table, then one filter change on it.

#include "BenchAudits.h"
#include "BenchCase.h"
#include "app/MainWindow.h"
#include "view/EventsTableView.h"

#include <QFile>
#include <QTableView>

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

void Show(MainWindow& window)
{
    window.show(PresentAudit(window.session().decoded, window.session().busAudit, PresentationOptions()));
    window.eventsView().table()->viewport()->repaint();
}

QString ResidentMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return QString::fromLatin1(line.mid(6).simplified());
    return QString();
}

// A shown window holding a history of 100 000 events, already laid out once.
std::shared_ptr<MainWindow> HistoryWindow()
{
    auto window = std::make_shared<MainWindow>();
    window->resize(1100, 700);
    window->show();
    window->session().decoded = BenchHistory(100000);
    Show(*window);
    return window;
}

BenchCase HistoryToTable()
{
    BenchCase c;
    c.name = QStringLiteral("window/history-100k");
    c.iterations = 5;
    c.prepare = [](QString& note) {
        auto window = HistoryWindow();
        note = QStringLiteral("100000 events: configuration, merge, filter, numbers, model, filter lists, one paint; "
                              "window's resident memory %1 (limit 200 MB)")
                   .arg(ResidentMemory());
        return [window]() { Show(*window); };
    };
    return c;
}

BenchCase FilterChange()
{
    BenchCase c;
    c.name = QStringLiteral("window/filter-100k");
    c.iterations = 20;
    c.prepare = [](QString& note) {
        auto window = HistoryWindow();
        auto pick = std::make_shared<int>(0);
        window->eventsView().userFilter().on_itemPressed(window->eventsView().userFilter().model()->index(0, 0));
        window->onSetFilter();
        note = QStringLiteral("100000 events: one user picked in turn, filter set, one paint (%1 rows shown for the first)")
                   .arg(window->eventsView().shownRowCount());
        return [window, pick]() {
            QCheckList& users = window->eventsView().userFilter();
            users.uncheckAll();
            users.on_itemPressed(users.model()->index(*pick % users.count(), 0));
            ++*pick;
            window->onSetFilter();
            window->eventsView().table()->viewport()->repaint();
        };
    };
    return c;
}

} // namespace

QVector<BenchCase> WindowCases()
{
    return { BusAuditToTable(), HistoryToTable(), FilterChange() };
}
