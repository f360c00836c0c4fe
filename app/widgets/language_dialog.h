#pragma once
// The "Set Language" dialog: a drop-down of the languages this run offers (English only when it
// started in English), preselected on the current one. OK applies the choice to the language
// state; the caller learns whether the language changed, so the main window can show or hide
// "Help topics". The main window rebuilds its own texts on its next activation.

#include "model/language_choice.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace corvane::app {

class LanguageDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LanguageDialog(model::LanguageState& state, QWidget* parent = nullptr);

    // True after OK changed the language.
    bool languageChanged() const { return m_changed; }

private:
    void applyChoice();

    model::LanguageState& m_state;
    std::vector<model::LanguageItem> m_items;
    QLabel* m_label;
    QComboBox* m_list;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    bool m_changed = false;
};

// The "Set Language" command: runs the dialog modally; true when the language changed.
bool showLanguageDialog(model::LanguageState& state, QWidget* parent);

} // namespace corvane::app
