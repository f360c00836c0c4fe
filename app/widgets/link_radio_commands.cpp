#include "app/widgets/link_radio_commands.h"

#include "features/embedded_information_view.h"
#include "link/widgets/port_dialog.h"
#include "platform/serial_port_lister.h"
#include "platform/widgets/error_guard.h"

#include <QApplication>
#include <stdexcept>

namespace corvane::app {

LinkRadioCommands::LinkRadioCommands(AppState& state, SettingsPaths paths, std::filesystem::path virtualRadioMemory,
                                     std::unique_ptr<link::PortLister> ports)
    : m_state(state), m_paths(std::move(paths)),
      m_ports(ports ? std::move(ports) : std::make_unique<platform::SystemPortLister>()),
      m_port(m_clock, std::move(virtualRadioMemory)),
      m_prompts([this] { return m_state.language.language; }, [this] { return dialogParent(); }),
      m_session(m_port, m_clock, m_state.model.radioImage, m_prompts),
      m_operations(m_state.model, m_state.language, m_state.link, m_session, m_clock, m_prompts, *this)
{
}

LinkRadioCommands::~LinkRadioCommands()
{
    m_operations.resetToIdle();
}

RadioShell& LinkRadioCommands::shell()
{
    // Every operation is started by a command, and every command names its shell first.
    if (m_shell == nullptr) {
        throw std::logic_error("radio operation without a main window");
    }
    return *m_shell;
}

QWidget* LinkRadioCommands::dialogParent()
{
    if (m_shell != nullptr) {
        return m_shell->dialogParent();
    }
    return QApplication::activeModalWidget();
}

void LinkRadioCommands::startRead(RadioShell& shell)
{
    m_shell = &shell;
    m_operations.startRead(); // refused while another operation runs
}

void LinkRadioCommands::startWrite(RadioShell& shell)
{
    m_shell = &shell;
    m_operations.startWrite();
}

void LinkRadioCommands::startRadioInfoRead(RadioShell& shell)
{
    m_shell = &shell;
    m_operations.startRadioInfoRead();
}

void LinkRadioCommands::showPasswordDialog(RadioShell& shell)
{
    if (isBusy()) {
        return;
    }
    m_shell = &shell;
    m_operations.showPasswordDialog();
}

void LinkRadioCommands::showPortDialog(RadioShell& shell)
{
    if (isBusy()) {
        return; // the port of a running operation stays as it was opened
    }
    m_shell = &shell;
    link::PortDialog dialog(*m_ports, m_state.comPort, m_paths.setupFile(), m_state.language.language,
                            platform::isWindowsVersion6_0(), shell.dialogParent());
    dialog.exec();
    shell.refreshStatusBar();
}

IdentityStatus LinkRadioCommands::lastIdentityStatus() const
{
    return {m_state.link.radioStunned, m_state.link.radioKilled};
}

// ---- the operations' side of the main window ----------------------------------------------------

void LinkRadioCommands::commitEditors()
{
    // The main window has had every open editor commit its focused control just before it
    // called startWrite. A second commit would run each editor's checks again and could show the
    // same warning twice; the 100 ms deferred start still lets the first one settle.
}

void LinkRadioCommands::closeChildWindows()
{
    RadioShell& main = shell();
    platform::runGuarded("frmMain_CloseCurAllWindows", [&] { main.CloseCurAllWindows(); }, main.prompts());
}

void LinkRadioCommands::showReadDocument()
{
    // Runs from the port's receive event, outside any command's guard: a failing editor must not
    // take the program down with it.
    RadioShell& main = shell();
    platform::runGuarded("frmMain_ShowReadDocument", [&] { main.showReadDocument(); }, main.prompts());
}

void LinkRadioCommands::showRadioInformation()
{
    RadioShell& main = shell();
    platform::runGuarded(
        "FrmEMG_Load",
        [&] {
            features::FrmEMG view(m_state.model.radioInfo, m_state.language.language,
                                  [&main](int contextId) { main.showHelpTopic(contextId); }, main.dialogParent());
            view.exec();
        },
        main.prompts());
}

model::HandOverContext LinkRadioCommands::handOverContext()
{
    return shell().handOverContext();
}

} // namespace corvane::app
