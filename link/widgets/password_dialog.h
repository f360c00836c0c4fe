#pragma once
// The password dialog ("Program PassWord"): one masked field of at most 4 ASCII characters, shown
// as "*", opened with the password entered before; OK/Cancel. Enter in the field means OK.
// It only reports the text: what is kept of it is the operations' decision (password.h).

#include "model/text_pair.h"

#include <QDialog>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane::link {

class PasswordDialog : public QDialog
{
    Q_OBJECT

public:
    PasswordDialog(const std::string& enteredPassword, model::Language language, QWidget* parent = nullptr);

    // The field's text as code-page bytes.
    std::string fieldText() const;

    QLabel* label() const { return m_label; }
    QLineEdit* field() const { return m_field; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Shows the dialog modally: the field's text after OK, nothing after Cancel.
    static std::optional<std::string> ask(const std::string& enteredPassword, model::Language language,
                                          QWidget* parent = nullptr);

private:
    QLabel* m_label;
    QLineEdit* m_field;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace corvane::link
