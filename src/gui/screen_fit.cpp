#include "gui/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <optional>

namespace screen_fit {
namespace {
// Room for a title bar and borders until the desktop's own frame has been seen.
const QMargins kFrameAllowance(4, 32, 4, 4);
std::optional<QMargins> lastMeasured;

QMargins measured(const QWidget& window) {
    const QRect frame = window.frameGeometry(), inside = window.geometry();
    return QMargins(inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
                    frame.bottom() - inside.bottom());
}
}  // namespace

QRect freeArea(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
}

QMargins frameOf(const QWidget& window) {
    if (window.isVisible()) {
        const QMargins m = measured(window);
        if (!m.isNull()) lastMeasured = m;
        if (!m.isNull()) return m;
    }
    return lastMeasured.value_or(kFrameAllowance);
}

QSize room(const QWidget& window) {
    const QMargins m = frameOf(window);
    const QSize area = freeArea(window).size();
    return QSize(std::max(1, area.width() - m.left() - m.right()), std::max(1, area.height() - m.top() - m.bottom()));
}

QPoint wholePlace(const QWidget& window, QPoint wanted) {
    const QRect area = freeArea(window);
    const QMargins m = frameOf(window);
    const QSize framed = window.size().grownBy(m);
    const int x = std::clamp(wanted.x(), area.left(), std::max(area.left(), area.left() + area.width() - framed.width()));
    const int y = std::clamp(wanted.y(), area.top(), std::max(area.top(), area.top() + area.height() - framed.height()));
    return QPoint(x, y);
}

bool isWhole(const QWidget& window) { return wholePlace(window, window.pos()) == window.pos(); }

}  // namespace screen_fit
