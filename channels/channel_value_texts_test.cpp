#include "channels/channel_value_texts.h"

#include <gtest/gtest.h>

namespace corvane::channels {
namespace {

using model::Language;

model::ChannelRecord channelWithReceiveTone(const char* rxTone)
{
    model::ChannelRecord entry;
    entry.rxTone = rxTone;
    entry.txTone = "FFFF";
    return entry;
}

TEST(ChannelValueTexts, EveryKindInBothLanguages)
{
    struct Case
    {
        ValueKind kind;
        int value;
        const char* rxTone; // the entry's receive tone, for the unmute words
        const char* english;
        const char* chinese;
    };
    const Case cases[] = {
        {ValueKind::TxPower, 0, "FFFF", "Low", "低"},
        {ValueKind::TxPower, 1, "FFFF", "High", "高"},
        {ValueKind::ScanAdd, 1, "FFFF", "Add", "添加"},
        {ValueKind::ScanAdd, 0, "FFFF", "Del", "删除"},
        {ValueKind::OptSignal, 0, "FFFF", "None", "无"},
        {ValueKind::OptSignal, 2, "FFFF", "FleetSig", "FleetSig"},
        {ValueKind::PttId, 0, "FFFF", "Off", "关"},
        {ValueKind::PttId, 3, "FFFF", "Both", "两个"},
        {ValueKind::Spacing, 0, "FFFF", "12.5K(Narrow)", "12.5K(窄带)"},
        {ValueKind::Spacing, 1, "FFFF", "25K(Wide)", "25K(宽带)"},
        {ValueKind::SpUnmute, 0, "FFFF", "Carrier", "BUSY"},
        {ValueKind::SpUnmute, 1, "FFFF", "Carrier + Opt.Sig.", "载波+可选信令"},
        {ValueKind::SpUnmute, 0, "0100", "CTCSS/DCS", "REPEAT"},
        {ValueKind::SpUnmute, 1, "0100", "CTCSS/DCS + Opt.Sig.", "CTCSS/DCS +可选信令"},
        {ValueKind::SpUnmute, 2, "0201", "CTCSS/DCS or Opt.Sig", "CTCSS/DCS或可选信令"},
        {ValueKind::BusyLockout, 2, "FFFF", "Repeater", "Repeater"},
        {ValueKind::BusyLockout, 3, "FFFF", "Option Signalling", "可选信令"},
        {ValueKind::AutodialMemory, 0, "FFFF", "1", "1"},
        {ValueKind::AutodialMemory, 7, "FFFF", "8", "8"},
        {ValueKind::SignalRelation, 1, "FFFF", "Or", "或"},
        {ValueKind::Call, 0, "FFFF", "Off", "关"},
        {ValueKind::Call, 16, "FFFF", "16", "16"},
        // Outside the table: nothing to show.
        {ValueKind::TxPower, 2, "FFFF", "", ""},
        {ValueKind::BusyLockout, -1, "FFFF", "", ""},
        {ValueKind::Call, 17, "FFFF", "", ""},
        {ValueKind::Tone, 0x100, "FFFF", "", ""}, // a tone is shown from its code text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << static_cast<int>(c.kind) << " / " << c.value << " / " << c.rxTone);
        const model::ChannelRecord entry = channelWithReceiveTone(c.rxTone);
        EXPECT_EQ(ChannelValueText(entry, c.kind, c.value, Language::English), c.english);
        EXPECT_EQ(ChannelValueText(entry, c.kind, c.value, Language::Chinese), c.chinese);
    }
}

TEST(ChannelValueTexts, TonesShowTheirListTextOrTheOffText)
{
    const model::ChannelRecord entry = channelWithReceiveTone("FFFF");
    EXPECT_EQ(ChannelValueText(entry, ValueKind::Tone, "FFFF", Language::English), "None");
    EXPECT_EQ(ChannelValueText(entry, ValueKind::Tone, "FFFF", Language::Chinese), "无");
    EXPECT_EQ(ChannelValueText(entry, ValueKind::Tone, "0100", Language::Chinese), "67.0");
    EXPECT_EQ(ChannelValueText(entry, ValueKind::Tone, "0373", Language::English), "D765I");
    EXPECT_EQ(ChannelValueText(entry, ValueKind::Tone, "82A3", Language::English), "67.5");
    EXPECT_EQ(ChannelValueText(entry, ValueKind::TxPower, "0100", Language::English), "");
}

// The lists the windows show and the texts the rules accept come from the same table: every
// text of every table names its own value, in its own language only where the words differ.
TEST(ChannelValueTexts, EveryListTextNamesItsValue)
{
    const auto check = [](const auto& table, const char* name) {
        for (const auto& entry : table.entries) {
            for (Language language : {Language::English, Language::Chinese}) {
                EXPECT_EQ(valueForText(table, model::pick(entry.pair, language), language), entry.key)
                    << name << " " << model::pick(entry.pair, language);
            }
        }
        EXPECT_EQ(valueForText(table, "", Language::English), std::nullopt) << name;
    };
    check(kTxPowerTexts, "power");
    check(kScanAddTexts, "scan add");
    check(kOptSignalTexts, "optional signalling");
    check(kPttIdTexts, "PTT ID");
    check(kSpacingTexts, "spacing");
    check(kBusyLockoutTexts, "busy lock-out");
    check(kSpUnmuteTonelessTexts, "unmute without tone");
    check(kSpUnmuteWithToneTexts, "unmute with tone");
    check(kSignalRelationTexts, "relation");
    EXPECT_EQ(valueForText(kTxPowerTexts, "低", Language::English), std::nullopt);
}

TEST(ChannelValueTexts, ListsInDropDownOrder)
{
    using Items = std::vector<std::string>;
    EXPECT_EQ(listItems(kScanAddTexts, Language::English), (Items{"Add", "Del"}));
    EXPECT_EQ(listItems(kTxPowerTexts, Language::Chinese), (Items{"低", "高"}));
    EXPECT_EQ(spUnmuteItems(false, false, Language::English), (Items{"Carrier"}));
    EXPECT_EQ(spUnmuteItems(true, true, Language::English),
              (Items{"CTCSS/DCS", "CTCSS/DCS + Opt.Sig.", "CTCSS/DCS or Opt.Sig"}));
    EXPECT_EQ(busyLockoutItems(false, Language::English), (Items{"Off", "Carrier"}));
    EXPECT_EQ(busyLockoutItems(true, Language::Chinese), (Items{"关", "载波", "Repeater"}));
    const Items calls = callItems(Language::Chinese);
    ASSERT_EQ(calls.size(), 17u);
    EXPECT_EQ(calls.front(), "关");
    EXPECT_EQ(calls.back(), "16");
    EXPECT_EQ(autodialMemoryItems(), (Items{"1", "2", "3", "4", "5", "6", "7", "8"}));
}

} // namespace
} // namespace corvane::channels
