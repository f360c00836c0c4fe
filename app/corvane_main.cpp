// Corvane: dealer programming software for the ZT740-16.

#include "app/widgets/about_box.h"
#include "app/widgets/startup.h"
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
    const auto run = app::startup(paths, platform::systemLocaleIsChinesePrc(), {});
    return QApplication::exec();
}
