#pragma once
// The application state of one run: the configuration model (document, saved copies, flags,
// radio information, current model, radio image), the language, the channel clipboard, the
// configured serial port and the link's lasting values (entered password, last identity).
// Exactly one instance exists per program run; it is passed by reference to whatever needs it.
// Nothing in the program keeps mutable global state besides it.

#include "channels/channel_clipboard.h"
#include "link/radio_link_state.h"
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

    // The password entered for the run and the last radio's identity; radioStunned and
    // radioKilled go into "Setting.ini" at exit. The operations (link/operations.h) hold it by
    // reference.
    link::RadioLinkState link;
};

} // namespace corvane::app
