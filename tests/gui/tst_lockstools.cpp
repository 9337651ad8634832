// What the Locks tab offers for the lock selected, on a real archive under the offscreen platform:
// its people, its opening hours, its findings and its audits given back.

#include "GuiTestSupport.h"
#include "app/LocksTab.h"
#include "app/OperationDialogs.h"
#include "app/PeopleDialog.h"
#include "app/UsersLogDialog.h"
#include "model/SettingsFile.h"
#include "model/UsersLog.h"
#include "sim/SimulatedLink.h"
#include "AuditCli.h"
#include "archive/ArchiveFixtures.h"
#include "reports/ReportFixtures.h"

#include <QStatusBar>
#include <QtTest>

using namespace archivefixtures;
using namespace guitest;

namespace {

QString Text(const Tenures& tenures)
{
    QStringList out;
    for (const Tenure& t : tenures)
        out << QStringLiteral("%1:%2:%3:%4").arg(t.user).arg(t.person, PeopleDayText(t.from), PeopleDayText(t.until));
    return out.join(QLatin1Char(' '));
}

// The directory as stored, read on a connection of the test's own.
QString Stored(const QString& location, const QString& serial = QStringLiteral("30051122"))
{
    Archive archive;
    Tenures tenures;
    if (!archive.open(location, Archive::OpenMode::Existing) || !archive.people(serial, &tenures))
        return QStringLiteral("unreadable: ") + archive.errorString();
    return Text(tenures);
}

// The hours a lock is judged by, and whether they are its own: "own:TEXT" or "default:TEXT".
QString StoredHours(const QString& location, const QString& serial = QStringLiteral("30051122"))
{
    Archive archive;
    OpeningHours hours;
    bool own = false;
    if (!archive.open(location, Archive::OpenMode::Existing) || !archive.lockHours(serial, &hours, &own))
        return QStringLiteral("unreadable: ") + archive.errorString();
    return (own ? QStringLiteral("own:") : QStringLiteral("default:")) + hours.toText();
}

// How many findings the command line gives for the lock over the same days.
int CliFindings(const QString& location, const QString& serial)
{
    QString out, err;
    {
        QTextStream o(&out), e(&err);
        const QString from = QDate::currentDate().addDays(1 - LocksTab::FindingDays).toString(Qt::ISODate);
        if (cli::Run({ "archive", "findings", "--archive", location, "--lock", serial, "--from", from, "-" }, o, e) != 0)
            return -1;
    }
    return out.count(QLatin1Char('\n')) - 1;
}

// A users log whose slots were installed on the days given ({slot, year, month, day}); every other
// slot never logged.
QByteArray UsersLogOf(const QVector<std::array<int, 4>>& installed)
{
    QByteArray log(userslog::RecordCount * userslog::RecordSize, '\0');
    for (int slot = 0; slot < userslog::RecordCount; ++slot)
        log[slot * userslog::RecordSize] = char(userslog::NoLog);
    for (const auto& s : installed) {
        char* r = log.data() + s[0] * userslog::RecordSize;
        r[0] = 0x01, r[1] = 60, r[2] = char(s[3]), r[3] = char(s[2]), r[4] = char(s[1] - 2000);
    }
    return log;
}

// Presses Exit in the users log dialog once the log is on screen.
void ExitUsersLogWhenShown()
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<UsersLogDialog*>(w); d && d->isVisible() && !d->workerRunning()) {
                timer->stop();
                timer->deleteLater();
                d->findChild<QPushButton*>("btnExit")->click();
                return;
            }
    });
    timer->start(20);
}

// Every installation day the archive holds for the lock, "slot:day" in slot order; why not, when
// it cannot tell.
QString KeptDays(const QString& location, const QString& serial)
{
    Archive archive;
    QMap<int, QVector<QDate>> days;
    if (!archive.open(location, Archive::OpenMode::Existing) || !archive.installationDayHistory(serial, &days))
        return QStringLiteral("unreadable: ") + archive.errorString();
    QStringList out;
    for (auto it = days.cbegin(); it != days.cend(); ++it)
        for (const QDate& day : it.value())
            out << QStringLiteral("%1:%2").arg(it.key()).arg(PeopleDayText(day));
    return out.join(QLatin1Char(' '));
}

