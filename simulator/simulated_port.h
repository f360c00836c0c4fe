#pragma once
// A serial port with the virtual radio on the other end of the cable, for tests (on a
// ManualClock) and for the "virtual radio" entry of the port list (on the event loop's clock).
// The radio understands the PC only at 9600 baud, 8N1; other line settings reach it as noise.
// When given a memory file, the radio's memory is saved there whenever the port closes after the
// radio's memory changed.

#include "link/clock.h"
#include "link/serial_port.h"
#include "simulator/radio_line.h"
#include "simulator/virtual_radio.h"

#include <filesystem>
#include <optional>

namespace corvane::sim {

class SimulatedPort : public link::BufferedSerialPort
{
public:
    SimulatedPort(VirtualRadio& radio, link::Clock& clock);
    ~SimulatedPort() override;

    bool open(const link::LinkSettings& settings) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    void write(std::span<const std::uint8_t> bytes) override;
    void clearOutput() override {}

    // An unplugged adapter cannot be opened.
    void setPluggedIn(bool pluggedIn) { m_pluggedIn = pluggedIn; }
    void setMemoryFile(std::optional<std::filesystem::path> file) { m_memoryFile = std::move(file); }

    // Everything the PC wrote, one entry per write call (tests read it as the transcript).
    const std::vector<link::Bytes>& writes() const { return m_writes; }
    void clearWrites() { m_writes.clear(); }
    const link::LinkSettings& settings() const { return m_settings; }
    VirtualRadio& radio() { return m_line.radio(); }

private:
    void saveMemoryIfChanged();

    RadioLine m_line;
    link::LinkSettings m_settings;
    bool m_open = false;
    bool m_pluggedIn = true;
    bool m_lineUnderstood = false;
    std::optional<std::filesystem::path> m_memoryFile;
    std::vector<link::Bytes> m_writes;
};

} // namespace corvane::sim
