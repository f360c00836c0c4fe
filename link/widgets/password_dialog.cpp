#include "link/widgets/password_dialog.h"

#include "link/password.h"
#include "model/code_page.h"
#include "model/shared_texts.h"
#include "platform/widgets/button_captions.h"
#include "platform/widgets/text_field_filter.h"
#include "platform/widgets/ui_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::link {

namespace {

// 50 twips between the label's right edge and the field, at 96 dots per inch.
constexpr int kLabelGapPixels = 3;

} // namespace

PasswordDialog::PasswordDialog(const std::string& enteredPassword, model::Language language, QWidget* parent)
    : QDialog(parent), m_label(new QLabel(this)), m_field(new QLineEdit(this)), m_ok(new QPushButton(this)),
      m_cancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("PasswordDialog"));
    setWindowTitle(platform::qtText(model::texts::kPasswordDialogTitle, language));
    m_label->setText(platform::qtText(model::texts::kPasswordLabel, language));
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label->setBuddy(m_field);

    m_field->setObjectName(QStringLiteral("passwordField"));
    m_field->setEchoMode(QLineEdit::Password);
    // Every character shows as "*", whatever the style's own mask character is.
    m_field->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    m_field->setText(platform::qtText(model::codePageToUtf8(enteredPassword)));
    m_field->selectAll();
    // Any printable ASCII character may be part of a radio's password.
    platform::TextFieldRules rules;
    rules.maxLength = static_cast<int>(kPasswordMaxLength);
    rules.enter = platform::EnterKey::Report;
    auto* filter = platform::TextFieldFilter::install(m_field, rules);
    connect(filter, &platform::TextFieldFilter::enterPressed, this, &QDialog::accept);

    platform::captionOkCancel(m_ok, m_cancel, language);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->setSpacing(kLabelGapPixels);
    row->addWidget(m_label);
    row->addWidget(m_field, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    m_field->setFocus();
}

std::string PasswordDialog::fieldText() const
{
    return model::utf8ToCodePage(m_field->text().toStdString());
}

std::optional<std::string> PasswordDialog::ask(const std::string& enteredPassword, model::Language language,
                                               QWidget* parent)
{
    PasswordDialog dialog(enteredPassword, language, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.fieldText();
}

} // namespace corvane::link
