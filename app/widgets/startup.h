#pragma once
// The start of Corvane, in this order:
//   1. the version table (Version.ini of the resource folder);
//   2. suppressRangeWarnings cleared;
//   3. (the decimal separator: the program formats numbers itself and never changes the user's
//      locale settings, so there is nothing to set here and nothing to restore at exit);
//   4. language from the system locale and the current model's start-up values;
//   5. (no operating-system check: nothing in this program depends on the system's version);
//   6-9. "mysetup.ini": IsFirstRun and comPort read, the port checked, written back;
//   10. the splash window, shown and painted at once;
//   11. the test mode's data;
//   12. the new document (defaults and the template of the resource folder);
//   13. (the text tables are compiled in);
//   14. the main window, created but not shown;
//   15. "Setting.ini": the radio-information option flags.
// The splash ends after 2000 ms or on a click, whichever comes first, and shows the main window
// exactly once. Closing the main window stores its position and "Setting.ini".

#include "app/core/app_state.h"
#include "app/core/startup_settings.h"
#include "app/widgets/editor_registry.h"
#include "app/widgets/main_window.h"
#include "app/widgets/radio_commands.h"
#include "app/widgets/splash_window.h"
#include "model/version_table.h"
#include "platform/process_launcher.h"
#include "platform/system_locale.h"
#include "platform/widgets/file_chooser.h"
#include "platform/widgets/message_box_prompts.h"

#include <functional>
#include <memory>

namespace corvane::app {

// The parts later stages and tests put in.
struct StartupSeams
{
    StartupPortCheck portCheck;                        // empty: the configured port stands
    std::function<void(AppState&)> initialiseTestMode; // empty: test mode off
    std::function<std::unique_ptr<RadioCommands>(AppState&)> radioCommands; // empty: none offered
    EditorRegistry editors;
    std::unique_ptr<platform::FileChooser> files; // empty: the file dialog
    int splashMilliseconds = kSplashMilliseconds;
};

// Everything one run owns, in the order it is built (and the reverse order it ends).
struct CorvaneRun
{
    AppState state;
    model::VersionTable versions;
    platform::SystemDateSource dates;
    platform::ProcessLauncher launcher;
    std::unique_ptr<platform::MessageBoxPrompts> prompts;
    std::unique_ptr<platform::FileChooser> files;
    std::unique_ptr<RadioCommands> radio;
    std::unique_ptr<SplashWindow> splash;
    std::unique_ptr<MainWindow> mainWindow;
    int mainWindowShown = 0; // how often the splash showed the main window: once
};

// Runs the start-up sequence and returns with the splash showing and the main window created.
std::unique_ptr<CorvaneRun> startup(const SettingsPaths& paths, bool systemLocaleIsChinesePrc,
                                    StartupSeams seams);

} // namespace corvane::app
