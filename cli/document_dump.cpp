#include "cli/document_dump.h"

#include "channels/channel_value_texts.h"
#include "model/code_page.h"
#include "model/companion_files.h"
#include "model/dtmf_digits.h"
#include "model/frequency.h"
#include "model/model_band.h"
#include "model/number_text.h"
#include "model/tone.h"

#include <QJsonArray>
#include <QJsonValue>
#include <algorithm>
#include <span>

namespace corvane::cli {

namespace {

using channels::ValueKind;
using Kind = DumpValue::Kind;

DumpValue number(std::int64_t value)
{
    DumpValue v;
    v.kind = Kind::Number;
    v.number = value;
    return v;
}

DumpValue text(std::string utf8)
{
    DumpValue v;
    v.kind = Kind::Text;
    v.text = std::move(utf8);
    return v;
}

template <std::size_t N> DumpValue text(const model::FixedText<N>& field)
{
    return text(model::codePageToUtf8(field.value()));
}

DumpValue object(std::vector<DumpField> fields)
{
    DumpValue v;
    v.kind = Kind::Object;
    v.fields = std::move(fields);
    return v;
}

template <typename Range> DumpValue numbers(const Range& values)
{
    DumpValue v;
    v.kind = Kind::List;
    for (const auto value : values) {
        v.items.push_back(number(value));
    }
    return v;
}

// The first `count` entries of a list, each described by `describe`; a count outside the list
// (a record the data-file reader would have refused) is held to the list's size.
template <typename Entries, typename Describe>
DumpValue listed(int count, const Entries& entries, Describe describe)
{
    DumpValue v;
    v.kind = Kind::List;
    const int n = std::clamp(count, 0, static_cast<int>(entries.size()));
    for (int i = 0; i < n; ++i) {
        v.items.push_back(describe(entries[static_cast<std::size_t>(i)]));
    }
    return v;
}

DumpField field(std::string name, DumpValue value, std::string shown = {}, std::string shownKey = {})
{
    return DumpField{std::move(name), std::move(value), std::move(shown), std::move(shownKey)};
}

// A DTMF code as stored ("F1E") with its shown form ("#1*") when they differ.
template <std::size_t N> DumpField dtmfField(std::string name, const model::FixedText<N>& code)
{
    const std::string stored = code.value();
    const std::string shown = model::dtmfStoredToShown(stored);
    return field(std::move(name), text(code), shown == stored ? std::string() : shown);
}

// Frequencies are shown without a message: a stored text that is no number has no shown form
// rather than the band's lower limit the editors would fall back to.
class QuietPrompts : public model::Prompts
{
public:
    model::MessageAnswer showMessage(const std::string&, model::MessageButtons, model::MessageIcon,
                                     const std::string&) override
    {
        complained = true;
        return model::MessageAnswer::Ok;
    }
    bool complained = false;
};

std::string shownFrequency(const model::FixedText<8>& stored, const model::CurrentModel& current)
{
    QuietPrompts quiet;
    const std::string shown = model::frequencyToDisplay(stored.value(), current, quiet);
    return quiet.complained ? std::string() : shown;
}

DumpValue describeChannel(const model::ChannelRecord& c, const model::CurrentModel& current,
                          model::Language language)
{
    auto valueText = [&](ValueKind kind, int value) {
        return channels::ChannelValueText(c, kind, value, language);
    };
    auto toneText = [&](const model::FixedText<4>& code) {
        return model::codeToTone(code.value(), language);
    };
    const std::string rxShown = shownFrequency(c.rxFreq, current);
    const std::string txShown = shownFrequency(c.txFreq, current);
    return object({
        field("number", number(c.number)),
        field("inUse", number(c.inUse)),
        field("rxFreq", text(c.rxFreq), rxShown, "rxFrequencyMHz"),
        field("txFreq", text(c.txFreq), txShown, "txFrequencyMHz"),
        field("reserved36", number(c.reserved36)),
        field("txCleared", number(c.txCleared)),
        field("rxTone", text(c.rxTone), toneText(c.rxTone), "rxToneText"),
        field("txTone", text(c.txTone), toneText(c.txTone), "txToneText"),
        field("spUnmute", number(c.spUnmute), valueText(ValueKind::SpUnmute, c.spUnmute)),
        field("txPower", number(c.txPower), valueText(ValueKind::TxPower, c.txPower)),
        field("spacing", number(c.spacing), valueText(ValueKind::Spacing, c.spacing)),
        field("busyLockout", number(c.busyLockout), valueText(ValueKind::BusyLockout, c.busyLockout)),
        field("pttId", number(c.pttId), valueText(ValueKind::PttId, c.pttId)),
        field("autodialMemory", number(c.autodialMemory),
              valueText(ValueKind::AutodialMemory, c.autodialMemory)),
        field("reserved68", number(c.reserved68)),
        field("scanAdd", number(c.scanAdd), valueText(ValueKind::ScanAdd, c.scanAdd)),
        field("reserved72", number(c.reserved72)),
        field("reverse", number(c.reverse)),
        field("talkAround", number(c.talkAround)),
        field("optSignal", number(c.optSignal), valueText(ValueKind::OptSignal, c.optSignal)),
        field("signalRelation", number(c.signalRelation),
              valueText(ValueKind::SignalRelation, c.signalRelation)),
        field("call1", number(c.call1), valueText(ValueKind::Call, c.call1)),
        field("call2", number(c.call2), valueText(ValueKind::Call, c.call2)),
    });
}

DumpValue describeOptions(const model::OptionalFeatures& o)
{
    return object({
        field("totTime", number(o.totTime)),
        field("totWarning", number(o.totWarning)),
        field("squelchLevel", number(o.squelchLevel)),
        field("micSensitivity", number(o.micSensitivity)),
        field("voicePrompt", number(o.voicePrompt)),
        field("batterySave", number(o.batterySave)),
        field("beep", number(o.beep)),
        field("scramblerActivation", number(o.scramblerActivation)),
        field("scramblerBackup", number(o.scramblerBackup)),
        field("pttIdType", number(o.pttIdType)),
        field("pttIdMode", number(o.pttIdMode)),
        dtmfField("pttIdBotCode", o.pttIdBotCode),
        dtmfField("pttIdEotCode", o.pttIdEotCode),
        field("voxFunction", number(o.voxFunction)),
        field("voxLevel", number(o.voxLevel)),
        field("voxDelay", number(o.voxDelay)),
        field("cancelOperation", number(o.cancelOperation)),
        field("voxProceedTone", number(o.voxProceedTone)),
        field("frequencyShow", number(o.frequencyShow)),
        field("cloneMode", number(o.cloneMode)),
        field("noSignalTailElim", number(o.noSignalTailElim)),
        field("tailElimType", number(o.tailElimType)),
        field("callResponse", number(o.callResponse)),
        field("compander", number(o.compander)),
        field("micNoiseReduction", number(o.micNoiseReduction)),
        field("resetAllowed", number(o.resetAllowed)),
    });
}

DumpValue describeDtmf(const model::DtmfSettings& d)
{
    return object({
        field("dtmfSpeed", number(d.dtmfSpeed)),
        field("firstDigitTime", number(d.firstDigitTime)),
        field("firstDigitDelay", number(d.firstDigitDelay)),
        field("starHashTone", number(d.starHashTone)),
        field("dCodeAssignment", number(d.dCodeAssignment)),
        field("sideTone", number(d.sideTone)),
        dtmfField("selfId", d.selfId),
        field("groupCode", number(d.groupCode)),
        field("autoResetTimer", number(d.autoResetTimer)),
        field("callAlert", number(d.callAlert)),
        field("decodingResponse", number(d.decodingResponse)),
        field("clearToTranspond", number(d.clearToTranspond)),
        dtmfField("inhibitCode", d.inhibitCode),
        field("inhibitType", number(d.inhibitType)),
        field("dtmfPttId", number(d.dtmfPttId)),
        dtmfField("botCode", d.botCode),
        dtmfField("eotCode", d.eotCode),
        dtmfField("stunCode", d.stunCode),
        dtmfField("killCode", d.killCode),
    });
}

DumpValue describeFleetSig(const model::FleetSigSettings& f)
{
    return object({
        field("ownFleet", number(f.ownFleet)),
        field("ownId", number(f.ownId)),
        field("fsBaudRate", number(f.fsBaudRate)),
        field("dataTxDelay", number(f.dataTxDelay)),
        field("messageModeTimer", number(f.messageModeTimer)),
        field("pttIdSideTone", number(f.pttIdSideTone)),
    });
}

DumpValue describeSettings(const model::RadioSettings& s)
{
    return object({
        field("options", describeOptions(s.options)),
        field("keys", numbers(s.keys)),
        field("scan", numbers(s.scan)),
        field("dtmf", describeDtmf(s.dtmf)),
        field("fleetSig", describeFleetSig(s.fleetSig)),
        field("dtmfMemoryCount", number(s.dtmfMemoryCount)),
        field("dtmfMemory",
              listed(s.dtmfMemoryCount, s.dtmfMemory,
                     [](const model::DtmfMemoryEntry& e) {
                         return object({field("number", number(e.number)), dtmfField("digits", e.digits)});
                     })),
        field("spareListCount", number(s.spareListCount)),
        field("spareList", listed(s.spareListCount, s.spareList,
                                  [](const model::SpareListEntry& e) {
                                      return object(
                                          {field("number", number(e.number)), field("text1", text(e.text1)),
                                           field("text2", text(e.text2)), field("value1", number(e.value1)),
                                           field("value2", number(e.value2))});
                                  })),
        field("embeddedMessage1", text(s.embeddedMessage1)),
        field("embeddedMessage2", text(s.embeddedMessage2)),
        field("fleetListCount", number(s.fleetListCount)),
        field("fleetList", listed(s.fleetListCount, s.fleetList,
                                  [](const model::FleetListEntry& e) {
                                      return object({field("row", number(e.row)),
                                                     field("fleet", number(e.fleet)),
                                                     field("id", number(e.id))});
                                  })),
    });
}

std::string bandText(int bandCode)
{
    return bandCode >= 0 && bandCode < static_cast<int>(model::kBandTexts.size())
               ? std::string(model::kBandTexts[static_cast<std::size_t>(bandCode)])
               : std::string();
}

// ---- rendering ----------------------------------------------------------------------------------

constexpr std::size_t kNameColumn = 24;
constexpr std::size_t kValueColumn = 14;

std::size_t displayWidth(std::string_view utf8)
{
    // Characters, not bytes; wide (CJK) characters take two columns on a terminal.
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

std::string padded(std::string text, std::size_t width)
{
    const std::size_t used = displayWidth(text);
    if (used < width) {
        text.append(width - used, ' ');
    } else {
        text += ' ';
    }
    return text;
}

std::string scalarText(const DumpValue& value)
{
    switch (value.kind) {
    case Kind::Number:
        return model::formatInteger(value.number);
    case Kind::Text:
        return "\"" + value.text + "\"";
    case Kind::Null:
        return "-";
    case Kind::List: {
        std::string joined;
        for (const DumpValue& item : value.items) {
            joined += (joined.empty() ? "" : ", ") + scalarText(item);
        }
        return joined.empty() ? "(none)" : joined;
    }
    case Kind::Object:
        break;
    }
    return {};
}

bool isScalarList(const DumpValue& value)
{
    return value.kind == Kind::List &&
           std::all_of(value.items.begin(), value.items.end(), [](const DumpValue& item) {
               return item.kind != Kind::Object && item.kind != Kind::List;
           });
}

void renderFields(const std::vector<DumpField>& fields, std::size_t depth, std::string& out)
{
    const std::string indent(depth * 2, ' ');
    const std::size_t nameWidth = kNameColumn > indent.size() ? kNameColumn - indent.size() : 1;
    for (const DumpField& f : fields) {
        if (f.value.kind == Kind::Object) {
            out += indent + f.name + "\n";
            renderFields(f.value.fields, depth + 1, out);
        } else if (f.value.kind == Kind::List && !isScalarList(f.value)) {
            if (f.value.items.empty()) {
                out += indent + padded(f.name, nameWidth) + "(none)\n";
            }
            for (std::size_t i = 0; i < f.value.items.size(); ++i) {
                out += indent + f.name + "[" + model::formatInteger(static_cast<std::int64_t>(i) + 1) + "]\n";
                renderFields(f.value.items[i].fields, depth + 1, out);
            }
        } else {
            std::string line = indent + padded(f.name, nameWidth);
            if (f.shown.empty()) {
                line += scalarText(f.value);
            } else {
                line += padded(scalarText(f.value), kValueColumn) + f.shown;
            }
            out += line + "\n";
        }
    }
}

QJsonValue jsonOf(const DumpValue& value);

QJsonObject jsonObjectOf(const std::vector<DumpField>& fields)
{
    QJsonObject object;
    for (const DumpField& f : fields) {
        object.insert(QString::fromStdString(f.name), jsonOf(f.value));
        if (!f.shownKey.empty()) {
            // null where the value has no shown form (no TX frequency, a code that names no tone)
            object.insert(QString::fromStdString(f.shownKey),
                          f.shown.empty() ? QJsonValue(QJsonValue::Null)
                                          : QJsonValue(QString::fromStdString(f.shown)));
        }
    }
    return object;
}

QJsonValue jsonOf(const DumpValue& value)
{
    switch (value.kind) {
    case Kind::Number:
        return QJsonValue(static_cast<qint64>(value.number));
    case Kind::Text:
        return QJsonValue(QString::fromStdString(value.text));
    case Kind::Null:
        return QJsonValue(QJsonValue::Null);
    case Kind::Object:
        return jsonObjectOf(value.fields);
    case Kind::List: {
        QJsonArray array;
        for (const DumpValue& item : value.items) {
            array.append(jsonOf(item));
        }
        return array;
    }
    }
    return {};
}

} // namespace

DumpValue describeDocument(const model::ModelState& state, const std::string& dataFile,
                           model::Language language)
{
    const model::ConfigDocument& doc = state.document;
    const std::string modelCode = doc.radioType.modelCode.value();
    const std::string flagsFile = model::flagsFileName(dataFile).value_or(std::string());
    return object({
        field("file", text(dataFile)),
        field("flagsFile", text(flagsFile)),
        field("channelCount", number(doc.channelCount)),
        field("channels", listed(doc.channelCount, doc.channels,
                                 [&](const model::ChannelRecord& c) {
                                     return describeChannel(c, state.currentModel, language);
                                 })),
        field("radioType", object({
                               field("modelCode", text(doc.radioType.modelCode),
                                     model::modelNameForCode(modelCode), "modelName"),
                               field("bandIndex", number(doc.radioType.bandIndex),
                                     bandText(doc.radioType.bandIndex), "bandText"),
                           })),
        field("settings", describeSettings(doc.settings)),
        field("flags", object({
                           field("alertEnabled", number(state.flags.alertEnabled)),
                           field("functionEnabled", number(state.flags.functionEnabled)),
                           field("bandExtension", number(state.flags.bandExtension)),
                       })),
    });
}

DumpValue describeRadioInfo(const model::RadioInfo& info)
{
    auto codePage = [](const std::string& bytes) { return text(model::codePageToUtf8(bytes)); };
    return object({
        field("infoFlags", numbers(info.infoFlags)),
        field("infoModelCode", codePage(info.infoModelCode), model::modelNameForCode(info.infoModelCode),
              "infoModelName"),
        field("infoBandIndex", number(info.infoBandIndex), bandText(info.infoBandIndex), "infoBandText"),
        field("infoSalesArea", codePage(info.infoSalesArea)),
        field("infoSerialNumber", text(info.infoSerialNumber)),
        field("infoProductionDate", text(info.infoProductionDate)),
        field("infoBatchCode", text(info.infoBatchCode)),
        field("infoCustomerCode", text(info.infoCustomerCode)),
    });
}

std::string renderText(const DumpValue& root)
{
    std::string out;
    renderFields(root.fields, 0, out);
    return out;
}

QJsonObject renderJson(const DumpValue& root)
{
    return jsonObjectOf(root.fields);
}

} // namespace corvane::cli
