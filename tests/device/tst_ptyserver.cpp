// The simulator's pseudo-terminal at the line's pace, read as the program's port reads it: an
// answer comes whole, no sooner than the line would have brought its last byte.

#include "device/LinePace.h"
#include "sim/PtyServer.h"
#include "sim/SimulatedInterface.h"

#include <QElapsedTimer>
#include <QtTest>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

class TestPtyServer : public QObject
{
    Q_OBJECT

private slots:
    // Written in pieces, an answer had gaps: a pause of the simulator's process between two of
    // them longer than the program's silence cut it in two, and the program read a record too
    // short, then one not starting as a record: "Communication error". Whole, it cannot be cut.
    void answerComesWhole_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("answerBytes");
        QTest::newRow("an event record") << QByteArray::fromHex("01066D0000DF") << 13;
        QTest::newRow("the report") << QByteArray::fromHex("0104232E") << 160;
    }
    void answerComesWhole()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, answerBytes);
        SimulatedInterface device;
        PtyServer server(device, PtyServer::Pace::Real);
        QString error;
        QVERIFY2(server.open(&error), qPrintable(error));
        std::atomic_bool done { false };
        std::thread serving([&] {
            while (!done) {
                pollfd ready { server.fd(), POLLIN, 0 };
                ::poll(&ready, 1, 20);
                server.serve();
            }
        });
        // The program's side: raw, at the bus's speed, which the server reads back.
        const int port = ::open(server.devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        termios settings {};
        ::tcgetattr(port, &settings);
        ::cfmakeraw(&settings);
        ::cfsetispeed(&settings, B4800);
        ::cfsetospeed(&settings, B4800);
        ::tcsetattr(port, TCSANOW, &settings);

        QElapsedTimer timer;
        timer.start();
        const bool written = ::write(port, request.constData(), size_t(request.size())) == request.size();
        QByteArray answer;
        int reads = 0; // each as soon as bytes are there
        while (written && answer.size() < answerBytes && timer.elapsed() < 5000) {
            pollfd ready { port, POLLIN, 0 };
            char bytes[512];
            if (::poll(&ready, 1, 100) > 0) {
                const ssize_t n = ::read(port, bytes, sizeof bytes);
                if (n > 0)
                    answer.append(bytes, int(n)), ++reads;
            }
        }
        const qint64 elapsedMs = timer.elapsed();
        done = true;
        serving.join();
        ::close(port);

        QVERIFY(written);
        QCOMPARE(answer.size(), answerBytes);
        QVERIFY2(reads == 1, qPrintable(QString("%1 pieces").arg(reads)));
        // Not before the line could have carried the request and the answer.
        QVERIFY(elapsedMs >= qint64(request.size() + answerBytes) * 10 * 1000 / BusModeBaudRate);
    }
};

QTEST_GUILESS_MAIN(TestPtyServer)
#include "tst_ptyserver.moc"
