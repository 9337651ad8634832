// The Findings tab under the offscreen platform, over a real SQLite archive of two locks' weeks:
// the fleet judged by the archive's rules, the filters, a double-click that lands on the event, the
// locks chosen in the Locks tab and the audit on screen.

#include "app/FindingsTab.h"
#include "GuiTestSupport.h"
#include "app/LocksTab.h"
#include "archive/FindingsFixtures.h"
#include "reports/ReadBack.h"
#include "reports/ReportFixtures.h"
#include "view/SettingsDialog.h"

#include <QTabWidget>
#include <QtTest>

using namespace archivefixtures;
using namespace guitest;
using fixtures::WriteAll;

namespace {

QTableView* events(MainWindow& w) { return child<QTableView>(w, "tableWidget"); }

// Column 2 (Finding) of every row, in the order shown.
QStringList kinds(const QTableView& t)
{
    QStringList out;
    for (int r = 0; r < rows(&t); ++r)
        out << cell(&t, r, 0) + " " + cell(&t, r, 2);
    return out;
}

int rowOf(const QTableView& t, const QString& serial, const QString& finding)
{
    for (int r = 0; r < rows(&t); ++r)
        if (cell(&t, r, 0) == serial && cell(&t, r, 2) == finding)
            return r;
    return -1;
}

} // namespace

class FindingsWindowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;

    // An archive of the weeks of BANK01 (30051122) and BANK02 (30051123).
    QString fleet()
    {
        const QString path = m_dir.filePath(QStringLiteral("fleet-%1.sqlite").arg(++m_count));
        qputenv("CORVANE_AUDIT_ARCHIVE", QFile::encodeName(path));
        Archive archive;
        if (!archive.open(path))
            return QString();
        for (const LockLife& life : { Week("30051123", "BANK02"), Week("30051122", "BANK01") })
            if (archive.import(life.download(), AuditKind::BusDownload).status != ImportReport::Added)
                return QString();
        return path;
    }
    static void settle(MainWindow& w)
    {
        QTRY_COMPARE_WITH_TIMEOUT(w.archiveWorkPending(), 0, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!w.locksTab().isRefreshing(), 20000);
    }
    static FindingsTab& openTab(MainWindow& w)
    {
        auto* tabs = child<QTabWidget>(w, "tabWidget");
        tabs->setCurrentWidget(&w.findingsTab());
        settle(w);
        return w.findingsTab();
    }

