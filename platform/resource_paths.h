#pragma once
// Where the program's files live on this machine.
//   resource folder (read-only): $CORVANE_RESOURCE_DIR when set, else <program folder>/resources
//     (the build tree), else <program folder>/../share/corvane (an installed program);
//   user folder (written): $CORVANE_CONFIG_DIR when set, else <config location>/Corvane,
//     normally ~/.config/Corvane;
//   user data folder: <data location>/Corvane, normally ~/.local/share/Corvane.

#include <QString>

#include <filesystem>

namespace corvane::platform {

std::filesystem::path toPath(const QString& path);
QString toQString(const std::filesystem::path& path);

std::filesystem::path programFolder();
std::filesystem::path resourceFolder();
std::filesystem::path userConfigFolder();
std::filesystem::path userDataFolder();

} // namespace corvane::platform
