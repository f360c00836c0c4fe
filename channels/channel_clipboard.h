#pragma once
// The channel clipboard behind Cut, Copy, Paste and Delete of whole channels. One lives in the
// application state for the whole run: New, Open and Read replace the document but not the
// clipboard, so a channel copied from one document pastes into another.

#include "model/records.h"

namespace corvane::channels {

struct ChannelClipboard
{
    // The copied channel. Its own inUse says whether it holds a channel (1) or stands for an
    // empty one (0): copying an empty row and pasting it empties the target.
    model::ChannelRecord channelClipboard;
    // False until the first Copy or Cut of the run; Paste does nothing before that.
    bool clipboardFilled = false;
};

} // namespace corvane::channels
