#include "platform/widgets/button_captions.h"

#include "model/shared_texts.h"
#include "platform/widgets/ui_text.h"

#include <QAbstractButton>

namespace corvane::platform {

namespace {
void caption(QAbstractButton* button, const model::TextPair& pair, model::Language language)
{
    if (button) {
        button->setText(qtText(pair, language));
    }
}
} // namespace

void captionOkCancel(QAbstractButton* ok, QAbstractButton* cancel, model::Language language)
{
    caption(ok, model::texts::kOkButton, language);
    caption(cancel, model::texts::kCancelButton, language);
}

void captionCloseHelp(QAbstractButton* close, QAbstractButton* help, model::Language language)
{
    caption(close, model::texts::kCloseButton, language);
    caption(help, model::texts::kHelpButton, language);
}

} // namespace corvane::platform
