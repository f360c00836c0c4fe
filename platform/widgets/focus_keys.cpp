#include "platform/widgets/focus_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace corvane::platform {

void moveFocusLikeTab(QWidget* widget)
{
    // A real Tab press takes Qt's own route through the Tab order (hidden, disabled and
    // non-focusable controls skipped, item-view editors committed), which a hand-made walk of the
    // focus chain would not match.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &tab);
}

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

EnterMovesFocus* EnterMovesFocus::install(QWidget* control)
{
    auto* filter = new EnterMovesFocus(control);
    control->installEventFilter(filter);
    return filter;
}

EnterMovesFocus::EnterMovesFocus(QWidget* control) : QObject(control) {}

bool EnterMovesFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent*>(event)->key())) {
        moveFocusLikeTab(static_cast<QWidget*>(watched));
        return true;
    }
    return false;
}

} // namespace corvane::platform
