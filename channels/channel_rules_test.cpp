#include "channels/channel_rules.h"
#include "channels/channel_value_texts.h"
#include "model/model_band.h"
#include "model/new_document.h"
#include "model/shared_texts.h"
#include "testsupport/recording_prompts.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace corvane::channels {
namespace {

using model::ChannelRecord;
using model::Integer;
using model::Language;

constexpr const char* kUhf = "400 - 480 MHz";
constexpr const char* kVhf = "136 - 174 MHz";
constexpr const char* kOutOfRange = "Frequency is out of range.";

// Records what the rules ask of the views; which views are open is set by the test.
class RecordingObserver : public ChannelObserver
{
public:
    bool gridOpen = true;
    bool dialogOpen = false;
    bool scanOpen = false;
    std::vector<std::string> calls;

    bool channelGridOpen() const override { return gridOpen; }
    void reShowGrid(int row) override { calls.push_back("row " + std::to_string(row)); }
    void showAllGridRows() override { calls.push_back("all rows"); }
    bool channelDialogOpen() const override { return dialogOpen; }
    void reloadChannelDialog() override { calls.push_back("dialog"); }
    bool scanWindowOpen() const override { return scanOpen; }
    void ReshowByCh() override { calls.push_back("scan"); }
};

class ChannelRules : public ::testing::Test
{
protected:
    ChannelRules()
    {
        model::setDefaultScan(state.document.settings); // priority channels 255
        setBand(kUhf);
    }

    void setBand(const char* band)
    {
        state.currentModel.currentBand = band;
        model::updateBandLimits(state.currentModel);
    }

    // What the grid does when an editor in row `row` is left.
    void commit(int row, FieldId field, std::string_view text)
    {
        CommitChannelValue(context, 1, row, field, text, true);
    }
    void commit(int row, FieldId field, int value)
    {
        CommitChannelValue(context, 1, row, field, value, true);
    }

    void create(int number, const char* rx) { commit(number, FieldId::RxFreq, rx); }

    const ChannelRecord& channel(int number)
    {
        const auto position = FindChannel(state.document, number);
        EXPECT_TRUE(position) << "channel " << number << " missing";
        return model::channelAt(state.document, position.value_or(1));
    }
    ChannelRecord& editable(int number) { return const_cast<ChannelRecord&>(channel(number)); }

    std::vector<int> numbersInListOrder() const
    {
        std::vector<int> numbers;
        for (int p = 1; p <= state.document.channelCount; ++p) {
            numbers.push_back(model::channelAt(state.document, p).number);
        }
        return numbers;
    }

    Integer& priorityChannel(int group)
    {
        return state.document.settings.scan[static_cast<std::size_t>(group)];
    }

