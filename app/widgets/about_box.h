#pragma once
// The about boxes, English and Chinese: the program's title, "Version " / "版本 " with the
// build's major.minor.revision, the description line, "FOR ZT740" (English box), a disclaimer.
// The Chinese box also offers "系统信息(&S)...", which starts a system-information program
// when one is installed (hardinfo2, hardinfo or kinfocenter) and otherwise says
// "此时系统信息不可用".

#include "model/prompts.h"
#include "model/text_pair.h"

#include <QDialog>
#include <QString>
#include <functional>

namespace corvane::app {

// "major.minor.revision" of this build.
QString programVersionText();

// Starts the system-information program; false when none is installed or it did not start.
using SystemInfoStarter = std::function<bool()>;
bool startSystemInformationProgram();

class AboutBox : public QDialog
{
    Q_OBJECT

public:
    AboutBox(model::Language language, model::Prompts& prompts, SystemInfoStarter startSystemInfo,
             QWidget* parent = nullptr);

private:
    void showSystemInformation();

    model::Prompts& m_prompts;
    SystemInfoStarter m_startSystemInfo;
};

// The About command: the box of the current language, modal.
void showAboutBox(model::Language language, model::Prompts& prompts, QWidget* parent,
                  SystemInfoStarter startSystemInfo = startSystemInformationProgram);

} // namespace corvane::app
