#pragma once
// Gives a test process per-user folders of its own (settings store, config, data and cache
// folders) in a temporary folder. Widget tests run in parallel under ctest; without this they
// would share one settings store (QStandardPaths' test mode points every process at the same
// ~/.qttest) and overwrite each other's window geometry. Construct it before the QApplication.

#include <QTemporaryDir>

namespace corvane::testing {

class IsolatedUserFolders
{
public:
    IsolatedUserFolders();
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};

} // namespace corvane::testing
