#pragma once
// How the channel rules tell the channel views that the channel list changed, without knowing
// any window. The application implements it over its windows: the channel grid (reShowGrid,
// ShowAllFredata), the channel dialog (SetGridEditData with follow-grid) and the scan window
// (ReshowByCh). The rules ask whether a view is open before they call it, because an open scan
// window changes what RevalidateScanChannels does.
//
// The base class itself stands for "no view open" (the command-line tool, printing, tests).

namespace corvane::channels {

class ChannelObserver
{
public:
    virtual ~ChannelObserver() = default;

    virtual bool channelGridOpen() const { return false; }
    // The grid rewrites row `row` (1..16) of its current group from the document, or empties
    // the row when that channel no longer exists.
    virtual void reShowGrid(int /*row*/) {}
    // The grid rewrites every row of its current group.
    virtual void showAllGridRows() {}

    virtual bool channelDialogOpen() const { return false; }
    // The dialog reloads the channel it shows, following the grid's row.
    virtual void reloadChannelDialog() {}

    virtual bool scanWindowOpen() const { return false; }
    // The scan window rebuilds its priority-channel lists; it leaves the stored references alone.
    virtual void ReshowByCh() {}
};

} // namespace corvane::channels
