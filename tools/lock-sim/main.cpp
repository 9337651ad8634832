// corvane-lock-sim: serves a simulated USB interface (Dallas key reader), keypad and lock on a
// pseudo-terminal, so that the window and the command line can be used without hardware.
// The first line it prints is the device path to give the program, e.g.
//     CORVANE_AUDIT_PORTS=/dev/pts/4 corvane-audit

#include "sim/CaptureReplay.h"
#include "sim/PtyServer.h"
#include "sim/SimulatedInterface.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <functional>

#include <poll.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_quit = 0;

void OnSignal(int)
{
    g_quit = 1;
}

const QMap<QString, SimulatedInterface::Key>& KeyKinds()
{
    static const QMap<QString, SimulatedInterface::Key> kinds = {
        { "absent", SimulatedInterface::Key::Absent }, { "wrong-family", SimulatedInterface::Key::WrongFamily },
        { "blank", SimulatedInterface::Key::Blank },   { "request", SimulatedInterface::Key::Request },
        { "audit", SimulatedInterface::Key::Audit } };
    return kinds;
}

// The commands it takes on standard input while it runs.
QString CommandsHelp()
{
    return QStringLiteral(
        "  key KIND               put a key of that kind on the reader (absent: take it away)\n"
        "  fill                   the lock fills the key on the reader (it must hold a request)\n"
        "  keypad connect|disconnect\n"
        "  download on|off        the keypad's download mode (its function 7)\n"
        "  fault FAULT            inject a fault from now on (see --help)\n"
        "  events N               the lock records N more events (it keeps its newest 5600)\n"
        "  scene duress|wrong-codes|night   the lock records an opening with the duress code\n"
        "                         (next working day 10:00), six wrong codes (11:00) or an\n"
        "                         opening at 23:30\n"
        "  status                 what the simulator holds\n"
        "  help                   this list\n"
        "  quit\n");
}

QString Usage()
{
    return QStringLiteral(
               "Usage: corvane-lock-sim [options]\n"
               "Serves a simulated USB interface with its Dallas key reader, a keypad and a lock on a\n"
               "pseudo-terminal. The first line printed is the device path to use. As on the hardware,\n"
               "keypad and lock frames are answered only at 4800 baud, key reader frames only at 19200.\n"
               "\n"
               "Options:\n"
               "  --audit FILE.kaud      the lock's audit (default: the sample lock VAULT1)\n"
               "  --key KIND             the key on the reader: absent (default), wrong-family, blank,\n"
               "                         request, audit\n"
               "  --keypad STATE         download (default: in download mode), normal, absent\n"
               "  --firmware VERSION     the lock's firmware version text, e.g. 1.04 (no date/time table)\n"
               "  --no-users-log         the lock's firmware has no users log\n"
               "  --auto-fill SECONDS    a key that holds the audit request is filled by the lock that\n"
               "                         long after it was last written, as if presented to the lock\n"
               "  --fault FAULT          a fault to inject (repeatable):\n")
        + SimulatedInterface::faultHelp()
        + QStringLiteral(
               "  --pace real|fast       answer at the pace of the line (default) or at once; at once,\n"
               "                         an exchange still takes the 40 ms of silence after its answer\n"
               "                         that the program waits to know the answer is complete\n"
               "  --link PATH            also make PATH a symbolic link to the terminal\n"
               "  --replay FILE          serve a capture instead: each request equal to the captured one\n"
               "                         gets the captured answer at the captured pace (or at once with\n"
               "                         --pace fast); the first that differs is reported and gets no\n"
               "                         answer. On exit it prints how many exchanges matched.\n"
               "  --help                 this text\n"
               "\n"
               "Commands on standard input, while it runs:\n")
        + CommandsHelp();
}

void Say(const QString& text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

// Seconds, from 0 to an hour.
bool AutoFillDelay(const QString& text, int& milliseconds)
{
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !(seconds >= 0 && seconds <= 3600))
        return false;
    milliseconds = int(seconds * 1000);
    return true;
}

QString KeyName(SimulatedInterface::Key key)
{
    return KeyKinds().key(key);
}

