#include "features/embedded_information_view.h"

#include "model/code_page.h"
#include "platform/widgets/button_captions.h"
#include "platform/widgets/help_viewer.h"
#include "platform/widgets/ui_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::features {

namespace {

using emg::InfoField;

// The fields are as wide as the block's 16-character texts (serial number, dates) with room for
// the frame and the text margins.
constexpr int kFieldCharacters = 16;
constexpr int kFieldPaddingPixels = 24;

QString shown(const std::string& codePageBytes)
{
    return platform::qtText(model::codePageToUtf8(codePageBytes));
}

} // namespace

FrmEMG::FrmEMG(const model::RadioInfo& info, model::Language language, HelpCommand showHelp, QWidget* parent)
    : QDialog(parent), m_info(info), m_showHelp(std::move(showHelp)), m_close(new QPushButton(this)),
      m_help(new QPushButton(this))
{
    setObjectName(QStringLiteral("FrmEMG"));
    setWindowTitle(platform::qtText(emg::kTitle, language));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    platform::setHelpContext(this, emg::kHelpContext);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (const emg::FieldRow& entry : emg::kFieldTable) {
        auto* label = new QLabel(platform::qtText(entry.caption, language), this);
        QWidget* widget = nullptr;
        if (entry.field == InfoField::RadioType || entry.field == InfoField::Band) {
            auto* list = new QComboBox(this);
            if (entry.field == InfoField::Band) {
                for (std::string_view band : model::kBandTexts) {
                    list->addItem(platform::qtText(band));
                }
            }
            widget = list;
        } else {
            auto* line = new QLineEdit(this);
            line->setReadOnly(true);
            widget = line;
        }
        widget->setMinimumWidth(
            widget->fontMetrics().horizontalAdvance(QString(kFieldCharacters, QLatin1Char('0'))) +
            kFieldPaddingPixels);
        widget->setObjectName(platform::qtText(entry.name));
        widget->setEnabled(false);
        label->setBuddy(widget);
        m_fields.emplace(entry.field, widget);
        m_captions.emplace(entry.field, label);
        if (entry.shown) {
            grid->addWidget(label, row, 0);
            grid->addWidget(widget, row, 1);
            ++row;
        } else {
            label->hide();
            widget->hide();
        }
    }

    platform::captionCloseHelp(m_close, m_help, language);
    m_close->setObjectName(QStringLiteral("cmdClose"));
    m_help->setObjectName(QStringLiteral("cmdHelp"));
    m_close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    buttons->addWidget(m_help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_help, &QPushButton::clicked, this, [this] {
        if (m_showHelp) {
            m_showHelp(emg::kHelpContext);
        }
    });

    ShowByData();
}

void FrmEMG::ShowByData()
{
    for (const auto& [which, widget] : m_fields) {
        const QString text = shown(emg::shownFieldText(m_info, which));
        if (which == InfoField::RadioType) {
            auto* list = static_cast<QComboBox*>(widget);
            list->clear();
            list->addItem(text);
            list->setCurrentIndex(0);
        } else if (which == InfoField::Band) {
            auto* list = static_cast<QComboBox*>(widget);
            list->setCurrentIndex(emg::bandListIndex(m_info.infoBandIndex));
        } else {
            auto* line = static_cast<QLineEdit*>(widget);
            line->setText(text);
            line->setCursorPosition(0);
        }
    }
}

QString FrmEMG::fieldText(InfoField which) const
{
    QWidget* widget = m_fields.at(which);
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        return list->currentText();
    }
    return static_cast<QLineEdit*>(widget)->text();
}

QComboBox* FrmEMG::radioTypeList() const
{
    return static_cast<QComboBox*>(m_fields.at(InfoField::RadioType));
}

QComboBox* FrmEMG::bandList() const
{
    return static_cast<QComboBox*>(m_fields.at(InfoField::Band));
}

} // namespace corvane::features
