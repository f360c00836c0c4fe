#pragma once
// The port the programming link talks through: for each opening it picks what the port id
// names — the built-in virtual radio for "virtual", a real serial port for anything else — and
// passes every call on to it. The virtual radio lives on the given clock (the event loop's) and
// keeps its memory in a file, normally virtualRadioMemoryFile() in the per-user data folder, so a
// user can write to it and read the same data back in a later run.

#include "link/clock.h"
#include "link/serial_port.h"
#include "platform/qt_serial_port.h"
#include "simulator/simulated_port.h"
#include "simulator/virtual_radio.h"

#include <filesystem>
#include <memory>

namespace corvane::platform {

std::filesystem::path virtualRadioMemoryFile();

class ProgrammingPort : public link::SerialPort, private link::SerialPortListener
{
public:
    ProgrammingPort(link::Clock& clock, std::filesystem::path virtualRadioMemory = virtualRadioMemoryFile());
    ~ProgrammingPort() override;

    bool open(const link::LinkSettings& settings) override;
    void close() override;
    bool isOpen() const override;
    void write(std::span<const std::uint8_t> bytes) override;
    void clearInput() override;
    void clearOutput() override;
    std::size_t bytesWaiting() const override;
    link::Bytes readAll() override;
    void setReceiveThreshold(std::size_t threshold) override;
    std::size_t receiveThreshold() const override;
    void setListener(link::SerialPortListener* listener) override { m_listener = listener; }

    // The virtual radio (created on first use, its memory loaded from the file).
    sim::VirtualRadio& virtualRadio();

private:
    void portDataReceived() override;
    void portFailed(link::PortFailure failure) override;

    link::Clock& m_clock;
    std::filesystem::path m_memoryFile;
    QtSerialPort m_serial;
    std::unique_ptr<sim::VirtualRadio> m_radio;
    std::unique_ptr<sim::SimulatedPort> m_simulated;
    link::SerialPort* m_active;
    link::SerialPortListener* m_listener = nullptr;
};

} // namespace corvane::platform
