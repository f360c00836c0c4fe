#include "platform/qt_serial_port.h"

#include <QMetaObject>

#include <algorithm>

namespace corvane::platform {

namespace {

QSerialPort::Parity parityFor(link::Parity parity)
{
    switch (parity) {
    case link::Parity::Even:
        return QSerialPort::EvenParity;
    case link::Parity::Odd:
        return QSerialPort::OddParity;
    case link::Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

} // namespace

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &QtSerialPort::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

QtSerialPort::~QtSerialPort()
{
    m_port.disconnect(this);
    if (m_port.isOpen()) {
        m_port.close();
    }
}

QString QtSerialPort::deviceNameFor(const std::string& portId)
{
    const QString id = QString::fromStdString(portId);
    const bool number = !portId.empty() && std::all_of(portId.begin(), portId.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (number) {
        return QStringLiteral("COM") + id;
    }
    return id;
}

bool QtSerialPort::open(const link::LinkSettings& settings)
{
    if (m_port.isOpen()) {
        m_port.close();
    }
    m_failurePending = false;
    resetInput();
    m_port.setPortName(deviceNameFor(settings.portId));
    m_port.setBaudRate(settings.baudRate);
    m_port.setDataBits(settings.dataBits == 7 ? QSerialPort::Data7 : QSerialPort::Data8);
    m_port.setParity(parityFor(settings.parity));
    m_port.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    m_port.setFlowControl(settings.handshaking ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
    setReceiveThreshold(settings.receiveThreshold);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_lastError = m_port.errorString();
        m_port.clearError();
        return false;
    }
    m_port.clear(QSerialPort::AllDirections);
    return true;
}

void QtSerialPort::close()
{
    if (m_port.isOpen()) {
        m_port.close();
    }
    resetInput();
}

void QtSerialPort::write(std::span<const std::uint8_t> bytes)
{
    if (!m_port.isOpen() || bytes.empty()) {
        return;
    }
    m_port.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

void QtSerialPort::clearInput()
{
    BufferedSerialPort::clearInput();
    if (m_port.isOpen()) {
        m_port.clear(QSerialPort::Input);
    }
}

void QtSerialPort::clearOutput()
{
    if (m_port.isOpen()) {
        m_port.clear(QSerialPort::Output);
    }
}

void QtSerialPort::onReadyRead()
{
    const QByteArray data = m_port.readAll();
    received(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                           static_cast<std::size_t>(data.size())));
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
    case QSerialPort::NotOpenError:
    // Failures to open are answered by open() itself.
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
        return;
    default:
        break;
    }
    if (!m_port.isOpen() || m_failurePending) {
        return;
    }
    m_lastError = m_port.errorString();
    m_failurePending = true;
    // A device that goes away shows as a resource error, or as a read that finds the line hung up
    // (a read error: this Qt reports no line errors such as parity under that name).
    const link::PortFailure failure = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
                                          ? link::PortFailure::DeviceVanished
                                          : link::PortFailure::Other;
    // Closed and reported from the event loop: QSerialPort is still inside its notifier here.
    QMetaObject::invokeMethod(
        this,
        [this, failure] {
            if (!m_failurePending) {
                return;
            }
            m_failurePending = false;
            if (m_port.isOpen()) {
                m_port.close();
            }
            m_port.clearError();
            resetInput();
            failed(failure);
        },
        Qt::QueuedConnection);
}

} // namespace corvane::platform
