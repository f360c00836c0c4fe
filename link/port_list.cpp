#include "link/port_list.h"

#include "model/number_text.h"
#include "model/shared_texts.h"
#include "model/text_trim.h"

#include <algorithm>

namespace corvane::link {

namespace {

constexpr std::string_view kComPrefix = "COM";

bool isDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string portNumberText(std::string_view deviceName)
{
    if (deviceName.size() <= 3) {
        return {};
    }
    return std::string(model::trimBlanks(deviceName.substr(3, 3)));
}

std::optional<int> comPortNumber(std::string_view deviceName)
{
    if (!deviceName.starts_with(kComPrefix) || deviceName.size() > kComPrefix.size() + 3) {
        return std::nullopt;
    }
    const std::string digits = portNumberText(deviceName);
    if (!isDigits(digits)) {
        return std::nullopt;
    }
    const auto number = model::parseInteger(digits);
    if (!number || *number < 1) {
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

PortEntry entryForDevice(std::string deviceName, std::string description)
{
    PortEntry entry;
    const auto number = comPortNumber(deviceName);
    entry.id = number ? std::to_string(*number) : deviceName;
    entry.deviceName = std::move(deviceName);
    entry.description = std::move(description);
    return entry;
}

PortEntry virtualPortEntry()
{
    return {std::string(kVirtualPortId), {}, {}};
}

bool portExists(const PortList& ports, std::string_view portId)
{
    return !portId.empty() &&
           std::any_of(ports.begin(), ports.end(), [&](const PortEntry& entry) { return entry.id == portId; });
}

std::string firstPort(const PortList& ports)
{
    const auto it = std::find_if(ports.begin(), ports.end(), [](const PortEntry& entry) { return !entry.isVirtual(); });
    return it != ports.end() ? it->id : std::string();
}

std::string startupPortCheck(const std::string& configuredPort, const PortList& ports, bool isVersion6_0)
{
    if (isVersion6_0 || portExists(ports, configuredPort)) {
        return configuredPort;
    }
    return firstPort(ports);
}

PortList fixedPortList(int count)
{
    PortList ports;
    for (int n = 1; n <= count; ++n) {
        ports.push_back(entryForDevice(std::string(kComPrefix) + std::to_string(n)));
    }
    return ports;
}

std::string portItemText(const PortEntry& entry, model::Language language)
{
    if (entry.isVirtual()) {
        return std::string(model::pick(kVirtualPortName, language));
    }
    if (comPortNumber(entry.deviceName)) {
        return std::string(kComPrefix) + entry.id;
    }
    if (entry.description.empty()) {
        return entry.deviceName;
    }
    return entry.deviceName + " (" + entry.description + ")";
}

std::string statusBarPortText(std::string_view portId, model::Language language)
{
    const std::string label(model::pick(model::texts::kPortLabel, language));
    if (portId.empty()) {
        return label + "0";
    }
    if (isDigits(portId)) {
        return label + std::string(portId);
    }
    if (portId == kVirtualPortId) {
        return label + " " + std::string(model::pick(kVirtualPortName, language));
    }
    return label + " " + std::string(portId);
}

} // namespace corvane::link
