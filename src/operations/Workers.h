#pragma once

#include "operations/DeviceOperations.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class CaptureWriter;

using Operation = std::function<OperationOutcome(DeviceLink&)>;

// Opens `portName` through `links` in bus mode (4800 baud) or key mode (19200 baud,
// data-terminal-ready on), runs the operation over it and closes it again; "Unable to open USB
// interface" when it does not open, with the port and why in the detail. What every worker does on
// its thread, and the command line in the foreground. With an open capture, the line settings,
// every exchange and the end go there.
OperationOutcome RunOperation(const LinkFactory& links, const QString& portName, bool keyMode,
                              const Operation& operation, CaptureWriter* capture = nullptr);

// The names the captures give the operations, as the command line's commands.
namespace operationname {
constexpr const char ReadKey[] = "read-key";
constexpr const char WriteKey[] = "write-key";
constexpr const char Download[] = "download";
constexpr const char UsersLog[] = "users-log";
}

// The folder where the window keeps a capture of every operation, when set.
constexpr const char CaptureFolderVariable[] = "CORVANE_AUDIT_CAPTURE";

// Where the workers keep a capture of each run: a file of its own in `folder`, named by the
// time and the operation (see CaptureFileName); none while `folder` is empty. A capture that
// cannot be written stops nothing: the run goes on without it, and `unwritable` gets the
// warning to show, on the worker's thread.
using CaptureWarning = std::function<void(const QString& message)>;
void SetCaptureFolder(const QString& folder, CaptureWarning unwritable);

// "20261207-101502-download.capture"; `attempt` 2 and on add "-2" and so on, for two runs
// within one second.
QString CaptureFileName(const QDateTime& at, const QString& operation, int attempt = 1);

// The warning that a capture is off, and why. Translated.
QString CaptureOffText(const QString& path, const QString& reason);

// The stop flag a worker polls between exchanges. The dialog keeps a share of it, so that a
// late Cancel never reaches a worker that has already gone.
using StopFlag = std::shared_ptr<std::atomic_bool>;

// What the four workers share: the stop flag, the links they open their port through, the run on
// their own thread, and the signals of progress, failure and end. A worker hands what it brought
// back by a signal carrying its value, ahead of its message; it never writes into its caller's
// buffers, whatever its constructor names: the dialog fills those from that signal. Each run ends
// with its message (if any), then finished() last.
class OperationWorker : public QObject
{
    Q_OBJECT
public:
    StopFlag stopFlag() const { return m_stop; }
    // Serial ports unless set; set before the worker starts.
    void setLinkFactory(std::shared_ptr<const LinkFactory> links) { m_links = std::move(links); }

signals:
    void updateProgress(int progress);
    void setProgress(bool set);
    void finished();
    void ErrorCritical(QString message);

public slots:
    void doWork();
    void stopWork();

protected:
    OperationWorker();
    // The operation, on the worker's thread.
    virtual void run() = 0;
    // Runs the operation over the worker's port, with its capture when the window keeps them.
    OperationOutcome runOnPort(const QString& portName, bool keyMode, const char* operationName, int events,
                               const Operation& operation);

    StopFlag m_stop;

private:
    std::shared_ptr<const LinkFactory> m_links;
};

// Reads a Dallas audit key.
class ReadDallasWorker : public OperationWorker
{
    Q_OBJECT
public:
    ReadDallasWorker(QString portName, unsigned char* image, int pageCount);

signals:
    void ErrorInformation(QString message, bool done);
    void SetText(QString message, bool isError);
    // The image read, on success, before its message.
    void imageRead(QByteArray image);

private:
    void run() override;

    QString m_portName;
    int m_pageCount;
};

// Writes the request image into a Dallas audit key.
class WriteDallasWorker : public OperationWorker
{
    Q_OBJECT
public:
    WriteDallasWorker(QString portName, unsigned char* image, int pageCount);

signals:
    void ErrorInformation(QString message);
    void SetText(QString message, bool isError);

private:
    void run() override;

    QString m_portName;
    QByteArray m_image; // taken when made: the caller's buffer is its own again
};

// Downloads the lock's audit over the bus.
class DownloadAuditWorker : public OperationWorker
{
    Q_OBJECT
public:
    DownloadAuditWorker(unsigned int portIndex, QString portName, unsigned char* version, unsigned char* report,
                        unsigned char* status, unsigned char* configuration, unsigned char* events,
                        unsigned char* dateTimeTable, int eventCount, bool* result);
    // Stop at the lock's archived events (asked on the worker's thread); before the worker starts.
    void setArchivedEvents(operations::ArchivedEvents archived) { m_archived = std::move(archived); }

signals:
    void ErrorInformation(QString message);
    void SetText(QString message, bool isError);
    // The audit downloaded, on success, before its message.
    void auditDownloaded(BusDump dump);
    // What was read before a failure or Cancel, when that is at least one event: a partial audit
    // (see operations::PartialEventCount). Before the message, which tells why it stopped and how
    // many events it read: critical after a failure, information after Cancel.
    void auditPartial(BusDump dump);

private:
    void run() override;

    QString m_portName;
    int m_eventCount;
    operations::ArchivedEvents m_archived;
};

// Downloads the users log over the bus.
class UsersLogWorker : public OperationWorker
{
    Q_OBJECT
public:
    UsersLogWorker(unsigned int portIndex, QString portName, unsigned char* records, bool* result);

signals:
    void ErrorInformation(QString message);
    // The 104 records and the serial number of the lock they came from (empty when it named none),
    // on success, before finished().
    void logDownloaded(QByteArray records, QString serial);

private:
    void run() override;

    QString m_portName;
};
