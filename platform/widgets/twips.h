#pragma once
// Twips: the unit the stored window positions and sizes are kept in, 1440 per inch of the
// screen's logical resolution (15 twips per pixel on a 96 dpi screen), so stored values keep
// their meaning whatever the screen.

class QWidget;

namespace corvane::platform {

inline constexpr int kTwipsPerInch = 1440;

// Horizontal and vertical conversions on the screen `widget` is on (the primary screen when it
// is null or not yet placed), rounded to the nearest whole unit.
int pixelsFromTwipsX(int twips, const QWidget* widget = nullptr);
int pixelsFromTwipsY(int twips, const QWidget* widget = nullptr);
int twipsFromPixelsX(int pixels, const QWidget* widget = nullptr);
int twipsFromPixelsY(int pixels, const QWidget* widget = nullptr);

} // namespace corvane::platform
