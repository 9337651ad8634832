#include "SerialTransport.h"

#include <QByteArray>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <cstring>

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
    const bool opened = port->open(QIODevice::ReadWrite);
    port->setDataTerminalReady(keyMode);
    port->setRequestToSend(false);
    // Adapters without modem lines (pseudo-terminals among them) refuse the two line
    // signals but exchange data all the same; a stale error must not outlive the set-up.
    if (opened)
        port->clearError();
    return opened;
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

long long SendCommand(QSerialPort* port, unsigned char* request, long long requestLength, unsigned char* answer,
                      int answerCapacity)
{
    return SendCommand(port, request, requestLength, answer, answerCapacity, nullptr);
}

long long SendCommand(QSerialPort* port, unsigned char* request, long long requestLength, unsigned char* answer,
                      int answerCapacity, QByteArray* receivedBytes)
{
    QByteArray kept;
    QByteArray& received = receivedBytes ? *receivedBytes : kept;
    received.clear();
    if (requestLength < 0 || (request == nullptr && requestLength > 0))
        return SendCommandShortWrite;
    if (portLost(port))
        return SendCommandPortLost;
    const qint64 written = port->write(reinterpret_cast<const char*>(request), requestLength);
    if (written != requestLength)
        return portLost(port) ? SendCommandPortLost : SendCommandShortWrite;
    port->waitForBytesWritten(WriteDrainTimeoutMs);

    if (!port->waitForReadyRead(FirstAnswerByteTimeoutMs))
        return portLost(port) ? SendCommandPortLost : SendCommandNoAnswer;
    // Silence ends the answer, whatever its length byte says. A device that overruns the
    // capacity is still read to its end, but what cannot be returned is not kept.
    const qint64 keepLimit = qint64(qMax(answerCapacity, 0)) + 1;
    received = port->readAll();
    qint64 total = received.size();
    while (port->waitForReadyRead(AnswerSilenceMs)) {
        const QByteArray more = port->readAll();
        total += more.size();
        if (received.size() < keepLimit)
            received += more;
    }
    if (received.size() > keepLimit)
        received.truncate(int(keepLimit));

    if (total > answerCapacity)
        return SendCommandAnswerTooLong;
    if (total > 0)
        std::memcpy(answer, received.constData(), static_cast<size_t>(total));
    return total;
}
