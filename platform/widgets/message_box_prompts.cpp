#include "platform/widgets/message_box_prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace corvane::platform {

namespace {

// Captions of the message-box buttons.
constexpr model::TextPair kOkCaption{"&OK", "确定(&O)"};
constexpr model::TextPair kCancelCaption{"&Cancel", "取消(&C)"};
constexpr model::TextPair kYesCaption{"&Yes", "是(&Y)"};
constexpr model::TextPair kNoCaption{"&No", "否(&N)"};
constexpr std::string_view kProgramTitle = "Corvane";

QString text(const model::TextPair& pair, model::Language language)
{
    const std::string_view picked = model::pick(pair, language);
    return QString::fromUtf8(picked.data(), static_cast<qsizetype>(picked.size()));
}

QMessageBox::Icon boxIcon(model::MessageIcon icon)
{
    switch (icon) {
    case model::MessageIcon::Information:
        return QMessageBox::Information;
    case model::MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case model::MessageIcon::Question:
        return QMessageBox::Question;
    case model::MessageIcon::Error:
        return QMessageBox::Critical;
    case model::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageBoxPrompts::MessageBoxPrompts(LanguageSource language, ParentSource parent)
    : m_language(std::move(language)), m_parent(std::move(parent))
{
}

model::MessageAnswer MessageBoxPrompts::showMessage(const std::string& message, model::MessageButtons buttons,
                                                    model::MessageIcon icon, const std::string& title)
{
    const model::Language language = m_language ? m_language() : model::Language::English;
    QWidget* parent = m_parent ? m_parent() : nullptr;
    QMessageBox box(boxIcon(icon),
                    QString::fromUtf8(title.empty() ? std::string(kProgramTitle) : title),
                    QString::fromUtf8(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                    QMessageBox::NoButton, parent);

    struct Choice
    {
        QMessageBox::StandardButton button;
        model::TextPair caption;
        model::MessageAnswer answer;
    };
    const Choice ok{QMessageBox::Ok, kOkCaption, model::MessageAnswer::Ok};
    const Choice cancel{QMessageBox::Cancel, kCancelCaption, model::MessageAnswer::Cancel};
    const Choice yes{QMessageBox::Yes, kYesCaption, model::MessageAnswer::Yes};
    const Choice no{QMessageBox::No, kNoCaption, model::MessageAnswer::No};

    std::vector<Choice> choices;
    switch (buttons) {
    case model::MessageButtons::Ok:
        choices = {ok};
        break;
    case model::MessageButtons::OkCancel:
        choices = {ok, cancel};
        break;
    case model::MessageButtons::YesNo:
        choices = {yes, no};
        break;
    case model::MessageButtons::YesNoCancel:
        choices = {yes, no, cancel};
        break;
    }
    for (const Choice& choice : choices) {
        box.addButton(choice.button)->setText(text(choice.caption, language));
    }
    box.setDefaultButton(static_cast<QPushButton*>(box.button(choices.front().button)));
    if (buttons == model::MessageButtons::Ok) {
        box.setEscapeButton(box.button(QMessageBox::Ok));
    } else if (buttons != model::MessageButtons::YesNo) {
        box.setEscapeButton(box.button(QMessageBox::Cancel));
    }
    const auto chosen = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Choice& choice : choices) {
        if (choice.button == chosen) {
            return choice.answer;
        }
    }
    // Closed through the title bar: the most careful answer the box offers.
    if (buttons == model::MessageButtons::YesNo) {
        return model::MessageAnswer::No;
    }
    return buttons == model::MessageButtons::Ok ? model::MessageAnswer::Ok : model::MessageAnswer::Cancel;
}

} // namespace corvane::platform
