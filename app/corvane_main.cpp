// Corvane: dealer programming software for the ZT740-16.

#include "app/core/app_state.h"
#include "app/core/startup_settings.h"
#include "model/new_document.h"
#include "platform/resource_paths.h"
#include "platform/system_locale.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

using namespace corvane;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("Corvane"));

    app::AppState state;
    const app::SettingsPaths paths{platform::resourceFolder(), platform::userConfigFolder()};
    app::initialiseStartupValues(state, platform::systemLocaleIsChinesePrc());
    app::seedUserFiles(paths);
    app::loadSetupFile(state, paths, {});
    const platform::SystemDateSource dates;
    model::newDocument(state.model, {dates, state.language.startupLanguage, {}});
    app::loadSettingRecord(state, paths);

    const model::CurrentModel& current = state.model.currentModel;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Corvane"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("<h2>Corvane</h2>")));
    layout->addWidget(new QLabel(QString::fromStdString(current.currentModelName + " [" + current.currentBand + "]")));
    window.resize(480, 200);
    window.show();
    return QApplication::exec();
}
