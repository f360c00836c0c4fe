#include "platform/programming_port.h"

#include "link/port_list.h"
#include "platform/resource_paths.h"

namespace corvane::platform {

std::filesystem::path virtualRadioMemoryFile()
{
    return userDataFolder() / "virtual-radio.bin";
}

ProgrammingPort::ProgrammingPort(link::Clock& clock, std::filesystem::path virtualRadioMemory)
    : m_clock(clock), m_memoryFile(std::move(virtualRadioMemory)), m_active(&m_serial)
{
    m_serial.setListener(this);
}

ProgrammingPort::~ProgrammingPort()
{
    close();
}

sim::VirtualRadio& ProgrammingPort::virtualRadio()
{
    if (!m_radio) {
        m_radio = std::make_unique<sim::VirtualRadio>();
        std::error_code ec;
        if (!m_memoryFile.empty() && std::filesystem::exists(m_memoryFile, ec)) {
            m_radio->loadMemory(m_memoryFile);
        }
        m_simulated = std::make_unique<sim::SimulatedPort>(*m_radio, m_clock);
        m_simulated->setMemoryFile(m_memoryFile.empty() ? std::nullopt : std::optional(m_memoryFile));
        m_simulated->setListener(this);
    }
    return *m_radio;
}

bool ProgrammingPort::open(const link::LinkSettings& settings)
{
    close();
    if (settings.portId == link::kVirtualPortId) {
        virtualRadio();
        m_active = m_simulated.get();
    } else {
        m_active = &m_serial;
    }
    return m_active->open(settings);
}

void ProgrammingPort::close()
{
    m_active->close();
}

bool ProgrammingPort::isOpen() const
{
    return m_active->isOpen();
}

void ProgrammingPort::write(std::span<const std::uint8_t> bytes)
{
    m_active->write(bytes);
}

void ProgrammingPort::clearInput()
{
    m_active->clearInput();
}

void ProgrammingPort::clearOutput()
{
    m_active->clearOutput();
}

std::size_t ProgrammingPort::bytesWaiting() const
{
    return m_active->bytesWaiting();
}

link::Bytes ProgrammingPort::readAll()
{
    return m_active->readAll();
}

void ProgrammingPort::setReceiveThreshold(std::size_t threshold)
{
    m_active->setReceiveThreshold(threshold);
}

std::size_t ProgrammingPort::receiveThreshold() const
{
    return m_active->receiveThreshold();
}

void ProgrammingPort::portDataReceived()
{
    if (m_listener != nullptr) {
        m_listener->portDataReceived();
    }
}

void ProgrammingPort::portFailed(link::PortFailure failure)
{
    if (m_listener != nullptr) {
        m_listener->portFailed(failure);
    }
}

} // namespace corvane::platform