    model::ModelState state;
    Language language = Language::English;
    testing::RecordingPrompts prompts;
    ChannelClipboard clipboard;
    RecordingObserver observer;
    ChannelContext context{state, language, prompts, clipboard, observer};
};

// ---- Frequencies ---------------------------------------------------------------------------

TEST_F(ChannelRules, FrequencyLimitsPerBandFieldAndExtension)
{
    struct Case
    {
        const char* band;
        int bandExtension;
        FieldId field;
        const char* text;
        const char* stored; // what ValidateFrequencyText returns
        bool warns;
    };
    const Case cases[] = {
        {kUhf, 0, FieldId::RxFreq, "500", "500.00000", false}, // receive reaches 520 in UHF
        {kUhf, 0, FieldId::RxFreq, "530", "520.00000", true},
        {kUhf, 0, FieldId::RxFreq, "520", "520.00000", false}, // limits are inclusive
        {kUhf, 0, FieldId::RxFreq, "400", "400.00000", false},
        {kUhf, 0, FieldId::RxFreq, "399.99999", "400.00000", true},
        {kUhf, 0, FieldId::TxFreq, "500", "480.00000", true}, // transmit stops at 480 ...
        {kUhf, 0, FieldId::TxFreq, "480", "480.00000", false},
        {kUhf, 1, FieldId::TxFreq, "500", "500.00000", false}, // ... unless the band is extended
        {kUhf, 1, FieldId::TxFreq, "530", "520.00000", true},
        {kVhf, 1, FieldId::RxFreq, "175", "174.00000", true}, // no extension outside UHF
        {kVhf, 1, FieldId::TxFreq, "175", "174.00000", true},
        {kVhf, 0, FieldId::RxFreq, "145", "145.00000", false},
        {kVhf, 0, FieldId::RxFreq, "145.123456", "145.12346", false}, // 10 Hz resolution
        {"200 - 260 MHz", 0, FieldId::TxFreq, "199", "200.00000", true},
        // Numbers are plain decimals with "."; everything else warns and gives the lower limit.
        {kVhf, 0, FieldId::RxFreq, " 145 ", "145.00000", false},
        {kVhf, 0, FieldId::RxFreq, "+145.5", "145.50000", false},
        {kVhf, 0, FieldId::RxFreq, "abc", "136.00000", true},
        {kUhf, 0, FieldId::TxFreq, "abc", "400.00000", true},
        {kVhf, 0, FieldId::RxFreq, "145,5", "136.00000", true}, // never 145.5 or 1455
        {kVhf, 0, FieldId::RxFreq, "1,5", "136.00000", true},
        {kVhf, 0, FieldId::RxFreq, "1,000", "136.00000", true},
        {kVhf, 0, FieldId::RxFreq, "1e3", "136.00000", true},
        {kVhf, 0, FieldId::RxFreq, "145.000.5", "136.00000", true},
        {kVhf, 0, FieldId::RxFreq, "-145", "136.00000", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.band << " ext " << c.bandExtension << " id "
                                          << static_cast<int>(c.field) << " \"" << c.text << "\"");
        setBand(c.band);
        state.flags.bandExtension = static_cast<Integer>(c.bandExtension);
        prompts.clear();
        if (c.warns) {
            prompts.expect(kOutOfRange);
        }
        EXPECT_EQ(ValidateFrequencyText(context, c.text, c.field, true), c.stored);
        EXPECT_TRUE(prompts.allAnswered());
        // Without the warn flag the same value comes back, silently.
        EXPECT_EQ(ValidateFrequencyText(context, c.text, c.field, false), c.stored);
    }
}

TEST_F(ChannelRules, WarningIsAnExclamationWithOkInTheCurrentLanguage)
{
    language = Language::Chinese;
    prompts.expect("频率超出范围。");
    EXPECT_DOUBLE_EQ(CheckFrequency(context, 530, FieldId::RxFreq, true), 520);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].icon, model::MessageIcon::Exclamation);
    EXPECT_EQ(prompts.shown()[0].buttons, model::MessageButtons::Ok);
    EXPECT_DOUBLE_EQ(ClampFrequency(state, 530, FieldId::TxFreq), 480); // never warns
}

TEST_F(ChannelRules, SuppressedWarningsStillClamp)
{
    {
        const RangeWarningsSuppressed bulkConversion(state);
        create(1, "530");
        commit(1, FieldId::TxFreq, "abc");
        EXPECT_EQ(ValidateFrequencyText(context, "1,5", FieldId::RxFreq, true), "400.00000");
    }
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(channel(1).rxFreq.value(), "52000000");
    EXPECT_EQ(channel(1).txFreq.value(), "40000000");
    EXPECT_FALSE(state.suppressRangeWarnings);

    state.suppressRangeWarnings = true; // a conversion that set it itself keeps it after a nested one
    {
        const RangeWarningsSuppressed nested(state);
    }
    EXPECT_TRUE(state.suppressRangeWarnings);
}

// ---- Creating and deleting -----------------------------------------------------------------

TEST_F(ChannelRules, TypingAReceiveFrequencyOnAnEmptyRowCreatesTheChannel)
{
    setBand(kVhf);
    commit(3, FieldId::RxFreq, "145");

    ChannelRecord expected;
    expected.number = 3;
    expected.inUse = 1;
    expected.rxFreq = "14500000";
    expected.txFreq = "14500000";
    expected.txCleared = 1;
    expected.rxTone = "FFFF";
    expected.txTone = "FFFF";
    expected.txPower = 1;
    expected.spacing = 1;
    expected.scanAdd = 1;
    ASSERT_EQ(state.document.channelCount, 1);
    EXPECT_EQ(model::channelAt(state.document, 1), expected);
    EXPECT_EQ(ChannelValueText(expected, ValueKind::TxPower, expected.txPower, language), "High");
    EXPECT_EQ(priorityChannel(1), 3); // the scan references learn about the channel
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"row 3"}));
}

