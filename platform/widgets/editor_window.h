#pragma once
// What the main window asks of its child editors (channel grid, feature editors, channel
// dialog). An editor implements these on its window class; the main window finds them with
// dynamic_cast, so an editor that needs nothing special implements nothing.

class QWidget;

namespace corvane::platform {

// Editors commit a field when it is left. Before a write to the radio the main window makes
// every open editor commit the control that has the focus, so the edit in progress is written.
class EditorWindow
{
public:
    virtual ~EditorWindow() = default;
    virtual void commitFocusedControl() = 0;
};

// The channel grid: the main window's channel-edit menu and toolbar buttons route here with one
// letter, 'X' cut, 'C' copy, 'V' paste, 'D' delete (the current row).
class ChannelEditTarget
{
public:
    virtual ~ChannelEditTarget() = default;
    virtual void SetCHEdit(char command) = 0;
};

// Commits the focused control of `editor`: its own commitFocusedControl when it is an
// EditorWindow, else a focus-out and back on the control that has the focus (which is when the
// editors commit).
void commitFocusedControl(QWidget* editor);

} // namespace corvane::platform
