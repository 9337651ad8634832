// The window's archive under the offscreen platform: what is kept, the Locks tab, and a lock's
// history in the Events tab with its visits, its gap and what is new since the last visit.

#include "GuiTestSupport.h"
#include "LocksTab.h"
#include "archive/ArchiveFixtures.h"
#include "reports/ReportFixtures.h"

#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

using namespace archivefixtures;
using namespace guitest;
using fixtures::ReadAll;
using fixtures::WriteAll;

namespace {
QTableView* events(MainWindow& w) { return child<QTableView>(w, "tableWidget"); }
QString label(MainWindow& w, const char* name) { return child<QLabel>(w, name)->text(); }
} // namespace

class LocksWindowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;

    QString freshArchive()
    {
        const QString path = m_dir.filePath(QStringLiteral("archive-%1.sqlite").arg(++m_count));
        qputenv("CORVANE_AUDIT_ARCHIVE", QFile::encodeName(path));
        return path;
    }
    static void settle(MainWindow& w)
    {
        QTRY_COMPARE_WITH_TIMEOUT(w.archiveWorkPending(), 0, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!w.locksTab().isRefreshing(), 20000);
    }

private slots:
    void init()
    {
        removeSettings();
        writeSetting("AuditType", 0);
    }
    void cleanup() { qunsetenv("CORVANE_AUDIT_ARCHIVE"); }

    // An opened file is kept only when asked; a second time it is already there.
    void addAnOpenedFile()
    {
        freshArchive();
        LockLife life;
        life.record(300);
        const QString file = m_dir.filePath("visit.kaud");
        QVERIFY(WriteAll(file, life.download()));
        CapturedMessages messages;
        MainWindow w;
        w.OpenAuditFile(file);
        settle(w);
        QVERIFY(w.locksTab().shownSerials().isEmpty());

        w.onAddToArchive();
        settle(w);
        QCOMPARE(messages.texts(), QStringList{ "Kept in the archive: lock 30051122, 300 new events, 0 gaps" });
        QCOMPARE(w.locksTab().shownSerials(), QStringList{ "30051122" });
        w.onAddToArchive();
        settle(w);
        QCOMPARE(messages.texts().last(), "This audit is already in the archive.");
    }

    // Three visits, the last after the lock overwrote what nobody read: the list, the search, and
    // the history with its Visit column, the new events in bold, the gap and the new-only filter.
    void lockHistory()
    {
        const QString path = freshArchive();
        LockLife life, other;
        other.serial = "77000001";
        other.name = "ATM-07";
        other.record(50);
        {
            Archive archive;
            QVERIFY(archive.open(path));
            life.record(1000);
            archive.import(life.download(400), AuditKind::BusDownload);
            life.record(100);
            archive.import(life.download(), AuditKind::BusDownload);
            life.record(6000);
            QCOMPARE(archive.import(life.download(300), AuditKind::BusDownload).gaps, 1);
            archive.import(other.download(), AuditKind::BusDownload);
        }
        MainWindow w;
        settle(w);
        LocksTab& tab = w.locksTab();
        QCOMPARE(tab.shownSerials(), (QStringList{ "30051122", "77000001" }));
        QCOMPARE(cell(&tab.table(), 0, 2) + "|" + cell(&tab.table(), 0, 3) + "|" + cell(&tab.table(), 0, 4), "3|1400|1");
        tab.search().setText("atm");
        QCOMPARE(tab.shownSerials(), QStringList{ "77000001" });
        tab.search().setText("3005");
        QCOMPARE(tab.shownSerials(), QStringList{ "30051122" });

        tab.openButton().click();
        settle(w);
        QVERIFY(w.showingHistory());
        QTableView* table = events(w);
        QCOMPARE(rows(table), 1400 + 1);
        QVERIFY(!table->isColumnHidden(EventsTableModel::ColVisit));
        QCOMPARE(header(table, EventsTableModel::ColVisit), "Visit");
        QCOMPARE(cell(table, 299, EventsTableModel::ColVisit), "3");
        QCOMPARE(cell(table, 300, EventsTableModel::ColEvent), "Events may be missing here");
        QCOMPARE(cell(table, 301, EventsTableModel::ColVisit), "2");
        QVERIFY(table->model()->index(0, 2).data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(!table->model()->index(301, 2).data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(label(w, "labelLockName"), "BANK01");
        QVERIFY(w.findChild<QLabel*>("historyTitle")->text().startsWith("Lock 30051122 BANK01: 3 visits,"));
        QVERIFY(!child<QToolButton>(w, "buttonSave")->isEnabled());

        w.eventsView().onlyNewFilter().setChecked(true);
        QCOMPARE(w.eventsView().shownRowCount(), 300);
        w.onResetFilter();
        QCOMPARE(w.eventsView().shownRowCount(), 1401);

        // A language change shows the same history again, not only its latest audit.
        w.onLangIt();
        QCOMPARE(rows(events(w)), 1401);
        w.onLangEn();

        // A new audit ends the history.
        w.on_buttonNew_clicked();
        QVERIFY(!w.showingHistory() && child<QToolButton>(w, "buttonSave")->isEnabled());
        QVERIFY(events(w)->isColumnHidden(EventsTableModel::ColVisit) || events(w)->model()->columnCount() == 7);
    }

    // The archive cannot be read: the window opens and says so in the tab; a download is still
    // shown and can be saved, with one message telling why it was not kept.
    void damagedArchive()
    {
        const QString path = freshArchive();
        QVERIFY(WriteAll(path, QByteArray(3000, 'x')));
        CapturedMessages messages;
        MainWindow w;
        settle(w);
        QVERIFY(w.locksTab().status().text().contains("cannot be read"));
        LockLife life;
        life.record(20);
        const QString file = m_dir.filePath("d.kaud");
        QVERIFY(WriteAll(file, life.download()));
        w.OpenAuditFile(file);
        w.keepInArchive(AuditKind::BusDownload, false);
        settle(w);
        QCOMPARE(messages.list.size(), 1);
        QVERIFY(messages.texts().first().startsWith("The audit was not kept in the archive: The archive"));
        QCOMPARE(rows(events(w)), 20);
        QCOMPARE(ReadAll(path), QByteArray(3000, 'x'));
    }

    // The settings decide whether downloads are kept.
    void keepingFollowsTheSetting()
    {
        freshArchive();
        LockLife life;
        life.record(20);
        const QString file = m_dir.filePath("k.kaud");
        QVERIFY(WriteAll(file, life.download()));
        MainWindow w;
        writeSetting("ArchiveAudits", false);
        w.OpenAuditFile(file);
        w.keepInArchive(AuditKind::BusDownload, false);
        settle(w);
        QVERIFY(w.locksTab().shownSerials().isEmpty());
        writeSetting("ArchiveAudits", true);
        w.keepInArchive(AuditKind::BusDownload, false);
        settle(w);
        QCOMPARE(w.locksTab().shownSerials(), QStringList{ "30051122" });
        QVERIFY(w.statusBar()->currentMessage().contains("20 new events"));
    }
};

QTEST_MAIN(LocksWindowTest)
#include "tst_lockswindow.moc"