TEST_F(ChannelRules, ANewUhfChannelAbove480TransmitsAtTheTransmitLimitSilently)
{
    create(1, "500");
    EXPECT_EQ(channel(1).rxFreq.value(), "50000000");
    EXPECT_EQ(channel(1).txFreq.value(), "48000000");
    state.flags.bandExtension = 1;
    create(2, "500");
    EXPECT_EQ(channel(2).txFreq.value(), "50000000");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ChannelRules, ClearingTheReceiveFrequencyDeletesAndLaterChannelsKeepTheirNumbers)
{
    create(5, "435");
    create(2, "436");
    create(9, "437");
    ASSERT_EQ(numbersInListOrder(), (std::vector<int>{5, 2, 9})); // creation order, not number order

    commit(2, FieldId::RxFreq, "");
    EXPECT_EQ(numbersInListOrder(), (std::vector<int>{5, 9}));
    EXPECT_EQ(channel(9).rxFreq.value(), "43700000");

    commit(5, FieldId::RxFreq, "  "); // a blank field is a cleared one, not "abc"
    EXPECT_EQ(numbersInListOrder(), (std::vector<int>{9}));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ChannelRules, ValuesForMissingOrImpossibleChannelsAreDropped)
{
    commit(4, FieldId::TxPower, "Low");
    commit(4, FieldId::Reverse, 1);
    commit(4, FieldId::RxFreq, "");
    CommitChannelValue(context, 2, 1, FieldId::RxFreq, "435", true); // channel 17: this radio has 16
    CommitChannelValue(context, 1, 0, FieldId::RxFreq, "435", true);
    EXPECT_EQ(state.document.channelCount, 0);

    prompts.expect(kOutOfRange); // a TX text is checked before the channel is looked up
    commit(4, FieldId::TxFreq, "530");
    EXPECT_EQ(state.document.channelCount, 0);

    EXPECT_FALSE(CreateChannel(context, 17, "435.00000"));
    create(4, "435");
    EXPECT_FALSE(CreateChannel(context, 4, "436.00000")); // numbers stay unique
    EXPECT_EQ(state.document.channelCount, 1);
}

TEST_F(ChannelRules, DeletingRemovesTheFirstEntryOfTheNumberOnly)
{
    create(1, "435");
    create(2, "436");
    DeleteChannel(context, 7);
    EXPECT_EQ(numbersInListOrder(), (std::vector<int>{1, 2}));
    DeleteChannel(context, 1);
    EXPECT_EQ(numbersInListOrder(), (std::vector<int>{2}));
    RemoveChannelEntry(context, 2); // past the list: nothing
    RemoveChannelEntry(context, 0);
    EXPECT_EQ(numbersInListOrder(), (std::vector<int>{2}));
}

// ---- Field couplings -----------------------------------------------------------------------

TEST_F(ChannelRules, ClearingTheTransmitFrequencyTurnsItsToneAndReverseOff)
{
    create(1, "435");
    commit(1, FieldId::TxFreq, "436");
    EXPECT_EQ(channel(1).txCleared, 0);
    commit(1, FieldId::RxTone, "67.0");
    commit(1, FieldId::Reverse, 1);
    ASSERT_EQ(channel(1).txTone.value(), "0100");

    commit(1, FieldId::TxFreq, "");
    EXPECT_EQ(channel(1).txFreq.value(), "FFFFFFFF");
    EXPECT_EQ(channel(1).txCleared, 1);
    EXPECT_EQ(channel(1).txTone.value(), "FFFF");
    EXPECT_EQ(channel(1).reverse, 0);
    EXPECT_EQ(channel(1).rxTone.value(), "0100"); // the receive side is left alone

    commit(1, FieldId::TxFreq, "436.5");
    EXPECT_EQ(channel(1).txFreq.value(), "43650000");
    EXPECT_EQ(channel(1).txCleared, 0);
}

