#pragma once
// The key rules of the editors' free-text fields, installed on a QLineEdit:
//  - Ctrl+C, Ctrl+V, Ctrl+X and their Insert/Delete and keyboard-key equivalents are discarded,
//    the field shows no context menu, ignores the middle button (X11 selection paste) and refuses
//    dropped text, so nothing reaches it that was not typed;
//  - Enter moves the focus on like Tab (or is reported to the owner) and is discarded;
//  - characters above 127 are discarded, typed or committed by an input method;
//  - of the printable characters only the field's allowed set passes, after a-f or a-d are
//    turned upper case where the field asks for it; the field's maximum length applies.
// Backspace, Delete, the arrows and other editing keys pass. Text the program sets with setText
// is not filtered: the editors show stored values through it.

#include <QObject>
#include <QString>

class QKeyEvent;
class QInputMethodEvent;
class QLineEdit;
class QWidget;

namespace corvane::platform {

enum class LetterFold {
    None,
    HexLetters,  // a-f become A-F (hexadecimal fields)
    DtmfLetters, // a-d become A-D (DTMF code fields)
};

enum class EnterKey {
    MoveFocus, // like Tab
    Report,    // the filter emits enterPressed(); the owner decides (the grid editors)
};

// Allowed sets the editors share.
namespace fieldCharacters {
inline constexpr const char* kDigits = "0123456789";
inline constexpr const char* kFrequency = "0123456789.";
inline constexpr const char* kHexDigits = "0123456789ABCDEF";
inline constexpr const char* kDtmfDigits = "0123456789ABCD*#";
} // namespace fieldCharacters

struct TextFieldRules
{
    QString allowed; // printable characters that pass; empty: every printable ASCII character
    LetterFold fold = LetterFold::None;
    int maxLength = 0; // characters; 0 keeps the field's own limit
    EnterKey enter = EnterKey::MoveFocus;
};

class TextFieldFilter : public QObject
{
    Q_OBJECT

public:
    // Puts the rules on `field`; the filter belongs to the field and goes with it.
    static TextFieldFilter* install(QLineEdit* field, const TextFieldRules& rules = {});

    const TextFieldRules& rules() const { return m_rules; }

    // What of `typed` the field takes: letters folded, refused characters dropped, control
    // characters kept.
    QString admitted(const QString& typed) const;

signals:
    void enterPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TextFieldFilter(QLineEdit* field, const TextFieldRules& rules);
    bool filterKey(QWidget* field, QKeyEvent* event);
    bool filterInputMethod(QWidget* field, QInputMethodEvent* event);

    TextFieldRules m_rules;
};

} // namespace corvane::platform
