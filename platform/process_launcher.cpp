#include "platform/process_launcher.h"

#include "platform/resource_paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace corvane::platform {

bool ProcessLauncher::isProgram(const std::filesystem::path& file) const
{
    const QFileInfo info(toQString(file));
    return info.isFile() && info.isExecutable();
}

bool ProcessLauncher::startProgram(const std::filesystem::path& file)
{
    const QFileInfo info(toQString(file));
    return QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath());
}

void ProcessLauncher::endThisProgram()
{
    QCoreApplication::exit(0);
}

std::filesystem::path thisProgramFile()
{
    return toPath(QCoreApplication::applicationFilePath());
}

} // namespace corvane::platform