TEST_F(ChannelRules, ToneCouplings)
{
    struct Case
    {
        const char* rxBefore;
        const char* txBefore;
        FieldId field;
        const char* text;
        const char* rxAfter;
        const char* txAfter;
    };
    const Case cases[] = {
        {"FFFF", "FFFF", FieldId::RxTone, "67.0", "0100", "0100"},  // first tone serves both
        {"FFFF", "0105", FieldId::RxTone, "67.0", "0100", "0105"},  // TX already has its own
        {"0101", "FFFF", FieldId::RxTone, "D023N", "0201", "FFFF"}, // RX had a tone before
        {"FFFF", "FFFF", FieldId::TxTone, "D023N", "0201", "0201"},
        {"0100", "FFFF", FieldId::TxTone, "71.9", "0100", "0102"},
        {"FFFF", "FFFF", FieldId::RxTone, "67.5", "82A3", "82A3"}, // a tone off the list
        {"0100", "0100", FieldId::RxTone, "None", "FFFF", "0100"},
        {"0100", "0102", FieldId::RxTone, "abc", "0100", "0102"}, // names no tone: unchanged
        {"0100", "0102", FieldId::TxTone, "", "0100", "0102"},
        {"0100", "0102", FieldId::RxTone, "无", "0100", "0102"}, // not the English off text
    };
    create(1, "435");
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.rxBefore << "/" << c.txBefore << " id "
                                          << static_cast<int>(c.field) << " \"" << c.text << "\"");
        editable(1).rxTone = c.rxBefore;
        editable(1).txTone = c.txBefore;
        commit(1, c.field, c.text);
        EXPECT_EQ(channel(1).rxTone.value(), c.rxAfter);
        EXPECT_EQ(channel(1).txTone.value(), c.txAfter);
    }
    language = Language::Chinese;
    commit(1, FieldId::RxTone, "无");
    EXPECT_EQ(channel(1).rxTone.value(), "FFFF");
}

TEST_F(ChannelRules, RepeaterLockOutNeedsAReceiveTone)
{
    create(1, "435");
    ChannelRecord& entry = editable(1);
    const auto withRepeater = [&](const char* rx, const char* tx) {
        entry.rxTone = rx;
        entry.txTone = tx;
        entry.busyLockout = 2;
    };
    withRepeater("0100", "0100");
    commit(1, FieldId::RxTone, "None");
    EXPECT_EQ(entry.busyLockout, 1);

    withRepeater("0100", "0100");
    commit(1, FieldId::RxTone, "71.9");
    EXPECT_EQ(entry.busyLockout, 2);

    withRepeater("FFFF", "FFFF"); // stored so by a file: any signalling choice repairs it
    commit(1, FieldId::OptSignal, "DTMF");
    EXPECT_EQ(entry.busyLockout, 1);
    EXPECT_EQ(entry.optSignal, 1);

    withRepeater("FFFF", "FFFF");
    commit(1, FieldId::TxTone, "None"); // RX takes TX's "None" and drops Repeater
    EXPECT_EQ(entry.busyLockout, 1);

    withRepeater("FFFF", "FFFF");
    commit(1, FieldId::TxTone, "67.0"); // RX takes the tone: Repeater may stay
    EXPECT_EQ(entry.rxTone.value(), "0100");
    EXPECT_EQ(entry.busyLockout, 2);
}

TEST_F(ChannelRules, OptionalSignallingNoneDropsTheConditionsThatNeedIt)
{
    create(1, "435");
    ChannelRecord& entry = editable(1);
    entry.rxTone = "0100";
    entry.optSignal = 1;
    entry.busyLockout = 3;
    entry.spUnmute = 2;
    commit(1, FieldId::OptSignal, "FleetSig");
    EXPECT_EQ(entry.optSignal, 2);
    EXPECT_EQ(entry.busyLockout, 3);
    commit(1, FieldId::OptSignal, "Whatever");
    EXPECT_EQ(entry.optSignal, 2);
    commit(1, FieldId::OptSignal, "None");
    EXPECT_EQ(entry.optSignal, 0);
    EXPECT_EQ(entry.busyLockout, 0);
    EXPECT_EQ(entry.spUnmute, 0);

    entry.busyLockout = 2;
    entry.spUnmute = 0;
    entry.optSignal = 1;
    commit(1, FieldId::OptSignal, "None"); // Repeater and plain unmute need no signalling
    EXPECT_EQ(entry.busyLockout, 2);
}

