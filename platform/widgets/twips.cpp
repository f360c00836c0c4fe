#include "platform/widgets/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace corvane::platform {

namespace {

struct Dpi
{
    double x = 96;
    double y = 96;
};

Dpi logicalDpi(const QWidget* widget)
{
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen || screen->logicalDotsPerInchX() <= 0 || screen->logicalDotsPerInchY() <= 0) {
        return {};
    }
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

int rounded(double value)
{
    return static_cast<int>(std::lround(value));
}

} // namespace

int pixelsFromTwipsX(int twips, const QWidget* widget)
{
    return rounded(twips * logicalDpi(widget).x / kTwipsPerInch);
}

int pixelsFromTwipsY(int twips, const QWidget* widget)
{
    return rounded(twips * logicalDpi(widget).y / kTwipsPerInch);
}

int twipsFromPixelsX(int pixels, const QWidget* widget)
{
    return rounded(pixels * kTwipsPerInch / logicalDpi(widget).x);
}

int twipsFromPixelsY(int pixels, const QWidget* widget)
{
    return rounded(pixels * kTwipsPerInch / logicalDpi(widget).y);
}

} // namespace corvane::platform
