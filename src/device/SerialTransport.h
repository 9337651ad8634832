#pragma once

#include "device/DeviceLink.h"
#include "device/LinePace.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class QSerialPort;

// Results of SendCommand below 1; 1 or more is the answer length, 0 an announced empty answer.
constexpr long long SendCommandShortWrite = -121;
constexpr long long SendCommandNoAnswer = -122;
constexpr long long SendCommandAnswerTooLong = -123;
// The port failed for good (USB interface unplugged, the far end closed): no exchange can
// succeed any more, so callers end the operation instead of retrying.
constexpr long long SendCommandPortLost = -124;

// USB product identifier of the interface's USB-to-serial bridge.
constexpr quint16 UsbInterfaceProductId = 0xEA60;

// Device paths, separated by ':', listed after the real interfaces; lets simulated
// interfaces on pseudo-terminals, which the system enumeration never reports, be chosen.
constexpr const char SimulatedPortsVariable[] = "CORVANE_AUDIT_PORTS";

// The USB identity of one system serial port, as the enumeration reports it.
struct SerialPortEntry
{
    QString name;
    bool hasVendorId = false;
    quint16 vendorId = 0;
    bool hasProductId = false;
    quint16 productId = 0;
};

// Names of the entries that are USB interfaces, in the given order; the vendor is not examined.
QStringList FilterUsbInterfacePorts(const QVector<SerialPortEntry>& ports);

// The paths of SimulatedPortsVariable in order, empty parts dropped; empty when unset.
QStringList SimulatedPorts();

QStringList EnumPorts();
bool OpenPort(QSerialPort* port, QString name, bool keyMode);
// Why `port` could not open the port `name`, in a few words: no such device, not a serial port,
// no permission, in use by another program.
QString PortOpenProblem(const QString& name, const QSerialPort& port);
void ClosePort(QSerialPort* port);

// One request/answer exchange on an open port, at `pace`; an answer is delimited by silence, not
// by its length byte. Never retried: the retries belong to the operations.
LinkReply Exchange(QSerialPort& port, const QByteArray& request, int capacity, const LinkPace& pace = LinePace);

// The same exchange over raw buffers: the answer's length (the answer copied to `answer`), or one
// of the SendCommand codes above, leaving `answer` untouched.
long long SendCommand(QSerialPort* port, unsigned char* request, long long requestLength, unsigned char* answer,
                      int answerCapacity);
