#include "device/SerialTransport.h"

#include <QByteArray>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QStringList FilterUsbInterfacePorts(const QVector<SerialPortEntry>& ports)
{
    QStringList names;
    for (const SerialPortEntry& entry : ports) {
        if (entry.hasProductId && entry.productId == UsbInterfaceProductId)
            names.append(entry.name);
    }
    return names;
}

QStringList SimulatedPorts()
{
    const QString value = qEnvironmentVariable(SimulatedPortsVariable);
    return value.split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QStringList EnumPorts()
{
    QVector<SerialPortEntry> entries;
    const QList<QSerialPortInfo> available = QSerialPortInfo::availablePorts();
    entries.reserve(available.size());
    for (const QSerialPortInfo& info : available)
        entries.append({info.portName(), info.hasVendorIdentifier(), info.vendorIdentifier(),
                        info.hasProductIdentifier(), info.productIdentifier()});
    return FilterUsbInterfacePorts(entries) + SimulatedPorts();
}

bool OpenPort(QSerialPort* port, QString name, bool keyMode)
{
    port->setPortName(name);
    port->setBaudRate(keyMode ? KeyModeBaudRate : BusModeBaudRate, QSerialPort::AllDirections);
    port->setDataBits(QSerialPort::Data8);
    port->setFlowControl(QSerialPort::NoFlowControl);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setReadBufferSize(0);
    if (!port->open(QIODevice::ReadWrite))
        return false;
    port->setDataTerminalReady(keyMode);
    port->setRequestToSend(false);
    // Adapters without modem lines (pseudo-terminals among them) refuse the two line
    // signals but exchange data all the same; a stale error must not outlive the set-up.
    port->clearError();
    return true;
}

QString PortOpenProblem(const QString& name, const QSerialPort& port)
{
    const auto text = [](const char* words) { return QCoreApplication::translate("DeviceOperation", words); };
    // As the port itself takes a name: a path, or a device in /dev.
    const bool isPath = name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1String("./")) || name.startsWith(QLatin1String("../"));
    const QByteArray path = QFile::encodeName(isPath ? name : QStringLiteral("/dev/") + name);
    struct stat st;
    if (::stat(path.constData(), &st) != 0)
        return errno == ENOENT ? text(QT_TRANSLATE_NOOP("DeviceOperation", "no such device")) : qt_error_string(errno);
    if (!S_ISCHR(st.st_mode))
        return text(QT_TRANSLATE_NOOP("DeviceOperation", "not a serial port"));
    if (::access(path.constData(), R_OK | W_OK) != 0)
        return text(QT_TRANSLATE_NOOP("DeviceOperation", "no permission to use it"));
    if (port.error() == QSerialPort::PermissionError)
        return text(QT_TRANSLATE_NOOP("DeviceOperation", "in use by another program"));
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    const bool terminal = fd >= 0 && ::isatty(fd);
    if (fd >= 0)
        ::close(fd);
    if (fd >= 0 && !terminal)
        return text(QT_TRANSLATE_NOOP("DeviceOperation", "not a serial port"));
    return port.errorString();
}

// Errors after which the port cannot come back without being opened again.
static bool portLost(const QSerialPort* port)
{
    if (!port->isOpen())
        return true;
    switch (port->error()) {
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
        return true;
    default:
        return false;
    }
}

void ClosePort(QSerialPort* port)
{
    if (port->isOpen())
        port->close();
}

LinkReply Exchange(QSerialPort& port, const QByteArray& request, int capacity, const LinkPace& pace)
{
    LinkReply reply;
    if (portLost(&port)) {
        reply.status = LinkStatus::PortLost;
        return reply;
    }
    if (port.write(request) != request.size()) {
        reply.status = portLost(&port) ? LinkStatus::PortLost : LinkStatus::ShortWrite;
        return reply;
    }
    port.waitForBytesWritten(pace.writeDrainMs);

    if (!port.waitForReadyRead(pace.firstByteMs)) {
        reply.status = portLost(&port) ? LinkStatus::PortLost : LinkStatus::NoAnswer;
        return reply;
    }
    // A device that overruns the capacity is still read to its end, but what cannot be returned
    // is not kept.
    const int keepLimit = qMax(capacity, 0) + 1;
    QByteArray& received = reply.answer;
    received = port.readAll();
    qint64 total = received.size();
    while (port.waitForReadyRead(pace.silenceMs)) {
        const QByteArray more = port.readAll();
        total += more.size();
        if (received.size() < keepLimit)
            received += more;
    }
    if (received.size() > keepLimit)
        received.truncate(keepLimit);
    reply.status = total > capacity ? LinkStatus::AnswerTooLong : LinkStatus::Answered;
    return reply;
}

long long SendCommand(QSerialPort* port, unsigned char* request, long long requestLength, unsigned char* answer,
                      int answerCapacity)
{
    if (requestLength < 0 || requestLength > std::numeric_limits<int>::max() || (request == nullptr && requestLength > 0))
        return SendCommandShortWrite;
    const LinkReply reply = Exchange(
        *port, QByteArray(reinterpret_cast<const char*>(request), int(requestLength)), answerCapacity);
    switch (reply.status) {
    case LinkStatus::Answered:
        std::copy(reply.answer.begin(), reply.answer.end(), answer);
        return reply.answer.size();
    case LinkStatus::NoAnswer: return SendCommandNoAnswer;
    case LinkStatus::ShortWrite: return SendCommandShortWrite;
    case LinkStatus::AnswerTooLong: return SendCommandAnswerTooLong;
    case LinkStatus::PortLost: break;
    }
    return SendCommandPortLost;
}