QString FindingsCell(LocksTab& tab, const QString& serial)
{
    QAbstractItemModel* model = tab.table().model();
    for (int r = 0; r < model->rowCount(); ++r)
        if (model->index(r, 0).data().toString() == serial)
            return model->index(r, tab.findingsColumn()).data().toString();
    return QStringLiteral("no such lock");
}

} // namespace

class LocksToolsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;

    // An archive with the lock of LockLife, two visits in.
    QString archiveWithLock(const QString& location = QString())
    {
        const QString path = location.isEmpty() ? m_dir.filePath(QStringLiteral("archive-%1.sqlite").arg(++m_count)) : location;
        Archive archive;
        if (!archive.open(path))
            return QString();
        LockLife life;
        life.record(200);
        archive.import(life.download(), AuditKind::BusDownload);
        life.passDays(3);
        life.record(50);
        archive.import(life.download(), AuditKind::BusDownload);
        qputenv("CORVANE_AUDIT_ARCHIVE", path.toUtf8());
        return path;
    }
    static void settle(MainWindow& w)
    {
        QTRY_COMPARE_WITH_TIMEOUT(w.archiveWorkPending(), 0, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!w.locksTab().isRefreshing(), 20000);
    }
    static PeopleDialog* openPeople(MainWindow& w)
    {
        LocksTab& tab = w.locksTab();
        tab.table().selectRow(0);
        if (!tab.peopleButton().isEnabled())
            return nullptr;
        tab.peopleButton().click();
        PeopleDialog* dialog = tab.peopleDialog();
        if (dialog && !QTest::qWaitFor([dialog] { return !dialog->isBusy(); }, 20000))
            return nullptr;
        return dialog;
    }
    static bool add(PeopleDialog* d, int user, const QString& person, const QDate& from, const QDate& until = QDate())
    {
        d->userChoice().setCurrentIndex(d->userChoice().findData(user));
        d->person().setText(person);
        d->from().setDate(from);
        d->hasUntil().setChecked(until.isValid());
        if (until.isValid())
            d->until().setDate(until);
        if (!d->addButton().isEnabled())
            return false;
        d->addButton().click();
        return QTest::qWaitFor([d] { return !d->isBusy(); }, 20000);
    }

