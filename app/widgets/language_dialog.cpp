#include "app/widgets/language_dialog.h"

#include "model/shared_texts.h"
#include "platform/widgets/button_captions.h"
#include "platform/widgets/focus_keys.h"
#include "platform/widgets/ui_text.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace corvane::app {

LanguageDialog::LanguageDialog(model::LanguageState& state, QWidget* parent)
    : QDialog(parent), m_state(state), m_items(model::offeredLanguages(state)), m_label(new QLabel(this)),
      m_list(new QComboBox(this)), m_ok(new QPushButton(this)), m_cancel(new QPushButton(this))
{
    const model::Language language = m_state.language;
    setObjectName(QStringLiteral("frmLanguage"));
    setWindowTitle(platform::qtText(model::texts::kLanguageDialogTitle, language));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_label->setText(platform::qtText(model::texts::kLanguageDialogLabel, language));
    m_label->setBuddy(m_list);
    m_list->setObjectName(QStringLiteral("languageList"));
    for (const model::LanguageItem& item : m_items) {
        m_list->addItem(platform::qtText(item.name));
    }
    const auto current =
        std::find_if(m_items.begin(), m_items.end(),
                     [language](const model::LanguageItem& item) { return item.language == language; });
    m_list->setCurrentIndex(current == m_items.end() ? 0 : static_cast<int>(current - m_items.begin()));
    platform::EnterMovesFocus::install(m_list);

    m_ok->setObjectName(QStringLiteral("CommandOK"));
    m_cancel->setObjectName(QStringLiteral("CommandCancel"));
    platform::captionOkCancel(m_ok, m_cancel, language);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &LanguageDialog::applyChoice);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(m_label);
    row->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_list->setMinimumWidth(160);
    m_list->setFocus();
}

void LanguageDialog::applyChoice()
{
    const int index = m_list->currentIndex();
    if (index >= 0 && static_cast<std::size_t>(index) < m_items.size()) {
        m_changed = model::applyLanguageChoice(m_state, m_items[static_cast<std::size_t>(index)].language);
    }
    accept();
}

bool showLanguageDialog(model::LanguageState& state, QWidget* parent)
{
    LanguageDialog dialog(state, parent);
    dialog.exec();
    return dialog.languageChanged();
}

} // namespace corvane::app
