#pragma once
// The shared button captions of the dialogs and editor windows, in the current language.

#include "model/text_pair.h"

class QAbstractButton;

namespace corvane::platform {

// "&OK" / "确定(&O)" and "&Cancel" / "取消(&C)"; either button may be null.
void captionOkCancel(QAbstractButton* ok, QAbstractButton* cancel, model::Language language);
// "&Close" / "关闭(&C)" and "&Help" / "帮助(&H)"; either button may be null.
void captionCloseHelp(QAbstractButton* close, QAbstractButton* help, model::Language language);

} // namespace corvane::platform
