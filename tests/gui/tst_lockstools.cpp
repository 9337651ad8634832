// What the Locks tab offers for the lock selected, on a real archive under the offscreen platform:
// its people, its opening hours, its findings and its audits given back.

#include "GuiTestSupport.h"
#include "LocksTab.h"
#include "PeopleDialog.h"
#include "archive/ArchiveFixtures.h"

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