TEST_F(ChannelRules, ListFieldsTakeTheTextOfTheCurrentLanguage)
{
    using Field = Integer ChannelRecord::*;
    struct Case
    {
        FieldId field;
        Field member;
        Language language;
        const char* rxTone; // tone state for the unmute words
        Integer before;
        const char* text;
        Integer after;
    };
    const auto en = Language::English;
    const auto zh = Language::Chinese;
    const Case cases[] = {
        {FieldId::TxPower, &ChannelRecord::txPower, en, "FFFF", 1, "Low", 0},
        {FieldId::TxPower, &ChannelRecord::txPower, zh, "FFFF", 1, "低", 0},
        {FieldId::TxPower, &ChannelRecord::txPower, zh, "FFFF", 0, "Low", 1}, // other text: High
        {FieldId::ScanAdd, &ChannelRecord::scanAdd, en, "FFFF", 0, "Add", 1},
        {FieldId::ScanAdd, &ChannelRecord::scanAdd, zh, "FFFF", 1, "删除", 0},
        {FieldId::ScanAdd, &ChannelRecord::scanAdd, en, "FFFF", 1, "x", 0}, // other text: Del
        {FieldId::PttId, &ChannelRecord::pttId, en, "FFFF", 0, "EOT", 2},
        {FieldId::PttId, &ChannelRecord::pttId, zh, "FFFF", 0, "两个", 3},
        {FieldId::PttId, &ChannelRecord::pttId, en, "FFFF", 3, "On", 0}, // the grid's "On": Off
        {FieldId::Spacing, &ChannelRecord::spacing, zh, "FFFF", 1, "12.5K(窄带)", 0},
        {FieldId::Spacing, &ChannelRecord::spacing, en, "FFFF", 0, "x", 1}, // other text: 25K
        {FieldId::SpUnmute, &ChannelRecord::spUnmute, en, "FFFF", 0, "Carrier or Opt.Sig", 2},
        {FieldId::SpUnmute, &ChannelRecord::spUnmute, en, "0100", 0, "CTCSS/DCS + Opt.Sig.", 1},
        {FieldId::SpUnmute, &ChannelRecord::spUnmute, en, "FFFF", 2, "CTCSS/DCS", 2}, // wrong tone state
        {FieldId::SpUnmute, &ChannelRecord::spUnmute, zh, "0100", 1, "REPEAT", 0},
        {FieldId::BusyLockout, &ChannelRecord::busyLockout, zh, "0100", 0, "载波", 1},
        {FieldId::BusyLockout, &ChannelRecord::busyLockout, en, "0100", 0, "Repeater", 2},
        {FieldId::BusyLockout, &ChannelRecord::busyLockout, en, "0100", 1, "Option Signalling", 1},
        {FieldId::BusyLockout, &ChannelRecord::busyLockout, en, "0100", 1, "", 1},
        {FieldId::AutodialMemory, &ChannelRecord::autodialMemory, en, "FFFF", 0, "8", 7},
        {FieldId::AutodialMemory, &ChannelRecord::autodialMemory, en, "FFFF", 2, "9", 2},
        {FieldId::AutodialMemory, &ChannelRecord::autodialMemory, en, "FFFF", 2, "0", 2},
        {FieldId::Reserved68, &ChannelRecord::reserved68, en, "FFFF", 0, "-1234", -1234},
        {FieldId::Reserved72, &ChannelRecord::reserved72, en, "FFFF", 0, "70000", 0}, // not 16-bit
    };
    create(1, "435");
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "id " << static_cast<int>(c.field) << " \"" << c.text << "\"");
        language = c.language;
        editable(1).rxTone = c.rxTone;
        editable(1).*c.member = c.before;
        commit(1, c.field, c.text);
        EXPECT_EQ(channel(1).*c.member, c.after);
    }
}

TEST_F(ChannelRules, NumberFieldsTakeOnlyValuesTheirControlsOffer)
{
    using Field = Integer ChannelRecord::*;
    struct Case
    {
        FieldId field;
        Field member;
        int value;
        Integer after; // starting from 0
    };
    const Case cases[] = {
        {FieldId::ScanAddCheck, &ChannelRecord::scanAdd, 1, 1},
        {FieldId::ScanAddCheck, &ChannelRecord::scanAdd, 2, 0},
        {FieldId::Reverse, &ChannelRecord::reverse, 1, 1},
        {FieldId::Reverse, &ChannelRecord::reverse, -1, 0},
        {FieldId::TalkAround, &ChannelRecord::talkAround, 1, 1},
        {FieldId::SignalRelation, &ChannelRecord::signalRelation, 1, 1},
        {FieldId::SignalRelation, &ChannelRecord::signalRelation, 2, 0},
        {FieldId::Call1, &ChannelRecord::call1, 16, 16},
        {FieldId::Call1, &ChannelRecord::call1, 17, 0},
        {FieldId::Call2, &ChannelRecord::call2, 5, 5},
    };
    create(1, "435");
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "id " << static_cast<int>(c.field) << " value " << c.value);
        editable(1).*c.member = 0;
        commit(1, c.field, c.value);
        EXPECT_EQ(channel(1).*c.member, c.after);
    }
    commit(1, FieldId::Call1, "7"); // a number sent as text counts the same
    EXPECT_EQ(channel(1).call1, 7);
    commit(1, FieldId::Call1, "abc");
    EXPECT_EQ(channel(1).call1, 7);
}

