#include "platform/window_geometry_store.h"

#include <QSettings>

namespace corvane::platform {

namespace {

int readTwips(const QSettings& settings, const char* key, int fallback)
{
    bool ok = false;
    const int value = settings.value(QLatin1String(key)).toString().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

WindowGeometryTwips readMainWindowGeometry()
{
    QSettings settings(QStringLiteral("Corvane"), QStringLiteral("Corvane"));
    settings.beginGroup(QStringLiteral("Settings"));
    const WindowGeometryTwips defaults;
    return {readTwips(settings, "MainLeft", defaults.left), readTwips(settings, "MainTop", defaults.top),
            readTwips(settings, "MainWidth", defaults.width), readTwips(settings, "MainHeight", defaults.height)};
}

void writeMainWindowGeometry(const WindowGeometryTwips& geometry)
{
    QSettings settings(QStringLiteral("Corvane"), QStringLiteral("Corvane"));
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QStringLiteral("MainLeft"), QString::number(geometry.left));
    settings.setValue(QStringLiteral("MainTop"), QString::number(geometry.top));
    settings.setValue(QStringLiteral("MainWidth"), QString::number(geometry.width));
    settings.setValue(QStringLiteral("MainHeight"), QString::number(geometry.height));
}

} // namespace corvane::platform
