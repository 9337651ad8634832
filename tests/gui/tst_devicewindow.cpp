// The window's device operations: what the window does with their results (the simulated
// interface in memory behind the port), and how the progress dialogs behave while a worker
// runs over a real serial link (corvane-lock-sim on a pseudo-terminal).

#include "GuiTestSupport.h"
#include "LockSimProcess.h"
#include "OperationDialogs.h"
#include "SelectLockDialog.h"
#include "SimulatedLink.h"
#include "UsersLogDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace guitest;

namespace {

QTableWidget* events(MainWindow& w) { return child<QTableWidget>(w, "tableWidget"); }
QString label(MainWindow& w, const char* name) { return child<QLabel>(w, name)->text(); }

// Runs `action` on the dialog of that type once it is on screen (and `when` holds).
template <typename Dialog> void whenShown(std::function<bool(Dialog*)> when, std::function<void(Dialog*)> action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, when, action]() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<Dialog*>(w); d && d->isVisible() && when(d)) {
                timer->deleteLater();
                timer->stop();
                action(d);
                return;
            }
    });
    timer->start(20);
}

// The simulated interface in memory behind every port name.
struct InMemoryInterface
{
    SimulatedInterface device;
    InMemoryInterface()
    {
        qputenv("CORVANE_AUDIT_PORTS", "/dev/simulated");
        SetLinkProvider([this](const QString&, bool, const Operation& operation) {
            SimulatedLink link(device);
            return operation(link);
        });
    }
    ~InMemoryInterface()
    {
        SetLinkProvider(nullptr);
        qunsetenv("CORVANE_AUDIT_PORTS");
    }
};

} // namespace

class DeviceWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        removeSettings();
        writeSetting("AuditType", 0);
    }

    // Prepare a key, let the lock fill it, read it: the lock's audit is on screen.
    void keyStory()
    {
        InMemoryInterface sim;
        sim.device.setKey(SimulatedInterface::Key::Blank);
        CapturedMessages messages;
        QStringList questions;
        Messages::setQuestionInterceptor([&](const QString& q) { return questions << q, true; });
        MainWindow w;

        // The audit on display keeps its raw data while a key is prepared.
        loadDallasImage(w, DallasImageBuilder().addEvents(1, { { 700000000, 0x05, 1 } }).image());
        QVERIFY(w.ShowLoadedAudit());
        const auto before = w.session().dallasImage;
        w.on_buttonWriteDallas_clicked();
        Messages::setQuestionInterceptor(nullptr);
        QCOMPARE(questions, QStringList{ "Warning: this operation will delete all data in Dallas key. Do you want to proceed?" });
        QCOMPARE(messages.texts(), QStringList{ "Done" });
        QVERIFY(w.session().dallasImage == before);
        QCOMPARE(events(w)->rowCount(), 1);

        QVERIFY(sim.device.lockFillsKey());
        messages.list.clear();
        w.on_buttonReadDallas_clicked();
        QCOMPARE(messages.texts(), QStringList{ "Done" });
        QCOMPARE(label(w, "labelLockName"), QStringLiteral("VAULT1"));
        QCOMPARE(label(w, "labelDlDate2"), QStringLiteral("Not available"));
        QVERIFY(events(w)->rowCount() > 1200);
    }

    void download()
    {
        InMemoryInterface sim;
        CapturedMessages messages;
        MainWindow w;
        onNextDialog<SelectLockDialog>([](SelectLockDialog* d) {
            d->findChild<QLineEdit*>("lineEdit")->setText("0");
            d->findChild<QPushButton*>("pushButtonOk")->click();
        });
        w.on_btnDownlad_clicked();
        QCOMPARE(messages.texts(), QStringList{ "Done" });
        QCOMPARE(events(w)->rowCount(), sim.device.lock().eventCount());
        QCOMPARE(label(w, "labelLockName"), QStringLiteral("VAULT1"));
        QVERIFY(label(w, "labelDlDate2") != QStringLiteral("Not available"));
        QCOMPARE(label(w, "labelDlDate"), events(w)->item(0, 2)->text());

        // Cancelling the number of events leaves an empty session, without a message.
        messages.list.clear();
        onNextDialog<SelectLockDialog>([](SelectLockDialog* d) { d->findChild<QPushButton*>("pushButtonCancel")->click(); });
        w.on_btnDownlad_clicked();
        QVERIFY(messages.list.isEmpty());
        QCOMPARE(events(w)->rowCount(), 0);
    }

    void usersLogStaysUntilExit()
    {
        InMemoryInterface sim;
        CapturedMessages messages;
        MainWindow w;
        int rows = -1;
        whenShown<UsersLogDialog>([](UsersLogDialog* d) { return !d->workerRunning(); },
                                  [&](UsersLogDialog* d) {
                                      rows = d->findChild<QTableWidget*>("tableWidget")->rowCount();
                                      d->findChild<QPushButton*>("btnExit")->click();
                                  });
        w.on_btnLog_clicked();
        QCOMPARE(rows, 64);
        QVERIFY(messages.list.isEmpty());
    }

    // Escape, the close control and Exit while the worker runs stop it; the dialog closes only
    // once the worker has finished, and nothing is shown.
    void closingWhileRunningCancels()
    {
        LockSimProcess sim({ "--key", "absent", "--keypad", "absent" });
        CapturedMessages messages;
        MainWindow w;
        bool stillOpen = false;
        whenShown<ReadDallasDialog>([](ReadDallasDialog* d) { return d->workerRunning(); }, [&](ReadDallasDialog* d) {
            QTest::keyClick(d, Qt::Key_Escape);
            stillOpen = d->isVisible();
        });
        w.on_buttonReadDallas_clicked();
        QVERIFY(stillOpen);
        QVERIFY(messages.list.isEmpty());
        QCOMPARE(events(w)->rowCount(), 0);

        whenShown<DownloadAuditDialog>([](DownloadAuditDialog* d) { return d->workerRunning(); },
                                       [&](DownloadAuditDialog* d) {
                                           d->close();
                                           stillOpen = d->isVisible();
                                       });
        onNextDialog<SelectLockDialog>([](SelectLockDialog* d) { d->findChild<QPushButton*>("pushButtonOk")->click(); });
        w.on_btnDownlad_clicked();
        QVERIFY(stillOpen);
        QVERIFY(messages.list.isEmpty());

        whenShown<UsersLogDialog>([](UsersLogDialog* d) { return d->workerRunning(); }, [&](UsersLogDialog* d) {
            d->findChild<QPushButton*>("btnExit")->click();
            stillOpen = d->isVisible();
        });
        w.on_btnLog_clicked();
        QVERIFY(stillOpen);
        QVERIFY(messages.list.isEmpty());
    }

    // The far end going away ends the operation with a message instead of a dialog that hangs.
    void unpluggedInterface()
    {
        LockSimProcess sim({ "--key", "audit", "--fault", "hang-up=4" });
        CapturedMessages messages;
        MainWindow w;
        w.on_buttonReadDallas_clicked();
        QCOMPARE(messages.texts(), QStringList{ "USB interface disconnected" });
        QCOMPARE(events(w)->rowCount(), 0);
    }

    void noInterface()
    {
        qunsetenv("CORVANE_AUDIT_PORTS");
        CapturedMessages messages;
        MainWindow w;
        if (!w.findChild<QComboBox*>("comboBox")->currentText().isEmpty())
            QSKIP("a USB interface is connected to this machine");
        w.on_buttonReadDallas_clicked();
        w.on_buttonWriteDallas_clicked();
        w.on_btnDownlad_clicked();
        w.on_btnLog_clicked();
        QCOMPARE(messages.texts(), QStringList(QVector<QString>(4, "Unable to find any USB interface").toList()));
    }
};

QTEST_MAIN(DeviceWindowTest)
#include "tst_devicewindow.moc"
