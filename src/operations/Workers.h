#pragma once

#include "DeviceOperations.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

using Operation = std::function<OperationOutcome(DeviceLink&)>;

// Opens `portName` in bus mode (4800 baud) or key mode (19200 baud, data-terminal-ready on),
// runs the operation over it and closes it again; "Unable to open USB interface" when it
// does not open. What every worker does on its thread, and the command line in the foreground.
OperationOutcome RunOnSerialPort(const QString& portName, bool keyMode, const Operation& operation);

// Where the workers run their operation: RunOnSerialPort unless something else is installed,
// as the window's tests do to put a simulated interface in memory behind the port names.
using LinkProvider = std::function<OperationOutcome(const QString& portName, bool keyMode, const Operation&)>;
void SetLinkProvider(LinkProvider provider);

// The stop flag a worker polls between exchanges. The dialog keeps a share of it, so that a
// late Cancel never reaches a worker that has already gone.
using StopFlag = std::shared_ptr<std::atomic_bool>;

// Reads a Dallas audit key into the session's image buffer.
class ReadDallasWorker : public QObject
{
    Q_OBJECT
public:
    ReadDallasWorker(QString portName, unsigned char* image, int pageCount);
    StopFlag stopFlag() const { return m_stop; }

signals:
    void updateProgress(int progress);
    void setProgress(bool set);
    void finished();
    void ErrorCritical(QString message);
    void ErrorInformation(QString message, bool done);
    void SetText(QString message, bool isError);

public slots:
    void doWork();
    void stopWork();

private:
    QString m_portName;
    unsigned char* m_image;
    int m_pageCount;
    StopFlag m_stop;
};

// Writes the request image into a Dallas audit key.
class WriteDallasWorker : public QObject
{
    Q_OBJECT
public:
    WriteDallasWorker(QString portName, unsigned char* image, int pageCount);
    StopFlag stopFlag() const { return m_stop; }

signals:
    void updateProgress(int progress);
    void setProgress(bool set);
    void finished();
    void ErrorCritical(QString message);
    void ErrorInformation(QString message);
    void SetText(QString message, bool isError);

public slots:
    void doWork();
    void stopWork();

private:
    QString m_portName;
    unsigned char* m_image;
    int m_pageCount;
    StopFlag m_stop;
};

// Downloads the lock's audit over the bus into the session's six bus buffers.
class DownloadAuditWorker : public QObject
{
    Q_OBJECT
public:
    DownloadAuditWorker(unsigned int portIndex, QString portName, unsigned char* version, unsigned char* report,
                        unsigned char* status, unsigned char* configuration, unsigned char* events,
                        unsigned char* dateTimeTable, int eventCount, bool* result);
    StopFlag stopFlag() const { return m_stop; }
    int eventCount() const { return m_eventCount; }

signals:
    void updateProgress(int progress);
    void setProgress(bool set);
    void finished();
    void ErrorCritical(QString message);
    void ErrorInformation(QString message);
    void SetText(QString message, bool isError);

public slots:
    void doWork();
    void stopWork();

private:
    unsigned int m_portIndex;
    QString m_portName;
    DownloadBuffers m_buffers;
    int m_eventCount;
    bool* m_result;
    StopFlag m_stop;
};

// Downloads the users log over the bus into the window's records buffer.
class UsersLogWorker : public QObject
{
    Q_OBJECT
public:
    UsersLogWorker(unsigned int portIndex, QString portName, unsigned char* records, bool* result);
    StopFlag stopFlag() const { return m_stop; }

signals:
    void updateProgress(int progress);
    void setProgress(bool set);
    void finished();
    void ErrorCritical(QString message);
    void ErrorInformation(QString message);

public slots:
    void doWork();
    void stopWork();

private:
    unsigned int m_portIndex;
    QString m_portName;
    unsigned char* m_records;
    bool* m_result;
    StopFlag m_stop;
};
