#pragma once
// The radio's end of the cable: bytes from the PC go into the VirtualRadio at the clock's time,
// and its replies come back out after their delays, in pieces when the timing asks for it. Used
// by the in-process port (simulated_port.h) and by radiosim on a pseudo-terminal. Replies are
// delivered only from the clock's timers, never from inside transmit().

#include "link/clock.h"
#include "simulator/virtual_radio.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace corvane::sim {

class RadioLine
{
public:
    using Sink = std::function<void(std::span<const std::uint8_t> bytes)>;
    using CablePulled = std::function<void()>;

    RadioLine(VirtualRadio& radio, link::Clock& clock, Sink sink, CablePulled cablePulled = {});

    // Bytes the PC sent, reaching the radio now.
    void transmit(std::span<const std::uint8_t> bytes);
    // Forgets every reply still on its way (the PC closed the port).
    void discardInFlight();
    bool hasInFlight() const { return !m_inFlight.empty(); }

    VirtualRadio& radio() { return m_radio; }

private:
    struct InFlight
    {
        Milliseconds due{0};
        std::uint64_t sequence = 0;
        Bytes bytes;
        bool cablePulled = false;
    };

    void schedule();
    void deliverDue();

    VirtualRadio& m_radio;
    link::Clock& m_clock;
    Sink m_sink;
    CablePulled m_cablePulled;
    std::unique_ptr<link::Timer> m_timer;
    std::vector<InFlight> m_inFlight;
    std::uint64_t m_nextSequence = 0;
};

} // namespace corvane::sim
