#pragma once
// A real serial port for the programming link, on QSerialPort. Bytes arriving on readyRead wait
// in the link's input buffer until the receive threshold is reached, as the protocol expects. A
// device that vanishes while open (an unplugged USB adapter, a closed pseudo-terminal) is closed
// and reported to the listener from the event loop, never from inside a call of the link.
//
// Port ids (link/port_list.h): a number n opens "COM" + n, a path ("/dev/pts/3") opens that
// path, any other id opens the device of that name.

#include "link/serial_port.h"

#include <QObject>
#include <QSerialPort>

namespace corvane::platform {

class QtSerialPort : public QObject, public link::BufferedSerialPort
{
    Q_OBJECT

public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    static QString deviceNameFor(const std::string& portId);

    bool open(const link::LinkSettings& settings) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    void write(std::span<const std::uint8_t> bytes) override;
    void clearInput() override;
    void clearOutput() override;

    // The system's word for the last failure (for diagnostics).
    QString lastErrorText() const { return m_lastError; }

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_lastError;
    bool m_failurePending = false;
};

} // namespace corvane::platform
