#include "platform/serial_port_lister.h"

#include <QOperatingSystemVersion>
#include <QSerialPortInfo>

namespace corvane::platform {

link::PortList SystemPortLister::listPorts() const
{
    link::PortList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ports.push_back(link::entryForDevice(info.portName().toStdString(), info.description().toStdString()));
    }
    if (m_offerVirtualRadio) {
        ports.push_back(link::virtualPortEntry());
    }
    return ports;
}

bool isWindowsVersion6_0()
{
    const QOperatingSystemVersion current = QOperatingSystemVersion::current();
    return current.type() == QOperatingSystemVersion::Windows && current.majorVersion() == 6 &&
           current.minorVersion() == 0;
}

} // namespace corvane::platform
