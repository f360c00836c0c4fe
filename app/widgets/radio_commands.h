#pragma once
// The radio commands of the main window behind one seam: Read, Write, Local Message (the
// radio-information read), PassWord and Set COM. The main window routes its menu items, toolbar
// buttons and tree node to a RadioCommands it is given; the link layer provides the real one.
// Until then UnavailableRadioCommands stands in: its commands are offered as disabled items.

#include "model/prompts.h"
#include "model/version_table.h"

class QWidget;

namespace corvane::app {

enum class RadioCommand {
    Read,          // "&Read from Radio", toolbar "ReadRadio"
    Write,         // "&Write to Radio", toolbar "WriteRadio"
    RadioInfoRead, // "&Local Message", tree node "N9"
    Password,      // "&PassWord"
    PortDialog,    // "Set &COM", toolbar "CommSet"
};

// What the radio commands may ask of the main window while they run.
class RadioShell
{
public:
    virtual ~RadioShell() = default;
    virtual QWidget* dialogParent() = 0;
    virtual model::Prompts& prompts() = 0;
    // Closes every child window without questions (before a read replaces the document).
    virtual void CloseCurAllWindows() = 0;
    // After a completed read: texts and title follow the new document, the channel grid opens
    // and the child windows are cascaded.
    virtual void showReadDocument() = 0;
    // The port panel of the status bar follows comPort (after the port dialog).
    virtual void refreshStatusBar() = 0;
    // The version table and what a hand-over to another program version needs, with the main
    // window's Save (Save As for an untitled document) and the radio commands' closePort.
    virtual model::HandOverContext handOverContext() = 0;
    // The help at `contextId` (the Help buttons of the windows the radio commands show).
    virtual void showHelpTopic(int contextId) = 0;
};

// The status bits of the radio's last identity reply, kept for "Setting.ini".
struct IdentityStatus
{
    bool radioStunned = false;
    bool radioKilled = false;
};

class RadioCommands
{
public:
    virtual ~RadioCommands() = default;

    // False: the command's menu item, toolbar button and tree node are disabled.
    virtual bool offers(RadioCommand command) const = 0;
    // True while an operation runs: no other command starts and the main window stays open.
    virtual bool isBusy() const = 0;

    virtual void startRead(RadioShell& shell) = 0;
    // The main window has had every open editor commit its focused control first.
    virtual void startWrite(RadioShell& shell) = 0;
    virtual void startRadioInfoRead(RadioShell& shell) = 0;
    virtual void showPasswordDialog(RadioShell& shell) = 0;
    virtual void showPortDialog(RadioShell& shell) = 0;

    // A new document sets the link operation and its steps back to idle.
    virtual void resetToIdle() = 0;
    // Before this program hands over to another version.
    virtual void closePort() = 0;
    virtual IdentityStatus lastIdentityStatus() const = 0;
};

// Offers nothing; every command does nothing.
class UnavailableRadioCommands : public RadioCommands
{
public:
    bool offers(RadioCommand) const override { return false; }
    bool isBusy() const override { return false; }
    void startRead(RadioShell&) override {}
    void startWrite(RadioShell&) override {}
    void startRadioInfoRead(RadioShell&) override {}
    void showPasswordDialog(RadioShell&) override {}
    void showPortDialog(RadioShell&) override {}
    void resetToIdle() override {}
    void closePort() override {}
    IdentityStatus lastIdentityStatus() const override { return {}; }
};

} // namespace corvane::app
