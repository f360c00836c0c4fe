#pragma once
// The application state of one run: the configuration model (document, saved copies, flags,
// radio information, current model, radio image), the language, the channel clipboard and the
// configured serial port.
// Exactly one instance exists per program run; it is passed by reference to whatever needs it.
// Nothing in the program keeps mutable global state besides it.

#include "channels/channel_clipboard.h"
#include "model/model_state.h"
#include "model/text_pair.h"

#include <string>

namespace corvane::app {

struct AppState
{
    model::ModelState model;
    model::LanguageState language;
    // Outlives every document: a channel copied from one pastes into the next.
    channels::ChannelClipboard clipboard;

    // The configured programming port as "mysetup.ini" keeps it: empty for none, the decimal
    // number of a "COM" port, or a device name such as "ttyUSB0".
    std::string comPort;
    bool isFirstRun = false;
};

} // namespace corvane::app
