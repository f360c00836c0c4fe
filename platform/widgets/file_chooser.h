#pragma once
// Choosing a file to open or save: the common file dialog of the program. Windows take a
// FileChooser so tests can answer with a path (or a cancel) instead of driving a dialog.

#include <QString>
#include <optional>

class QWidget;

namespace corvane::platform {

struct FileDialogTexts
{
    QString title;
    QString filter;        // "Data File (*.dat)"
    QString defaultSuffix; // added to a name typed without one; empty: none
};

class FileChooser
{
public:
    virtual ~FileChooser() = default;
    // The path of an existing file, or nothing when the user cancelled.
    virtual std::optional<QString> chooseFileToOpen(QWidget* parent, const FileDialogTexts& texts,
                                                    const QString& folder) = 0;
    // The path to save to, or nothing when the user cancelled; `preset` is shown as the choice.
    virtual std::optional<QString> chooseFileToSave(QWidget* parent, const FileDialogTexts& texts,
                                                    const QString& preset) = 0;
};

// The Qt file dialog. An existing file chosen for saving is confirmed by the dialog itself.
class DialogFileChooser : public FileChooser
{
public:
    std::optional<QString> chooseFileToOpen(QWidget* parent, const FileDialogTexts& texts,
                                            const QString& folder) override;
    std::optional<QString> chooseFileToSave(QWidget* parent, const FileDialogTexts& texts,
                                            const QString& preset) override;
};

} // namespace corvane::platform
