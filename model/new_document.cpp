#include "model/new_document.h"

#include "model/model_band.h"

#include <algorithm>

namespace corvane::model {

void setDefaultOptions(OptionalFeatures& o)
{
    o.totTime = 4;
    o.totWarning = 5;
    o.squelchLevel = 4;
    o.micSensitivity = 0;
    o.voicePrompt = 0;
    o.micNoiseReduction = 0;
    o.batterySave = 0;
    o.resetAllowed = 0;
    o.tailElimType = 0;
    o.beep = 1;
    o.scramblerActivation = 0;
    o.scramblerBackup = 0;
    o.pttIdType = 0;
    o.pttIdMode = 0;
    o.pttIdBotCode = "12345";
    o.pttIdEotCode = "";
    o.voxFunction = 0;
    o.voxLevel = 3;
    o.voxDelay = 17; // 2.0 s
    o.cancelOperation = 0;
    o.voxProceedTone = 0;
    o.frequencyShow = 0;
    o.compander = 0;
    o.cloneMode = 0;
    // noSignalTailElim and callResponse keep the previous document's values.
}

void setDefaultKeys(RadioSettings& settings)
{
    settings.keys = {255, 1, 255, 255};
}

void setDefaultScan(RadioSettings& settings)
{
    // [0] priority mode, [1..8] priority channel per group (255 none), [9..13] list indexes of
    // look back A/B, revert channel, dropout delay, TX dwell.
    settings.scan = {0, 255, 255, 255, 255, 255, 255, 255, 255, 2, 2, 1, 3, 3};
}

void setDefaultDtmf(RadioSettings& settings)
{
    DtmfSettings& d = settings.dtmf;
    d.dtmfSpeed = 1;
    d.firstDigitTime = 0;
    d.firstDigitDelay = 10;
    d.starHashTone = 0;
    d.dCodeAssignment = 0;
    d.sideTone = 1;
    d.selfId = "000";
    d.groupCode = 255;
    d.autoResetTimer = 10;
    d.callAlert = 0;
    d.decodingResponse = 0;
    d.clearToTranspond = 0;
    d.inhibitCode = "";
    d.inhibitType = 0;
    d.dtmfPttId = 0;
    d.botCode = "";
    d.eotCode = "";
    d.stunCode = "";
    d.killCode = "";
    settings.dtmfMemoryCount = 0;
}

void setDefaultFleetSig(RadioSettings& settings)
{
    FleetSigSettings& f = settings.fleetSig;
    f.ownFleet = 255;
    f.ownId = 0;
    f.fsBaudRate = 0;
    f.dataTxDelay = 400;
    f.messageModeTimer = 10;
    f.pttIdSideTone = 1;
    settings.fleetListCount = 0;
}

void setDefaultEmbeddedMessages(RadioSettings& settings)
{
    settings.embeddedMessage1 = "";
    settings.embeddedMessage2 = "";
}

void setNewRadioInfo(RadioInfo& info, const DateSource& dates)
{
    const CalendarDate today = dates.today();
    const std::string shortDate = dates.shortDate(today);
    info.infoModelCode = std::string(kOwnModelCode);
    info.infoBandIndex = 3;
    info.infoSalesArea.clear();
    info.infoSerialNumber = compactDate(today) + "00000001";
    info.infoProductionDate = shortDate;
    info.infoBatchCode = twoDigitMonth(today) + "-1-E-1";
    info.infoCustomerCode = "001A";
    info.infoMaintainedDate = shortDate;
    info.infoMaintenanceReason = "";
    info.infoVersion = "V3.00";
    info.infoDealerCode = "";
    info.infoStockDate = shortDate;
    info.infoSellDate = shortDate;
    info.infoSeller = "";
}

void newDocument(ModelState& state, const NewDocumentContext& context)
{
    state.documentFileName = std::string(kUntitledFileName);
    state.isUntitled = true;

    ConfigDocument& doc = state.document;
    doc.channelCount = 0;
    setDefaultOptions(doc.settings.options);
    setDefaultKeys(doc.settings);
    setDefaultScan(doc.settings);
    setDefaultDtmf(doc.settings);
    setDefaultFleetSig(doc.settings);
    setDefaultEmbeddedMessages(doc.settings);
    setNewRadioInfo(state.radioInfo, context.dates);
    state.flags = RadioFlags{};

    if (context.loadTemplate) {
        context.loadTemplate(state);
    }

    Integer& voicePrompt = state.document.settings.options.voicePrompt;
    if (voicePrompt > 0) {
        voicePrompt = context.startupLanguage == Language::Chinese ? 1 : 2;
    }

    takeSnapshot(state);
    // The saved flags describe the new document too, with or without a template.
    state.savedFlags = state.flags;
}

void takeSnapshot(ModelState& state)
{
    state.savedDocument = state.document;
}

void restoreFromSnapshot(ModelState& state)
{
    state.document = state.savedDocument;
    setCurrentModelFromRadioType(state.document.radioType, state.currentModel);
}

void refreshRadioType(RadioTypeRecord& radioType, const CurrentModel& model)
{
    radioType.modelCode = model.currentModelCode;
    radioType.bandIndex = bandCodeForText(model.currentBand);
}

int findChannel(const ConfigDocument& document, int number)
{
    const int count = std::min<int>(document.channelCount, kMaxChannels);
    for (int i = 0; i < count; ++i) {
        if (document.channels[static_cast<std::size_t>(i)].number == number) {
            return i + 1;
        }
    }
    return 0;
}

int findDtmfMemory(const RadioSettings& settings, int number)
{
    const int count = std::min<int>(settings.dtmfMemoryCount, kMaxDtmfMemories);
    for (int i = 0; i < count; ++i) {
        if (settings.dtmfMemory[static_cast<std::size_t>(i)].number == number) {
            return i + 1;
        }
    }
    return 0;
}

int findFleetEntry(const RadioSettings& settings, int row)
{
    const int count = std::min<int>(settings.fleetListCount, kMaxFleetEntries);
    for (int i = 0; i < count; ++i) {
        if (settings.fleetList[static_cast<std::size_t>(i)].row == row) {
            return i + 1;
        }
    }
    return 0;
}

int findSpareEntry(const RadioSettings& settings, int number)
{
    const int count = std::min<int>(settings.spareListCount, kMaxSpareEntries);
    for (int i = 0; i < count; ++i) {
        if (settings.spareList[static_cast<std::size_t>(i)].number == number) {
            return i + 1;
        }
    }
    return 0;
}

ChannelRecord& channelAt(ConfigDocument& document, int position)
{
    return document.channels.at(static_cast<std::size_t>(position - 1));
}

const ChannelRecord& channelAt(const ConfigDocument& document, int position)
{
    return document.channels.at(static_cast<std::size_t>(position - 1));
}

int appendChannelEntry(ConfigDocument& document, Integer number, std::string_view rxFreq,
                       std::string_view txFreq)
{
    if (document.channelCount < 0 || document.channelCount >= kMaxChannels) {
        return 0;
    }
    ChannelRecord entry;
    entry.number = number;
    entry.inUse = 1;
    entry.rxFreq = rxFreq;
    entry.txFreq = txFreq;
    entry.reserved36 = 0;
    entry.txCleared = 1;
    entry.rxTone = kToneOff;
    entry.txTone = kToneOff;
    entry.txPower = 1;
    entry.spacing = 1;
    entry.scanAdd = 1;
    ++document.channelCount;
    channelAt(document, document.channelCount) = entry;
    return document.channelCount;
}

} // namespace corvane::model
