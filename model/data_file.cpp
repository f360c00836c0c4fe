#include "model/data_file.h"

#include "model/number_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>

namespace corvane::model {

namespace {

// Writes fields in file order into a record of kDataFileSize bytes.
class RecordWriter
{
public:
    RecordWriter() : m_bytes(kDataFileSize, '\0') {}

    void integer(const Integer& value)
    {
        put(static_cast<std::uint32_t>(static_cast<std::uint16_t>(value)), 2);
    }
    void longValue(const Long& value) { put(static_cast<std::uint32_t>(value), 4); }

    template <std::size_t N> void text(const FixedText<N>& value)
    {
        for (const char c : value.bytes()) {
            m_bytes[m_pos++] = c;
        }
    }

    void at(std::size_t offset) const { checkOffset(m_pos, offset); }
    std::string take() { return std::move(m_bytes); }

    static void checkOffset(std::size_t pos, std::size_t offset)
    {
        if (pos != offset) {
            throw std::logic_error("data file layout: a field lies off its offset");
        }
    }

private:
    void put(std::uint32_t value, int size)
    {
        for (int i = 0; i < size; ++i) {
            m_bytes[m_pos++] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    }

    std::string m_bytes;
    std::size_t m_pos = 0;
};

// Reads fields in file order from a record of kDataFileSize bytes.
class RecordReader
{
public:
    explicit RecordReader(std::string_view bytes) : m_bytes(bytes) {}

    void integer(Integer& value) { value = static_cast<Integer>(static_cast<std::uint16_t>(get(2))); }
    void longValue(Long& value) { value = static_cast<Long>(get(4)); }

    template <std::size_t N> void text(FixedText<N>& value)
    {
        std::array<std::uint8_t, N> raw{};
        for (std::size_t i = 0; i < N; ++i) {
            raw[i] = static_cast<std::uint8_t>(m_bytes[m_pos++]);
        }
        value.setBytes(raw);
    }

