#pragma once
// The main window's position and size in the per-user settings store (organisation and
// application "Corvane", group "Settings"), in twips as decimal text: "MainLeft", "MainTop",
// "MainWidth", "MainHeight".

namespace corvane::platform {

struct WindowGeometryTwips
{
    int left = 100;
    int top = 100;
    int width = 14500;
    int height = 10500;

    friend bool operator==(const WindowGeometryTwips&, const WindowGeometryTwips&) = default;
};

WindowGeometryTwips readMainWindowGeometry();
void writeMainWindowGeometry(const WindowGeometryTwips& geometry);

} // namespace corvane::platform
