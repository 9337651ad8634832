// The archive's figures, on a SQLite file: one download joined into a lock with 50 000 archived
// events, and a history of 100 000 events written as CSV and shown in the window, with the size
// the archive takes for it.

#include "Archive.h"
#include "AuditFile.h"
#include "BenchAudits.h"
#include "BenchCase.h"
#include "MainWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>

#include <memory>

namespace {

// A lock that records events ten minutes apart; each visit downloads its newest 5600.
class BenchLife
{
public:
    explicit BenchLife(int total) : m_events(BenchEntries(total, 900000000)) {}

    // The download after the lock recorded its first `recorded` events.
    QByteArray visit(int recorded) const
    {
        const int from = m_events.size() - recorded;
        BusAuditBuilder builder;
        builder.setLock(BenchLock(DelayEncoding::Bcd)).setKeypadVersion(2, 5);
        for (int i = from; i < m_events.size() && i < from + AuditSession::BusDownloadLimit; ++i)
            builder.addEvent(m_events[i].time, m_events[i].event, m_events[i].user);
        auto session = std::make_unique<AuditSession>();
        builder.fill(*session);
        session->busAudit = true;
        const QDateTime at = AuditDateTime(m_events[from].time + 300);
        session->downloadTime = QDateTime(at.date(), at.time());
        session->decoded = DecodeAudit(*session);
        return AuditFile::Serialize(*session, QString());
    }

private:
    QVector<AuditEntry> m_events; // newest first
};

// Visits every 5000 events until the lock has recorded `events`.
bool Fill(Archive& archive, const BenchLife& life, int events)
{
    for (int recorded = 5000; recorded <= events; recorded += 5000)
        if (archive.import(life.visit(recorded), AuditKind::BusDownload).status != ImportReport::Added)
            return false;
    return true;
}

struct SharedArchive
{
    QTemporaryDir dir;
    QString path;
};

// One archive of a lock with 100 000 events for the history cases, made once.
std::shared_ptr<SharedArchive> HundredThousand(QString& note)
{
    static std::weak_ptr<SharedArchive> made;
    if (auto shared = made.lock())
        return shared;
    auto shared = std::make_shared<SharedArchive>();
    shared->path = shared->dir.filePath(QStringLiteral("archive.sqlite"));
    Archive archive;
    if (!archive.open(shared->path) || !Fill(archive, BenchLife(100000), 100000))
        note = QStringLiteral("could not build the archive: ") + archive.errorString();
    made = shared;
    return shared;
}

BenchCase ImportIntoFiftyThousand()
{
    BenchCase c;
    c.name = QStringLiteral("archive/import-5600-into-50k");
    c.iterations = 5;
    c.warmUp = false;
    c.prepare = [](QString& note) {
        auto dir = std::make_shared<QTemporaryDir>();
        auto archive = std::make_shared<Archive>();
        auto life = std::make_shared<BenchLife>(80000);
        if (!archive->open(dir->filePath(QStringLiteral("a.sqlite"))) || !Fill(*archive, *life, 50000))
            note = QStringLiteral("could not build the archive: ") + archive->errorString();
        else
            note = QStringLiteral("5600-event downloads, 5000 of them new, into 50 000 to 75 000 archived events");
        auto visits = std::make_shared<QVector<QByteArray>>();
        for (int recorded = 55000; recorded <= 80000; recorded += 5000)
            visits->append(life->visit(recorded));
        return [dir, archive, visits] {
            if (archive->import(visits->takeFirst(), AuditKind::BusDownload).status != ImportReport::Added)
                qFatal("not imported");
        };
    };
    return c;
}

BenchCase HistoryToCsv()
{
    BenchCase c;
    c.name = QStringLiteral("archive/history-100k-csv");
    c.iterations = 5;
    c.prepare = [](QString& note) {
        auto shared = HundredThousand(note);
        const qint64 bytes = QFileInfo(shared->path).size();
        if (note.isEmpty())
            note = QStringLiteral("read, joined, presented and written; the archive of 100 000 events takes %1 MB")
                       .arg(double(bytes) / 1e6, 0, 'f', 1);
        return [shared] {
            Archive archive;
            LockHistory history;
            DecodedAudit audit;
            bool bus = false;
            QString error;
            if (!archive.open(shared->path) || !archive.history(QStringLiteral("00088888"), &history)
                || !HistoryAsAudit(history, &audit, &bus, &error))
                qFatal("history not read");
            PresentationOptions options;
            options.auditType = FullAudit;
            const QByteArray csv = ToCsv(EventsTextTable(PresentAudit(audit, bus, options)));
            if (csv.size() < 100000)
                qFatal("history too short");
        };
    };
    return c;
}

BenchCase HistoryInTheWindow()
{
    BenchCase c;
    c.name = QStringLiteral("archive/history-100k-window");
    c.iterations = 5;
    c.prepare = [](QString& note) {
        auto shared = HundredThousand(note);
        qputenv("CORVANE_AUDIT_ARCHIVE", QFile::encodeName(shared->path));
        auto window = std::make_shared<MainWindow>();
        window->show();
        note = QStringLiteral("Open history to a painted table, 100 000 events");
        return [shared, window] {
            window->openLockHistory(QStringLiteral("00088888"));
            while (window->archiveWorkPending() > 0)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            window->eventsView().table()->viewport()->repaint();
        };
    };
    return c;
}

} // namespace

QVector<BenchCase> ArchiveCases()
{
    return { ImportIntoFiftyThousand(), HistoryToCsv(), HistoryInTheWindow() };
}
