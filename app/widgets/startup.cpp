#include "app/widgets/startup.h"

#include "model/document_files.h"
#include "model/new_document.h"

#include <QApplication>

namespace corvane::app {

std::unique_ptr<CorvaneRun> startup(const SettingsPaths& paths, bool systemLocaleIsChinesePrc,
                                    StartupSeams seams)
{
    auto run = std::make_unique<CorvaneRun>();
    AppState& state = run->state;
    CorvaneRun* self = run.get();
    run->prompts = std::make_unique<platform::MessageBoxPrompts>(
        [self] { return self->state.language.language; },
        [self]() -> QWidget* {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                return modal;
            }
            return self->mainWindow.get();
        });

    run->versions = model::loadVersionTable(model::versionTableFile(paths.resourceFolder));
    state.model.suppressRangeWarnings = false;
    initialiseStartupValues(state, systemLocaleIsChinesePrc);
    seedUserFiles(paths);
    loadSetupFile(state, paths, seams.portCheck);

    run->splash = std::make_unique<SplashWindow>(splashPicture(paths.resourceFolder, state.language.language),
                                                 seams.splashMilliseconds);
    run->splash->showNow();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    if (seams.initialiseTestMode) {
        seams.initialiseTestMode(state);
    }
    model::newDocument(state.model,
                       {run->dates, state.language.startupLanguage,
                        model::makeTemplateLoader(paths.resourceFolder, *run->prompts, state.language)});

    run->files = seams.files ? std::move(seams.files) : std::make_unique<platform::DialogFileChooser>();
    run->radio = seams.radioCommands ? seams.radioCommands(state) : nullptr;
    if (!run->radio) {
        run->radio = std::make_unique<UnavailableRadioCommands>();
    }
    run->mainWindow = std::make_unique<MainWindow>(MainWindowServices{
        state,
        paths,
        *run->prompts,
        run->versions,
        run->launcher,
        platform::thisProgramFile(),
        run->dates,
        *run->radio,
        *run->files,
        std::move(seams.editors),
    });
    loadSettingRecord(state, paths);

    QObject::connect(run->splash.get(), &SplashWindow::finished, run->mainWindow.get(), [self] {
        if (self->mainWindowShown++ == 0) {
            self->mainWindow->show();
            self->mainWindow->raise();
            self->mainWindow->activateWindow();
        }
    });
    // Only now can the splash end: the main window it shows exists.
    run->splash->beginCountdown();
    return run;
}

} // namespace corvane::app
