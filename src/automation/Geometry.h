#pragma once

namespace keyferry {

/// A position on the desktop in pixels, origin at the top left, y growing downward.
struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

/// A rectangle on the desktop, origin at the top left.
struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    bool contains(Point p) const {
        return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace keyferry
