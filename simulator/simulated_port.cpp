#include "simulator/simulated_port.h"

namespace corvane::sim {

namespace {

bool radioUnderstands(const link::LinkSettings& settings)
{
    return settings.baudRate == 9600 && settings.parity == link::Parity::None && settings.dataBits == 8 &&
           settings.stopBits == 1;
}

} // namespace

SimulatedPort::SimulatedPort(VirtualRadio& radio, link::Clock& clock)
    : m_line(
          radio, clock,
          [this](std::span<const std::uint8_t> bytes) {
              if (m_open) {
                  received(bytes);
              }
          },
          [this] {
              if (!m_open) {
                  return;
              }
              m_open = false;
              resetInput();
              saveMemoryIfChanged();
              failed(link::PortFailure::DeviceVanished);
          })
{
}

SimulatedPort::~SimulatedPort()
{
    if (m_open) {
        saveMemoryIfChanged();
    }
}

bool SimulatedPort::open(const link::LinkSettings& settings)
{
    if (!m_pluggedIn) {
        return false;
    }
    m_settings = settings;
    m_lineUnderstood = radioUnderstands(settings);
    setReceiveThreshold(settings.receiveThreshold);
    resetInput();
    m_line.discardInFlight();
    m_open = true;
    return true;
}

void SimulatedPort::close()
{
    if (!m_open) {
        return;
    }
    m_open = false;
    resetInput();
    saveMemoryIfChanged();
}

void SimulatedPort::write(std::span<const std::uint8_t> bytes)
{
    if (!m_open) {
        return;
    }
    m_writes.emplace_back(bytes.begin(), bytes.end());
    if (m_lineUnderstood) {
        m_line.transmit(bytes);
    }
}

void SimulatedPort::saveMemoryIfChanged()
{
    VirtualRadio& radio = m_line.radio();
    if (m_memoryFile && radio.memoryChanged() && radio.saveMemory(*m_memoryFile)) {
        radio.clearMemoryChanged();
    }
}

} // namespace corvane::sim
