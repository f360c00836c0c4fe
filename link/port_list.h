#pragma once
// The serial ports the program can offer, and the rules for choosing one. A port is named by a
// port id, the text that AppState::comPort and "comPort" in mysetup.ini hold:
//   "3"        the port COM3 (a device named "COM" + number, the only kind Windows has);
//   "ttyUSB0"  any other serial device, by its device name (Linux);
//   "virtual"  the built-in virtual radio, listed after every real port;
//   ""         no port chosen (the "0" of the settings file).
// The list itself comes from a PortLister (the system's in the program, a fake in tests).

#include "model/text_pair.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::link {

inline constexpr std::string_view kVirtualPortId = "virtual";
inline constexpr model::TextPair kVirtualPortName{"virtual radio", "虚拟对讲机"};

struct PortEntry
{
    std::string id;          // see above
    std::string deviceName;  // "COM3", "ttyUSB0"; empty for the virtual radio
    std::string description; // what the system says about it ("USB-Serial Controller"), may be empty

    bool isVirtual() const { return id == kVirtualPortId; }
    bool operator==(const PortEntry&) const = default;
};

using PortList = std::vector<PortEntry>;

class PortLister
{
public:
    virtual ~PortLister() = default;
    // The ports in the system's enumeration order, the virtual radio (when offered) last.
    virtual PortList listPorts() const = 0;
};

// The number text of a "COM" device name: the name from its 4th character, at most 3
// characters, blanks trimmed ("COM3" -> "3", "COM12" -> "12").
std::string portNumberText(std::string_view deviceName);
// The port number when the name is "COM" followed by 1 to 3 digits (a number 1..999).
std::optional<int> comPortNumber(std::string_view deviceName);

// The entry of a system device: "COM" + number gets the number as id; any other name is listed
// by its device name.
PortEntry entryForDevice(std::string deviceName, std::string description = {});
PortEntry virtualPortEntry();

bool portExists(const PortList& ports, std::string_view portId);
// The first listed real port, or "" (no port). The virtual radio is never chosen on the user's
// behalf: a write meant for a radio on an unplugged cable must not quietly go to it.
std::string firstPort(const PortList& ports);

// The start-up check of the configured port: kept when listed, otherwise the first listed port.
// Skipped on NT 6.0 (never the case on this platform, kept for completeness).
std::string startupPortCheck(const std::string& configuredPort, const PortList& ports, bool isVersion6_0 = false);

// NT 6.0 systems offer a fixed list COM1 .. COM255 instead of the system's.
PortList fixedPortList(int count = 255);

// Item text of a port in the lists: "COM3"; "ttyUSB0 (USB-Serial Controller)"; "virtual radio".
std::string portItemText(const PortEntry& entry, model::Language language);
// The port in the status bar: the port label immediately followed by the number ("COM3",
// "通信口3", "COM0" for none); a device name or the virtual radio after a blank ("COM ttyUSB0").
std::string statusBarPortText(std::string_view portId, model::Language language);

} // namespace corvane::link
