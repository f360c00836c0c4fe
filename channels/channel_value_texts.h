#pragma once
// The value texts of the channel fields, English / Chinese: the one set of tables the channel
// grid, the channel dialog and the printed report fill their lists from, and the one the channel
// rules match a committed text against. A value travels between a window and the rules as the
// text of the current language, so a list and the rules must never hold their own copies.
//
// Each table is a model::TextTable keyed by the stored value, its entries in the order the
// drop-downs list them (scan add lists "Add" before "Del"). Nothing here touches a document.

#include "model/records.h"
#include "model/text_pair.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::channels {

template <std::size_t N> using ValueTable = model::TextTable<int, N>;

inline constexpr ValueTable<2> kTxPowerTexts{{
    {0, {"Low", "低"}},
    {1, {"High", "高"}},
}};

inline constexpr ValueTable<2> kScanAddTexts{{
    {1, {"Add", "添加"}},
    {0, {"Del", "删除"}},
}};

inline constexpr ValueTable<3> kOptSignalTexts{{
    {0, {"None", "无"}},
    {1, {"DTMF", "DTMF"}},
    {2, {"FleetSig", "FleetSig"}},
}};

inline constexpr ValueTable<4> kPttIdTexts{{
    {0, {"Off", "关"}},
    {1, {"BOT", "BOT"}},
    {2, {"EOT", "EOT"}},
    {3, {"Both", "两个"}},
}};

// The channel grid's hidden PTT ID column lists only these two. "On" is no PTT ID value text,
// so committing it stores 0 like any other unknown text.
inline constexpr model::TextPair kGridPttIdItems[] = {
    {"Off", "关"},
    {"On", "开"},
};

inline constexpr ValueTable<2> kSpacingTexts{{
    {0, {"12.5K(Narrow)", "12.5K(窄带)"}},
    {1, {"25K(Wide)", "25K(宽带)"}},
}};

// Value 3 is shown for a stored value but never offered in a list.
inline constexpr ValueTable<4> kBusyLockoutTexts{{
    {0, {"Off", "关"}},
    {1, {"Carrier", "载波"}},
    {2, {"Repeater", "Repeater"}},
    {3, {"Option Signalling", "可选信令"}},
}};

// Squelch unmute condition of a channel without receive tone ...
inline constexpr ValueTable<3> kSpUnmuteTonelessTexts{{
    {0, {"Carrier", "BUSY"}},
    {1, {"Carrier + Opt.Sig.", "载波+可选信令"}},
    {2, {"Carrier or Opt.Sig", "载波或可选信令"}},
}};

// ... and of a channel with one: the same three values, other words.
inline constexpr ValueTable<3> kSpUnmuteWithToneTexts{{
    {0, {"CTCSS/DCS", "REPEAT"}},
    {1, {"CTCSS/DCS + Opt.Sig.", "CTCSS/DCS +可选信令"}},
    {2, {"CTCSS/DCS or Opt.Sig", "CTCSS/DCS或可选信令"}},
}};

inline constexpr ValueTable<2> kSignalRelationTexts{{
    {0, {"And", "与"}},
    {1, {"Or", "或"}},
}};

// Call 1 / Call 2: position 0 is this text, positions 1..16 the DTMF memory numbers.
inline constexpr model::TextPair kCallOffText{"Off", "关"};
inline constexpr int kCallCount = 16;
// Autodial memory: the dialog lists "1" .. "8"; the channel stores the number - 1.
inline constexpr int kAutodialMemoryCount = 8;

// The stored value a text names in `language`; none when no entry has that text.
template <std::size_t N>
std::optional<int> valueForText(const ValueTable<N>& table, std::string_view text, model::Language language)
{
    for (const auto& entry : table.entries) {
        if (model::pick(entry.pair, language) == text) {
            return entry.key;
        }
    }
    return std::nullopt;
}

// The texts of a table in list order, for filling a drop-down.
template <std::size_t N>
std::vector<std::string> listItems(const ValueTable<N>& table, model::Language language)
{
    std::vector<std::string> items;
    items.reserve(N);
    for (const auto& entry : table.entries) {
        items.emplace_back(model::pick(entry.pair, language));
    }
    return items;
}

// The channel has a receive tone exactly when rxTone is not "FFFF"; the squelch unmute words
// and the busy lock-out choices depend on it.
bool hasReceiveTone(const model::ChannelRecord& entry);
const ValueTable<3>& spUnmuteTexts(bool withReceiveTone);

// The channel dialog's dependent lists. SP Unmute: condition 0 of the tone state, plus 1 and 2
// while optional signalling is active. Busy lock-out: "Off", "Carrier", and "Repeater" only with
// a receive tone; "Option Signalling" is never offered.
std::vector<std::string> spUnmuteItems(bool withReceiveTone, bool signallingActive, model::Language language);
std::vector<std::string> busyLockoutItems(bool withReceiveTone, model::Language language);

// "Off" / "关", "1" .. "16" (17 items); the text at a position, empty outside 0..16.
std::vector<std::string> callItems(model::Language language);
std::string callText(int position, model::Language language);
// "1" .. "8".
std::vector<std::string> autodialMemoryItems();

// What ChannelValueText shows. The numbers are the grid's column numbers where it has one;
// SignalRelation and Call serve the dialog and the printed report.
enum class ValueKind : int {
    Tone = 3,
    TxPower = 5,
    ScanAdd = 6,
    OptSignal = 7,
    PttId = 8,
    Spacing = 9,
    SpUnmute = 10, // the words depend on the entry's rxTone
    BusyLockout = 11,
    AutodialMemory = 12, // value + 1 as text
    SignalRelation = 18,
    Call = 19, // call1 and call2
};

// Display text of a stored value in `language`. Kind Tone takes the four-digit code ("FFFF" shows
// "None" / "无"); the other kinds take the number. A value outside its table gives empty text,
// as does a number passed for a tone or a code for any other kind.
std::string ChannelValueText(const model::ChannelRecord& entry, ValueKind kind, int value,
                             model::Language language);
std::string ChannelValueText(const model::ChannelRecord& entry, ValueKind kind, std::string_view toneCode,
                             model::Language language);

} // namespace corvane::channels
