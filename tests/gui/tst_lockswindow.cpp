// The window's archive under the offscreen platform: what is kept, the Locks tab, and a lock's
// history in the Events tab with its visits, its gap and what is new since the last visit.

#include "AuditCli.h"
#include "GuiTestSupport.h"
#include "app/LocksTab.h"
#include "app/OperationDialogs.h"
#include "archive/FindingsFixtures.h"
#include "reports/ReadBack.h"
#include "reports/ReportFixtures.h"
#include "sim/SimulatedLink.h"

#include <QComboBox>
#include <QHeaderView>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QtTest>

using namespace archivefixtures;
using namespace guitest;
using fixtures::ReadAll;
using fixtures::WriteAll;

namespace {
QTableView* events(MainWindow& w) { return child<QTableView>(w, "tableWidget"); }

// The way to the archive server, which the test cuts and mends: a forwarder on a port of its own.
class Tunnel : public QTcpServer
{
public:
    Tunnel(const QString& host, int port) : m_host(host), m_port(port)
    {
        listen(QHostAddress::LocalHost);
        m_own = serverPort();
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* in = nextPendingConnection()) {
                auto* out = new QTcpSocket(in);
                out->connectToHost(m_host, m_port);
                connect(in, &QTcpSocket::readyRead, out, [in, out] { out->write(in->readAll()); });
                connect(out, &QTcpSocket::readyRead, in, [in, out] { in->write(out->readAll()); });
                connect(out, &QTcpSocket::disconnected, in, &QTcpSocket::disconnectFromHost);
                connect(in, &QTcpSocket::disconnected, in, &QObject::deleteLater);
            }
        });
    }
    quint16 port() const { return m_own; }
    void cut() { close(); }
    bool mend() { return listen(QHostAddress::LocalHost, m_own); }

private:
    QString m_host;
    int m_port;
    quint16 m_own = 0;
};

QString label(MainWindow& w, const char* name) { return child<QLabel>(w, name)->text(); }

// The archive's chain head now.
QString ChainHead(const QString& path)
{
    Archive archive;
    QString head;
    return archive.openReadOnly(path) && archive.chainHead(&head) ? head : QString();
}

// Statements run on a SQLite archive by another program.
bool Tamper(const QString& path, const QString& statement)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("tamper"));
        db.setDatabaseName(path);
        ok = db.open() && QSqlQuery(db).exec(statement);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("tamper"));
    return ok;
}

