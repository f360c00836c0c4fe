#pragma once
// The values of a new document, the saved copy, and the small look-ups every editor uses.
// A new document deliberately keeps three values of the previous one: noSignalTailElim,
// callResponse and spareListCount (0 at program start; nothing ever changes the last).

#include "model/calendar.h"
#include "model/model_state.h"
#include "model/text_pair.h"

#include <functional>
#include <string_view>

namespace corvane::model {

// Block defaults, one per block of the settings.
void setDefaultOptions(OptionalFeatures& options);   // leaves noSignalTailElim, callResponse
void setDefaultKeys(RadioSettings& settings);
void setDefaultScan(RadioSettings& settings);
void setDefaultDtmf(RadioSettings& settings);        // also empties the DTMF memory list
void setDefaultFleetSig(RadioSettings& settings);    // also empties the fleet list
void setDefaultEmbeddedMessages(RadioSettings& settings);
void setNewRadioInfo(RadioInfo& info, const DateSource& dates); // leaves infoFlags

// Loads the document template into the state (the data-file code provides it). Whatever the
// template holds replaces the defaults set before it.
using TemplateLoader = std::function<void(ModelState&)>;

struct NewDocumentContext
{
    const DateSource& dates;
    Language startupLanguage = Language::English;
    TemplateLoader loadTemplate; // may be empty: then the defaults stand
};

// Replaces the current document by a new untitled one ("new.dat") and takes the saved copies.
// Resetting the link and the channel editors' window flags is the caller's part (AppState).
void newDocument(ModelState& state, const NewDocumentContext& context);

// savedDocument := document.
void takeSnapshot(ModelState& state);
// document := savedDocument, then the current model follows the document's radio type.
void restoreFromSnapshot(ModelState& state);
// The radio type record takes the current model code and the band code of the current band.
void refreshRadioType(RadioTypeRecord& radioType, const CurrentModel& model);

// Look-ups by number: the 1-based list position of the entry, or 0.
int findChannel(const ConfigDocument& document, int number);
int findDtmfMemory(const RadioSettings& settings, int number);
int findFleetEntry(const RadioSettings& settings, int row);
int findSpareEntry(const RadioSettings& settings, int number);

// The entry at a 1-based list position (1..16).
ChannelRecord& channelAt(ConfigDocument& document, int position);
const ChannelRecord& channelAt(const ConfigDocument& document, int position);

// Appends a channel entry with the creation defaults (inUse 1, txCleared 1, no tones, High
// power, 25K, scan Add, everything else 0) and returns its position; 0 when the list is full.
int appendChannelEntry(ConfigDocument& document, Integer number, std::string_view rxFreq,
                       std::string_view txFreq);

} // namespace corvane::model
