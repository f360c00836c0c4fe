#pragma once
// The channel rules every channel editor goes through: the grid, the channel dialog, the
// optional-features window and printing call these and never change channels themselves.
// They work on the in-memory document only; nothing reaches a radio before a write.
//
// The channel list is compact and in creation order: entries 1..channelCount are the channels,
// a new one is appended, a deleted one closes the gap, and an entry's `number` (1..16), not its
// position, names the channel. Windows address a channel as (group, row) with
// number = (group - 1) x 16 + row; this radio has one group, so the number is the row.
//
// Values arrive as the display texts of the current language (channel_value_texts.h, the tone
// list, "000.00000" frequencies); a text that names no value leaves the field alone unless a rule
// says otherwise. The one message these rules show is "Frequency is out of range." through
// Prompts; views hear about changes through ChannelObserver. No window, no Qt.

#include "channels/channel_clipboard.h"
#include "channels/channel_observer.h"
#include "model/model_state.h"
#include "model/prompts.h"
#include "model/text_pair.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane::channels {

// The field a single-value commit names. The grid uses 1..9 as its column numbers.
enum class FieldId : int {
    RxFreq = 1, // "000.00000" text; empty deletes the channel
    TxFreq = 2, // "000.00000" text; empty = no transmit frequency
    RxTone = 3, // tone text or "None" / "无"
    TxTone = 4,
    TxPower = 5,         // kTxPowerTexts; any text but "Low" is High
    ScanAdd = 6,         // kScanAddTexts; any text but "Add" is Del
    OptSignal = 7,       // kOptSignalTexts; other text: unchanged
    PttId = 8,           // kPttIdTexts; other text: Off
    Spacing = 9,         // kSpacingTexts; any text but the narrow one is 25K
    SpUnmute = 10,       // the unmute texts of the channel's tone state; other text: unchanged
    BusyLockout = 11,    // "Off", "Carrier", "Repeater"; other text: unchanged
    AutodialMemory = 12, // "1" .. "8", stored as the number - 1
    Reserved68 = 13,     // a number; no window sends it
    Reserved72 = 14,
    ScanAddCheck = 15, // the dialog's check boxes and lists commit numbers from here on
    Reverse = 16,
    TalkAround = 17,
    SignalRelation = 18, // list position 0 And, 1 Or
    Call1 = 19,          // list position 0 Off, 1..16
    Call2 = 20,
};

inline constexpr int kChannelsPerGroup = 16;

// Channel number of a (group, row) position on screen.
constexpr int channelNumberAt(int group, int row)
{
    return (group - 1) * kChannelsPerGroup + row;
}

// What every operation works on. The application builds one from its state; the language is
// held by reference so a context kept for the run follows a language change.
struct ChannelContext
{
    model::ModelState& model; // document, current model, flags, suppressRangeWarnings
    const model::Language& language;
    model::Prompts& prompts;
    ChannelClipboard& clipboard;
    ChannelObserver& observer;
};

// While one lives, range and number warnings are not shown (the clamping still happens): file
// loading, a radio read and a model or band change hold one over their bulk conversions. The
// previous setting comes back when it ends, also when the conversion throws.
class RangeWarningsSuppressed
{
public:
    explicit RangeWarningsSuppressed(model::ModelState& state)
        : m_state(state), m_previous(state.suppressRangeWarnings)
    {
        m_state.suppressRangeWarnings = true;
    }
    ~RangeWarningsSuppressed() { m_state.suppressRangeWarnings = m_previous; }
    RangeWarningsSuppressed(const RangeWarningsSuppressed&) = delete;
    RangeWarningsSuppressed& operator=(const RangeWarningsSuppressed&) = delete;

private:
    model::ModelState& m_state;
    bool m_previous;
};

// List position (1-based) of the entry numbered `number`; none when no listed entry has it.
std::optional<int> FindChannel(const model::ConfigDocument& document, int number);

