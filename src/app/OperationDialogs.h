#pragma once

#include "operations/Workers.h"

#include <QDialog>
#include <QThread>

#include <array>
#include <memory>

namespace Ui {
class ProgressDialog;
}

// The links a window's device operations open their ports through: serial ports, unless the
// window was given others (its tests give it a simulated interface in memory). They go with the
// window. The dialogs take those of the window they are opened on.
void SetWindowLinks(QWidget* window, std::shared_ptr<const LinkFactory> links);
std::shared_ptr<const LinkFactory> WindowLinks(const QWidget* widget);

// The progress dialog every device operation runs under: it starts the operation's worker on
// a thread of its own from its constructor, shows the worker's progress, texts and messages,
// and stays open until the worker has finished, whatever the user does meanwhile.
class OperationDialog : public QDialog
{
    Q_OBJECT
public:
    ~OperationDialog() override;

    bool workerRunning() const { return m_running; }

public slots:
    void workerFinished();
    void updateProgress(int progress);
    void setProgress(bool set);
    void ErrorCritical(QString message);
    void ErrorInformation(QString message);
    void SetText(QString message, bool isError);
    void on_buttonCancel_clicked();
    // The window's close control and Escape act as Cancel while the worker runs: the worker
    // still writes into the caller's buffers, so the dialog may close only once it has finished.
    void reject() override;

protected:
    explicit OperationDialog(QWidget* parent);

    // The thread and the frame's connections, in the order every dialog makes them; the
    // caller adds the message and text connections of its worker, then calls run().
    QThread* prepareWorker(OperationWorker* worker);
    void run(QThread* thread);
    // What the dialog does once its worker has finished; by default it closes.
    virtual void afterWorker();

    Ui::ProgressDialog* ui;

private:
    StopFlag m_stop;
    bool m_running = false;
};

// Reads a Dallas audit key into the caller's image buffer; `done` is set when it was read whole.
class ReadDallasDialog : public OperationDialog
{
    Q_OBJECT
public:
    ReadDallasDialog(QWidget* parent, QString portName, unsigned char* image, int pageCount, bool* done);

public slots:
    void ErrorInformation(QString message, bool done);

private:
    void startWorker();
    void imageRead(const QByteArray& image);

    QString m_portName;
    unsigned char* m_image;
    int m_pageCount;
    bool* m_done;
};

// Writes the request image into a Dallas audit key.
class WriteDallasDialog : public OperationDialog
{
    Q_OBJECT
public:
    WriteDallasDialog(QWidget* parent, QString portName, unsigned char* image, int pageCount);

private:
    void startWorker();

    QString m_portName;
    unsigned char* m_image;
    int m_pageCount;
};

// Downloads the lock's audit into the session's bus buffers; accepted when it succeeded. A
// download that failed or was cancelled after reading events leaves what it read in the buffers
// as a partial audit: rejected, with partialEvents() above 0.
class DownloadAuditDialog : public OperationDialog
{
    Q_OBJECT
public:
    DownloadAuditDialog(QWidget* parent, int portIndex, QString portName, unsigned char* version, unsigned char* report,
                        unsigned char* status, unsigned char* configuration, unsigned char* events,
                        unsigned char* dateTimeTable, int eventCount);
    // The download of what is new since the last visit: it stops at the lock's archived events.
    DownloadAuditDialog(QWidget* parent, int portIndex, QString portName, unsigned char* version, unsigned char* report,
                        unsigned char* status, unsigned char* configuration, unsigned char* events,
                        unsigned char* dateTimeTable, int eventCount, operations::ArchivedEvents archived);

    // The events of a partial audit in the buffers; 0 after a whole one or none.
    int partialEvents() const { return m_partialEvents; }

private:
    void startWorker();
    void afterWorker() override;
    void fill(const BusDump& dump);

    int m_portIndex;
    QString m_portName;
    std::array<unsigned char*, 6> m_buffers; // version, report, status, configuration, events, date/time table
    int m_eventCount;
    operations::ArchivedEvents m_archived;
    bool m_result = false;
    int m_partialEvents = 0;
};
