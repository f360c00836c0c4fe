#include "simulator/radio_line.h"

#include <algorithm>

namespace corvane::sim {

RadioLine::RadioLine(VirtualRadio& radio, link::Clock& clock, Sink sink, CablePulled cablePulled)
    : m_radio(radio), m_clock(clock), m_sink(std::move(sink)), m_cablePulled(std::move(cablePulled)),
      m_timer(clock.createTimer([this] { deliverDue(); }))
{
}

void RadioLine::transmit(std::span<const std::uint8_t> bytes)
{
    const Milliseconds now = m_clock.now();
    for (VirtualRadio::Output& output : m_radio.receive(bytes, now)) {
        const std::size_t chunk = m_radio.timing().deliveryChunk;
        if (output.cablePulled || chunk == 0 || output.bytes.size() <= chunk) {
            m_inFlight.push_back({now + output.delay, m_nextSequence++, std::move(output.bytes), output.cablePulled});
            continue;
        }
        // The same reply in pieces, one piece per piece's transmission time.
        const Milliseconds pieceTime = std::max(Milliseconds(1), m_radio.timing().perByte * static_cast<long>(chunk));
        const std::size_t pieces = (output.bytes.size() + chunk - 1) / chunk;
        for (std::size_t p = 0; p < pieces; ++p) {
            const auto first = output.bytes.begin() + static_cast<long>(p * chunk);
            const auto last = output.bytes.begin() + static_cast<long>(std::min(output.bytes.size(), (p + 1) * chunk));
            const Milliseconds due = now + output.delay - pieceTime * static_cast<long>(pieces - 1 - p);
            m_inFlight.push_back({std::max(now, due), m_nextSequence++, Bytes(first, last), false});
        }
    }
    schedule();
}

void RadioLine::discardInFlight()
{
    m_inFlight.clear();
    m_timer->stop();
}

void RadioLine::schedule()
{
    if (m_inFlight.empty()) {
        m_timer->stop();
        return;
    }
    const auto next = std::min_element(m_inFlight.begin(), m_inFlight.end(), [](const InFlight& a, const InFlight& b) {
        return a.due < b.due || (a.due == b.due && a.sequence < b.sequence);
    });
    m_timer->start(std::max(Milliseconds(0), next->due - m_clock.now()));
}

void RadioLine::deliverDue()
{
    // One piece at a time: the sink may send the next frame, which adds to m_inFlight.
    for (;;) {
        const Milliseconds now = m_clock.now();
        auto next = std::min_element(m_inFlight.begin(), m_inFlight.end(), [](const InFlight& a, const InFlight& b) {
            return a.due < b.due || (a.due == b.due && a.sequence < b.sequence);
        });
        if (next == m_inFlight.end() || next->due > now) {
            break;
        }
        InFlight piece = std::move(*next);
        m_inFlight.erase(next);
        if (piece.cablePulled) {
            m_inFlight.clear();
            if (m_cablePulled) {
                m_cablePulled();
            }
            break;
        }
        if (m_sink) {
            m_sink(piece.bytes);
        }
    }
    schedule();
}

} // namespace corvane::sim