private slots:
    void init()
    {
        removeSettings();
        writeSetting("AuditType", 0);
    }
    void cleanup() { qunsetenv("CORVANE_AUDIT_ARCHIVE"); }

    // The users nobody is named for come first, marked; naming one takes it off; a second person
    // for the number is a hand-over; removing the later tenure leaves the earlier as it ended.
    void handOver()
    {
        const QString path = archiveWithLock();
        QVERIFY(!path.isEmpty());
        MainWindow w;
        settle(w);
        PeopleDialog* d = openPeople(w);
        QVERIFY(d);
        QVERIFY(d->message().text().isEmpty());
        const QVector<int> unnamed = d->unnamed();
        QVERIFY(unnamed.contains(1));
        QCOMPARE(d->table().model()->rowCount(), unnamed.size());
        for (int r = 0; r < unnamed.size(); ++r) {
            QCOMPARE(d->table().model()->index(r, 1).data().toString(), "Nobody named");
            QVERIFY(!d->table().model()->index(r, 0).data(Qt::DecorationRole).isNull());
        }
        QVERIFY(!d->removeButton().isEnabled());

        QVERIFY(add(d, 1, "  Maria Rossi ", QDate(2024, 1, 1)));
        QVERIFY2(d->message().text().isEmpty(), qPrintable(d->message().text()));
        QVERIFY(add(d, 1, "Luca Bianchi", QDate(2024, 9, 1)));
        const QString handedOver = "1:Maria Rossi:2024-01-01:2024-08-31 1:Luca Bianchi:2024-09-01:";
        QCOMPARE(Text(d->tenures()), handedOver);
        QCOMPARE(Stored(path), handedOver);
        QVERIFY(!d->unnamed().contains(1));
        QCOMPARE(d->unnamed().size(), unnamed.size() - 1);
        // Named rows after the unnamed ones, as the events table names the user.
        const int first = d->unnamed().size();
        QCOMPARE(d->table().model()->rowCount(), first + 2);
        QCOMPARE(d->table().model()->index(first, 0).data().toString(), UserText(code(EventCode::ValidCode), 1));
        QCOMPARE(d->table().model()->index(first, 3).data().toString(), "2024-08-31");
        QCOMPARE(d->table().model()->index(first + 1, 1).data().toString(), "Luca Bianchi");

        d->table().selectRow(first + 1);
        QVERIFY(d->removeButton().isEnabled());
        d->removeButton().click();
        QVERIFY(QTest::qWaitFor([d] { return !d->isBusy(); }, 20000));
        QCOMPARE(Stored(path), "1:Maria Rossi:2024-01-01:2024-08-31");
        QCOMPARE(Text(d->tenures()), Stored(path));
        // The unnamed rows stay out of reach of Remove.
        d->table().selectRow(0);
        QVERIFY(!d->removeButton().isEnabled());
    }

    // Where the lock's users logs are kept, the form offers the days they give the chosen user as
    // installed, the latest first; choosing one sets From, and that is the day stored.
    void installationDaysOffered_data()
    {
        QTest::addColumn<bool>("logs");
        QTest::addColumn<int>("user");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("re-installed between the logs") << true << 3 << QStringList{ "2024-09-02", "2024-01-10" };
        QTest::newRow("the same day in both logs") << true << 5 << QStringList{ "2024-02-01" };
        QTest::newRow("a manager, in the newer log only") << true << 60 << QStringList{ "2024-03-15" };
        QTest::newRow("never installed") << true << 7 << QStringList();
        QTest::newRow("no users log kept") << false << 3 << QStringList();
    }
    void installationDaysOffered()
    {
        QFETCH(bool, logs);
        QFETCH(int, user);
        QFETCH(QStringList, offered);
        const QString path = archiveWithLock();
        if (logs) {
            Archive archive;
            QVERIFY(archive.open(path));
            QVERIFY(archive.keepUsersLog("30051122", QDateTime(QDate(2024, 10, 1), QTime(9, 0)),
                                         UsersLogOf({ { 3, 2024, 9, 2 }, { 5, 2024, 2, 1 }, { 60, 2024, 3, 15 } })));
            QVERIFY(archive.keepUsersLog("30051122", QDateTime(QDate(2024, 2, 5), QTime(9, 0)),
                                         UsersLogOf({ { 3, 2024, 1, 10 }, { 5, 2024, 2, 1 } })));
        }
        MainWindow w;
        settle(w);
        PeopleDialog* d = openPeople(w);
        QVERIFY(d);
        QVERIFY2(d->message().text().isEmpty(), qPrintable(d->message().text()));
        d->from().setDate(QDate(2023, 5, 5));
        d->userChoice().setCurrentIndex(d->userChoice().findData(user));
        QComboBox& days = d->installedDays();
        QStringList shown;
        for (int i = 0; i < days.count(); ++i)
            shown << days.itemText(i);
        QCOMPARE(shown, offered);
        QCOMPARE(days.isHidden(), offered.isEmpty());
        if (offered.isEmpty())
            return;
        QCOMPARE(days.currentIndex(), -1); // From shows none of them yet

        emit days.activated(offered.size() - 1);
        const QDate chosen = QDate::fromString(offered.last(), Qt::ISODate);
        QCOMPARE(d->from().date(), chosen);
        QCOMPARE(days.currentIndex(), offered.size() - 1);
        d->person().setText("Maria Rossi");
        d->addButton().click();
        QVERIFY(QTest::qWaitFor([d] { return !d->isBusy(); }, 20000));
        QVERIFY2(d->message().text().isEmpty(), qPrintable(d->message().text()));
        QCOMPARE(Stored(path), QStringLiteral("%1:Maria Rossi:%2:").arg(user).arg(offered.last()));
        // Read again after the change, the days are still offered for the user.
        QCOMPARE(days.count(), offered.size());
        d->from().setDate(QDate(2023, 5, 5));
        QCOMPARE(days.currentIndex(), -1);
    }

    // A users log downloaded in the window from the simulated lock: kept with its lock when the
    // settings keep what is obtained, so that People offers its installation days; otherwise not,
    // and where the archive cannot take it the window says why, on the status bar each time and in
    // a box once for an archive away or a role that may only read. Two downloads a row.
    void usersLogKept_data()
    {
        QTest::addColumn<QString>("archive"); // "file", "file without the lock", "server away", "reader"
        QTest::addColumn<bool>("keeps");      // the ArchiveAudits setting
        QTest::addColumn<bool>("serial");     // whether the lock tells its serial number
        QTest::addColumn<QString>("said");    // in the status bar and in every box
        QTest::addColumn<int>("boxes");
        QTest::newRow("kept with its lock") << "file" << true << true << "Users log kept in the archive with lock 23041207" << 0;
        QTest::newRow("the setting off") << "file" << false << true << "" << 0;
        QTest::newRow("the lock names no serial number")
            << "file" << true << false << "not kept in the archive: the lock did not tell its serial number" << 2;
        QTest::newRow("a lock the archive does not hold") << "file without the lock" << true << true << "holds no lock 23041207" << 2;
        QTest::newRow("the server away") << "server away" << true << true << "Users logs do not wait on this computer" << 1;
        QTest::newRow("a role that may only read") << "reader" << true << true << "You may read this archive but not add to it" << 1;
    }
    void usersLogKept()
    {
        QFETCH(QString, archive);
        QFETCH(bool, keeps);
        QFETCH(bool, serial);
        QFETCH(QString, said);
        QFETCH(int, boxes);
        QString location = m_dir.filePath(QStringLiteral("logs-%1.sqlite").arg(++m_count));
        if (archive == "server away")
            location = "postgresql://corvane@127.0.0.1:9/none";
        else if (archive == "reader")
            location = FreshServerArchive("logs");
        QVERIFY(!location.isEmpty());
        if (archive == "file" || archive == "reader") {
            Archive a;
            QVERIFY(a.open(location));
            QCOMPARE(int(a.import(fixtures::ReadAll(CORVANE_SOURCE_DIR "/samples/bus-audit.kaud"), AuditKind::BusDownload).status),
                     int(ImportReport::Added));
        }
        if (archive == "reader") {
            QVERIFY(OnTestServer(QUrl(location).path().mid(1),
                                 { "DO $$ BEGIN CREATE ROLE reader LOGIN PASSWORD 'reader'; "
                                   "EXCEPTION WHEN duplicate_object THEN NULL; END $$",
                                   "GRANT SELECT ON ALL TABLES IN SCHEMA public TO reader" }));
        }
        const QString owner = location;
        if (archive == "reader") {
            QUrl reader(location);
            reader.setUserName("reader");
            reader.setPassword("reader");
            location = reader.toString();
        }
        qputenv("CORVANE_AUDIT_ARCHIVE", location.toUtf8());
        qputenv("CORVANE_AUDIT_PORTS", "/dev/simulated");
        writeSetting("ArchiveAudits", keeps);
        LockAudit lock = SampleLock();
        if (!serial)
            std::fill(lock.report.begin() + 6, lock.report.begin() + 17, quint8(' '));
        SimulatedInterface sim(lock);

        CapturedMessages messages;
        MainWindow w;
        SetWindowLinks(&w, std::make_shared<SimulatedLinkFactory>(sim));
        settle(w);
        for (int run = 0; run < 2; ++run) {
            ExitUsersLogWhenShown();
            w.on_btnLog_clicked();
            settle(w);
        }
        qunsetenv("CORVANE_AUDIT_PORTS");
        QVERIFY2(w.statusBar()->currentMessage().contains(said), qPrintable(w.statusBar()->currentMessage()));
        QCOMPARE(said.isEmpty(), w.statusBar()->currentMessage().isEmpty());
        QCOMPARE(messages.list.size(), boxes);
        for (const QString& box : messages.texts())
            QVERIFY2(box.contains(said), qPrintable(box));

        // The slots the lock logged, each with its day; none where nothing was kept.
        QStringList logged;
        for (int slot = 0; slot < userslog::RecordCount; ++slot)
            if (lock.logged[slot])
                logged << QStringLiteral("%1:%2").arg(slot).arg(PeopleDayText(
                              QDate(2000 + lock.logEntries[slot][0], lock.logEntries[slot][1], lock.logEntries[slot][2])));
        QVERIFY(logged.size() > 1);
        const bool kept = said.startsWith("Users log kept");
        const QString days = KeptDays(owner, "23041207");
        if (archive == "file without the lock")
            QVERIFY2(days.endsWith("holds no lock 23041207."), qPrintable(days));
        else if (archive != "server away")
            QCOMPARE(days, kept ? logged.join(' ') : QString());
        if (!kept)
            return;
        PeopleDialog* d = openPeople(w);
        QVERIFY(d);
        d->from().setDate(QDate(2023, 5, 5));
        d->userChoice().setCurrentIndex(d->userChoice().findData(1));
        QCOMPARE(d->installedDays().count(), 1);
        QCOMPARE("1:" + d->installedDays().itemText(0), logged.filter(QRegularExpression("^1:")).value(0));
    }

    // A refused change says what the directory says and stores nothing.
    void refused_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("person");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("until");
        QTest::newRow("overlaps an ended tenure") << 3 << "Anna" << QDate(2024, 3, 1) << QDate(2024, 4, 1);
        QTest::newRow("begins before an open one") << 5 << "Anna" << QDate(2024, 1, 1) << QDate();
        QTest::newRow("no name") << 7 << "   " << QDate(2024, 1, 1) << QDate();
        QTest::newRow("ends before it begins") << 7 << "Anna" << QDate(2024, 5, 1) << QDate(2024, 4, 1);
        QTest::newRow("a line break in the name") << 7 << "Anna\nBlu" << QDate(2024, 5, 1) << QDate();
    }
    void refused()
    {
        QFETCH(int, user);
        QFETCH(QString, person);
        QFETCH(QDate, from);
        QFETCH(QDate, until);
        const QString path = archiveWithLock();
        {
            Archive archive;
            QVERIFY(archive.open(path));
            QVERIFY(archive.setTenure("30051122", Tenure{ 3, "Maria", QDate(2024, 1, 1), QDate(2024, 8, 31) }));
            QVERIFY(archive.setTenure("30051122", Tenure{ 5, "Piero", QDate(2024, 2, 1), QDate() }));
        }
        const QString before = Stored(path);
        MainWindow w;
        settle(w);
        PeopleDialog* d = openPeople(w);
        QVERIFY(d);
        const Tenures directory = d->tenures();
        const PeopleChange expected = SetTenure(directory, Tenure{ user, person, from, until });
        QVERIFY(!expected.ok());
        QVERIFY(add(d, user, person, from, until));
        QCOMPARE(d->message().text(), "Not changed: " + expected.error);
        QCOMPARE(Stored(path), before);
        QCOMPARE(d->tenures(), directory);
        // What was typed stays, to be mended.
        QCOMPARE(d->person().text(), person);
    }

    // A text that does not read changes nothing and says why; one that does is the lock's own
    // hours at once; the default takes them back.
    void hours_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("weekdays and Saturday") << "Mon-Fri 07:00-20:00; Sat 08:00-12:00" << true;
        QTest::newRow("never") << "closed" << true;
        QTest::newRow("night on two days") << "Mon 22:00-24:00; Tue 00:00-06:00" << true;
        QTest::newRow("no such hour") << "Mon-Fri 07:00-25:00" << false;
        QTest::newRow("no such day") << "Mon-Fry 07:00-20:00" << false;
        QTest::newRow("across midnight") << "Mon 22:00-06:00" << false;
        QTest::newRow("nothing") << "" << false;
    }
    void hours()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        const QString path = archiveWithLock();
        MainWindow w;
        settle(w);
        LocksTab& tab = w.locksTab();
        tab.table().selectRow(0);
        settle(w);
        const QString standard = "default:" + OpeningHours::Default().toText();
        QCOMPARE(StoredHours(path), standard);
        QCOMPARE(tab.hoursEdit().text(), OpeningHours::Default().toText());
        QVERIFY(!tab.defaultHoursButton().isEnabled());

        tab.hoursEdit().setText(text);
        tab.saveHoursButton().click();
        settle(w);
        OpeningHours parsed;
        QString error;
        QCOMPARE(OpeningHours::Parse(text, &parsed, &error), accepted);
        if (!accepted) {
            QCOMPARE(tab.hoursMessage().text(), error);
            QVERIFY(!tab.hoursMessage().isHidden());
            QCOMPARE(tab.hoursEdit().text(), text);
            QCOMPARE(StoredHours(path), standard);
            return;
        }
        QVERIFY(tab.hoursMessage().isHidden());
        QCOMPARE(StoredHours(path), "own:" + parsed.toText());
        QCOMPARE(tab.hoursEdit().text(), parsed.toText());
        QVERIFY(tab.defaultHoursButton().isEnabled());
        tab.defaultHoursButton().click();
        settle(w);
        QCOMPARE(StoredHours(path), standard);
        QCOMPARE(tab.hoursEdit().text(), OpeningHours::Default().toText());
    }

    // The column counts what the command line finds over the same days: a lock busy lately, a
    // lock only seen long ago (whose only finding is that nobody visited it); other hours count
    // again at once.
    void findingsColumn()
    {
        const QString path = m_dir.filePath("findings.sqlite");
        LockLife recent, old;
        recent.now = QDate(2000, 1, 1).daysTo(QDate::currentDate().addDays(-20)) * qint64(86400);
        recent.record(300);
        old.serial = "77000001";
        old.record(300);
        {
            Archive archive;
            QVERIFY(archive.open(path));
            QCOMPARE(archive.import(recent.download(), AuditKind::BusDownload).status, ImportReport::Added);
            QCOMPARE(archive.import(old.download(), AuditKind::BusDownload).status, ImportReport::Added);
        }
        qputenv("CORVANE_AUDIT_ARCHIVE", path.toUtf8());
        MainWindow w;
        settle(w);
        LocksTab& tab = w.locksTab();
        QVERIFY(!tab.isCountingFindings());
        const int busy = CliFindings(path, "30051122");
        QVERIFY(busy > 1);
        QCOMPARE(FindingsCell(tab, "30051122"), QString::number(busy));
        QCOMPARE(CliFindings(path, "77000001"), 1);
        QCOMPARE(FindingsCell(tab, "77000001"), "1");

        tab.search().setText("30051122");
        tab.table().selectRow(0);
        settle(w);
        tab.hoursEdit().setText("Mon-Sun 00:00-24:00");
        // The list read again meanwhile: every lock is counted all the same.
        tab.refresh(SettingsFile::read().display);
        tab.saveHoursButton().click();
        settle(w);
        QTRY_VERIFY(!tab.isCountingFindings());
        const int always = CliFindings(path, "30051122");
        QVERIFY(always < busy);
        QCOMPARE(FindingsCell(tab, "30051122"), QString::number(always));
        tab.search().clear();
        QCOMPARE(FindingsCell(tab, "77000001"), "1");
    }

    // The audits as the command line gives them back, which sha256sum accepts; a folder that is a
    // file is refused with the reason.
    void saveAudits_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("written");
        QTest::newRow("a folder to make") << "new/deeper" << true;
        QTest::newRow("a folder there") << "." << true;
        QTest::newRow("a file") << "file" << false;
    }
    void saveAudits()
    {
        QFETCH(QString, where);
        QFETCH(bool, written);
        const QString path = archiveWithLock();
        QTemporaryDir dir;
        QVERIFY(fixtures::WriteAll(dir.filePath("file"), "not a folder"));
        const QString folder = QDir::cleanPath(dir.filePath(where));
        CapturedMessages messages;
        MainWindow w;
        settle(w);
        LocksTab& tab = w.locksTab();
        tab.table().selectRow(0);
        int asked = 0;
        tab.setFolderChooser([&] { return ++asked, folder; });
        QVERIFY(tab.saveAuditsButton().isEnabled());
        tab.saveAuditsButton().click();
        settle(w);
        QCOMPARE(asked, 1);
        QCOMPARE(messages.list.size(), 1);
        if (!written) {
            QCOMPARE(messages.list.first().first, QMessageBox::Critical);
            QCOMPARE(messages.texts().first(), "Unable to write " + folder + ": it is a file, not a folder");
            QCOMPARE(fixtures::ReadAll(folder), QByteArray("not a folder"));
            return;
        }
        QCOMPARE(messages.list.first().first, QMessageBox::Information);
        QCOMPARE(messages.texts().first(),
                 "2 audits of lock 30051122 written to " + folder + ", with their SHA-256 sums in SHA256SUMS.");
        QProcess check;
        check.setWorkingDirectory(folder);
        check.start("sha256sum", { "-c", "SHA256SUMS" });
        QVERIFY(check.waitForFinished(20000));
        QCOMPARE(check.exitCode(), 0);
        QCOMPARE(check.readAllStandardOutput().count(": OK\n"), 2);

        // The same files, byte for byte, as the command line writes.
        QTemporaryDir cliDir;
        QString out, err;
        {
            QTextStream o(&out), e(&err);
            QCOMPARE(cli::Run({ "archive", "audits", "30051122", "--archive", path, cliDir.path() }, o, e), 0);
        }
        const QStringList names = QDir(cliDir.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(names.size(), 3);
        // A folder there keeps what it held besides.
        QCOMPARE(QDir(folder).entryList({ "*.kaud", "SHA256SUMS" }, QDir::Files, QDir::Name), names);
        for (const QString& name : names)
            QCOMPARE(fixtures::ReadAll(QDir(folder).filePath(name)), fixtures::ReadAll(QDir(cliDir.path()).filePath(name)));
    }

    // A role that may only read: the directory is shown, a change is refused with the archive's
    // reason, and the editor offers no more changes.
    void readOnlyArchive()
    {
        const QString owner = FreshServerArchive("people");
        QVERIFY(!owner.isEmpty());
        QVERIFY(!archiveWithLock(owner).isEmpty());
        {
            Archive archive;
            QVERIFY(archive.open(owner));
            QVERIFY(archive.setTenure("30051122", Tenure{ 3, "Maria", QDate(2024, 1, 1), QDate() }));
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
        PeopleDialog* d = openPeople(w);
        QVERIFY(d);
        QCOMPARE(Text(d->tenures()), "3:Maria:2024-01-01:");
        QVERIFY(!d->isReadOnly());
        QVERIFY(add(d, 3, "Luca", QDate(2024, 9, 1)));
        QCOMPARE(d->message().text(), "You may read this archive but not add to it");
        QVERIFY(d->isReadOnly());
        QVERIFY(!d->addButton().isEnabled());
        QCOMPARE(Text(d->tenures()), "3:Maria:2024-01-01:");
        QCOMPARE(Stored(owner), "3:Maria:2024-01-01:");
    }
};

QTEST_MAIN(LocksToolsTest)
#include "tst_lockstools.moc"
