#include "link/serial_port.h"

namespace corvane::link {

Bytes BufferedSerialPort::readAll()
{
    Bytes out;
    out.swap(m_input);
    return out;
}

void BufferedSerialPort::received(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty()) {
        return;
    }
    m_input.insert(m_input.end(), bytes.begin(), bytes.end());
    if (m_threshold > 0 && m_input.size() >= m_threshold && m_listener != nullptr) {
        m_listener->portDataReceived();
    }
}

void BufferedSerialPort::failed(PortFailure failure)
{
    if (m_listener != nullptr) {
        m_listener->portFailed(failure);
    }
}

} // namespace corvane::link