// What a window shows for a stored value, committed back, stores that value again.
TEST_F(ChannelRules, ShownTextsCommitBackToTheSameValue)
{
    struct Kind
    {
        ValueKind kind;
        FieldId field;
        Integer ChannelRecord::*member;
        int values;
    };
    const Kind kinds[] = {
        {ValueKind::TxPower, FieldId::TxPower, &ChannelRecord::txPower, 2},
        {ValueKind::ScanAdd, FieldId::ScanAdd, &ChannelRecord::scanAdd, 2},
        {ValueKind::OptSignal, FieldId::OptSignal, &ChannelRecord::optSignal, 3},
        {ValueKind::PttId, FieldId::PttId, &ChannelRecord::pttId, 4},
        {ValueKind::Spacing, FieldId::Spacing, &ChannelRecord::spacing, 2},
        {ValueKind::SpUnmute, FieldId::SpUnmute, &ChannelRecord::spUnmute, 3},
        {ValueKind::BusyLockout, FieldId::BusyLockout, &ChannelRecord::busyLockout, 3},
        {ValueKind::AutodialMemory, FieldId::AutodialMemory, &ChannelRecord::autodialMemory, 8},
    };
    create(1, "435");
    for (Language shown : {Language::English, Language::Chinese}) {
        language = shown;
        for (const char* rxTone : {"FFFF", "0100"}) {
            for (const Kind& k : kinds) {
                for (int value = 0; value < k.values; ++value) {
                    ChannelRecord& entry = editable(1);
                    entry.rxTone = rxTone;
                    entry.*k.member = static_cast<Integer>(value);
                    const std::string text = ChannelValueText(entry, k.kind, value, language);
                    entry.*k.member = static_cast<Integer>(value == 0 ? 1 : 0);
                    commit(1, k.field, text);
                    EXPECT_EQ(channel(1).*k.member, value) << text;
                }
            }
        }
    }
}

// ---- Clipboard -----------------------------------------------------------------------------

TEST_F(ChannelRules, CopyingAnEmptyRowThenPastingDeletesTheTarget)
{
    create(2, "435");
    PasteChannel(context, 2); // nothing copied yet in this run: nothing happens
    EXPECT_EQ(state.document.channelCount, 1);

    CopyChannel(context, 7);
    EXPECT_TRUE(clipboard.clipboardFilled);
    PasteChannel(context, 2);
    EXPECT_EQ(state.document.channelCount, 0);
}

TEST_F(ChannelRules, PastingOntoAnEmptyRowCreatesTheChannelWithTheRowsNumber)
{
    create(3, "435");
    commit(3, FieldId::RxTone, "67.0");
    commit(3, FieldId::TxFreq, "436");
    create(8, "440");
    CopyChannel(context, 3);

    PasteChannel(context, 5);
    ChannelRecord expected = channel(3);
    expected.number = 5;
    EXPECT_EQ(channel(5), expected); // everything else, txCleared included, from the clipboard
    EXPECT_EQ(numbersInListOrder(), (std::vector<int>{3, 8, 5}));

    PasteChannel(context, 8); // over a channel: overwritten whole, in its place
    expected.number = 8;
    EXPECT_EQ(channel(8), expected);
    EXPECT_EQ(numbersInListOrder(), (std::vector<int>{3, 8, 5}));
    EXPECT_EQ(channel(3).number, 3);
}

