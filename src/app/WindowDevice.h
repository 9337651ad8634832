#pragma once

#include "model/AuditView.h"
#include "operations/DeviceOperations.h"

#include <QObject>
#include <QStringList>

#include <array>

class MainWindow;
class QComboBox;
class QDialog;
class QWidget;
class WindowArchive;

// Without the help button Qt puts on dialogs, with the window's icon.
void PrepareDialog(QDialog* dialog, const QWidget& owner);

// The window's side of the lock system: the interfaces found, a key read and prepared, a download
// whole or of what is new, the users log; each through its operation's dialog. What a lock gave
// is handed to the window to show and keep.
class WindowDevice : public QObject
{
    Q_OBJECT
public:
    WindowDevice(MainWindow& window, QComboBox& ports, WindowArchive& archive);
    ~WindowDevice() override;

    // The interfaces there now; the one chosen stays chosen while it is there.
    void refresh();
    void readKey();
    void writeKey();
    // After the lock is chosen, as many events as the user asked.
    void download();
    // What is new since the archive's last visit, as `archived` tells it.
    void downloadNew(const operations::ArchivedEvents& archived);
    void usersLog();

private:
    bool findInterface(bool refresh);
    QString selectedPort() const;
    void download(int eventCount, const operations::ArchivedEvents& archived);
    void warnCaptureOff(const QString& message);

    MainWindow& m_window;
    QComboBox& m_box;
    WindowArchive& m_archive;
    QStringList m_ports;
    // A key is prepared from a buffer of its own, so the audit on display keeps its raw data.
    std::array<quint8, AuditSession::DallasImageSize> m_requestImage{};
    std::array<quint8, 1024> m_usersLog{};
    bool m_captureWarned = false;
};
