#include "platform/widgets/editor_window.h"

#include <QWidget>

namespace corvane::platform {

void commitFocusedControl(QWidget* editor)
{
    if (!editor) {
        return;
    }
    if (auto* window = dynamic_cast<EditorWindow*>(editor)) {
        window->commitFocusedControl();
        return;
    }
    QWidget* focused = editor->focusWidget();
    if (focused && focused->hasFocus()) {
        focused->clearFocus(); // the control commits on losing the focus
        focused->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace corvane::platform
