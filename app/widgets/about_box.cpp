#include "app/widgets/about_box.h"

#include "app/widgets/main_window_texts.h"
#include "app/widgets/toolbar_icons.h"
#include "platform/widgets/button_captions.h"
#include "platform/widgets/ui_text.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace corvane::app {

using platform::qtText;
namespace texts = mainwindow;

QString programVersionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(CORVANE_VERSION_MAJOR)
        .arg(CORVANE_VERSION_MINOR)
        .arg(CORVANE_VERSION_PATCH);
}

bool startSystemInformationProgram()
{
    // Desktop tools that show the machine's hardware and system, in order of preference.
    for (const char* name : {"hardinfo2", "hardinfo", "kinfocenter"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty()) {
            return QProcess::startDetached(program, {});
        }
    }
    return false;
}

AboutBox::AboutBox(model::Language language, model::Prompts& prompts, SystemInfoStarter startSystemInfo,
                   QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_startSystemInfo(std::move(startSystemInfo))
{
    const bool chinese = language == model::Language::Chinese;
    setObjectName(chinese ? QStringLiteral("frmAboutC") : QStringLiteral("frmAbout"));
    setWindowTitle(qtText(texts::kAboutTitle, language));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* picture = new QLabel(this);
    picture->setPixmap(toolbarIcon(QStringLiteral("About")).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* title = new QLabel(qtText(texts::kProgramTitle), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* version = new QLabel(qtText(texts::kVersionLabel, language) + programVersionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* description = new QLabel(qtText(texts::kAboutDescription, language), this);
    description->setObjectName(QStringLiteral("lblDescription"));

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addWidget(description);
    if (!chinese) {
        auto* forModel = new QLabel(qtText(texts::kAboutForModel), this);
        forModel->setObjectName(QStringLiteral("lblForModel"));
        text->addWidget(forModel);
    }
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    text->addSpacing(6);
    text->addWidget(line);
    auto* disclaimer = new QLabel(qtText(texts::kAboutDisclaimer, language), this);
    disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    disclaimer->setWordWrap(true);
    disclaimer->setMinimumWidth(360);
    text->addWidget(disclaimer);

    auto* body = new QHBoxLayout;
    body->addWidget(picture);
    body->addSpacing(8);
    body->addLayout(text, 1);

    auto* ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    platform::captionOkCancel(ok, nullptr, language);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    if (chinese) {
        auto* systemInfo = new QPushButton(qtText(texts::kSystemInfoButton), this);
        systemInfo->setObjectName(QStringLiteral("cmdSysInfo"));
        connect(systemInfo, &QPushButton::clicked, this, &AboutBox::showSystemInformation);
        buttons->addWidget(systemInfo);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
}

void AboutBox::showSystemInformation()
{
    if (!(m_startSystemInfo && m_startSystemInfo())) {
        m_prompts.showMessage(std::string(texts::kSystemInfoUnavailable), model::MessageButtons::Ok,
                              model::MessageIcon::None);
    }
}

void showAboutBox(model::Language language, model::Prompts& prompts, QWidget* parent,
                  SystemInfoStarter startSystemInfo)
{
    AboutBox box(language, prompts, std::move(startSystemInfo), parent);
    box.exec();
}

} // namespace corvane::app
