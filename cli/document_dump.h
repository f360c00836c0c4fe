#pragma once
// What "dump" and "info" print: a document with its flags, or the radio-information values, as
// one ordered tree of fields named exactly like the record fields (channelCount, channels[].rxFreq
// ...), rendered either as readable text for a dealer or as JSON for scripts.
//
// A field holds the value as stored (numbers as numbers, texts trimmed and in UTF-8) and may have
// a shown form: what the program's windows show for it ("435.12500", "88.5", "High"). The text
// rendering puts the shown form beside the value; the JSON rendering gives a shown form an extra
// key only where the field names one (rxFrequencyMHz, rxToneText, bandText ...). Lists hold the
// listed entries only (the first channelCount channels and so on): entries after a count are
// leftovers no operation reads.

#include "model/model_state.h"
#include "model/text_pair.h"

#include <QJsonObject>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane::cli {

struct DumpField;

struct DumpValue
{
    enum class Kind { Number, Text, Null, Object, List };
    Kind kind = Kind::Null;
    std::int64_t number = 0;
    std::string text;              // UTF-8
    std::vector<DumpField> fields; // Object, in record order
    std::vector<DumpValue> items;  // List
};

struct DumpField
{
    std::string name;
    DumpValue value;
    std::string shown;    // empty: nothing beside the value
    std::string shownKey; // JSON key of the shown form (null when there is none); empty: text only
};

// The document of `state` with its flags; `dataFile` is the path it was opened from.
DumpValue describeDocument(const model::ModelState& state, const std::string& dataFile,
                           model::Language language);
// The values the radio-information read fills from the radio's information block (the other
// RadioInfo fields are the information window's and never come from a radio).
DumpValue describeRadioInfo(const model::RadioInfo& info);

std::string renderText(const DumpValue& root);
QJsonObject renderJson(const DumpValue& root);

} // namespace corvane::cli
