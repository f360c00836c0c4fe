#pragma once
// The radio commands of Corvane over the programming link: Read, Write and Local Message run the
// step machine of link/operations.h, PassWord and Set COM show their dialogs. One instance per
// run owns, in this order, the event loop's clock, the programming port (a real port, or the
// virtual radio for "virtual"), the operations' prompts in windows (message boxes, the modal
// progress window, the password dialog), the link session and the operations.
//
// It is the operations' OperationShell and reaches the main window only through the RadioShell
// of the command that started the running operation. One operation at a time: a command while
// one runs (or while a write waits for its deferred start) does nothing.

#include "app/core/app_state.h"
#include "app/core/startup_settings.h"
#include "app/widgets/radio_commands.h"
#include "link/operations.h"
#include "link/port_list.h"
#include "link/protocol.h"
#include "link/widgets/window_operation_prompts.h"
#include "platform/programming_port.h"
#include "platform/qt_clock.h"

#include <filesystem>
#include <memory>

namespace corvane::app {

class LinkRadioCommands : public RadioCommands, private link::OperationShell
{
public:
    // `virtualRadioMemory` is where the virtual radio keeps its memory; `ports` lists the ports
    // of the port dialog (empty: the system's, with the virtual radio last).
    LinkRadioCommands(AppState& state, SettingsPaths paths,
                      std::filesystem::path virtualRadioMemory = platform::virtualRadioMemoryFile(),
                      std::unique_ptr<link::PortLister> ports = nullptr);
    ~LinkRadioCommands() override;
    LinkRadioCommands(const LinkRadioCommands&) = delete;
    LinkRadioCommands& operator=(const LinkRadioCommands&) = delete;

    bool offers(RadioCommand) const override { return true; }
    bool isBusy() const override { return m_operations.isBusy(); }

    void startRead(RadioShell& shell) override;
    void startWrite(RadioShell& shell) override;
    void startRadioInfoRead(RadioShell& shell) override;
    void showPasswordDialog(RadioShell& shell) override;
    void showPortDialog(RadioShell& shell) override;

    void resetToIdle() override { m_operations.resetToIdle(); }
    void closePort() override { m_session.closeLink(); }
    IdentityStatus lastIdentityStatus() const override;

    platform::ProgrammingPort& port() { return m_port; }
    const link::RadioOperations& operations() const { return m_operations; }
    link::WindowOperationPrompts& operationPrompts() { return m_prompts; }

private:
    // link::OperationShell
    std::string portId() override { return m_state.comPort; }
    void commitEditors() override;
    void closeChildWindows() override;
    void showReadDocument() override;
    void showRadioInformation() override;
    model::HandOverContext handOverContext() override;

    RadioShell& shell();
    QWidget* dialogParent();

    AppState& m_state;
    SettingsPaths m_paths;
    std::unique_ptr<link::PortLister> m_ports;
    // The main window that gave the last command; it outlives every operation it starts (it
    // does not close while one runs).
    RadioShell* m_shell = nullptr;
    platform::QtClock m_clock;
    platform::ProgrammingPort m_port;
    link::WindowOperationPrompts m_prompts;
    link::LinkSession m_session;
    link::RadioOperations m_operations;
};

} // namespace corvane::app
