#include "app/UsersLogDialog.h"
#include "ui_UsersLogDialog.h"

#include "app/OperationDialogs.h"
#include "model/SettingsFile.h"
#include "model/UsersLog.h"
#include "view/Messages.h"

#include <QHeaderView>
#include <QThread>

#include <algorithm>

UsersLogDialog::UsersLogDialog(QWidget* parent, int portIndex, QString portName, unsigned char* records)
    : QDialog(parent), ui(new Ui::UsersLogDialog), m_portIndex(portIndex), m_portName(std::move(portName)),
      m_records(records)
{
    ui->setupUi(this);
    m_display = SettingsFile::read().display;
    SetupTable();
    startWorker();
}

UsersLogDialog::~UsersLogDialog()
{
    delete ui;
}

void UsersLogDialog::SetupTable()
{
    ui->tableWidget->setColumnCount(3);
    ui->tableWidget->setHorizontalHeaderLabels(UsersLogHeaders());
    for (int c = 0; c < 3; ++c)
        ui->tableWidget->setColumnWidth(c, 150);
    ui->tableWidget->horizontalHeader()->setStretchLastSection(true);
}

void UsersLogDialog::startWorker()
{
    m_result = false;
    auto* thread = new QThread();
    auto* worker = new UsersLogWorker(unsigned(m_portIndex), m_portName, m_records, &m_result);
    m_stop = worker->stopFlag();
    worker->setLinkFactory(WindowLinks(parentWidget()));
    worker->moveToThread(thread);
    connect(thread, &QThread::started, worker, &UsersLogWorker::doWork);
    connect(worker, &UsersLogWorker::finished, thread, &QThread::quit);
    connect(worker, &UsersLogWorker::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(worker, &UsersLogWorker::finished, this, &UsersLogDialog::workerFinished);
    connect(worker, &UsersLogWorker::updateProgress, this, &UsersLogDialog::updateProgress);
    connect(worker, &UsersLogWorker::setProgress, this, &UsersLogDialog::setProgress);
    connect(worker, &UsersLogWorker::ErrorCritical, this, &UsersLogDialog::ErrorCritical);
    connect(worker, &UsersLogWorker::ErrorInformation, this, &UsersLogDialog::ErrorInformation);
    connect(worker, &UsersLogWorker::logDownloaded, this, [this](const QByteArray& records, const QString& serial) {
        std::copy(records.begin(), records.begin() + std::min(int(records.size()), userslog::RecordCount * userslog::RecordSize),
                  m_records);
        m_serial = serial;
        m_downloadedAt = QDateTime::currentDateTime();
        m_result = true;
    });
    m_running = true;
    thread->start();
}

void UsersLogDialog::workerFinished()
{
    m_running = false;
    if (m_exitRequested) {
        close();
        return;
    }
    if (m_result)
        ProcessLog();
}

void UsersLogDialog::ProcessLog()
{
    const QVector<UsersLogRow> rows = UsersLogRows(m_records, m_display);
    QTableWidget* table = ui->tableWidget;
    for (const UsersLogRow& row : rows) {
        const int r = table->rowCount();
        table->insertRow(r);
        table->setItem(r, 0, new QTableWidgetItem(row.user));
        table->setItem(r, 1, new QTableWidgetItem(row.installedBy));
        table->setItem(r, 2, new QTableWidgetItem(row.date));
    }
}

void UsersLogDialog::updateProgress(int progress)
{
    ui->progressBar->setValue(progress);
}

void UsersLogDialog::setProgress(bool set)
{
    ui->progressBar->setMaximum(set ? 100 : 0);
}

void UsersLogDialog::ErrorCritical(QString message)
{
    // After Exit the user has left: an exchange that was under way when they did says nothing.
    if (!m_exitRequested)
        Messages::critical(message);
}

void UsersLogDialog::ErrorInformation(QString message)
{
    Messages::information(message);
}

void UsersLogDialog::on_btnExit_clicked()
{
    if (!m_running) {
        close();
        return;
    }
    // The worker writes into this dialog's result flag: it goes once the worker has finished.
    m_exitRequested = true;
    m_stop->store(true);
}

void UsersLogDialog::reject()
{
    if (m_running)
        on_btnExit_clicked();
    else
        QDialog::reject();
}
