#pragma once
// The serial ports of this machine as QSerialPortInfo reports them, in its order, each as a
// port entry (link/port_list.h): "COM" + number on Windows, device names such as "ttyUSB0" on
// Linux, with the system's description. The virtual radio is appended at the end.

#include "link/port_list.h"

namespace corvane::platform {

class SystemPortLister : public link::PortLister
{
public:
    explicit SystemPortLister(bool offerVirtualRadio = true) : m_offerVirtualRadio(offerVirtualRadio) {}
    link::PortList listPorts() const override;

private:
    bool m_offerVirtualRadio;
};

// NT version 6.0 exactly (Windows Vista / Server 2008), where the port list is the fixed
// COM1..COM255 and is never refreshed. Always false on other systems.
bool isWindowsVersion6_0();

} // namespace corvane::platform
