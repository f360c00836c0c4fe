#include "model/new_document.h"

#include <gtest/gtest.h>

namespace corvane::model {
namespace {

const FixedDateSource kDates({2026, 3, 9}, '-');

ModelState freshState()
{
    ModelState state;
    newDocument(state, {kDates, Language::English, {}});
    return state;
}

TEST(NewDocument, DefaultsWithoutTemplate)
{
    const ModelState state = freshState();
    const ConfigDocument& doc = state.document;
    const OptionalFeatures& o = doc.settings.options;
    EXPECT_EQ(doc.channelCount, 0);
    EXPECT_EQ(doc.settings.keys, (std::array<Integer, 4>{255, 1, 255, 255}));
    EXPECT_EQ(doc.settings.scan, (std::array<Integer, 14>{0, 255, 255, 255, 255, 255, 255, 255, 255, 2, 2, 1, 3, 3}));
    EXPECT_EQ(o.totTime, 4);
    EXPECT_EQ(o.totWarning, 5);
    EXPECT_EQ(o.squelchLevel, 4);
    EXPECT_EQ(o.beep, 1);
    EXPECT_EQ(o.voxLevel, 3);
    EXPECT_EQ(o.voxDelay, 17);
    EXPECT_EQ(o.pttIdBotCode.value(), "12345");
    EXPECT_EQ(o.pttIdEotCode.value(), "");
    const DtmfSettings& d = doc.settings.dtmf;
    EXPECT_EQ(d.dtmfSpeed, 1);
    EXPECT_EQ(d.firstDigitDelay, 10);
    EXPECT_EQ(d.sideTone, 1);
    EXPECT_EQ(d.selfId.value(), "000");
    EXPECT_EQ(d.groupCode, 255);
    EXPECT_EQ(d.autoResetTimer, 10);
    EXPECT_EQ(doc.settings.dtmfMemoryCount, 0);
    const FleetSigSettings& f = doc.settings.fleetSig;
    EXPECT_EQ(f.ownFleet, 255);
    EXPECT_EQ(f.dataTxDelay, 400);
    EXPECT_EQ(f.messageModeTimer, 10);
    EXPECT_EQ(f.pttIdSideTone, 1);
    EXPECT_EQ(doc.settings.fleetListCount, 0);
    EXPECT_EQ(state.flags, RadioFlags{});
    EXPECT_EQ(state.documentFileName, "new.dat");
    EXPECT_TRUE(state.isUntitled);
    EXPECT_EQ(state.savedDocument, state.document);
}

TEST(NewDocument, KeepsTheValuesItDoesNotReset)
{
    ModelState state = freshState();
    state.document.settings.options.callResponse = 3;
    state.document.settings.options.noSignalTailElim = 2;
    state.document.settings.spareListCount = 1;
    state.document.settings.options.totTime = 9;
    state.radioInfo.infoFlags = {1, 0, 1};
    newDocument(state, {kDates, Language::English, {}});
    EXPECT_EQ(state.document.settings.options.callResponse, 3);
    EXPECT_EQ(state.document.settings.options.noSignalTailElim, 2);
    EXPECT_EQ(state.document.settings.spareListCount, 1);
    EXPECT_EQ(state.document.settings.options.totTime, 4);
    EXPECT_EQ(state.radioInfo.infoFlags, (std::array<Integer, 3>{1, 0, 1}));
}

TEST(NewDocument, RadioInformationFromTodaysDate)
{
    const ModelState state = freshState();
    const RadioInfo& info = state.radioInfo;
    EXPECT_EQ(info.infoModelCode, "Z740E");
    EXPECT_EQ(info.infoBandIndex, 3);
    EXPECT_EQ(info.infoSerialNumber.value(), "2026030900000001");
    EXPECT_EQ(info.infoProductionDate.value(), "2026-03-09");
    EXPECT_EQ(info.infoBatchCode.value(), "03-1-E-1");
    EXPECT_EQ(info.infoCustomerCode.value(), "001A");
    EXPECT_EQ(info.infoMaintainedDate.value(), "2026-03-09");
    EXPECT_EQ(info.infoStockDate.value(), "2026-03-09");
    EXPECT_EQ(info.infoSellDate.value(), "2026-03-09");
    EXPECT_EQ(info.infoVersion, "V3.00");
}

TEST(NewDocument, TemplateReplacesDefaultsAndVoicePromptFollowsStartupLanguage)
{
    struct Case
    {
        Integer templateVoicePrompt;
        Language startup;
        Integer expected;
    };
    for (const Case& c : {Case{3, Language::English, 2}, Case{2, Language::Chinese, 1}, Case{0, Language::Chinese, 0}}) {
        ModelState state;
        auto loader = [&](ModelState& s) {
            s.document.settings.options.voicePrompt = c.templateVoicePrompt;
            s.document.settings.options.totTime = 7;
            s.flags.bandExtension = 1;
        };
        newDocument(state, {kDates, c.startup, loader});
        EXPECT_EQ(state.document.settings.options.voicePrompt, c.expected);
        EXPECT_EQ(state.document.settings.options.totTime, 7);
        EXPECT_EQ(state.savedDocument, state.document);
        EXPECT_EQ(state.savedFlags, state.flags);
    }
}

TEST(NewDocument, ChannelEntryCreationDefaults)
{
    ConfigDocument doc;
    const int position = appendChannelEntry(doc, 7, "43712500", "43712500");
    ASSERT_EQ(position, 1);
    const ChannelRecord& ch = channelAt(doc, 1);
    EXPECT_EQ(ch.number, 7);
    EXPECT_EQ(ch.inUse, 1);
    EXPECT_EQ(ch.txCleared, 1);
    EXPECT_EQ(ch.rxTone.value(), "FFFF");
    EXPECT_EQ(ch.txTone.value(), "FFFF");
    EXPECT_EQ(ch.txPower, 1);
    EXPECT_EQ(ch.spacing, 1);
    EXPECT_EQ(ch.scanAdd, 1);
    EXPECT_EQ(ch.busyLockout, 0);
    EXPECT_EQ(ch.call2, 0);
    EXPECT_EQ(findChannel(doc, 7), 1);
    EXPECT_EQ(findChannel(doc, 8), 0);

    for (Integer n = 1; n < 16; ++n) {
        appendChannelEntry(doc, static_cast<Integer>(n + 16), "4", "");
    }
    EXPECT_EQ(doc.channelCount, 16);
    EXPECT_EQ(appendChannelEntry(doc, 40, "4", ""), 0); // the list never grows past 16
}

TEST(NewDocument, LookupsIgnoreEntriesPastTheCount)
{
    RadioSettings settings;
    settings.dtmfMemory[0].number = 2;
    settings.dtmfMemory[1].number = 5;
    settings.dtmfMemoryCount = 1;
    EXPECT_EQ(findDtmfMemory(settings, 2), 1);
    EXPECT_EQ(findDtmfMemory(settings, 5), 0);
    settings.fleetList[2].row = 4;
    settings.fleetListCount = 3;
    EXPECT_EQ(findFleetEntry(settings, 4), 3);
    settings.spareListCount = 0;
    EXPECT_EQ(findSpareEntry(settings, 0), 0);
}

} // namespace
} // namespace corvane::model