TEST_F(ChannelRules, CutMovesAChannelAndCutOnAnEmptyRowArmsADelete)
{
    create(1, "435");
    create(2, "436");
    CutChannel(context, 1);
    EXPECT_EQ(numbersInListOrder(), (std::vector<int>{2}));
    PasteChannel(context, 4);
    EXPECT_EQ(numbersInListOrder(), (std::vector<int>{2, 4}));
    EXPECT_EQ(channel(4).rxFreq.value(), "43500000");

    CutChannel(context, 9); // nothing visible changes ...
    EXPECT_EQ(numbersInListOrder(), (std::vector<int>{2, 4}));
    PasteChannel(context, 2); // ... but the paste empties the target
    EXPECT_EQ(numbersInListOrder(), (std::vector<int>{4}));
}

TEST_F(ChannelRules, TheClipboardOutlivesTheDocument)
{
    create(1, "435");
    CopyChannel(context, 1);
    state.document = model::ConfigDocument{}; // New, Open and Read replace the document
    model::setDefaultScan(state.document.settings);
    PasteChannel(context, 6);
    ASSERT_EQ(numbersInListOrder(), (std::vector<int>{6}));
    EXPECT_EQ(channel(6).rxFreq.value(), "43500000");
    EXPECT_EQ(priorityChannel(1), 255); // paste does not revalidate the scan references
}

// ---- Scan references and views -------------------------------------------------------------

TEST_F(ChannelRules, ScanReferencesFollowTheChannelListWhileTheScanWindowIsClosed)
{
    create(9, "435");
    create(5, "436");
    create(2, "437");
    priorityChannel(1) = 2;
    DeleteChannel(context, 2);
    EXPECT_EQ(priorityChannel(1), 5); // the last in list order, not the highest number

    priorityChannel(1) = 9;
    create(12, "438");
    EXPECT_EQ(priorityChannel(1), 9); // a reference to a channel stays

    priorityChannel(2) = 0; // would point at channel 16 if taken as an offset
    create(16, "439");
    EXPECT_EQ(priorityChannel(2), 255);

    for (int number : {9, 5, 12, 16}) {
        DeleteChannel(context, number);
    }
    EXPECT_EQ(priorityChannel(1), 255);
    for (int group = 1; group <= 8; ++group) {
        EXPECT_EQ(priorityChannel(group), 255) << group;
    }
}

TEST_F(ChannelRules, AnOpenScanWindowReshowsAndKeepsTheReferences)
{
    create(3, "435");
    create(4, "436");
    priorityChannel(1) = 3;
    observer.gridOpen = false;
    observer.scanOpen = true;
    observer.calls.clear();

    commit(3, FieldId::RxFreq, "");
    EXPECT_EQ(priorityChannel(1), 3); // unchanged although channel 3 is gone
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"scan"}));

    observer.scanOpen = false;
    RevalidateScanChannels(context);
    EXPECT_EQ(priorityChannel(1), 4);
}

TEST_F(ChannelRules, CommitsRefreshTheOpenViews)
{
    create(1, "435");
    observer.calls.clear();
    observer.dialogOpen = true;
    commit(1, FieldId::TxPower, "Low");
    CommitChannelValue(context, 1, 1, FieldId::Spacing, "25K(Wide)", false); // a dialog-side click
    observer.gridOpen = false;
    commit(1, FieldId::Reverse, 1);
    observer.dialogOpen = false;
    commit(2, FieldId::TxPower, "Low"); // dropped, nothing to refresh either
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"row 1", "dialog", "dialog", "dialog"}));
}

TEST_F(ChannelRules, ReclampingAfterTheBandExtensionChanges)
{
    state.flags.bandExtension = 1;
    create(1, "500");
    create(2, "470");
    create(3, "510");
    commit(3, FieldId::TxFreq, ""); // no transmit frequency: left alone
    ASSERT_EQ(channel(1).txFreq.value(), "50000000");
    observer.dialogOpen = true;
    observer.calls.clear();

    state.flags.bandExtension = 0;
    ReclampTxFrequencies(context);
    EXPECT_EQ(channel(1).txFreq.value(), "48000000");
    EXPECT_EQ(channel(1).rxFreq.value(), "50000000"); // receive may stay above 480
    EXPECT_EQ(channel(2).txFreq.value(), "47000000");
    EXPECT_EQ(channel(3).txFreq.value(), "FFFFFFFF");
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"all rows", "dialog"}));

    state.flags.bandExtension = 1;
    ReclampTxFrequencies(context);
    EXPECT_EQ(channel(1).txFreq.value(), "48000000"); // clamping is not undone
    EXPECT_TRUE(prompts.shown().empty());
}

} // namespace
} // namespace corvane::channels
