#include "platform/widgets/file_chooser.h"

#include <QFileDialog>

namespace corvane::platform {

namespace {

std::optional<QString> run(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    return chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen);
}

} // namespace

std::optional<QString> DialogFileChooser::chooseFileToOpen(QWidget* parent, const FileDialogTexts& texts,
                                                           const QString& folder)
{
    QFileDialog dialog(parent, texts.title, folder, texts.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog);
}

std::optional<QString> DialogFileChooser::chooseFileToSave(QWidget* parent, const FileDialogTexts& texts,
                                                           const QString& preset)
{
    QFileDialog dialog(parent, texts.title, preset, texts.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(texts.defaultSuffix);
    dialog.selectFile(preset);
    return run(dialog);
}

} // namespace corvane::platform
