#pragma once

#include "Point.h"
#include "Rect.h"

#include <array>

namespace tavlora {

// Tracker geometry of a control: its selection outline one pixel outside the
// rectangle, eight handle squares in the band around it, and the hit test of a
// point. Rectangles are normalised first; right and bottom edges are outside.
class Handles {
public:
    // Hit codes.
    enum Code {
        None = -1,
        TopLeft = 0,
        TopRight = 1,
        BottomRight = 2,
        BottomLeft = 3,
        Top = 4,
        Right = 5,
        Bottom = 6,
        Left = 7,
        Middle = 8,
    };
    static constexpr int kCount = 8;
    // Border width of the trackers; the smallest a resize leaves is twice it.
    static constexpr int kBorder = 4;
    static constexpr int kMinSize = 2 * kBorder;
    // Handle squares of a control's tracker.
    static constexpr int kSize = 5;

    static Rect Normalised(const Rect& r);
    static bool Contains(const Rect& r, Point p)
    {
        return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
    }
    static Rect Grown(const Rect& r, int by);

    // The outline: one pixel outside the rectangle.
    static Rect Outline(const Rect& r) { return Grown(Normalised(r), 1); }
    // Square of a handle (0..7).
    static Rect HandleRect(const Rect& r, int code);
    static std::array<Rect, kCount> HandleRects(const Rect& r);
    // Everything the tracker covers: the rectangle grown by the handle band.
    static Rect Outer(const Rect& r) { return Grown(Normalised(r), kSize); }

    // Hit code of a point: a handle, Middle inside the outline, None elsewhere
    // (outside the band or between handles).
    static int Hit(const Rect& r, Point p);

    // The hit code where the design surface is zoomed: the handles keep their
    // size on the screen, so the test runs in screen pixels. At zoom 1 it is Hit.
    static int HitZoomed(const Rect& r, double x, double y, double zoom);


    // Which coordinates a handle drags.
    static bool MovesLeft(int code) { return code == TopLeft || code == BottomLeft || code == Left || code == Middle; }
    static bool MovesRight(int code) { return code == TopRight || code == BottomRight || code == Right; }
    static bool MovesTop(int code) { return code == TopLeft || code == TopRight || code == Top || code == Middle; }
    static bool MovesBottom(int code) { return code == BottomRight || code == BottomLeft || code == Bottom; }
};

} // namespace tavlora
