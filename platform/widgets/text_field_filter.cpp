#include "platform/widgets/text_field_filter.h"

#include "platform/widgets/focus_keys.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>

namespace corvane::platform {

namespace {

bool isControlCharacter(char16_t c)
{
    return c < 32 || c == 127;
}

// Keys that copy, cut or paste, whatever the platform's key bindings say: Ctrl+C/V/X on any
// layout (also as their character codes 3, 22, 24), Shift+Insert, Ctrl+Insert, Shift+Delete and
// the Copy/Cut/Paste keys of some keyboards.
bool isClipboardKey(const QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Paste)) {
        return true;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int key = event->key();
    if ((modifiers & Qt::ControlModifier) && (key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X)) {
        return true;
    }
    if (key == Qt::Key_Insert && (modifiers & (Qt::ShiftModifier | Qt::ControlModifier))) {
        return true;
    }
    if (key == Qt::Key_Delete && (modifiers & Qt::ShiftModifier)) {
        return true;
    }
    if (key == Qt::Key_Copy || key == Qt::Key_Cut || key == Qt::Key_Paste) {
        return true;
    }
    const QString text = event->text();
    return text.size() == 1 && (text[0] == QChar(3) || text[0] == QChar(22) || text[0] == QChar(24));
}

} // namespace

TextFieldFilter* TextFieldFilter::install(QLineEdit* field, const TextFieldRules& rules)
{
    auto* filter = new TextFieldFilter(field, rules);
    field->installEventFilter(filter);
    return filter;
}

TextFieldFilter::TextFieldFilter(QLineEdit* field, const TextFieldRules& rules)
    : QObject(field), m_rules(rules)
{
    if (m_rules.maxLength > 0) {
        field->setMaxLength(m_rules.maxLength);
    }
    field->setContextMenuPolicy(Qt::NoContextMenu);
    field->setAcceptDrops(false);
    field->setDragEnabled(false);
    // Only ASCII can be entered, so the input method has nothing to compose here. QLineEdit turns
    // the attribute back on with some property changes; the filter screens its events anyway.
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
}

QString TextFieldFilter::admitted(const QString& typed) const
{
    QString out;
    out.reserve(typed.size());
    for (QChar ch : typed) {
        char16_t c = ch.unicode();
        if (c > 127) {
            continue;
        }
        if (isControlCharacter(c)) {
            out.append(ch);
            continue;
        }
        if ((m_rules.fold == LetterFold::HexLetters && c >= u'a' && c <= u'f') ||
            (m_rules.fold == LetterFold::DtmfLetters && c >= u'a' && c <= u'd')) {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
        if (!m_rules.allowed.isEmpty() && !m_rules.allowed.contains(QChar(c))) {
            continue;
        }
        out.append(QChar(c));
    }
    return out;
}

bool TextFieldFilter::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        return filterKey(field, static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        return filterInputMethod(field, static_cast<QInputMethodEvent*>(event));
    case QEvent::ContextMenu:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        // The right button would open the menu, the middle one pastes the X11 selection.
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        return button == Qt::RightButton || button == Qt::MiddleButton;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        event->ignore();
        return true;
    default:
        return false;
    }
}

bool TextFieldFilter::filterKey(QWidget* field, QKeyEvent* event)
{
    if (isClipboardKey(event)) {
        return true;
    }
    if (isEnterKey(event->key())) {
        if (m_rules.enter == EnterKey::MoveFocus) {
            moveFocusLikeTab(field);
        } else {
            emit enterPressed();
        }
        return true;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        return false; // arrows, Home, End, Delete ...
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return false; // a command such as select-all or undo; the field inserts no text for it
    }
    const QString taken = admitted(text);
    if (taken == text) {
        return false;
    }
    if (!taken.isEmpty()) {
        // A folded letter: the field gets the same key with the upper-case text; the filter sees
        // it again and lets it through unchanged.
        QKeyEvent folded(QEvent::KeyPress, event->key(), event->modifiers(), taken, event->isAutoRepeat(),
                         static_cast<ushort>(event->count()));
        QCoreApplication::sendEvent(field, &folded);
    }
    return true;
}

bool TextFieldFilter::filterInputMethod(QWidget* field, QInputMethodEvent* event)
{
    const QString taken = admitted(event->commitString());
    if (taken == event->commitString() && event->preeditString().isEmpty()) {
        return false;
    }
    // A composition in progress is not shown (its characters would not be taken), and only the
    // admitted part of a commit reaches the field.
    QInputMethodEvent screened;
    screened.setCommitString(taken, event->replacementStart(), event->replacementLength());
    QCoreApplication::sendEvent(field, &screened);
    return true;
}

} // namespace corvane::platform
