#pragma once
// The splash window of the start: "StartE.jpg" (English) or "StartC.jpg" (Chinese) from the
// resource folder, shown until its timer runs out (2000 ms) or the picture is clicked, whichever
// comes first. finished() is emitted once; then the window closes. A missing picture gives an
// empty splash of the same role.

#include "model/text_pair.h"

#include <QLabel>
#include <QTimer>
#include <filesystem>

namespace corvane::app {

inline constexpr int kSplashMilliseconds = 2000;

std::filesystem::path splashPicture(const std::filesystem::path& resourceFolder, model::Language language);

class SplashWindow : public QLabel
{
    Q_OBJECT

public:
    SplashWindow(const std::filesystem::path& picture, int milliseconds = kSplashMilliseconds,
                 QWidget* parent = nullptr);

    // Shows the window and paints it at once.
    void showNow();
    // Starts the timer; from now on the timer or a click ends the splash.
    void beginCountdown();
    bool isDone() const { return m_done; }

signals:
    void finished();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void finish();

    QTimer m_timer;
    bool m_done = false;
};

} // namespace corvane::app
