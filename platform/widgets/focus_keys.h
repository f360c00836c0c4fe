#pragma once
// Enter moves on: in the editors, Enter in a text field, drop-down or check box moves the focus
// to the next control exactly as Tab does (and never presses the dialog's default button).

#include <QObject>

class QWidget;

namespace corvane::platform {

// Moves the focus from `widget` to the next control in the Tab order, as a Tab key would.
void moveFocusLikeTab(QWidget* widget);

// True for the Enter and Return keys.
bool isEnterKey(int key);

// Makes Enter in `control` (a drop-down, check box, ...) move the focus on; the key is consumed.
// The filter belongs to the control.
class EnterMovesFocus : public QObject
{
    Q_OBJECT

public:
    static EnterMovesFocus* install(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit EnterMovesFocus(QWidget* control);
};

} // namespace corvane::platform
