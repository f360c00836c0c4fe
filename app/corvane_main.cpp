// Corvane: dealer programming software for the ZT740-16.

#include "app/widgets/about_box.h"
#include "app/widgets/link_radio_commands.h"
#include "app/widgets/startup.h"
#include "link/port_list.h"
#include "platform/serial_port_lister.h"
#include "platform/resource_paths.h"
#include "platform/system_locale.h"

#include <QApplication>

using namespace corvane;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(app::programVersionText());

    const app::SettingsPaths paths{platform::resourceFolder(), platform::userConfigFolder()};
    app::StartupSeams seams;
    // A configured port that is no longer there gives way to the first port the system lists.
    seams.portCheck = [](const std::string& configured) {
        return link::startupPortCheck(configured, platform::SystemPortLister().listPorts(),
                                      platform::isWindowsVersion6_0());
    };
    seams.radioCommands = [paths](app::AppState& state) {
        return std::make_unique<app::LinkRadioCommands>(state, paths);
    };
    const auto run = app::startup(paths, platform::systemLocaleIsChinesePrc(), std::move(seams));
    return QApplication::exec();
}
