#pragma once

#include "device/DeviceLink.h"
#include "model/CaptureFormat.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>

// Writes the capture of one operation: what the program says on the serial line and what it
// hears back. Each line goes to the file as it happens, flushed, so that a crash or a pulled
// cable keeps all that came before. It holds the traffic and nothing else: no port name, no
// setting of the program, nothing of the lock but the bytes it sent.
class CaptureWriter
{
public:
    // Creates the file (replacing one at `path` unless `keepExisting`) and writes the header;
    // the program and the start are filled in. False, with the reason, when it cannot.
    bool open(const QString& path, capture::Header header, bool keepExisting, QString* error);
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

    // The line settings as the program set them.
    void lineSettings(int baud, bool dtr);
    void request(const QByteArray& bytes);
    // What the exchange brought.
    void answer(const LinkReply& reply);
    // How the operation ended: done, failed or cancelled, and its message.
    void end(const QString& outcome, const QString& message);

    // A line could not be written once the file was open (a full disk, a folder gone): the
    // capture stops there. The reason, or empty.
    QString failure() const { return m_failure; }

    // "corvane-audit-cli 2.0.6.0": the running program and its version.
    static QString ProgramText();

private:
    void write(const QByteArray& line);

    QFile m_file;
    QElapsedTimer m_clock;
    QString m_failure;
};