    void at(std::size_t offset) const { RecordWriter::checkOffset(m_pos, offset); }

private:
    std::uint32_t get(int size)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i) {
            value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(m_bytes[m_pos++])) << (8 * i);
        }
        return value;
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// The one description of the record: every field in file order, with the tabled offsets as
// checkpoints. `Document` is const for writing and mutable for reading.
template <typename Io, typename Channel> void visitChannel(Io& io, Channel& c)
{
    io.integer(c.number);
    io.integer(c.inUse);
    io.text(c.rxFreq);
    io.text(c.txFreq);
    io.integer(c.reserved36);
    io.integer(c.txCleared);
    io.text(c.rxTone);
    io.text(c.txTone);
    io.integer(c.spUnmute);
    io.integer(c.txPower);
    io.integer(c.spacing);
    io.integer(c.busyLockout);
    io.integer(c.pttId);
    io.integer(c.autodialMemory);
    io.integer(c.reserved68);
    io.integer(c.scanAdd);
    io.integer(c.reserved72);
    io.integer(c.reverse);
    io.integer(c.talkAround);
    io.integer(c.optSignal);
    io.integer(c.signalRelation);
    io.integer(c.call1);
    io.integer(c.call2);
}

template <typename Io, typename Options> void visitOptions(Io& io, Options& o)
{
    io.integer(o.totTime);
    io.integer(o.totWarning);
    io.integer(o.squelchLevel);
    io.integer(o.micSensitivity);
    io.integer(o.voicePrompt);
    io.integer(o.batterySave);
    io.integer(o.beep);
    io.integer(o.scramblerActivation);
    io.integer(o.scramblerBackup);
    io.integer(o.pttIdType);
    io.integer(o.pttIdMode);
    io.text(o.pttIdBotCode);
    io.text(o.pttIdEotCode);
    io.integer(o.voxFunction);
    io.integer(o.voxLevel);
    io.integer(o.voxDelay);
    io.integer(o.cancelOperation);
    io.integer(o.voxProceedTone);
    io.integer(o.frequencyShow);
    io.integer(o.cloneMode);
    io.integer(o.noSignalTailElim);
    io.integer(o.tailElimType);
    io.integer(o.callResponse);
    io.integer(o.compander);
    io.integer(o.micNoiseReduction);
    io.integer(o.resetAllowed);
}

template <typename Io, typename Dtmf> void visitDtmf(Io& io, Dtmf& d)
{
    io.integer(d.dtmfSpeed);
    io.integer(d.firstDigitTime);
    io.integer(d.firstDigitDelay);
    io.integer(d.starHashTone);
    io.integer(d.dCodeAssignment);
    io.integer(d.sideTone);
    io.text(d.selfId);
    io.integer(d.groupCode);
    io.integer(d.autoResetTimer);
    io.integer(d.callAlert);
    io.integer(d.decodingResponse);
    io.integer(d.clearToTranspond);
    io.text(d.inhibitCode);
    io.integer(d.inhibitType);
    io.integer(d.dtmfPttId);
    io.text(d.botCode);
    io.text(d.eotCode);
    io.text(d.stunCode);
    io.text(d.killCode);
}

template <typename Io, typename Document> void visitRecord(Io& io, Document& doc)
{
    io.at(kChannelCountOffset);
    io.integer(doc.channelCount);
    for (std::size_t i = 0; i < doc.channels.size(); ++i) {
        io.at(kChannelsOffset + i * kChannelEntrySize);
        visitChannel(io, doc.channels[i]);
    }

    io.at(kModelCodeOffset);
    io.text(doc.radioType.modelCode);
    io.at(kBandIndexOffset);
    io.integer(doc.radioType.bandIndex);

    auto& s = doc.settings;
    io.at(kOptionsOffset);
    visitOptions(io, s.options);
    io.at(kKeysOffset);
    for (auto& key : s.keys) {
        io.integer(key);
    }
    io.at(kScanOffset);
    for (auto& value : s.scan) {
        io.integer(value);
    }
    io.at(kDtmfOffset);
    visitDtmf(io, s.dtmf);

    io.at(kFleetSigOffset);
    io.integer(s.fleetSig.ownFleet);
    io.longValue(s.fleetSig.ownId);
    io.integer(s.fleetSig.fsBaudRate);
    io.longValue(s.fleetSig.dataTxDelay);
    io.longValue(s.fleetSig.messageModeTimer);
    io.integer(s.fleetSig.pttIdSideTone);

    io.at(kDtmfMemoryCountOffset);
    io.integer(s.dtmfMemoryCount);
    for (std::size_t i = 0; i < s.dtmfMemory.size(); ++i) {
        io.at(kDtmfMemoryOffset + i * kDtmfMemoryEntrySize);
        io.integer(s.dtmfMemory[i].number);
        io.text(s.dtmfMemory[i].digits);
    }

    io.at(kSpareListCountOffset);
    io.integer(s.spareListCount);
    for (std::size_t i = 0; i < s.spareList.size(); ++i) {
        io.at(kSpareListOffset + i * kSpareEntrySize);
        auto& e = s.spareList[i];
        io.integer(e.number);
        io.text(e.text1);
        io.text(e.text2);
        io.integer(e.value1);
        io.integer(e.value2);
    }

    io.at(kEmbeddedMessage1Offset);
    io.text(s.embeddedMessage1);
    io.at(kEmbeddedMessage2Offset);
    io.text(s.embeddedMessage2);

    io.at(kFleetListCountOffset);
    io.integer(s.fleetListCount);
    for (std::size_t i = 0; i < s.fleetList.size(); ++i) {
        io.at(kFleetListOffset + i * kFleetEntrySize);
        io.integer(s.fleetList[i].row);
        io.integer(s.fleetList[i].fleet);
        io.longValue(s.fleetList[i].id);
    }
    io.at(kDataFileSize);
}

std::string numberText(int value)
{
    return formatDecimal(value, 1, 0);
}

// Checks one list: its count within 0..capacity and, when `numberOf` is given, every listed
// number within 1..16 and listed once.
template <typename Entries, typename NumberOf>
std::optional<std::string> checkList(std::string_view name, Integer count, const Entries& entries,
                                     NumberOf numberOf, bool checkNumbers)
{
    const auto capacity = static_cast<int>(entries.size());
    if (count < 0 || count > capacity) {
        return std::string(name) + " count " + numberText(count) + " outside 0.." + numberText(capacity);
    }
    if (!checkNumbers) {
        return std::nullopt;
    }
    std::array<bool, 17> seen{};
    for (int i = 0; i < count; ++i) {
        const int number = numberOf(entries[static_cast<std::size_t>(i)]);
        if (number < 1 || number > 16) {
            return std::string(name) + " entry " + numberText(i + 1) + " has the number " +
                   numberText(number) + " outside 1..16";
        }
        if (seen[static_cast<std::size_t>(number)]) {
            return std::string(name) + " number " + numberText(number) + " is listed twice";
        }
        seen[static_cast<std::size_t>(number)] = true;
    }
    return std::nullopt;
}

} // namespace

std::string serializeDocument(const ConfigDocument& document)
{
    RecordWriter writer;
    visitRecord(writer, document);
    return writer.take();
}

std::optional<ConfigDocument> decodeDocument(std::string_view bytes)
{
    if (bytes.size() != kDataFileSize) {
        return std::nullopt;
    }
    ConfigDocument document;
    RecordReader reader(bytes);
    visitRecord(reader, document);
    return document;
}

std::optional<std::string> findInconsistency(const ConfigDocument& document)
{
    const RadioSettings& s = document.settings;
    if (auto fault = checkList(
            "channel", document.channelCount, document.channels,
            [](const ChannelRecord& c) { return int{c.number}; }, true)) {
        return fault;
    }
    if (auto fault = checkList(
            "DTMF memory", s.dtmfMemoryCount, s.dtmfMemory,
            [](const DtmfMemoryEntry& e) { return int{e.number}; }, true)) {
        return fault;
    }
    if (auto fault = checkList(
            "spare list", s.spareListCount, s.spareList,
            [](const SpareListEntry& e) { return int{e.number}; }, false)) {
        return fault;
    }
    if (auto fault = checkList(
            "fleet list", s.fleetListCount, s.fleetList, [](const FleetListEntry& e) { return int{e.row}; },
            false)) {
        return fault;
    }
    return std::nullopt;
}

ParsedDocument parseDocument(std::string_view bytes)
{
    ParsedDocument result;
    auto decoded = decodeDocument(bytes);
    if (!decoded) {
        result.problem = DataFileProblem::WrongLength;
        result.detail = "the file holds " +
                        numberText(static_cast<int>(std::min<std::size_t>(bytes.size(), 1u << 30))) +
                        " bytes, not " + numberText(static_cast<int>(kDataFileSize));
        return result;
    }
    result.document = std::move(*decoded);
    if (auto fault = findInconsistency(result.document)) {
        result.problem = DataFileProblem::Inconsistent;
        result.detail = std::move(*fault);
    }
    return result;
}

} // namespace corvane::model