// One value typed or chosen for the channel at (group, row): validates frequencies (with the
// warning), creates the channel for a receive frequency on an empty row, deletes it when the
// receive frequency is cleared, otherwise sets the field with its couplings. A value for a
// channel that does not exist, or for a position outside channels 1..16, is dropped. Then the
// grid re-shows the row (when open and `refreshGrid`) and the dialog reloads (when open).
// The text form serves ids 1..14, the number form ids 15..20 (either form is accepted for any
// id: a number becomes its decimal text, a text for ids 13..20 is read as a whole number).
void CommitChannelValue(ChannelContext& context, int group, int row, FieldId field, std::string_view text,
                        bool refreshGrid);
void CommitChannelValue(ChannelContext& context, int group, int row, FieldId field, int value,
                        bool refreshGrid);

// Sets one field of a listed entry, with the couplings between fields:
//  - clearing TX stores "FFFFFFFF", marks txCleared, turns the TX tone off and clears reverse;
//  - the first tone set on a toneless channel serves both directions;
//  - no receive tone and busy lock-out "Repeater" becomes "Carrier";
//  - optional signalling "None" drops the busy lock-out and unmute conditions that need it.
// Frequency texts must have passed ValidateFrequencyText. Numbers outside a field's range
// (check boxes 0/1, relation 0/1, calls 0..16, autodial "1".."8", 16-bit for the reserved
// fields) leave the field unchanged.
void SetChannelField(ChannelContext& context, model::ChannelRecord& entry, FieldId field,
                     std::string_view text);
void SetChannelField(ChannelContext& context, model::ChannelRecord& entry, FieldId field, int value);

// Appends channel `number` with receive frequency `rxText` and the creation defaults; the
// transmit frequency starts equal to the receive frequency, pulled silently into the transmit
// limits, and txCleared is 1. Then RevalidateScanChannels. Returns the new list position; none
// (and nothing changes) when the number is outside 1..16, already listed, or the list is full.
std::optional<int> CreateChannel(ChannelContext& context, int number, std::string_view rxText);

// Removes the entry at list position 1..channelCount (later entries move down one place and keep
// their numbers), then RevalidateScanChannels. Any other position: nothing happens.
void RemoveChannelEntry(ChannelContext& context, int position);
// Removes the entry numbered `number` as above; nothing when there is none.
void DeleteChannel(ChannelContext& context, int number);

// The clipboard commands of the grid. Copy and Cut mark the clipboard filled; copying a number
// without a channel makes the clipboard stand for an empty channel. Paste does nothing before
// the first Copy or Cut of the run; pasting an empty channel deletes the target; otherwise the
// target is overwritten (or appended) whole from the clipboard and takes the number.
void CopyChannel(ChannelContext& context, int number);
void CutChannel(ChannelContext& context, int number);
void PasteChannel(ChannelContext& context, int number);

// A frequency text as the "000.00000" text to store: a number (model/number_text.h: plain
// decimal with "."; no grouping, exponent or decimal comma) checked against the limits of
// `field`; anything else warns (when `warn`) and gives the band's lower limit.
std::string ValidateFrequencyText(ChannelContext& context, std::string_view text, FieldId field, bool warn);
// A frequency in MHz pulled into the limits of `field` (RxFreq, or TxFreq for any other id);
// a value outside warns when `warn` and warnings are not suppressed. Limits are inclusive.
double CheckFrequency(ChannelContext& context, double mhz, FieldId field, bool warn);
// The same, never warning.
double ClampFrequency(const model::ModelState& state, double mhz, FieldId field);

// After channels are created or deleted: an open scan window only re-shows its lists
// (ReshowByCh); otherwise each priority-channel reference scan[1..8] that names no channel of
// its group becomes the last listed channel of that group, or 255 when the group has none.
void RevalidateScanChannels(ChannelContext& context);

// After bandExtension changes: every transmit frequency is pulled into the new transmit limits
// (channels without one are left alone); then the grid re-shows all rows and the dialog reloads.
void ReclampTxFrequencies(ChannelContext& context);

} // namespace corvane::channels
