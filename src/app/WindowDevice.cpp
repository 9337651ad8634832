#include "app/WindowDevice.h"

#include "app/MainWindow.h"
#include "app/OperationDialogs.h"
#include "app/SelectLockDialog.h"
#include "app/UsersLogDialog.h"
#include "app/WindowArchive.h"
#include "device/SerialTransport.h"
#include "model/DallasRequest.h"
#include "model/SettingsFile.h"
#include "model/UsersLog.h"
#include "view/Messages.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>

namespace {

// The window's own texts.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};

} // namespace

void PrepareDialog(QDialog* dialog, const QWidget& owner)
{
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    dialog->setWindowIcon(owner.windowIcon());
}

WindowDevice::WindowDevice(MainWindow& window, QComboBox& ports, WindowArchive& archive)
    : QObject(&window), m_window(window), m_box(ports), m_archive(archive)
{
    m_ports = EnumPorts();
    m_box.addItems(m_ports);
    // A technician asked for captures of what the program says to the locks.
    SetCaptureFolder(qEnvironmentVariable(CaptureFolderVariable), [this](const QString& message) {
        QMetaObject::invokeMethod(this, [this, message] { warnCaptureOff(message); }, Qt::QueuedConnection);
    });
}

WindowDevice::~WindowDevice() { SetCaptureFolder(QString(), nullptr); }

void WindowDevice::refresh()
{
    const QString chosen = selectedPort();
    m_ports = EnumPorts();
    m_box.clear();
    m_box.addItems(m_ports);
    m_box.setCurrentIndex(qMax(0, m_ports.indexOf(chosen)));
}

bool WindowDevice::findInterface(bool refresh)
{
    // Every operation refreshes first, but the users log: it takes the list as it was last filled.
    if (refresh)
        this->refresh();
    if (!m_ports.isEmpty())
        return true;
    Messages::critical(Text::tr("Unable to find any USB interface"), &m_window);
    return false;
}

QString WindowDevice::selectedPort() const { return m_ports.value(m_box.currentIndex(), m_ports.value(0)); }

void WindowDevice::warnCaptureOff(const QString& message)
{
    if (m_captureWarned)
        return;
    m_captureWarned = true;
    Messages::warning(message, &m_window);
}

void WindowDevice::readKey()
{
    if (!findInterface(true))
        return;
    AuditSession& s = m_window.session();
    s.busAudit = false;
    m_window.ResetContent(true);
    bool done = false;
    ReadDallasDialog dialog(&m_window, selectedPort(), s.dallasImage.data(), AuditSession::DallasPages, &done);
    PrepareDialog(&dialog, m_window);
    dialog.exec();
    if (done && m_window.ShowObtainedAudit())
        m_window.keepInArchive(AuditKind::DallasKey, false);
}

void WindowDevice::writeKey()
{
    if (!findInterface(true))
        return;
    if (!Messages::question(
            Text::tr("Warning: this operation will delete all data in Dallas key. Do you want to proceed?"), &m_window))
        return;
    AuditSession& s = m_window.session();
    s.dallasPageCount = AuditSession::DallasPages;
    BuildRequestImage(m_requestImage.data());
    WriteDallasDialog dialog(&m_window, selectedPort(), m_requestImage.data(), int(s.dallasPageCount));
    PrepareDialog(&dialog, m_window);
    dialog.exec();
}

void WindowDevice::download()
{
    if (!findInterface(true))
        return;
    // As it always did: the session is emptied before the lock is chosen.
    AuditSession& s = m_window.session();
    s.dallasImage.fill(0);
    s.busAudit = true;
    m_window.ResetContent(true);
    int eventCount = 0;
    SelectLockDialog select(&m_window, &eventCount);
    PrepareDialog(&select, m_window);
    if (select.exec() == QDialog::Accepted)
        download(eventCount, {});
}

void WindowDevice::downloadNew(const operations::ArchivedEvents& archived)
{
    if (findInterface(true))
        download(wire::BusDownloadLimit, archived);
}

void WindowDevice::download(int eventCount, const operations::ArchivedEvents& archived)
{
    AuditSession& s = m_window.session();
    s.dallasImage.fill(0);
    s.busAudit = true;
    m_window.ResetContent(true);
    std::unique_ptr<DownloadAuditDialog> dialog(
        archived ? new DownloadAuditDialog(&m_window, m_box.currentIndex(), selectedPort(), s.busVersion.data(),
                                           s.busReport.data(), s.busStatus.data(), s.busConfig.data(),
                                           s.busEvents.data(), s.busDateTimeTable.data(), eventCount, archived)
                 : new DownloadAuditDialog(&m_window, m_box.currentIndex(), selectedPort(), s.busVersion.data(),
                                           s.busReport.data(), s.busStatus.data(), s.busConfig.data(),
                                           s.busEvents.data(), s.busDateTimeTable.data(), eventCount));
    PrepareDialog(dialog.get(), m_window);
    // What was read before a failure or Cancel is shown and kept too, marked as partial.
    const bool whole = dialog->exec() == QDialog::Accepted;
    if (!whole && dialog->partialEvents() == 0)
        return;
    s.downloadTime = QDateTime::currentDateTime();
    // A download of what is new only counts once it is joined to the lock's history: kept whatever
    // the settings say.
    if (m_window.ShowObtainedAudit()) {
        if (!whole)
            m_window.markPartial(dialog->partialEvents());
        m_window.keepInArchive(AuditKind::BusDownload, false, bool(archived));
    }
}

void WindowDevice::usersLog()
{
    if (!findInterface(false))
        return;
    m_usersLog.fill(0);
    UsersLogDialog dialog(&m_window, m_box.currentIndex(), selectedPort(), m_usersLog.data());
    PrepareDialog(&dialog, m_window);
    dialog.exec();
    // Its installation days are what the People dialog offers as the From of a new tenure; kept
    // when the settings keep what is obtained.
    if (dialog.downloaded() && SettingsFile::read().archiveAudits)
        m_archive.keepUsersLog(dialog.serial(), dialog.downloadedAt(),
                               QByteArray(reinterpret_cast<const char*>(m_usersLog.data()),
                                          userslog::RecordCount * userslog::RecordSize));
}
