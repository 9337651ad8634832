#include "GuiTestSupport.h"
#include "view/SettingsDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTranslator>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

using namespace guitest;

namespace {

const qint64 day = 86400;
const qint64 t0 = 700000000; // 2022-03-07 20:26:40

LockDescription sampleLock()
{
    Config c;
    c.timeDelay = 10;
    c.codeExpirationMonths = 6;
    c.timedClosing = true;
    c.closingTimeSeconds = 8;
    c.activeConfiguration = 3;
    c.silentAlarm = true;
    c.userStatus[80] = c.openingMode[80] = c.userStatus[60] = c.userStatus[1] = c.openingMode[1] = 1;
    c.openingMode[60] = 2;
    c.userStatus[2] = c.openingMode[2] = 3;
    LockDescription lock = LockDescription::FromConfig(c, DelayEncoding::Plain);
    lock.name = "VAULT1";
    lock.serialNumber = "00123456";
    lock.lockMajor = 1;
    lock.lockMinor = 7;
    return lock;
}

// Lock and keypad events newest first; the simple audit drops the code entry after "User installed".
QByteArray sampleImage()
{
    return DallasImageBuilder()
        .addDateTime(2022, 3, 11, 10, 15)
        .addConfiguration(sampleLock())
        .addEvents(1, { { t0 + 3 * day, 0x05, 1 }, { t0 + 2 * day, 0x05, 80 }, { t0 + day, 0x11, 2 },
                        { t0 + day - 60, 0x01, 2 }, { t0, 0xE2, 0 } })
        .addEvents(KeypadDevice, { { t0 + 3 * day - 30, 0x01, 1 }, { t0 + 2 * day - 30, 0x01, 80 } })
        .image();
}

QStringList column(QAbstractItemView* t, int c)
{
    QStringList out;
    for (int r = 0; r < rows(t); ++r)
        out << cell(t, r, c);
    return out;
}

QString label(MainWindow& w, const char* name) { return child<QLabel>(w, name)->text(); }

} // namespace

class AuditViewTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        removeSettings();
        provideTranslations(true);
    }

    void dallasAuditFillsAllThreeTabs()
    {
        CapturedMessages messages;
        writeSetting("AuditType", 0);
        MainWindow w;
        loadDallasImage(w, sampleImage());
        QVERIFY(w.ShowLoadedAudit());
        QVERIFY(messages.list.isEmpty());

        QTableView* events = child<QTableView>(w, "tableWidget");
        QCOMPARE(column(events, 0), (QStringList{ "1", "2", "3", "4", "5", "6", "7" }));
        QCOMPARE(column(events, 1), (QStringList{ "Lock", "Keypad", "Lock", "Keypad", "Lock", "Lock", "Lock" }));
        QCOMPARE(column(events, 4).mid(0, 3), (QStringList{ "User 01", "User 01", "Master" }));
        QCOMPARE(cell(events, 0, 2), QStringLiteral("10/03/2022 20.26.40"));
        QCOMPARE(cell(events, 6, 5) + cell(events, 6, 6), QStringLiteral("Time changed226"));

        const QStringList labels = { "labelLockName", "labelLockSN", "labelLockVersion", "labelTD",
                                     "labelActiveConfiguration", "labelCodeExpiration", "labelClosingTime",
                                     "labelSilentAlarm", "labelDlDate2", "labelDlDate" };
        QStringList texts;
        for (const QString& name : labels)
            texts << label(w, qPrintable(name));
        QCOMPARE(texts, (QStringList{ "VAULT1", "00123456", "1.07", "10", "03", "6 months", "8 seconds", "Yes",
                                      "Not available", "10/03/2022 20.26.40" }));

        QTableWidget* users = child<QTableWidget>(w, "tableWidget_2");
        QCOMPARE(column(users, 0), (QStringList{ "Master", "Manager", "User 01", "User 02" }));
        QCOMPARE(column(users, 1), (QStringList{ "Installed", "Installed", "Installed", "Deleted" }));
        QCOMPARE(column(users, 2), (QStringList{ "Code only", "Code and Dallas key", "Code only", "Dallas key only" }));
    }

    void decoderMessagesInOrder()
    {
        CapturedMessages messages;
        MainWindow w;
        loadDallasImage(w, DallasImageBuilder().addEvents(1, { { t0, 0x05, 1 } }).breakChecksum(0).image());
        QVERIFY(w.ShowLoadedAudit());
        QCOMPARE(messages.list.value(0), qMakePair(QMessageBox::Critical, QStringLiteral("CRC error")));
        QCOMPARE(rows(child<QTableView>(w, "tableWidget")), 1);

        messages.list.clear();
        loadDallasImage(w, DallasImageBuilder().addBlock(0x42, QByteArray(87, '\0')).breakChecksum(0).image());
        QVERIFY(!w.ShowLoadedAudit());
        QCOMPARE(messages.texts(), (QStringList{ "CRC error", "Dallas key data error" }));
        QCOMPARE(rows(child<QTableView>(w, "tableWidget")), 0);

        messages.list.clear();
        loadDallasImage(w, RequestImage());
        QVERIFY(w.ShowLoadedAudit());
        QCOMPARE(messages.list.value(0),
                 qMakePair(QMessageBox::Information, QStringLiteral("The Dallas audit key is empty")));
    }

    void newAuditNeverShowsThePreviousLock()
    {
        MainWindow w;
        loadDallasImage(w, sampleImage());
        QVERIFY(w.ShowLoadedAudit());
        loadDallasImage(w, DallasImageBuilder().addEvents(1, { { t0, 0x05, 1 } }).image());
        QVERIFY(w.ShowLoadedAudit());
        QVERIFY(label(w, "labelLockName").isEmpty() && label(w, "labelKeypadVersion").isEmpty());
        QCOMPARE(child<QTableWidget>(w, "tableWidget_2")->rowCount(), 1); // the master row always stands
        QVERIFY(!child<QTableWidget>(w, "tableWidget_2")->item(0, 1));
    }

    void languageChangeRerendersTheLoadedAudit()
    {
        CapturedMessages messages;
        QTranslator italian;
        QVERIFY(italian.load(QStringLiteral(CORVANE_BINARY_DIR "/audit_it.qm")));
        const auto it = [&italian](const char* text) { return italian.translate("MainWindow", text); };
        MainWindow w;
        loadDallasImage(w, sampleImage());
        QVERIFY(w.ShowLoadedAudit());
        QTableView* events = child<QTableView>(w, "tableWidget");
        const int shown = rows(events);
        events->setColumnHidden(3, false);
        w.session().dstApplied = true;

        w.onLangIt();
        QCOMPARE(rows(events), shown);
        QCOMPARE(cell(events, 0, 1) + cell(events, 0, 5), it("Lock") + it("Bolt open"));
        QVERIFY(cell(events, 0, 5) != "Bolt open");
        QCOMPARE(label(w, "labelDlDate2") + label(w, "labelSilentAlarm"), it("Not available") + it("Yes"));
        QCOMPARE(child<QTableWidget>(w, "tableWidget_2")->item(0, 1)->text(), it("Installed"));
        QCOMPARE(label(w, "labelLockName"), QStringLiteral("VAULT1"));
        QVERIFY(events->isColumnHidden(3) && !w.session().dstApplied);
        QVERIFY(messages.list.isEmpty());
        w.onLangEn();
    }

    void settingsDialogRerendersWithNewFormats()
    {
        CapturedMessages messages;
        MainWindow w;
        loadDallasImage(w, sampleImage());
        QVERIFY(w.ShowLoadedAudit());
        QTableView* events = child<QTableView>(w, "tableWidget");
        QCOMPARE(rows(events), 6); // simple audit by default

        // Cancel stores nothing, yet the table is rebuilt and the filter picks are gone.
        w.eventsView().userFilter().on_itemPressed(w.eventsView().userFilter().model()->index(0, 0));
        onNextDialog<SettingsDialog>([](SettingsDialog* d) {
            d->findChild<QRadioButton*>("radioButtonUs")->setChecked(true);
            d->findChild<QPushButton*>("btnCancel")->click();
        });
        w.on_btnSettings_clicked();
        QVERIFY(!readSetting("DateFormat").isValid());
        QVERIFY(w.eventsView().userFilter().checkedTexts().isEmpty());

        onNextDialog<SettingsDialog>([](SettingsDialog* d) {
            for (const char* name : { "radioButtonUs", "radioButton12", "radioButtonFull" })
                d->findChild<QRadioButton*>(name)->setChecked(true);
            d->findChild<QPushButton*>("btnOk")->click();
        });
        w.on_btnSettings_clicked();
        QCOMPARE(rows(events), 7);
        QCOMPARE(cell(events, 0, 2), QStringLiteral("03/10/2022 08.26.40 PM"));
        QCOMPARE(label(w, "labelDlDate"), QStringLiteral("03/10/2022 08.26.40 PM"));
        QVERIFY(messages.list.isEmpty());
    }

    // After a download the lock's clock (its newest event) is set against the computer's: the
    // Configuration tab shows the difference, and over ten minutes a notice above the events says
    // so once, in the language of the window, until it is closed or another audit comes.
    void lockClockAfterADownload_data()
    {
        QTest::addColumn<int>("computerAhead"); // seconds
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("notice"); // empty: none
        QTest::newRow("same") << 30 << "Same as the computer's clock" << QString();
        QTest::newRow("10 minutes") << 600 << "10 minutes behind the computer's clock" << QString();
        QTest::newRow("11 minutes") << 660 << "11 minutes behind the computer's clock"
                                   << "The lock's clock is 11 minutes behind the computer's clock. Set it on the keypad before you leave.";
        QTest::newRow("1 hour ahead") << -3600 << "1 hour ahead of the computer's clock"
                                      << "The lock's clock is 1 hour ahead of the computer's clock. Set it on the keypad before you leave.";
    }

    void lockClockAfterADownload()
    {
        QFETCH(int, computerAhead);
        QFETCH(QString, clock);
        QFETCH(QString, notice);
        CapturedMessages messages;
        MainWindow w;
        w.show();
        QWidget* bar = child<QWidget>(w, "clockNotice");
        loadBusAudit(w, { { { 24, 5, 6, 9, 30, 0 }, { 0x05, 1 } }, { { 24, 5, 6, 9, 20, 0 }, { 0x01, 1 } } });
        w.session().downloadTime = QDateTime(QDate(2024, 5, 6), QTime(9, 30)).addSecs(computerAhead);
        QVERIFY(w.ShowObtainedAudit());
        QCOMPARE(label(w, "labelLockClock"), clock);
        QVERIFY(!child<QLabel>(w, "labelLockClock")->isHidden());
        QCOMPARE(bar->isVisible(), !notice.isEmpty());
        QCOMPARE(label(w, "labelClockNotice"), notice);
        QVERIFY(messages.list.isEmpty());

        w.onLangIt();
        QCOMPARE(bar->isVisible(), !notice.isEmpty());
        QVERIFY(label(w, "labelLockClock") != clock && !label(w, "labelLockClock").isEmpty());
        QVERIFY(notice.isEmpty() || (label(w, "labelClockNotice") != notice && !label(w, "labelClockNotice").isEmpty()));
        child<QToolButton>(w, "buttonCloseNotice")->click();
        w.onLangEn();
        QVERIFY(!bar->isVisible());
        QCOMPARE(label(w, "labelLockClock"), clock);

        // The same audit shown again without a download (as a file would be) tells nothing of the clock.
        loadBusAudit(w, { { { 24, 5, 6, 9, 30, 0 }, { 0x05, 1 } } });
        QVERIFY(w.ShowLoadedAudit());
        QVERIFY(child<QLabel>(w, "labelLockClock")->isHidden() && !bar->isVisible());
    }

    // A key read is compared with the computer's clock as it is read: a key filled years ago by a
    // lock is far off.
    void lockClockAfterAKeyRead()
    {
        MainWindow w;
        w.show();
        loadDallasImage(w, sampleImage());
        QVERIFY(w.ShowObtainedAudit());
        QVERIFY(child<QWidget>(w, "clockNotice")->isVisible());
        QVERIFY(label(w, "labelClockNotice").contains(" days "));
        QVERIFY(label(w, "labelLockClock").endsWith("behind the computer's clock"));
        w.on_buttonNew_clicked();
        QVERIFY(!child<QWidget>(w, "clockNotice")->isVisible() && child<QLabel>(w, "labelLockClock")->isHidden());
    }
};

QTEST_MAIN(AuditViewTest)
#include "tst_auditview.moc"
