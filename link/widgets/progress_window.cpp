#include "link/widgets/progress_window.h"

#include "model/number_text.h"
#include "model/shared_texts.h"
#include "platform/widgets/ui_text.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace corvane::link {

namespace {

// 10 twips between the label's right edge and the percentage, at 96 dots per inch.
constexpr int kLabelGapPixels = 1;
constexpr int kWindowWidthPixels = 360;

constexpr model::TextTable<LinkOperation, 2> kCaptions{{
    {LinkOperation::Read, model::texts::kProgressCaptionRead},
    {LinkOperation::Write, model::texts::kProgressCaptionWrite},
}};

} // namespace

ProgressWindow::ProgressWindow(LinkOperation operation, model::Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_caption(new QLabel(this)),
      m_percent(new QLabel(this)), m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setModal(true);
    setWindowTitle(platform::qtText(model::pick(kCaptions, operation, language)));
    m_caption->setText(platform::qtText(model::texts::kProgressLabel, language));
    m_caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_percent->setObjectName(QStringLiteral("percentLabel"));
    m_percent->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Room for "100%" so the label does not move while the number grows.
    m_percent->setMinimumWidth(m_percent->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);

    auto* row = new QHBoxLayout;
    row->setSpacing(kLabelGapPixels);
    row->addStretch(1);
    row->addWidget(m_caption);
    row->addWidget(m_percent);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_bar);
    setFixedWidth(kWindowWidthPixels);
    setFixedHeight(sizeHint().height());

    setPercent(0);
}

void ProgressWindow::setPercent(int percent)
{
    m_bar->setValue(percent);
    m_percent->setText(platform::qtText(model::formatInteger(percent) + "%"));
}

void ProgressWindow::finish()
{
    m_finishing = true;
    done(QDialog::Accepted);
}

void ProgressWindow::reject()
{
    if (m_finishing) {
        QDialog::reject();
    }
}

void ProgressWindow::closeEvent(QCloseEvent* event)
{
    if (m_finishing) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

} // namespace corvane::link
