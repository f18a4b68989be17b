#include "window_place.h"

#include <algorithm>
#include <array>

namespace torveld {

namespace {

using platform::Rect;
using platform::Size;

// The place nearest to `at` that lies on the screen; at the top left where the screen is
// smaller than the window.
Rect onScreen(Rect at, Size screen) {
    at.left = std::max(0, std::min(at.left, screen.width - at.width));
    at.top = std::max(0, std::min(at.top, screen.height - at.height));
    return at;
}

// The area two rectangles share, in pixels.
long long overlap(const Rect& a, const Rect& b) {
    const long long width = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const long long height = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

Rect besideMainWindow(Rect m, Size screen, int width, int height) {
    const int across = m.left + (m.width - width) / 2;
    const int along = m.top + (m.height - height) / 2;
    const std::array<Rect, 4> outside = {
        Rect{across, m.top + m.height, width, height},  // below
        Rect{across, m.top - height, width, height},    // above
        Rect{m.left + m.width, along, width, height},   // right
        Rect{m.left - width, along, width, height},     // left
    };
    Rect best{};
    long long least = -1;
    for (const Rect& at : outside) {
        const Rect shown = onScreen(at, screen);
        const long long covered = overlap(shown, m);
        if (least < 0 || covered < least) {
            least = covered;
            best = shown;
        }
    }
    return best;
}

}  // namespace torveld