// One command line from standard input; false to quit.
bool Command(const QString& line, SimulatedInterface& device)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return true;
    const QString& verb = words.first();
    const QString arg = words.value(1);
    QString error;
    if (verb == QLatin1String("quit") || verb == QLatin1String("exit"))
        return false;
    if (verb == QLatin1String("help")) {
        std::printf("%s", qPrintable(CommandsHelp()));
        std::fflush(stdout);
    } else if (verb == QLatin1String("key") && KeyKinds().contains(arg)) {
        device.setKey(KeyKinds().value(arg));
        Say(QStringLiteral("key: %1").arg(arg));
    } else if (verb == QLatin1String("fill")) {
        Say(device.lockFillsKey() ? QStringLiteral("the lock wrote its audit into the key")
                                  : QStringLiteral("the lock refused: the key on the reader holds no audit request"));
    } else if (verb == QLatin1String("keypad") && (arg == QLatin1String("connect") || arg == QLatin1String("disconnect"))) {
        device.setKeypadConnected(arg == QLatin1String("connect"));
        Say(QStringLiteral("keypad %1ed").arg(arg));
    } else if (verb == QLatin1String("download") && (arg == QLatin1String("on") || arg == QLatin1String("off"))) {
        device.setDownloadMode(arg == QLatin1String("on"));
        Say(QStringLiteral("download mode %1").arg(arg));
    } else if (verb == QLatin1String("fault") && device.addFault(arg, &error)) {
        Say(QStringLiteral("fault: %1").arg(arg));
    } else if (verb == QLatin1String("events") && arg.toInt() > 0 && arg.toInt() <= 1000000) {
        device.recordEvents(arg.toInt());
        Say(QStringLiteral("the lock recorded %1 events; it holds %2").arg(arg.toInt()).arg(device.lock().eventCount()));
    } else if (verb == QLatin1String("scene") && device.recordScene(arg)) {
        Say(QStringLiteral("the lock recorded the scene %1; it holds %2 events").arg(arg).arg(device.lock().eventCount()));
    } else if (verb == QLatin1String("status")) {
        Say(QStringLiteral("key: %1; lock: %2 events; %3 requests answered so far")
                .arg(KeyName(device.key()))
                .arg(device.lock().eventCount())
                .arg(device.requestCount()));
    } else {
        Say(error.isEmpty() ? QStringLiteral("unknown command: %1 (try help)").arg(line.trimmed()) : error);
    }
    return true;
}

QString PaceName(PtyServer::Pace pace)
{
    return pace == PtyServer::Pace::Real ? QStringLiteral("real") : QStringLiteral("fast");
}

// Opens the terminal and serves it until quit, a signal, or the terminal's end. Each line typed
// goes to `command` (false: quit); `hungUp` names a hang-up the device chose, which is no failure.
int Serve(PtyServer& server, const QString& link, const QString& scene,
          const std::function<bool(const QString&)>& command, const std::function<QString()>& hungUp,
          const std::function<void()>& idle = {})
{
    QString error;
    if (!server.open(&error)) {
        std::fprintf(stderr, "corvane-lock-sim: %s\n", qPrintable(error));
        return 1;
    }
    if (!link.isEmpty()) {
        QFile::remove(link);
        if (!QFile::link(server.devicePath(), link)) {
            std::fprintf(stderr, "corvane-lock-sim: cannot make the link %s\n", qPrintable(link));
            return 1;
        }
    }
    Say(server.devicePath());
    Say(scene);

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGHUP, OnSignal);

    bool watchInput = true;
    QByteArray input;
    int status = 0;
    while (!g_quit) {
        if (idle)
            idle();
        pollfd fds[2] = { { server.fd(), POLLIN, 0 }, { STDIN_FILENO, POLLIN, 0 } };
        const int ready = ::poll(fds, watchInput ? 2 : 1, 100);
        if (ready < 0)
            continue; // a signal
        if (!server.serve()) {
            const QString reason = hungUp();
            Say(reason.isEmpty() ? QStringLiteral("the terminal failed") : reason);
            status = reason.isEmpty() ? 1 : 0;
            break;
        }
        if (watchInput && (fds[1].revents & (POLLIN | POLLHUP))) {
            char buffer[256];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) {
                watchInput = false; // no more commands; go on serving
                continue;
            }
            input.append(buffer, int(n));
            int end;
            bool quit = false;
            while (!quit && (end = input.indexOf('\n')) >= 0) {
                quit = !command(QString::fromUtf8(input.left(end)));
                input.remove(0, end + 1);
            }
            if (quit)
                break;
        }
    }
    if (!link.isEmpty())
        QFile::remove(link);
    return status;
}

