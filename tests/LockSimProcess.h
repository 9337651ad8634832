#pragma once

#include "device/LinePace.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

// corvane-lock-sim, run for a test: the simulated interface on a pseudo-terminal whose path it
// prints first, and whose scene the test changes through its standard input.
class LockSimProcess
{
public:
    // The pace to talk to it at where the line's pace is not what a test is about: it answers at
    // once, each answer written whole, so a few milliseconds of silence end an answer.
    static constexpr LinkPace QuickPace{ 1000, 800, 5 };

    explicit LockSimProcess(QStringList arguments)
    {
        m_process.setProgram(QStringLiteral(CORVANE_BINARY_DIR "/corvane-lock-sim"));
        m_process.setArguments(QStringList{ "--pace", "fast" } + arguments);
        m_process.start();
        // Two lines when it is ready: the path, then what it serves.
        QStringList lines;
        while (lines.size() < 2 && m_process.waitForReadyRead(5000))
            while (m_process.canReadLine())
                lines << QString::fromLocal8Bit(m_process.readLine()).trimmed();
        m_path = lines.value(0);
        qputenv("CORVANE_AUDIT_PORTS", m_path.toLocal8Bit());
    }

    ~LockSimProcess()
    {
        qunsetenv("CORVANE_AUDIT_PORTS");
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    QString path() const { return m_path; }

    // Ends it with "quit": what it printed from then on, on its standard output and on its
    // standard error, and its exit status (-1 when it did not end).
    struct Ended
    {
        QString out, err;
        int status = -1;
    };
    Ended quit()
    {
        m_process.write("quit\n");
        Ended ended;
        if (m_process.waitForFinished(5000) && m_process.exitStatus() == QProcess::NormalExit)
            ended.status = m_process.exitCode();
        ended.out = QString::fromLocal8Bit(m_process.readAllStandardOutput());
        ended.err = QString::fromLocal8Bit(m_process.readAllStandardError());
        return ended;
    }

    // Sends one command and waits for the simulator's answer line.
    QString command(const QByteArray& line)
    {
        m_process.readAll();
        m_process.write(line + '\n');
        m_process.waitForBytesWritten(2000);
        return m_process.waitForReadyRead(5000) ? QString::fromLocal8Bit(m_process.readAll()).trimmed() : QString();
    }

    // Waits for a line the simulator prints by itself.
    bool waitForLine(const QByteArray& text, int ms = 10000)
    {
        QByteArray seen;
        QElapsedTimer timer;
        timer.start();
        while (!seen.contains(text) && timer.elapsed() < ms) {
            m_process.waitForReadyRead(100);
            seen += m_process.readAll();
        }
        return seen.contains(text);
    }

private:
    QProcess m_process;
    QString m_path;
};
