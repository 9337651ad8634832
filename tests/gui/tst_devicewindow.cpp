// The window's device operations: what the window does with their results (the simulated
// interface in memory behind the port), and how the progress dialogs behave while a worker
// runs over a real serial link (corvane-lock-sim on a pseudo-terminal).

#include "archive/Archive.h"
#include "model/AuditFile.h"
#include "AuditFileBytes.h"
#include "model/CaptureFormat.h"
#include "GuiTestSupport.h"
#include "LockSimProcess.h"
#include "app/OperationDialogs.h"
#include "app/SelectLockDialog.h"
#include "app/UsersLogDialog.h"
#include "device/SerialTransport.h"
#include "sim/SimulatedLink.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

using namespace guitest;

namespace {

QTableView* events(MainWindow& w) { return child<QTableView>(w, "tableWidget"); }
QString label(MainWindow& w, const char* name) { return child<QLabel>(w, name)->text(); }

// Runs `action` on the dialog of that type once it is on screen and `when` holds.
template <typename Dialog> void whenShown(std::function<bool(Dialog*)> when, std::function<void(Dialog*)> action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, when, action]() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<Dialog*>(w); d && d->isVisible() && when(d)) {
                timer->deleteLater();
                timer->stop();
                return action(d);
            }
    });
    timer->start(20);
}

// Whether the dialog that `slot` opens is still open after `stop` while its worker runs.
template <typename Dialog> bool staysOpen(MainWindow& w, void (MainWindow::*slot)(), void (*stop)(Dialog*))
{
    bool open = false;
    whenShown<Dialog>([](Dialog* d) { return d->workerRunning(); }, [&](Dialog* d) { stop(d), open = d->isVisible(); });
    (w.*slot)();
    return open;
}

void pressOk(SelectLockDialog* d, const QString& events)
{
    d->findChild<QLineEdit*>("lineEdit")->setText(events);
    d->findChild<QPushButton*>("pushButtonOk")->click();
}

// The simulated interface in memory, its link holding on after `holdAfter` event records until
// let go: the time to press Cancel with exactly that many read.
struct HeldLinks : LinkFactory
{
    struct State
    {
        int holdAfter = 0;
        std::atomic_int records { 0 };
        std::atomic_bool held { false };
        std::atomic_bool released { false };
    };
    class Link : public DeviceLink
    {
    public:
        Link(SimulatedInterface& device, bool keyMode, State& state) : m_link(device, keyMode), m_state(state) {}
        LinkReply exchange(const QByteArray& request, int capacity) override
        {
            const LinkReply reply = m_link.exchange(request, capacity);
            const bool eventRequest = request == QByteArray::fromHex("01047DEA") || request.startsWith(QByteArray::fromHex("01066D00"));
            if (eventRequest && reply.answer.startsWith("\x81\x43") && ++m_state.records == m_state.holdAfter) {
                m_state.held = true;
                QElapsedTimer waited;
                waited.start();
                while (!m_state.released && waited.elapsed() < 10000)
                    QThread::msleep(1);
            }
            return reply;
        }
        qint64 elapsedMs() const override { return m_link.elapsedMs(); }

    private:
        SimulatedLink m_link;
        State& m_state;
    };

    SimulatedInterface& device;
    State& state;
    HeldLinks(SimulatedInterface& d, State& s) : device(d), state(s) {}
    std::unique_ptr<DeviceLink> open(const QString&, bool keyMode, CaptureWriter*, QString*) const override
    {
        return std::make_unique<Link>(device, keyMode, state);
    }
};