// Serves a capture; the exit status says whether the program asked for exactly what it holds.
int Replay(const QString& file, PtyServer::Pace pace, const QString& link)
{
    capture::Capture captured;
    QString error;
    if (!capture::Load(file, captured, &error)) {
        std::fprintf(stderr, "corvane-lock-sim: %s\n", qPrintable(error));
        return 1;
    }
    const QString scene = QStringLiteral("Replaying %1: %2 exchanges of %3 by %4, %5 pace. Type quit to end.")
                              .arg(file)
                              .arg(captured.exchanges.size())
                              .arg(captured.header.operation, captured.header.program, PaceName(pace));
    CaptureReplay replay(std::move(captured));
    bool hungUp = false;
    PtyServer server(
        [&](const QByteArray& request, int baud) {
            const bool differed = !replay.difference().isEmpty();
            const PtyServer::Reply reply = replay.reply(request, baud);
            if (!differed && !replay.difference().isEmpty()) {
                std::fprintf(stderr, "%s\n", qPrintable(replay.difference()));
                std::fflush(stderr);
            }
            hungUp = reply.hangUp;
            return reply;
        },
        pace);
    const auto summary = [&replay] {
        return QStringLiteral("%1 of %2 captured exchanges matched").arg(replay.matched()).arg(replay.captured());
    };
    const int status = Serve(
        server, link, scene,
        [&summary](const QString& line) {
            const QString verb = line.simplified();
            if (verb == QLatin1String("quit") || verb == QLatin1String("exit"))
                return false;
            if (verb == QLatin1String("status"))
                Say(summary());
            else if (verb == QLatin1String("help"))
                Say(QStringLiteral("  status                 how many captured exchanges matched so far\n"
                                   "  help                   this list\n"
                                   "  quit"));
            else if (!verb.isEmpty())
                Say(QStringLiteral("unknown command: %1 (a replay takes status, help and quit)").arg(verb));
            return true;
        },
        [&hungUp] { return hungUp ? QStringLiteral("hung up, as in the capture") : QString(); });
    Say(summary());
    return status != 0 || !replay.complete() ? 1 : 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    LockAudit lock = SampleLock();
    SimulatedInterface::Key key = SimulatedInterface::Key::Absent;
    PtyServer::Pace pace = PtyServer::Pace::Real;
    QString keypad = QStringLiteral("download");
    QString firmware;
    QString link;
    QStringList faults;
    bool usersLog = true;
    int autoFillMs = -1;
    QString replay;
    bool sceneGiven = false; // what --replay cannot take

    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        sceneGiven = sceneGiven
            || QStringList{ "--audit", "--key", "--keypad", "--firmware", "--no-users-log", "--fault", "--auto-fill" }.contains(a);
        const auto value = [&]() { return i + 1 < args.size() ? args.at(++i) : QString(); };
        QString v;
        QString error;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::printf("%s", qPrintable(Usage()));
            return 0;
        } else if (a == QLatin1String("--audit")) {
            if (!LoadLockAudit(value(), lock, &error)) {
                std::fprintf(stderr, "corvane-lock-sim: %s\n", qPrintable(error));
                return 1;
            }
        } else if (a == QLatin1String("--key") && KeyKinds().contains(v = value())) {
            key = KeyKinds().value(v);
        } else if (a == QLatin1String("--keypad") && QStringList{ "download", "normal", "absent" }.contains(v = value())) {
            keypad = v;
        } else if (a == QLatin1String("--firmware") && !(v = value()).isEmpty()) {
            firmware = v;
        } else if (a == QLatin1String("--auto-fill") && AutoFillDelay(value(), autoFillMs)) {
        } else if (a == QLatin1String("--no-users-log")) {
            usersLog = false;
        } else if (a == QLatin1String("--fault") && !(v = value()).isEmpty()) {
            faults << v;
        } else if (a == QLatin1String("--pace") && QStringList{ "real", "fast" }.contains(v = value())) {
            pace = v == QLatin1String("fast") ? PtyServer::Pace::Fast : PtyServer::Pace::Real;
        } else if (a == QLatin1String("--link") && !(v = value()).isEmpty()) {
            link = v;
        } else if (a == QLatin1String("--replay") && !(v = value()).isEmpty()) {
            replay = v;
        } else {
            std::fprintf(stderr, "corvane-lock-sim: bad option or value: %s\n\n%s", qPrintable(a), qPrintable(Usage()));
            return 2;
        }
    }

    if (!replay.isEmpty()) {
        if (sceneGiven) {
            std::fprintf(stderr, "corvane-lock-sim: --replay serves the capture alone; it takes only --pace and --link\n\n%s",
                         qPrintable(Usage()));
            return 2;
        }
        return Replay(replay, pace, link);
    }

    SimulatedInterface device(lock);
    device.setKey(key);
    device.setKeypadConnected(keypad != QLatin1String("absent"));
    device.setDownloadMode(keypad == QLatin1String("download"));
    device.setUsersLogSupported(usersLog);
    if (!firmware.isEmpty())
        device.setFirmwareVersion(firmware.toLatin1());
    for (const QString& fault : faults) {
        QString error;
        if (!device.addFault(fault, &error)) {
            std::fprintf(stderr, "corvane-lock-sim: %s\n\n%s", qPrintable(error), qPrintable(SimulatedInterface::faultHelp()));
            return 2;
        }
    }

    PtyServer server(device, pace);
    const QString scene = QStringLiteral("Simulated lock %1 (%2 events), keypad %3, key %4, %5 pace. Type help for commands.")
                              .arg(lock.name)
                              .arg(lock.eventCount())
                              .arg(keypad, KeyName(key), PaceName(pace));
    // The key goes to the lock once the program has stopped writing it.
    QElapsedTimer quiet;
    int requestsSeen = -1;
    const auto autoFill = [&] {
        if (device.key() != SimulatedInterface::Key::Request || device.requestCount() != requestsSeen) {
            requestsSeen = device.requestCount();
            quiet.start();
        } else if (quiet.elapsed() >= autoFillMs && device.lockFillsKey()) {
            Say(QStringLiteral("the lock wrote its audit into the key"));
        }
    };
    return Serve(server, link, scene, [&device](const QString& line) { return Command(line, device); },
                 [&device] { return device.hungUp() ? QStringLiteral("hung up, as the fault asked") : QString(); },
                 autoFillMs >= 0 ? std::function<void()>(autoFill) : std::function<void()>());
}
