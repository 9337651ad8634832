#include "AuditBuilder.h"
#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "SettingsDialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>

using namespace guitest;

namespace {

const qint64 day = 86400;
const qint64 t0 = 700000000; // 2022-03-07 20:26:40

Config sampleLock()
{
    Config c;
    c.timeDelay = 10;
    c.openWindow = 5;
    c.usersDualMode = true;
    c.firstOverrideUser = 30;
    c.codeExpirationMonths = 6;
    c.timedClosing = true;
    c.closingTimeSeconds = 8;
    c.boltOpenAlarmMinutes = 1;
    c.activeConfiguration = 3;
    c.silentAlarm = true;
    c.userStatus[80] = 1;
    c.openingMode[80] = 1;
    c.userStatus[60] = 1;
    c.openingMode[60] = 2;
    c.userStatus[1] = 1;
    c.openingMode[1] = 1;
    c.userStatus[2] = 3;
    c.openingMode[2] = 3;
    return c;
}

LockDescription describedLock()
{
    LockDescription lock = LockDescription::FromConfig(sampleLock(), DelayEncoding::Plain);
    lock.name = "VAULT1";
    lock.serialNumber = "00123456";
    lock.lockMajor = 1;
    lock.lockMinor = 7;
    lock.keypadMajor = 2;
    lock.keypadMinor = 5;
    return lock;
}

// Lock and keypad events newest first; the simple audit drops the code entry after "User installed".
QByteArray dallasImage()
{
    const QVector<AuditEntry> lock = { { t0 + 3 * day, 0x05, 1 },
                                       { t0 + 2 * day, 0x05, 80 },
                                       { t0 + day, 0x11, 2 },
                                       { t0 + day - 60, 0x01, 2 },
                                       { t0, 0xE2, 0 } };
    const QVector<AuditEntry> keypad = { { t0 + 3 * day - 30, 0x01, 1 }, { t0 + 2 * day - 30, 0x01, 80 } };
    return DallasImageBuilder()
        .addDateTime(2022, 3, 11, 10, 15)
        .addConfiguration(describedLock())
        .addEvents(1, lock)
        .addEvents(KeypadDevice, keypad)
        .image();
}

void loadDallas(MainWindow& w, const QByteArray& image)
{
    w.ResetContent(true);
    w.session().busAudit = false;
    std::copy(image.begin(), image.end(), w.session().dallasImage.begin());
}

QStringList column(QTableWidget* t, int c)
{
    QStringList out;
    for (int r = 0; r < t->rowCount(); ++r)
        out << (t->item(r, c) ? t->item(r, c)->text() : QString());
    return out;
}

} // namespace

class AuditViewTest : public QObject
{
    Q_OBJECT

