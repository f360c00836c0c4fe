#include "testsupport/qt/isolated_user_folders.h"

#include <QDir>

namespace corvane::testing {

IsolatedUserFolders::IsolatedUserFolders()
{
    const QDir root(m_folder.path());
    for (const char* name : {"config", "data", "cache"}) {
        root.mkpath(QLatin1String(name));
    }
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", root.filePath(QStringLiteral("cache")).toLocal8Bit());
    qunsetenv("CORVANE_CONFIG_DIR");
}

} // namespace corvane::testing
