#include "app/OperationDialogs.h"
#include "ui_ProgressDialog.h"

#include "device/SerialLink.h"
#include "view/Messages.h"

#include <QVariant>

#include <algorithm>

namespace {

using Links = std::shared_ptr<const LinkFactory>;
constexpr char LinksProperty[] = "corvaneDeviceLinks";

} // namespace

Q_DECLARE_METATYPE(Links)

void SetWindowLinks(QWidget* window, std::shared_ptr<const LinkFactory> links)
{
    window->setProperty(LinksProperty, QVariant::fromValue(Links(std::move(links))));
}

std::shared_ptr<const LinkFactory> WindowLinks(const QWidget* widget)
{
    const Links links = widget ? widget->window()->property(LinksProperty).value<Links>() : Links();
    return links ? links : std::make_shared<SerialLinkFactory>();
}

OperationDialog::OperationDialog(QWidget* parent) : QDialog(parent), ui(new Ui::ProgressDialog)
{
    ui->setupUi(this);
    ui->progressBar->setMaximum(0);
    ui->progressBar->setVisible(true);
    ui->labelError->hide();
}

OperationDialog::~OperationDialog()
{
    delete ui;
}

QThread* OperationDialog::prepareWorker(OperationWorker* worker)
{
    auto* thread = new QThread();
    m_stop = worker->stopFlag();
    worker->setLinkFactory(WindowLinks(parentWidget()));
    worker->moveToThread(thread);
    connect(thread, &QThread::started, worker, &OperationWorker::doWork);
    connect(worker, &OperationWorker::finished, thread, &QThread::quit);
    connect(worker, &OperationWorker::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(worker, &OperationWorker::finished, this, &OperationDialog::workerFinished);
    connect(worker, &OperationWorker::updateProgress, this, &OperationDialog::updateProgress);
    connect(worker, &OperationWorker::setProgress, this, &OperationDialog::setProgress);
    connect(worker, &OperationWorker::ErrorCritical, this, &OperationDialog::ErrorCritical);
    return thread;
}

void OperationDialog::run(QThread* thread)
{
    m_running = true;
    thread->start();
}

void OperationDialog::workerFinished()
{
    m_running = false;
    afterWorker();
}

void OperationDialog::afterWorker()
{
    close();
}

void OperationDialog::updateProgress(int progress)
{
    ui->progressBar->setValue(progress);
}

void OperationDialog::setProgress(bool set)
{
    ui->progressBar->setMaximum(set ? 100 : 0);
}

void OperationDialog::SetText(QString message, bool isError)
{
    ui->labelWaitingDallas->setText(message);
    ui->progressBar->setVisible(!isError);
    ui->labelError->setVisible(isError);
}

void OperationDialog::ErrorCritical(QString message)
{
    Messages::critical(message);
}

void OperationDialog::ErrorInformation(QString message)
{
    Messages::information(message);
}

void OperationDialog::on_buttonCancel_clicked()
{
    if (m_stop)
        m_stop->store(true);
}

void OperationDialog::reject()
{
    if (m_running) {
        on_buttonCancel_clicked();
        return;
    }
    QDialog::reject();
}

// ---- key reading

ReadDallasDialog::ReadDallasDialog(QWidget* parent, QString portName, unsigned char* image, int pageCount, bool* done)
    : OperationDialog(parent), m_portName(std::move(portName)), m_image(image), m_pageCount(pageCount), m_done(done)
{
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(420, 160);
    startWorker();
}

void ReadDallasDialog::startWorker()
{
    auto* worker = new ReadDallasWorker(m_portName, m_image, m_pageCount);
    QThread* thread = prepareWorker(worker);
    connect(worker, &ReadDallasWorker::imageRead, this, &ReadDallasDialog::imageRead);
    connect(worker, &ReadDallasWorker::ErrorInformation, this, &ReadDallasDialog::ErrorInformation);
    connect(worker, &ReadDallasWorker::SetText, this, &OperationDialog::SetText);
    run(thread);
}

void ReadDallasDialog::imageRead(const QByteArray& image)
{
    const int size = std::min(int(image.size()), qBound(0, m_pageCount, wire::DallasPageCount) * wire::DallasPageSize);
    std::copy(image.begin(), image.begin() + size, m_image);
}

void ReadDallasDialog::ErrorInformation(QString message, bool done)
{
    Messages::information(message);
    *m_done = done;
}

// ---- key creation

WriteDallasDialog::WriteDallasDialog(QWidget* parent, QString portName, unsigned char* image, int pageCount)
    : OperationDialog(parent), m_portName(std::move(portName)), m_image(image), m_pageCount(pageCount)
{
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(420, 160);
    startWorker();
}

void WriteDallasDialog::startWorker()
{
    auto* worker = new WriteDallasWorker(m_portName, m_image, m_pageCount);
    QThread* thread = prepareWorker(worker);
    connect(worker, &WriteDallasWorker::ErrorInformation, this, &OperationDialog::ErrorInformation);
    connect(worker, &WriteDallasWorker::SetText, this, &OperationDialog::SetText);
    run(thread);
}

// ---- audit download

DownloadAuditDialog::DownloadAuditDialog(QWidget* parent, int portIndex, QString portName, unsigned char* version,
                                         unsigned char* report, unsigned char* status, unsigned char* configuration,
                                         unsigned char* events, unsigned char* dateTimeTable, int eventCount)
    : DownloadAuditDialog(parent, portIndex, std::move(portName), version, report, status, configuration, events,
                          dateTimeTable, eventCount, {})
{
}

DownloadAuditDialog::DownloadAuditDialog(QWidget* parent, int portIndex, QString portName, unsigned char* version,
                                         unsigned char* report, unsigned char* status, unsigned char* configuration,
                                         unsigned char* events, unsigned char* dateTimeTable, int eventCount,
                                         operations::ArchivedEvents archived)
    : OperationDialog(parent), m_portIndex(portIndex), m_portName(std::move(portName)),
      m_buffers{ version, report, status, configuration, events, dateTimeTable }, m_eventCount(eventCount),
      m_archived(std::move(archived))
{
    startWorker();
}

void DownloadAuditDialog::startWorker()
{
    m_result = false;
    auto* worker = new DownloadAuditWorker(unsigned(m_portIndex), m_portName, m_buffers[0], m_buffers[1], m_buffers[2],
                                           m_buffers[3], m_buffers[4], m_buffers[5], m_eventCount, &m_result);
    worker->setArchivedEvents(m_archived);
    QThread* thread = prepareWorker(worker);
    connect(worker, &DownloadAuditWorker::auditDownloaded, this, [this](const BusDump& dump) {
        fill(dump);
        m_result = true;
    });
    connect(worker, &DownloadAuditWorker::auditPartial, this, [this](const BusDump& dump) {
        fill(dump);
        m_partialEvents = dump.events.size() / wire::BusRecordSize;
    });
    connect(worker, &DownloadAuditWorker::ErrorInformation, this, &OperationDialog::ErrorInformation);
    connect(worker, &DownloadAuditWorker::SetText, this, &OperationDialog::SetText);
    run(thread);
}

void DownloadAuditDialog::fill(const BusDump& dump)
{
    const auto into = [](const auto& block, unsigned char* buffer) { std::copy(block.begin(), block.end(), buffer); };
    into(dump.version, m_buffers[0]);
    into(dump.report, m_buffers[1]);
    into(dump.status, m_buffers[2]);
    into(dump.configuration, m_buffers[3]);
    into(dump.dateTimeTable, m_buffers[5]);
    // The buffer holds the most a download asks for; the records after these stay as they were.
    const int size = std::min(int(dump.events.size()), wire::BusDownloadLimit * wire::BusRecordSize);
    std::copy(dump.events.begin(), dump.events.begin() + size, m_buffers[4]);
}

void DownloadAuditDialog::afterWorker()
{
    if (m_result)
        accept();
    else
        reject();
    close();
}