private slots:
    void init()
    {
        removeSettings();
        writeSetting("AuditType", 0);
    }
    void cleanup() { qunsetenv("CORVANE_AUDIT_ARCHIVE"); }

    // Each lock's week: a duress opening, two openings outside the default hours (Monday night and
    // Saturday), a burst of five wrong codes, and no visit since January 2025.
    void fleetIsJudged()
    {
        QVERIFY(!fleet().isEmpty());
        MainWindow w;
        settle(w);
        FindingsTab& tab = openTab(w);
        const QTableView& t = tab.table();
        QCOMPARE(header(&t, 2), "Finding");
        QCOMPARE(header(&t, 8), "Visit");
        QCOMPARE(rows(&t), 10);
        QCOMPARE(tab.counts().text(),
                 "Duress opening 2 \u00b7 Opening outside hours 4 \u00b7 Wrong code burst 2 \u00b7 Not visited 2");
        QCOMPARE(tab.status().text(), "2 locks judged by the archive's hours, closed days and thresholds.");
        // By lock, Not visited first, then newest first.
        QCOMPARE(kinds(t).mid(0, 5), (QStringList{ "30051122 Not visited", "30051122 Opening outside hours",
                                                   "30051122 Wrong code burst", "30051122 Opening outside hours",
                                                   "30051122 Duress opening" }));
        const int burst = rowOf(t, "30051123", "Wrong code burst");
        QCOMPARE(cell(&t, burst, 1), "BANK02");
        const EventTexts texts{ DisplaySettings() };
        QCOMPARE(cell(&t, burst, 3), texts.date(fixtures::At(2025, 1, 7, 10, 0)));
        QCOMPARE(cell(&t, burst, 4), texts.date(fixtures::At(2025, 1, 7, 10, 20)));
        QCOMPARE(cell(&t, burst, 7), "5");
        QCOMPARE(cell(&t, burst, 8), "1");
        // Sorted by Date: Not visited goes by the day of the visit, Sunday noon, after every event.
        tab.table().sortByColumn(3, Qt::DescendingOrder);
        QCOMPARE(kinds(t).mid(0, 4), (QStringList{ "30051122 Not visited", "30051123 Not visited",
                                                   "30051122 Opening outside hours",
                                                   "30051123 Opening outside hours" }));
        QCOMPARE(cell(&t, 2, 3), texts.date(fixtures::At(2025, 1, 11, 10, 0)));
        tab.table().sortByColumn(3, Qt::AscendingOrder);
        QCOMPARE(cell(&t, 0, 2), "Duress opening");
    }

    void filterNarrows_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("lock");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("counts");

        QTest::newRow("a kind") << "Duress opening" << "" << "" << ""
                                << QStringList{ "30051122 Duress opening", "30051123 Duress opening" }
                                << "Duress opening 2";
        QTest::newRow("a lock") << "" << "30051123" << "" << ""
                                << QStringList{ "30051123 Not visited", "30051123 Opening outside hours",
                                                "30051123 Wrong code burst", "30051123 Opening outside hours",
                                                "30051123 Duress opening" }
                                << "Duress opening 1 \u00b7 Opening outside hours 2 \u00b7 Wrong code burst 1 \u00b7 "
                                   "Not visited 1";
        QTest::newRow("one day, Not visited stays")
            << "" << "" << "2025-01-07" << "2025-01-07"
            << QStringList{ "30051122 Not visited", "30051122 Wrong code burst", "30051123 Not visited",
                            "30051123 Wrong code burst" }
            << "Wrong code burst 2 \u00b7 Not visited 2";
        QTest::newRow("kind, lock and a first day")
            << "Opening outside hours" << "30051122" << "2025-01-08" << ""
            << QStringList{ "30051122 Opening outside hours" } << "Opening outside hours 1";
        QTest::newRow("nothing in those days") << "Duress opening" << "" << "2025-02-01" << "" << QStringList()
                                               << "No findings";
        QTest::newRow("a day that is no date is left out")
            << "Duress opening" << "" << "07/01/2025" << ""
            << QStringList{ "30051122 Duress opening", "30051123 Duress opening" }
            << "The first day is not a date as YYYY-MM-DD: 07/01/2025\nDuress opening 2";
    }
    void filterNarrows()
    {
        QFETCH(QString, kind);
        QFETCH(QString, lock);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, shown);
        QFETCH(QString, counts);
        QVERIFY(!fleet().isEmpty());
        MainWindow w;
        settle(w);
        FindingsTab& tab = openTab(w);
        QCOMPARE(rows(&tab.table()), 10);
        if (!kind.isEmpty())
            tab.kindChoice().setCurrentIndex(tab.kindChoice().findText(kind));
        if (!lock.isEmpty())
            tab.lockChoice().setCurrentIndex(tab.lockChoice().findData(lock));
        tab.fromDate().setText(from);
        tab.toDate().setText(to);
        QCOMPARE(kinds(tab.table()), shown);
        QCOMPARE(tab.counts().text(), counts);
        // Back to every row once the filters are cleared.
        tab.kindChoice().setCurrentIndex(0);
        tab.lockChoice().setCurrentIndex(0);
        tab.fromDate().clear();
        tab.toDate().clear();
        QCOMPARE(rows(&tab.table()), 10);
    }

    // A double-click opens the lock's history in the Events tab, the finding's first event
    // selected; Not visited opens the history alone.
    void doubleClickLandsOnTheEvent_data()
    {
        QTest::addColumn<QString>("finding");
        QTest::addColumn<QString>("event");
        QTest::newRow("duress") << "Duress opening" << "Valid code with silent alarm";
        QTest::newRow("wrong codes") << "Wrong code burst" << "Wrong try";
    }
    void doubleClickLandsOnTheEvent()
    {
        QFETCH(QString, finding);
        QFETCH(QString, event);
        QVERIFY(!fleet().isEmpty());
        MainWindow w;
        settle(w);
        FindingsTab& tab = openTab(w);
        const int r = rowOf(tab.table(), "30051123", finding);
        QVERIFY(r >= 0);
        const QString when = cell(&tab.table(), r, 3);
        emit tab.table().activated(tab.table().model()->index(r, 2));
        settle(w);
        QVERIFY(w.showingHistory());
        QCOMPARE(child<QTabWidget>(w, "tabWidget")->currentIndex(), 0);
        QCOMPARE(w.view().configuration.serialNumber.trimmed(), "30051123");
        QTableView* table = events(w);
        const QModelIndexList selected = table->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(table->model()->index(selected.first().row(), 2).data().toString(), when);
        QVERIFY(table->model()->index(selected.first().row(), 5).data().toString().startsWith(event));
        // In view.
        QVERIFY(table->viewport()->rect().intersects(table->visualRect(selected.first())));
    }

    // The locks selected in the Locks tab, or those its search lists; none is no lock.
    void locksChosenInTheLocksTab()
    {
        QVERIFY(!fleet().isEmpty());
        MainWindow w;
        settle(w);
        FindingsTab& tab = openTab(w);
        tab.scope().setCurrentIndex(FindingsTab::SelectedLocks);
        tab.judge();
        settle(w);
        QCOMPARE(rows(&tab.table()), 0);
        QVERIFY(tab.status().text().startsWith("Select locks in the Locks tab"));

        w.locksTab().search().setText("BANK02");
        tab.judge();
        settle(w);
        QCOMPARE(rows(&tab.table()), 5);
        QVERIFY(tab.status().text().endsWith("judged by the archive's hours, closed days and thresholds."));

        w.locksTab().search().clear();
        QTableView& locks = w.locksTab().table();
        const int bank01 = cell(&locks, 0, 0) == "30051122" ? 0 : 1;
        locks.selectRow(bank01);
        tab.judge();
        settle(w);
        QCOMPARE(rows(&tab.table()), 5);
        for (int r = 0; r < 5; ++r)
            QCOMPARE(cell(&tab.table(), r, 1), "BANK01");
    }

    // The audit on screen, judged by the defaults: no Not visited; a double-click selects the
    // event in the Events tab. A history on screen has its findings under All locks.
    void auditOnScreen()
    {
        QVERIFY(!fleet().isEmpty());
        const QString file = m_dir.filePath("week.kaud");
        QVERIFY(WriteAll(file, Week("40000001", "SAFE9").download()));
        MainWindow w;
        settle(w);
        w.OpenAuditFile(file);
        FindingsTab& tab = openTab(w);
        tab.scope().setCurrentIndex(FindingsTab::AuditOnScreen);
        tab.judge();
        QVERIFY(!tab.isJudging());
        QCOMPARE(kinds(tab.table()), (QStringList{ "40000001 Opening outside hours", "40000001 Wrong code burst",
                                                   "40000001 Opening outside hours", "40000001 Duress opening" }));
        QCOMPARE(cell(&tab.table(), 0, 1), "SAFE9");
        QCOMPARE(cell(&tab.table(), 0, 8), "");
        const int r = rowOf(tab.table(), "40000001", "Wrong code burst");
        const QString when = cell(&tab.table(), r, 3);
        emit tab.table().activated(tab.table().model()->index(r, 0));
        QCOMPARE(child<QTabWidget>(w, "tabWidget")->currentIndex(), 0);
        QTableView* table = events(w);
        const QModelIndexList selected = table->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(table->model()->index(selected.first().row(), 2).data().toString(), when);

        // Another audit replaces it at once.
        LockLife quiet;
        quiet.serial = "40000002";
        quiet.record(3);
        QVERIFY(WriteAll(file, quiet.download()));
        w.OpenAuditFile(file);
        QCOMPARE(rows(&tab.table()), 0);
        QCOMPARE(tab.counts().text(), "No findings");

        w.openLockHistory("30051122");
        settle(w);
        QVERIFY(w.showingHistory());
        QCOMPARE(rows(&tab.table()), 0);
        QVERIFY(tab.status().text().startsWith("Open or download an audit"));
    }

    // The archive's closed days and thresholds in the Settings dialog: what is changed there is
    // what the archive keeps, what the dialog shows next time and what the locks are judged by.
    void settingsRoundTrip_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("stored"); // wrong-codes clock door visit, as the archive reads them
        QTest::addColumn<int>("bursts");     // of BANK01: five wrong codes five minutes apart
        QTest::newRow("wrong codes") << "wrongCodes" << 6 << "6/10 60 30 180" << 0;
        QTest::newRow("their minutes") << "wrongCodeMinutes" << 4 << "5/4 60 30 180" << 0;
        QTest::newRow("fewer wrong codes") << "wrongCodes" << 2 << "2/10 60 30 180" << 1;
        QTest::newRow("clock") << "clockMinutes" << 15 << "5/10 15 30 180" << 1;
        QTest::newRow("door") << "doorMinutes" << 1440 << "5/10 60 1440 180" << 1;
        QTest::newRow("visit") << "visitDays" << 3650 << "5/10 60 30 3650" << 1;
    }
    void settingsRoundTrip()
    {
        QFETCH(QString, box);
        QFETCH(int, value);
        QFETCH(QString, stored);
        QFETCH(int, bursts);
        const QString path = fleet();
        QVERIFY(!path.isEmpty());
        {
            Archive archive;
            QVERIFY(archive.open(path) && archive.addClosedDays({ QDate(2025, 4, 25) }));
        }
        MainWindow w;
        settle(w);
        bool ready = false;
        QStringList shown;
        onNextDialog<SettingsDialog>([&](SettingsDialog* d) {
            ready = QTest::qWaitFor([d] { return d->wrongCodes().isEnabled(); }, 20000);
            for (int i = 0; i < d->closedDays().count(); ++i)
                shown << d->closedDays().item(i)->text();
            d->dayEdit().setDate(QDate(2025, 1, 8));
            d->addDayButton().click();
            d->dayEdit().setDate(QDate(2024, 12, 25));
            d->addDayButton().click();
            d->addDayButton().click();
            d->findChild<QSpinBox*>(box)->setValue(value);
            d->findChild<QPushButton*>("btnOk")->click();
        });
        w.on_btnSettings_clicked();
        settle(w);
        QVERIFY(ready);
        QCOMPARE(shown, QStringList{ "2025-04-25" });

        Archive archive;
        QVERIFY(archive.open(path));
        ClosedDays closed;
        FindingThresholds thresholds;
        QVERIFY(archive.closedDays(&closed) && archive.findingThresholds(&thresholds));
        QCOMPARE(closed, (ClosedDays{ QDate(2024, 12, 25), QDate(2025, 1, 8), QDate(2025, 4, 25) }));
        QStringList texts;
        for (Threshold t : { Threshold::WrongCodes, Threshold::ClockMinutes, Threshold::DoorMinutes, Threshold::VisitDays })
            texts << ThresholdText(thresholds, t);
        QCOMPARE(texts.join(' '), stored);

        // Shown again as kept; a day removed, and nothing else changed, leaves the thresholds.
        int before = -1;
        ready = false;
        onNextDialog<SettingsDialog>([&](SettingsDialog* d) {
            ready = QTest::qWaitFor([d] { return d->wrongCodes().isEnabled(); }, 20000);
            shown.clear();
            for (int i = 0; i < d->closedDays().count(); ++i)
                shown << d->closedDays().item(i)->text();
            before = d->findChild<QSpinBox*>(box)->value();
            d->closedDays().item(0)->setSelected(true);
            d->removeDayButton().click();
            d->findChild<QPushButton*>("btnOk")->click();
        });
        w.on_btnSettings_clicked();
        settle(w);
        QVERIFY(ready);
        QCOMPARE(shown, (QStringList{ "2024-12-25", "2025-01-08", "2025-04-25" }));
        QCOMPARE(before, value);
        FindingThresholds after;
        QVERIFY(archive.closedDays(&closed) && archive.findingThresholds(&after));
        QCOMPARE(closed, (ClosedDays{ QDate(2025, 1, 8), QDate(2025, 4, 25) }));
        QVERIFY(after == thresholds);

        // The locks are judged by them: Wednesday's opening is now on a closed day.
        FindingsTab& tab = openTab(w);
        tab.kindChoice().setCurrentIndex(tab.kindChoice().findText("Opening outside hours"));
        tab.lockChoice().setCurrentIndex(tab.lockChoice().findData("30051122"));
        QCOMPARE(rows(&tab.table()), 3);
        QCOMPARE(cell(&tab.table(), 1, 3), EventTexts(DisplaySettings()).date(fixtures::At(2025, 1, 8, 10, 0)));
        tab.kindChoice().setCurrentIndex(tab.kindChoice().findText("Wrong code burst"));
        QCOMPARE(rows(&tab.table()), bursts);
    }

    // Cancel changes nothing in the archive.
    void settingsCancelled()
    {
        const QString path = fleet();
        QVERIFY(!path.isEmpty());
        MainWindow w;
        settle(w);
        bool ready = false;
        onNextDialog<SettingsDialog>([&](SettingsDialog* d) {
            ready = QTest::qWaitFor([d] { return d->wrongCodes().isEnabled(); }, 20000);
            d->addDayButton().click();
            d->visitDays().setValue(9);
            d->findChild<QPushButton*>("btnCancel")->click();
        });
        w.on_btnSettings_clicked();
        settle(w);
        QVERIFY(ready);
        Archive archive;
        ClosedDays closed;
        FindingThresholds thresholds;
        QVERIFY(archive.open(path) && archive.closedDays(&closed) && archive.findingThresholds(&thresholds));
        QVERIFY(closed.isEmpty());
        QVERIFY(thresholds == FindingThresholds());
    }

    // A role that may only read sees the archive's values, disabled, with the archive's message.
    void readOnlyArchive()
    {
        const QString owner = FreshServerArchive(QStringLiteral("findingswindow"));
        QVERIFY(!owner.isEmpty());
        {
            Archive archive;
            QVERIFY(archive.open(owner) && archive.addClosedDays({ QDate(2025, 1, 8) }));
            FindingThresholds t;
            t.doorMinutes = 45;
            QVERIFY(archive.setFindingThresholds(t));
        }
        QVERIFY(OnTestServer(QUrl(owner).path().mid(1),
                             { "DO $$ BEGIN CREATE ROLE reader LOGIN PASSWORD 'reader'; "
                               "EXCEPTION WHEN duplicate_object THEN NULL; END $$",
                               "GRANT SELECT ON ALL TABLES IN SCHEMA public TO reader" }));
        QUrl reader(owner);
        reader.setUserName("reader");
        reader.setPassword("reader");
        qputenv("CORVANE_AUDIT_ARCHIVE", reader.toString().toUtf8());
        MainWindow w;
        settle(w);
        QString note;
        QStringList shown;
        int door = 0;
        bool enabled = true;
        bool changed = true;
        onNextDialog<SettingsDialog>([&](SettingsDialog* d) {
            changed = !QTest::qWaitFor([d] { return !d->rulesNote().text().startsWith("Reading"); }, 20000);
            note = d->rulesNote().text();
            enabled = d->doorMinutes().isEnabled() || d->addDayButton().isEnabled() || d->closedDays().isEnabled();
            door = d->doorMinutes().value();
            for (int i = 0; i < d->closedDays().count(); ++i)
                shown << d->closedDays().item(i)->text();
            changed = changed || d->archiveRulesChanged();
            d->findChild<QPushButton*>("btnOk")->click();
        });
        w.on_btnSettings_clicked();
        settle(w);
        QVERIFY(!changed);
        QCOMPARE(note, "You may read this archive but not add to it");
        QVERIFY(!enabled);
        QCOMPARE(door, 45);
        QCOMPARE(shown, QStringList{ "2025-01-08" });
    }

    // The table as filtered goes to a workbook and a PDF report, titled with its locks and days,
    // read back with the tools users open them with.
    void exportTable_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("title");
        QTest::newRow("everything") << "" << "" << 10 << "Findings: 2 locks, 06/01/2025 to 12/01/2025";
        QTest::newRow("wrong codes") << "Wrong code burst" << "" << 2 << "Findings: 2 locks, 07/01/2025 to 07/01/2025";
        QTest::newRow("from a day") << "Duress opening" << "2025-01-01" << 2
                                    << "Findings: 2 locks, 01/01/2025 to 06/01/2025";
    }
    void exportTable()
    {
        QFETCH(QString, kind);
        QFETCH(QString, from);
        QFETCH(int, rows);
        QFETCH(QString, title);
        QVERIFY(!fleet().isEmpty());
        MainWindow w;
        settle(w);
        FindingsTab& tab = openTab(w);
        if (!kind.isEmpty())
            tab.kindChoice().setCurrentIndex(tab.kindChoice().findText(kind));
        tab.fromDate().setText(from);
        const ReportContent content = tab.report();
        QCOMPARE(content.title, title);
        QCOMPARE(content.sections.size(), 1);
        QCOMPARE(content.sections[0].rowCount, rows);

        QString answer;
        Messages::setFileNameInterceptor([&answer](bool) { return answer; });
        CapturedMessages messages;
        answer = m_dir.filePath(QStringLiteral("findings-%1.xlsx").arg(m_count));
        tab.excelButton().click();
        answer = m_dir.filePath(QStringLiteral("findings-%1.pdf").arg(m_count));
        tab.pdfButton().click();
        Messages::setFileNameInterceptor(nullptr);
        QCOMPARE(messages.texts().size(), 2);
        QVERIFY(messages.texts()[0].startsWith("Findings exported to"));

        const QJsonObject book = readback::Workbook(m_dir.filePath(QStringLiteral("findings-%1.xlsx").arg(m_count)));
        const QJsonObject cells = book.value("Findings").toObject().value("cells").toObject();
        QVERIFY(!cells.isEmpty());
        const QString all = QJsonDocument(cells).toJson();
        QVERIFY2(all.contains(title), qPrintable(all));
        for (int r = 0; r < rows; ++r) {
            const QString finding = cell(&tab.table(), r, 2);
            QVERIFY2(all.contains(finding), qPrintable(finding));
        }
        QVERIFY(kind.isEmpty() || !all.contains(kind == "Duress opening" ? "Wrong code burst" : "Duress opening"));
        const QString pdf = readback::PdfPages(m_dir.filePath(QStringLiteral("findings-%1.pdf").arg(m_count))).join('\n');
        QVERIFY2(pdf.contains(title), qPrintable(pdf));
        QCOMPARE(pdf.count("BANK0"), rows);
    }

    // What the tab looks like, for a person to see.
    void screenshot()
    {
        QVERIFY(!fleet().isEmpty());
        MainWindow w;
        w.resize(1100, 560);
        settle(w);
        FindingsTab& tab = openTab(w);
        QVERIFY(rows(&tab.table()) > 0);
        QVERIFY(w.grab().save(QStringLiteral("/tmp/findings-tab.png")));
        bool saved = false;
        onNextDialog<SettingsDialog>([&](SettingsDialog* d) {
            saved = QTest::qWaitFor([d] { return d->wrongCodes().isEnabled(); }, 20000)
                && d->grab().save(QStringLiteral("/tmp/findings-settings.png"));
            d->reject();
        });
        w.on_btnSettings_clicked();
        QVERIFY(saved);
    }
};

QTEST_MAIN(FindingsWindowTest)
#include "tst_findingswindow.moc"
