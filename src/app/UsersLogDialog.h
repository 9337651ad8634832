#pragma once

#include "model/EventRows.h"
#include "operations/Workers.h"

#include <QDateTime>
#include <QDialog>

namespace Ui {
class UsersLogDialog;
}

// Downloads the users log into the caller's records buffer and shows it; stays open until Exit.
class UsersLogDialog : public QDialog
{
    Q_OBJECT
public:
    UsersLogDialog(QWidget* parent, int portIndex, QString portName, unsigned char* records);
    ~UsersLogDialog() override;

    bool workerRunning() const { return m_running; }
    // Whether the whole log came, into the caller's buffer; then the lock it came from (its serial
    // number, empty when it named none) and when.
    bool downloaded() const { return m_result; }
    QString serial() const { return m_serial; }
    QDateTime downloadedAt() const { return m_downloadedAt; }

public slots:
    void workerFinished();
    void updateProgress(int progress);
    void setProgress(bool set);
    void ErrorCritical(QString message);
    void ErrorInformation(QString message);
    void on_btnExit_clicked();
    // Escape and the close control while the log downloads: as Exit.
    void reject() override;

private:
    void SetupTable();
    void startWorker();
    void ProcessLog();

    Ui::UsersLogDialog* ui;
    int m_portIndex;
    QString m_portName;
    unsigned char* m_records;
    DisplaySettings m_display;
    QString m_serial;
    QDateTime m_downloadedAt;
    bool m_result = false;
    bool m_running = false;
    bool m_exitRequested = false;
    StopFlag m_stop;
};
