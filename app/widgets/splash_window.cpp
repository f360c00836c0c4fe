#include "app/widgets/splash_window.h"

#include "platform/resource_paths.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

namespace corvane::app {

std::filesystem::path splashPicture(const std::filesystem::path& resourceFolder, model::Language language)
{
    return resourceFolder / (language == model::Language::Chinese ? "StartC.jpg" : "StartE.jpg");
}

SplashWindow::SplashWindow(const std::filesystem::path& picture, int milliseconds, QWidget* parent)
    : QLabel(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    const QPixmap pixmap(platform::toQString(picture));
    if (pixmap.isNull()) {
        setFixedSize(480, 300);
        setFrameShape(QFrame::Box);
    } else {
        setPixmap(pixmap);
        setFixedSize(pixmap.deviceIndependentSize().toSize());
    }
    m_timer.setSingleShot(true);
    m_timer.setInterval(milliseconds);
    connect(&m_timer, &QTimer::timeout, this, &SplashWindow::finish);
}

void SplashWindow::showNow()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    repaint();
}

void SplashWindow::beginCountdown()
{
    if (!m_done) {
        m_timer.start();
    }
}

void SplashWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    finish();
}

void SplashWindow::finish()
{
    m_timer.stop();
    if (m_done) {
        return;
    }
    m_done = true;
    // The main window is shown before the splash closes, so the program never has no window.
    emit finished();
    close();
}

} // namespace corvane::app