    template <typename T> static T* child(MainWindow& w, const char* name)
    {
        T* c = w.findChild<T*>(QLatin1String(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    static QString label(MainWindow& w, const char* name) { return child<QLabel>(w, name)->text(); }

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
        loadDallas(w, dallasImage());
        QVERIFY(w.ShowLoadedAudit());
        QVERIFY(messages.list.isEmpty());

        QTableWidget* events = child<QTableWidget>(w, "tableWidget");
        QCOMPARE(events->rowCount(), 7);
        QCOMPARE(column(events, 0), (QStringList{ "1", "2", "3", "4", "5", "6", "7" }));
        // Keypad events merged in before the next older lock event.
        QCOMPARE(column(events, 1), (QStringList{ "Lock", "Keypad", "Lock", "Keypad", "Lock", "Lock", "Lock" }));
        QCOMPARE(events->item(0, 2)->text(), QStringLiteral("10/03/2022 20.26.40"));
        QCOMPARE(events->item(0, 4)->text(), QStringLiteral("User 01"));
        QCOMPARE(events->item(2, 4)->text(), QStringLiteral("Master"));
        QCOMPARE(events->item(6, 5)->text(), QStringLiteral("Time changed"));
        QCOMPARE(events->item(6, 6)->text(), QStringLiteral("226"));

        QCOMPARE(label(w, "labelLockName"), QStringLiteral("VAULT1"));
        QCOMPARE(label(w, "labelLockSN"), QStringLiteral("00123456"));
        QCOMPARE(label(w, "labelLockVersion"), QStringLiteral("1.07"));
        QCOMPARE(label(w, "labelKeypadVersion"), QStringLiteral("2.05"));
        QCOMPARE(label(w, "labelTD"), QStringLiteral("10"));
        QCOMPARE(label(w, "labelActiveConfiguration"), QStringLiteral("03"));
        QCOMPARE(label(w, "labelCodeExpiration"), QStringLiteral("6 months"));
        QCOMPARE(label(w, "labelClosingTime"), QStringLiteral("8 seconds"));
        QCOMPARE(label(w, "labelBoltOpenAlarm"), QStringLiteral("1 minute"));
        QCOMPARE(label(w, "labelSilentAlarm"), QStringLiteral("Yes"));
        QCOMPARE(label(w, "labelDlDate2"), QStringLiteral("Not available"));
        QCOMPARE(label(w, "labelDlDate"), QStringLiteral("10/03/2022 20.26.40"));

        QTableWidget* users = child<QTableWidget>(w, "tableWidget_2");
        QCOMPARE(column(users, 0), (QStringList{ "Master", "Manager", "User 01", "User 02" }));
        QCOMPARE(column(users, 1), (QStringList{ "Installed", "Installed", "Installed", "Deleted" }));
        QCOMPARE(column(users, 2), (QStringList{ "Code only", "Code and Dallas key", "Code only", "Dallas key only" }));
    }

    void damagedImageShowsItsMessagesInOrder()
    {
        CapturedMessages messages;
        MainWindow w;
        QByteArray image = DallasImageBuilder()
                               .addConfiguration(describedLock())
                               .addEvents(1, { { t0, 0x05, 1 } })
                               .breakChecksum(0)
                               .image();
        loadDallas(w, image);
        QVERIFY(w.ShowLoadedAudit());
        QCOMPARE(messages.texts(), QStringList{ "CRC error" });
        QCOMPARE(messages.list.first().first, QMessageBox::Critical);
        QCOMPARE(child<QTableWidget>(w, "tableWidget")->rowCount(), 1);

        messages.list.clear();
        image = DallasImageBuilder().addBlock(0x42, QByteArray(87, '\0')).breakChecksum(0).image();
        loadDallas(w, image);
        QVERIFY(!w.ShowLoadedAudit());
        QCOMPARE(messages.texts(), (QStringList{ "CRC error", "Dallas key data error" }));
        QCOMPARE(child<QTableWidget>(w, "tableWidget")->rowCount(), 0);
        QVERIFY(label(w, "labelLockName").isEmpty());

        messages.list.clear();
        loadDallas(w, RequestImage());
        QVERIFY(w.ShowLoadedAudit());
        QCOMPARE(messages.texts(), QStringList{ "The Dallas audit key is empty" });
        QCOMPARE(messages.list.first().first, QMessageBox::Information);
    }

    void newAuditNeverShowsThePreviousLock()
    {
        CapturedMessages messages;
        MainWindow w;
        loadDallas(w, dallasImage());
        QVERIFY(w.ShowLoadedAudit());
        QCOMPARE(label(w, "labelLockName"), QStringLiteral("VAULT1"));

        // An image without a configuration block: nothing of the previous lock may remain.
        loadDallas(w, DallasImageBuilder().addEvents(1, { { t0, 0x05, 1 } }).image());
        QVERIFY(w.ShowLoadedAudit());
        QVERIFY(label(w, "labelLockName").isEmpty());
        QVERIFY(label(w, "labelKeypadVersion").isEmpty());
        QCOMPARE(child<QTableWidget>(w, "tableWidget_2")->rowCount(), 1); // the master row always stands
        QVERIFY(!child<QTableWidget>(w, "tableWidget_2")->item(0, 1));
    }

    void languageChangeRerendersTheLoadedAudit()
    {
        CapturedMessages messages;
        QTranslator italian;
        QVERIFY(italian.load(QStringLiteral(CORVANE_BINARY_DIR "/audit_it.qm")));
        MainWindow w;
        loadDallas(w, dallasImage());
        QVERIFY(w.ShowLoadedAudit());
        QTableWidget* events = child<QTableWidget>(w, "tableWidget");
        const int rows = events->rowCount();
        events->setColumnHidden(3, false);
        w.session().dstApplied = true;

        w.onLangIt();
        QCOMPARE(events->rowCount(), rows);
        QCOMPARE(events->item(0, 1)->text(), italian.translate("MainWindow", "Lock"));
        QCOMPARE(events->item(0, 5)->text(), italian.translate("MainWindow", "Bolt open"));
        QVERIFY(events->item(0, 5)->text() != QStringLiteral("Bolt open"));
        QCOMPARE(label(w, "labelDlDate2"), italian.translate("MainWindow", "Not available"));
        QCOMPARE(label(w, "labelSilentAlarm"), italian.translate("MainWindow", "Yes"));
        QCOMPARE(child<QTableWidget>(w, "tableWidget_2")->item(0, 1)->text(),
                 italian.translate("MainWindow", "Installed"));
        QCOMPARE(label(w, "labelLockName"), QStringLiteral("VAULT1"));
        QVERIFY(events->isColumnHidden(3));
        QVERIFY(!w.session().dstApplied);
        QVERIFY(messages.list.isEmpty());

        w.onLangEn();
        QCOMPARE(events->item(0, 5)->text(), QStringLiteral("Bolt open"));
    }

    void settingsDialogRerendersWithNewFormats()
    {
        CapturedMessages messages;
        MainWindow w;
        loadDallas(w, dallasImage());
        QVERIFY(w.ShowLoadedAudit());
        QTableWidget* events = child<QTableWidget>(w, "tableWidget");
        QCOMPARE(events->rowCount(), 6); // simple audit by default
        QCOMPARE(events->item(0, 2)->text(), QStringLiteral("10/03/2022 20.26.40"));

        // Cancel stores nothing, yet the table is rebuilt (filter picks are gone).
        w.userFilter().on_itemPressed(w.userFilter().model()->index(0, 0));
        w.onSetFilter();
        onNextDialog<SettingsDialog>([](SettingsDialog* d) {
            d->findChild<QRadioButton*>("radioButtonUs")->setChecked(true);
            d->findChild<QPushButton*>("btnCancel")->click();
        });
        w.on_btnSettings_clicked();
        QVERIFY(!readSetting("DateFormat").isValid());
        QVERIFY(w.userFilter().checkedTexts().isEmpty());
        for (int r = 0; r < events->rowCount(); ++r)
            QVERIFY(!events->isRowHidden(r));

        onNextDialog<SettingsDialog>([](SettingsDialog* d) {
            d->findChild<QRadioButton*>("radioButtonUs")->setChecked(true);
            d->findChild<QRadioButton*>("radioButton12")->setChecked(true);
            d->findChild<QRadioButton*>("radioButtonFull")->setChecked(true);
            d->findChild<QPushButton*>("btnOk")->click();
        });
        w.on_btnSettings_clicked();
        QCOMPARE(readSetting("DateFormat").toInt(), 1);
        QCOMPARE(readSetting("HourFormat").toInt(), 1);
        QCOMPARE(readSetting("AuditType").toInt(), 0);
        QCOMPARE(events->rowCount(), 7);
        QCOMPARE(events->item(0, 2)->text(), QStringLiteral("03/10/2022 08.26.40 PM"));
        QCOMPARE(label(w, "labelDlDate"), QStringLiteral("03/10/2022 08.26.40 PM"));
        QVERIFY(messages.list.isEmpty());
    }
};

QTEST_MAIN(AuditViewTest)
#include "tst_auditview.moc"
