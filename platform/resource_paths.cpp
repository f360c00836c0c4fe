#include "platform/resource_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace corvane::platform {

std::filesystem::path toPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString toQString(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::filesystem::path programFolder()
{
    return toPath(QCoreApplication::applicationDirPath());
}

std::filesystem::path resourceFolder()
{
    const QByteArray overridden = qgetenv("CORVANE_RESOURCE_DIR");
    if (!overridden.isEmpty()) {
        return std::filesystem::path(overridden.toStdString());
    }
    const QDir dir(QCoreApplication::applicationDirPath());
    if (dir.exists(QStringLiteral("resources"))) {
        return toPath(dir.filePath(QStringLiteral("resources")));
    }
    return toPath(QDir::cleanPath(dir.filePath(QStringLiteral("../share/corvane"))));
}

std::filesystem::path userConfigFolder()
{
    const QByteArray overridden = qgetenv("CORVANE_CONFIG_DIR");
    if (!overridden.isEmpty()) {
        return std::filesystem::path(overridden.toStdString());
    }
    return toPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) / "Corvane";
}

std::filesystem::path userDataFolder()
{
    return toPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) / "Corvane";
}

} // namespace corvane::platform