// A history report's first and last sections as read back, the chain head it quotes put as `head`:
// the workbook's Findings and Evidence sheets; the PDF's lines before the lock's title and from
// the last "Evidence" on, without the pages' header and footer.
QStringList ProofSections(const QString& path, const QString& quoted, const QString& head)
{
    QStringList out;
    if (path.endsWith(".xlsx")) {
        const QJsonObject book = readback::Workbook(path);
        out << book.value("sheets").toVariant().toStringList().join('|');
        for (const char* sheet : { "Findings", "Evidence" })
            out << QString::fromUtf8(QJsonDocument(book.value(sheet).toObject()).toJson(QJsonDocument::Compact));
    } else {
        QStringList lines;
        for (const QString& page : readback::PdfPages(path))
            for (const QString& line : page.split('\n')) {
                const QString t = line.simplified();
                // The footer: the file's name (a long one wraps) and the page's number.
                const bool footer = t.startsWith(path) || path.startsWith(t) || path.endsWith(t)
                    || QRegularExpression("^Page \\d+ of \\d+ ").match(t).hasMatch();
                if (!t.isEmpty() && t != "Corvane Audit" && !footer)
                    lines << t;
            }
        int title = 0;
        while (title < lines.size() && !lines[title].startsWith("Lock 30051122 BANK01:"))
            ++title;
        out << lines.mid(0, title) << lines.mid(lines.lastIndexOf("Evidence"));
    }
    return out.join('\n').replace(quoted, head).split('\n');
}
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

    // A lock's history names the person behind each event's user number on the event's day, in
    // a column after "User" that the filter row follows, and the Users tab each user's person on
    // the latest visit's day. A directory that names nobody, and an audit opened from a file, show
    // no Person at all.
    void peopleOfAHistory_data()
    {
        QTest::addColumn<bool>("named");
        QTest::newRow("User 03 handed over") << true;
        QTest::newRow("nobody named") << false;
    }
    void peopleOfAHistory()
    {
        QFETCH(bool, named);
        const QString path = freshArchive();
        LockLife life;
        life.record(1000); // ten minutes apart from 2025-01-06 08:10 to 2025-01-13
        const QString file = m_dir.filePath("people.kaud");
        QVERIFY(WriteAll(file, life.download()));
        const QDate handOver(2025, 1, 9), annaLeft(2025, 1, 7);
        {
            Archive archive;
            QVERIFY(archive.open(path));
            archive.import(life.download(), AuditKind::BusDownload);
            if (named) {
                QVERIFY(archive.setTenure(life.serial, Tenure{ 3, "Maria Rossi", QDate(2024, 6, 1), QDate() }));
                QVERIFY(archive.setTenure(life.serial, Tenure{ 3, "Luca Bianchi", handOver, QDate() }));
                QVERIFY(archive.setTenure(life.serial, Tenure{ 1, "Anna Verdi", QDate(2024, 6, 1), annaLeft }));
            }
        }
        MainWindow w;
        w.resize(1280, 800);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        settle(w);
        w.locksTab().table().selectRow(0);
        w.locksTab().openButton().click();
        settle(w);
        QVERIFY(w.showingHistory());
        QTableView* table = events(w);
        QHeaderView* head = table->horizontalHeader();
        const EventsTableModel& model = w.eventsView().model();
        QCOMPARE(head->count(), named ? 9 : 8);

        if (named) {
            QCOMPARE(header(table, EventsTableModel::ColPerson), "Person");
            QCOMPARE(head->logicalIndex(head->visualIndex(EventsTableModel::ColUser) + 1), int(EventsTableModel::ColPerson));
            // The person is worked out here from the calendar day of each event's recorded time.
            QHash<QString, int> seen;
            for (int r = 0; r < model.rowCount(); ++r) {
                const int e = model.eventAt(r);
                if (e < 0)
                    continue;
                const ShownEvent shown = model.shownEvent(e);
                const QDate day = AuditDateTime(shown.time).date();
                const QString expected = shown.user == 3 ? (day < handOver ? "Maria Rossi" : "Luca Bianchi")
                    : shown.user == 1 && day <= annaLeft ? "Anna Verdi"
                                                         : "";
                const QString person = model.text(r, EventsTableModel::ColPerson);
                QVERIFY2(person == expected, qPrintable(QString("row %1, %2 on %3: %4")
                                                            .arg(r)
                                                            .arg(model.text(r, EventsTableModel::ColUser))
                                                            .arg(day.toString(Qt::ISODate), person)));
                ++seen[person];
            }
            QVERIFY(seen.value("Maria Rossi") > 0 && seen.value("Luca Bianchi") > 0 && seen.value("Anna Verdi") > 0);
            QVERIFY(seen.value("") > 0);
        }

        // Every filter under its own column, the Person column included, also after a resize.
        QWidget* row = child<QWidget>(w, "widget");
        const auto checkAligned = [&] {
            QCoreApplication::processEvents();
            // A language change builds the filter row anew.
            ColumnAlignedLayout* layout = w.eventsView().filterRowLayout();
            layout->setGeometry(row->rect());
            const int headerX = head->mapTo(&w, QPoint()).x() - row->mapTo(&w, QPoint()).x();
            for (int i = 0; i < head->count(); ++i) {
                const int left = headerX + head->sectionViewportPosition(i) + 15;
                if (head->isSectionHidden(i) || left < 0)
                    continue;
                QCOMPARE(layout->itemAt(i)->geometry().left(), left);
                QCOMPARE(layout->itemAt(i)->geometry().width(), head->sectionSize(i) - 30);
            }
        };
        checkAligned();
        QVERIFY(w.eventsView().eventFilter().geometry().left() > w.eventsView().userFilter().geometry().right());
        table->setColumnWidth(EventsTableModel::ColUser, 220);
        checkAligned();
        // A language change presents the history again, its people with it.
        w.onLangIt();
        w.onLangEn();
        QCOMPARE(head->count(), named ? 9 : 8);
        if (named)
            QCOMPARE(head->logicalIndex(head->visualIndex(EventsTableModel::ColUser) + 1), int(EventsTableModel::ColPerson));
        checkAligned();

        // The Users tab: beside each user the person on the latest visit's day (Anna had left).
        auto* users = child<QTableWidget>(w, "tableWidget_2");
        const auto userRow = [users](const QString& name) {
            for (int r = 0; r < users->rowCount(); ++r)
                if (users->item(r, 0) && users->item(r, 0)->text() == name)
                    return r;
            return -1;
        };
        const int user3 = userRow("User 03"), user1 = userRow("User 01");
        QVERIFY(user3 >= 0 && user1 >= 0);
        QCOMPARE(users->columnCount(), named ? 4 : 3);
        const int statusColumn = named ? 2 : 1;
        const QString status3 = cell(users, user3, statusColumn);
        if (named) {
            QCOMPARE(header(users, 1), "Person");
            QCOMPARE(cell(users, user3, 1), "Luca Bianchi");
            QVERIFY(!users->item(user1, 1));
        }

        // The same lock's audit from a file: no Person anywhere, the Users tab as it always was.
        w.OpenAuditFile(file);
        QVERIFY(!w.showingHistory());
        QCOMPARE(table->model()->columnCount(), 7);
        QCOMPARE(users->columnCount(), 3);
        QCOMPARE(header(users, 1), "Status");
        QCOMPARE(cell(users, userRow("User 03"), 1), status3);
        checkAligned();
    }

    // The history on display exports as `archive history` writes it: its findings first, the evidence
    // of the visits shown last, read from the archive when exported. A visit kept since is not the
    // report's; a record changed or an archive that cannot be read leaves no report at all.
    void historyExports_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QVector<int>>("picks"); // the window's correction, as the rule below
        QTest::addColumn<QString>("change");     // what happens to the archive once the history is shown
        QTest::addColumn<QString>("refusal");
        const QVector<int> none;
        const QVector<int> corrected{ 0, 1, 0, 4, 0, 9, 1, 4 }; // 1,1,1,5,0,10,subtract,2
        QTest::newRow("workbook") << ".xlsx" << none << "" << "";
        QTest::newRow("pdf") << ".pdf" << none << "" << "";
        QTest::newRow("workbook, corrected") << ".xlsx" << corrected << "" << "";
        QTest::newRow("pdf, corrected") << ".pdf" << corrected << "" << "";
        QTest::newRow("workbook, a visit kept since") << ".xlsx" << none << "newer" << "";
        QTest::newRow("pdf, a visit kept since") << ".pdf" << none << "newer" << "";
        QTest::newRow("a shown audit's record changed")
            << ".xlsx" << none << "UPDATE audits SET sha256 = '" + QString(64, '0') + "' WHERE visit = 1"
            << "The archive no longer holds visit 1 of lock 30051122 as it was shown: open the history again.";
        QTest::newRow("the chain unreadable") << ".pdf" << none << "DROP TABLE chain" << "no such table: chain";
    }
    void historyExports()
    {
        QFETCH(QString, suffix);
        QFETCH(QVector<int>, picks);
        QFETCH(QString, change);
        QFETCH(QString, refusal);
        const QString path = freshArchive();
        LockLife life = Week("30051122", "BANK01");
        {
            Archive archive;
            QVERIFY(archive.open(path));
            QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);
            life.passDays(1);
            life.record(30);
            life.passDays(1);
            QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);
        }
        // The command line's report of the lock as it stands when the window shows it.
        const QString expected = m_dir.filePath(QString("cli-%1%2").arg(m_count).arg(suffix));
        QStringList options;
        if (!picks.isEmpty())
            options << "--dst" << "1,1,1,5,0,10,subtract,2";
        QString cliOut, cliErr;
        QTextStream o(&cliOut), e(&cliErr);
        QCOMPARE(cli::Run(QStringList{ "archive", "history", "30051122", "--archive", path } + options + QStringList{ expected },
                          o, e),
                 0);
        const QString quoted = ChainHead(path);
        QCOMPARE(quoted.size(), 64);

        CapturedMessages messages;
        MainWindow w;
        settle(w);
        w.openLockHistory("30051122");
        settle(w);
        QVERIFY(w.showingHistory());
        const char* const combos[] = { "comboBoxFrom", "comboBoxFromDay", "comboBoxFromMonth", "comboBoxTo",
                                       "comboBoxToDay", "comboBoxToMonth", "comboBoxAddSub", "comboBoxHours" };
        for (int i = 0; i < picks.size(); ++i)
            child<QComboBox>(w, combos[i])->setCurrentIndex(picks[i]);
        if (!picks.isEmpty())
            w.on_pushButton_clicked();
        QString newest;
        if (change == "newer") {
            LockLife later = life;
            later.passDays(3);
            later.record(5);
            Archive archive;
            QVERIFY(archive.open(path));
            QCOMPARE(archive.import(later.download(), AuditKind::BusDownload).status, ImportReport::Added);
            QVector<KeptAudit> kept;
            QVERIFY(archive.keptAudits("30051122", &kept, false) && kept.size() == 3);
            newest = kept.last().sha256;
        } else if (!change.isEmpty()) {
            QVERIFY(Tamper(path, change));
        }

        const QString file = m_dir.filePath(QString("window-%1%2").arg(m_count).arg(suffix));
        Messages::setFileNameInterceptor([file](bool) { return file; });
        suffix == ".pdf" ? w.onExportPdf() : w.onExportXlsx();
        Messages::setFileNameInterceptor(nullptr);
        // The archive answers off the window's thread, the wait cursor up until the report is written.
        QVERIFY(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        settle(w);
        QTRY_COMPARE(messages.list.size(), 1);
        QVERIFY(!QApplication::overrideCursor());
        if (!refusal.isEmpty()) {
            QCOMPARE(messages.list.first().first, QMessageBox::Critical);
            QVERIFY2(messages.texts().first().contains(refusal), qPrintable(messages.texts().first()));
            QVERIFY(messages.texts().first().endsWith("The report was not written: it could not carry the lock's "
                                                      "findings and the evidence of its audits."));
            QVERIFY(!QFile::exists(file));
            return;
        }
        QCOMPARE(messages.texts(), QStringList{ "Audit successfully exported" });
        // The chain head read at the export, which covers the visits shown.
        const QString head = ChainHead(path);
        QCOMPARE(head != quoted, change == "newer");
        const QStringList shown = ProofSections(file, head, head), cli = ProofSections(expected, quoted, head);
        QCOMPARE(shown, cli);
        const QString text = shown.join('\n');
        QVERIFY2(text.contains("Duress opening") && text.contains(head), qPrintable(text.left(300)));
        QVERIFY(newest.isEmpty() || !text.contains(newest));
        QCOMPARE(shown.first(), suffix == ".pdf" ? QString("Findings") : QString("Findings|Audit|Users|Configuration|Evidence"));
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

    // Away from the office: the server cannot be reached, the audits wait (one message for both),
    // and "Send now" sends them once it answers again.
    void auditsWaitForTheServer()
    {
        QUrl url(FreshServerArchive("window"));
        QVERIFY(url.isValid());
        Tunnel tunnel(url.host(), url.port());
        url.setPort(tunnel.port());
        qputenv("CORVANE_AUDIT_ARCHIVE", url.toString().toUtf8());
        tunnel.cut();
        CapturedMessages messages;
        MainWindow w;
        settle(w);
        LockLife life;
        life.record(40);
        const QString first = m_dir.filePath("away-1.kaud"), second = m_dir.filePath("away-2.kaud");
        QVERIFY(WriteAll(first, life.download()));
        life.record(10);
        life.passDays(1);
        QVERIFY(WriteAll(second, life.download()));
        for (const QString& file : { first, second }) {
            w.OpenAuditFile(file);
            w.keepInArchive(AuditKind::BusDownload, false);
            settle(w);
        }
        QCOMPARE(messages.list.size(), 1);
        QVERIFY2(messages.texts().first().contains("cannot be reached"), qPrintable(messages.texts().first()));
        QVERIFY(!messages.texts().first().contains(url.password()));
        QCOMPARE(w.locksTab().waiting().text(), "2 audits waiting to be sent");
        QVERIFY(!w.locksTab().waiting().isHidden());
        QCOMPARE(rows(events(w)), 50);

        QVERIFY(tunnel.mend());
        w.locksTab().sendButton().click();
        settle(w);
        QVERIFY(w.locksTab().waiting().isHidden());
        QCOMPARE(w.locksTab().shownSerials(), QStringList{ "30051122" });
        QCOMPARE(cell(&w.locksTab().table(), 0, 3), "50");
        QCOMPARE(messages.list.size(), 1);
    }

    // The search row asks every lock listed; the lock search narrows it.
    void searchAcrossLocks()
    {
        const QString path = freshArchive();
        LockLife life, other;
        other.serial = "77000001";
        life.record(300);
        other.record(200);
        {
            Archive archive;
            QVERIFY(archive.open(path));
            archive.import(life.download(), AuditKind::BusDownload);
            archive.import(other.download(), AuditKind::BusDownload);
        }
        MainWindow w;
        settle(w);
        LocksTab& tab = w.locksTab();
        // Only what the lock's vocabulary names is offered, users by their names.
        QStringList offered;
        for (int i = 0; i < tab.eventChoice().count(); ++i)
            offered << tab.eventChoice().itemText(i);
        QVERIFY(!offered.join('|').contains("Unknown"));
        QVERIFY(offered.contains("Bolt open (5)") && offered.contains("Valid code (1)"));
        QCOMPARE(tab.userChoice().itemText(0), "Any user");
        QVERIFY(tab.userChoice().findText("Master") > 0 && tab.userChoice().findText("User 03") > 0);
        QCOMPARE(tab.userChoice().findText("User 00"), -1);

        const auto check = [&](int code) {
            auto* model = qobject_cast<QStandardItemModel*>(tab.eventChoice().model());
            for (int i = 0; i < model->rowCount(); ++i)
                if (model->item(i)->data(Qt::UserRole + 1).toInt() == code)
                    model->item(i)->setCheckState(Qt::Checked);
        };
        check(5);
        tab.searchButton().click();
        QTRY_VERIFY(!tab.isSearching());
        QCOMPARE(tab.resultCount().text(), "167 events found");
        // Two codes at once.
        check(1);
        tab.searchButton().click();
        QTRY_VERIFY(!tab.isSearching());
        QCOMPARE(tab.resultCount().text(), "500 events found");

        // Sorted by a number column as numbers, not as texts, whichever column it is.
        tab.results().sortByColumn(2, Qt::AscendingOrder);
        QCOMPARE(cell(&tab.results(), 0, 2), "1");
        for (EventColumn column : { EventColumn::Number, EventColumn::EventId, EventColumn::Visit }) {
            const int c = SearchColumnOf(column);
            tab.results().sortByColumn(c, Qt::AscendingOrder);
            for (int r = 1; r < rows(&tab.results()); ++r)
                QVERIFY2(cell(&tab.results(), r - 1, c).toInt() <= cell(&tab.results(), r, c).toInt(),
                         qPrintable(tab.results().model()->headerData(c, Qt::Horizontal).toString()));
        }

        tab.search().setText("7700");
        tab.fromDate().setText("2025-01-07");
        tab.userChoice().setCurrentIndex(tab.userChoice().findText("User 03"));
        tab.searchButton().click();
        QTRY_VERIFY(!tab.isSearching());
        const int found = rows(&tab.results());
        QVERIFY(found > 0);
        for (int r = 0; r < found; ++r)
            QVERIFY(cell(&tab.results(), r, 0) == "77000001" && cell(&tab.results(), r, 6) == "User 03");

        // Exported as the table shows them: its columns and its rows.
        tab.results().sortByColumn(4, Qt::AscendingOrder);
        const QString book = m_dir.filePath("found.xlsx"), pdf = m_dir.filePath("found.pdf");
        for (const QString& file : { book, pdf }) {
            Messages::setFileNameInterceptor([file](bool) { return file; });
            CapturedMessages told;
            child<QPushButton>(tab, file.endsWith(".pdf") ? "exportFoundPdf" : "exportFoundExcel")->click();
            Messages::setFileNameInterceptor(nullptr);
            QCOMPARE(told.texts(), QStringList{ "Events exported to " + file });
        }
        const QJsonObject cells = readback::Workbook(book).value("Events found").toObject().value("cells").toObject();
        const QString text = QJsonDocument(cells).toJson();
        QVERIFY2(!text.contains("Date with DST") && text.contains("Person"), qPrintable(text.left(400)));
        const QStringList pages = readback::PdfPages(pdf);
        QVERIFY(!pages.isEmpty() && pages.join('\n').count("77000001") == found);

        // A double-click opens the lock's history there, the event selected and in view.
        const QModelIndex oldest = tab.results().model()->index(0, 4);
        const QString when = oldest.data().toString();
        emit tab.results().activated(oldest);
        QTRY_VERIFY(w.showingHistory() && w.archiveWorkPending() == 0);
        QTableView* table = events(w);
        const QModelIndexList selected = table->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(table->model()->index(selected.first().row(), 2).data().toString(), when);
        tab.toDate().setText("07/01/2025");
        tab.searchButton().click();
        QVERIFY(tab.resultCount().text().startsWith("The last day is not a date"));
    }

    // "Download new events": the first time the whole audit (the archive does not know the lock),
    // after the lock recorded 40 more only those and the run that shows where the visit ended.
    void downloadNewEvents()
    {
        freshArchive();
        SimulatedInterface sim;
        qputenv("CORVANE_AUDIT_PORTS", "/dev/simulated");
        CapturedMessages messages;
        MainWindow w;
        SetWindowLinks(&w, std::make_shared<SimulatedLinkFactory>(sim));
        settle(w);
        w.locksTab().downloadNewButton().click();
        settle(w);
        QCOMPARE(rows(events(w)), sim.lock().eventCount());
        sim.recordEvents(40);
        w.locksTab().downloadNewButton().click();
        settle(w);
        QCOMPARE(rows(events(w)), 48);
        QCOMPARE(cell(&w.locksTab().table(), 0, 2) + "|" + cell(&w.locksTab().table(), 0, 3),
                 "2|" + QString::number(sim.lock().eventCount()));
        QCOMPARE(messages.texts(), (QStringList{ "Done", "Done" }));
        qunsetenv("CORVANE_AUDIT_PORTS");
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