// The label an audit file keeps.
QString FileLabel(const QString& path)
{
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (bytes.size() < 3 || bytes.size() < 3 + quint8(bytes.at(2)))
        return QString();
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 3), quint8(bytes.at(2)) / 2);
}

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
    void cleanup() { qunsetenv("CORVANE_AUDIT_PORTS"); }

    // The simulated interface in memory behind the port: prepare a key (the audit on display
    // keeps its raw data), let the lock fill it and read it; download the audit; the users log.
    void operations()
    {
        SimulatedInterface sim;
        sim.setKey(SimulatedInterface::Key::Blank);
        qputenv("CORVANE_AUDIT_PORTS", "/dev/simulated");
        CapturedMessages messages;
        QStringList questions;
        Messages::setQuestionInterceptor([&](const QString& q) { return questions << q, true; });
        MainWindow w;
        SetWindowLinks(&w, std::make_shared<SimulatedLinkFactory>(sim));
        loadDallasImage(w, DallasImageBuilder().addEvents(1, { { 700000000, 0x05, 1 } }).image());
        QVERIFY(w.ShowLoadedAudit());
        const auto before = w.session().dallasImage;
        w.on_buttonWriteDallas_clicked();
        Messages::setQuestionInterceptor(nullptr);
        QCOMPARE(questions, QStringList{ "Warning: this operation will delete all data in Dallas key. Do you want to proceed?" });
        QVERIFY(w.session().dallasImage == before && rows(events(w)) == 1);
        QVERIFY(sim.lockFillsKey());
        w.on_buttonReadDallas_clicked();
        QCOMPARE(label(w, "labelLockName") + "|" + label(w, "labelDlDate2"), QStringLiteral("VAULT1|Not available"));
        QVERIFY(rows(events(w)) > 1200);

        onNextDialog<SelectLockDialog>([](SelectLockDialog* d) { pressOk(d, "0"); });
        w.on_btnDownlad_clicked();
        QCOMPARE(rows(events(w)), sim.lock().eventCount());
        QCOMPARE(label(w, "labelLockName") + "|" + label(w, "labelDlDate2").left(10), "VAULT1|" + QDate::currentDate().toString("dd/MM/yyyy"));
        QCOMPARE(messages.texts(), (QStringList{ "Done", "Done", "Done" }));

        // Cancelling the number of events leaves an empty session, without a message.
        onNextDialog<SelectLockDialog>([](SelectLockDialog* d) { d->findChild<QPushButton*>("pushButtonCancel")->click(); });
        w.on_btnDownlad_clicked();
        QCOMPARE(rows(events(w)), 0);

        // The users log stays on screen until Exit.
        int rows = -1;
        whenShown<UsersLogDialog>([](UsersLogDialog* d) { return !d->workerRunning(); }, [&](UsersLogDialog* d) {
            rows = d->findChild<QTableWidget*>("tableWidget")->rowCount(); // the users log keeps its widget
            d->findChild<QPushButton*>("btnExit")->click();
        });
        w.on_btnLog_clicked();
        QCOMPARE(rows, 64);
        QCOMPARE(messages.list.size(), 3);
    }

    // A download that fails after events were read, or is cancelled: what was read is shown and
    // kept as a finished download is, marked as partial in the window's label, in a file saved
    // from it and in the archive; the box says why it stopped and how many events it read.
    void partialDownload_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("cancelAfter");
        QTest::addColumn<int>("read");
        QTest::addColumn<QString>("told");
        QTest::newRow("the lock silent at event 25") << "lock-silent=event:25" << 0 << 25
            << "No answer from lock: the download stopped after 25 events; they are kept, marked as partial.";
        QTest::newRow("cancelled after 40 events") << QString() << 40 << 40
            << "The download was cancelled after 40 events; they are kept, marked as partial.";
        QTest::newRow("a lock error at event 3") << "event-error=3:0x90" << 0 << 3
            << "Lock error 144: the download stopped after 3 events; they are kept, marked as partial.";
    }
    void partialDownload()
    {
        QFETCH(QString, fault);
        QFETCH(int, cancelAfter);
        QFETCH(int, read);
        QFETCH(QString, told);
        SimulatedInterface sim;
        QString error;
        QVERIFY(fault.isEmpty() || sim.addFault(fault, &error));
        HeldLinks::State state;
        state.holdAfter = cancelAfter;
        QTemporaryDir dir;
        qputenv("CORVANE_AUDIT_ARCHIVE", dir.filePath("archive.sqlite").toLocal8Bit());
        qputenv("CORVANE_AUDIT_PORTS", "/dev/simulated");
        CapturedMessages messages;
        MainWindow w;
        SetWindowLinks(&w, std::make_shared<HeldLinks>(sim, state));
        if (cancelAfter > 0)
            whenShown<DownloadAuditDialog>([&state](DownloadAuditDialog*) { return state.held.load(); }, [&state](DownloadAuditDialog* d) {
                d->findChild<QPushButton*>("buttonCancel")->click();
                state.released = true;
            });
        onNextDialog<SelectLockDialog>([](SelectLockDialog* d) { pressOk(d, "0"); });
        w.on_btnDownlad_clicked();

        QCOMPARE(messages.texts(), QStringList{ told });
        QCOMPARE(messages.list.first().first, cancelAfter > 0 ? QMessageBox::Information : QMessageBox::Critical);
        QCOMPARE(rows(events(w)), read);
        const QString partial = QString(" (partial: %1 events)").arg(read);
        QVERIFY2(label(w, "labelDlDate").endsWith(partial), qPrintable(label(w, "labelDlDate")));
        Messages::setFileNameInterceptor([&dir](bool) { return dir.filePath("partial.kaud"); });
        w.on_buttonSave_clicked();
        Messages::setFileNameInterceptor(nullptr);
        QVERIFY(FileLabel(dir.filePath("partial.kaud")).endsWith(partial));

        QTRY_COMPARE(w.archiveWorkPending(), 0);
        Archive archive;
        LockHistory history;
        QVector<LockSummary> locks;
        QVERIFY(archive.open(dir.filePath("archive.sqlite")) && archive.locks(&locks) && locks.size() == 1);
        QCOMPARE(locks.first().events, read);
        QVERIFY(archive.history(locks.first().serial, &history));
        auto session = std::make_unique<AuditSession>();
        QVERIFY(AuditFile::Parse(history.latestAudit, *session).label.endsWith(partial));
        qunsetenv("CORVANE_AUDIT_ARCHIVE");
    }

    // Escape, the close control and Exit while the worker runs stop it; the dialog closes only
    // once the worker has finished, and nothing is shown. The far end going away ends the
    // operation with a message instead of a dialog that hangs.
    void overASerialPort()
    {
        LockSimProcess sim({ "--key", "absent", "--keypad", "absent" });
        CapturedMessages messages;
        MainWindow w;
        QVERIFY(staysOpen<ReadDallasDialog>(w, &MainWindow::on_buttonReadDallas_clicked,
                                            [](ReadDallasDialog* d) { QTest::keyClick(d, Qt::Key_Escape); }));
        onNextDialog<SelectLockDialog>([](SelectLockDialog* d) { pressOk(d, "500"); });
        QVERIFY(staysOpen<DownloadAuditDialog>(w, &MainWindow::on_btnDownlad_clicked, [](DownloadAuditDialog* d) { d->close(); }));
        QVERIFY(staysOpen<UsersLogDialog>(w, &MainWindow::on_btnLog_clicked,
                                          [](UsersLogDialog* d) { d->findChild<QPushButton*>("btnExit")->click(); }));
        QVERIFY(messages.list.isEmpty());
        sim.command("fault hang-up=1");
        w.on_buttonReadDallas_clicked();
        QCOMPARE(messages.texts(), QStringList{ "USB interface disconnected" });
        QCOMPARE(rows(events(w)), 0);
    }

    // A download captured from the simulator, replayed to the window: the audit file it saves is
    // the one the command line saved when the capture was made, download date aside, and the
    // window's own capture of it, in a folder made for it, holds the same exchanges.
    void replayedDownload()
    {
        const QString recorded = CORVANE_SOURCE_DIR "/tests/captures/download-50-crc";
        capture::Capture original;
        QString error;
        QVERIFY2(capture::Load(recorded + ".capture", original, &error), qPrintable(error));
        LockSimProcess sim({ "--replay", recorded + ".capture" });
        QTemporaryDir dir;
        const QString folder = dir.filePath("captures");
        qputenv(CaptureFolderVariable, folder.toLocal8Bit());
        CapturedMessages messages;
        MainWindow w;
        onNextDialog<SelectLockDialog>([&original](SelectLockDialog* d) { pressOk(d, QString::number(original.header.events)); });
        w.on_btnDownlad_clicked();
        Messages::setFileNameInterceptor([&dir](bool) { return dir.filePath("window.kaud"); });
        w.on_buttonSave_clicked();
        Messages::setFileNameInterceptor(nullptr);
        qunsetenv(CaptureFolderVariable);
        QCOMPARE(messages.texts(), (QStringList{ "Done", "Done" }));
        QCOMPARE(sim.quit().out, QString("%1 of %1 captured exchanges matched\n").arg(original.exchanges.size()));

        QFile saved(dir.filePath("window.kaud")), expected(recorded + ".kaud");
        QVERIFY(saved.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
        const QByteArray want = WithoutDownloadTime(expected.readAll());
        QVERIFY(!want.isEmpty());
        QCOMPARE(WithoutDownloadTime(saved.readAll()), want);

        const QStringList files = QDir(folder).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        QVERIFY2(QRegularExpression("^\\d{8}-\\d{6}-download\\.capture$").match(files.first()).hasMatch(), qPrintable(files.first()));
        capture::Capture own;
        QVERIFY2(capture::Load(folder + "/" + files.first(), own, &error), qPrintable(error));
        const auto exchanges = [](const capture::Capture& c) {
            QStringList list;
            for (const capture::Exchange& e : c.exchanges)
                list << QString::number(e.baud) + capture::HexText(e.request) + "/" + capture::HexText(e.answerBytes);
            return list;
        };
        QCOMPARE(exchanges(own), exchanges(original));
        QCOMPARE(own.outcome + own.message, original.outcome + original.message);
    }

    // A capture folder that cannot be written is one warning on the window, and the operations
    // go on.
    void captureOff()
    {
        LockSimProcess sim({});
        qputenv(CaptureFolderVariable, "/proc/no-captures-here");
        CapturedMessages messages;
        MainWindow w;
        for (int i = 0; i < 2; ++i) {
            onNextDialog<SelectLockDialog>([](SelectLockDialog* d) { pressOk(d, "2"); });
            w.on_btnDownlad_clicked();
        }
        qunsetenv(CaptureFolderVariable);
        QVERIFY2(messages.list.size() == 3, qPrintable(messages.texts().join('|')));
        QCOMPARE(messages.list.first().first, QMessageBox::Warning);
        QVERIFY2(messages.list.first().second.startsWith("The capture is off: /proc/no-captures-here/"), qPrintable(messages.texts().join('|')));
        QCOMPARE(messages.texts().mid(1), (QStringList{ "Done", "Done" }));
    }

    // Two interfaces: every operation talks to the one chosen, through each refresh that still
    // lists it; once it is gone, to the first.
    void chosenInterface()
    {
        qunsetenv("CORVANE_AUDIT_PORTS");
        if (!EnumPorts().isEmpty())
            QSKIP("a USB interface is connected to this machine");
        // Links that only note the port asked for, and open none.
        struct Noting : LinkFactory
        {
            QStringList* used;
            std::unique_ptr<DeviceLink> open(const QString& port, bool, CaptureWriter*, QString* problem) const override
            {
                *used << port;
                *problem = port + ": noted";
                return nullptr;
            }
        };
        QStringList used;
        auto noting = std::make_shared<Noting>();
        noting->used = &used;
        CapturedMessages messages;
        Messages::setQuestionInterceptor([](const QString&) { return true; });
        qputenv("CORVANE_AUDIT_PORTS", "/dev/simA:/dev/simB");
        MainWindow w;
        SetWindowLinks(&w, noting);
        auto* combo = child<QComboBox>(w, "comboBox");
        combo->setCurrentIndex(1);
        w.on_buttonReadDallas_clicked();
        qputenv("CORVANE_AUDIT_PORTS", "/dev/simC:/dev/simA:/dev/simB");
        w.on_buttonWriteDallas_clicked();
        whenShown<UsersLogDialog>([](UsersLogDialog* d) { return !d->workerRunning(); },
                                  [](UsersLogDialog* d) { d->findChild<QPushButton*>("btnExit")->click(); });
        w.on_btnLog_clicked();
        qputenv("CORVANE_AUDIT_PORTS", "/dev/simA");
        onNextDialog<SelectLockDialog>([](SelectLockDialog* d) { pressOk(d, "5"); });
        w.on_btnDownlad_clicked();
        Messages::setQuestionInterceptor(nullptr);
        QCOMPARE(used, (QStringList{ "/dev/simB", "/dev/simB", "/dev/simB", "/dev/simA" }));
        QCOMPARE(combo->currentText(), QStringLiteral("/dev/simA"));
        QCOMPARE(messages.texts(), QStringList(QVector<QString>(4, "Unable to open USB interface").toList()));
    }

    // The dialog's text in its error state: a key of the wrong family puts the error picture in
    // place of the bar; a good key brings the bar back. Cancelled, the read says nothing.
    void dialogErrorState()
    {
        LockSimProcess sim({ "--key", "wrong-family" });
        CapturedMessages messages;
        MainWindow w;
        QStringList seen;
        const auto state = [](ReadDallasDialog* d) {
            return d->findChild<QLabel*>("labelWaitingDallas")->text()
                + (d->findChild<QLabel*>("labelError")->isVisible() ? " +picture" : "")
                + (d->findChild<QProgressBar*>("progressBar")->isVisible() ? " +bar" : "");
        };
        whenShown<ReadDallasDialog>([](ReadDallasDialog* d) { return d->findChild<QLabel*>("labelError")->isVisible(); },
                                    [&](ReadDallasDialog* d) {
                                        seen << state(d) << sim.command("key audit");
                                        whenShown<ReadDallasDialog>(
                                            [](ReadDallasDialog* r) { return r->findChild<QProgressBar*>("progressBar")->isVisible(); },
                                            [&](ReadDallasDialog* r) {
                                                seen << state(r);
                                                QTest::keyClick(r, Qt::Key_Escape);
                                            });
                                    });
        w.on_buttonReadDallas_clicked();
        QCOMPARE(seen, (QStringList{ "Dallas key not valid +picture", "key: audit", "Reading Dallas key... +bar" }));
        QVERIFY(messages.list.isEmpty());
        QCOMPARE(rows(events(w)), 0);
    }

    void noInterface()
    {
        qunsetenv("CORVANE_AUDIT_PORTS");
        CapturedMessages messages;
        MainWindow w;
        if (!w.findChild<QComboBox*>("comboBox")->currentText().isEmpty())
            QSKIP("a USB interface is connected to this machine");
        for (auto slot : { &MainWindow::on_buttonReadDallas_clicked, &MainWindow::on_buttonWriteDallas_clicked,
                           &MainWindow::on_btnDownlad_clicked, &MainWindow::on_btnLog_clicked })
            (w.*slot)();
        QCOMPARE(messages.texts(), QStringList(QVector<QString>(4, "Unable to find any USB interface").toList()));

        // The box itself is the window's: centred on it, never behind it.
        Messages::setInterceptor(nullptr);
        QWidget* parent = nullptr;
        QString text;
        whenShown<QMessageBox>([](QMessageBox*) { return true; }, [&](QMessageBox* box) {
            parent = box->parentWidget(), text = box->text();
            box->accept();
        });
        w.on_btnDownlad_clicked();
        QCOMPARE(text, QStringLiteral("Unable to find any USB interface"));
        QCOMPARE(parent, &w);
    }
};

QTEST_MAIN(DeviceWindowTest)
#include "tst_devicewindow.moc"
