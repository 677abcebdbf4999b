#include "window_units.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {
QSize frameExtra(const QWidget* window)
{
    const QRect frame = window->frameGeometry(), client = window->geometry();
    if (frame != client)
        return {frame.width() - client.width(), frame.height() - client.height()};
    // Before the window is shown its frame is unknown: room for a title bar and
    // thin borders, so that a window as large as the screen allows still fits.
    return window->isVisible() ? QSize() : QSize(8, 32);
}
} // namespace

QSize sizeOnScreen(const QWidget* window, QSize wanted)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return wanted;
    return wanted.boundedTo(screen->availableGeometry().size() - frameExtra(window)).expandedTo(QSize(1, 1));
}

void placeOnScreen(QWidget* window, QRect wanted)
{
    const QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->move(wanted.topLeft());
        window->resize(wanted.size());
        return;
    }
    const QRect area = screen->availableGeometry();
    // `wanted` is the frame's position and the client's size, as move() and
    // resize() take them.
    const QSize extra = frameExtra(window);
    const QSize size = wanted.size().boundedTo(area.size() - extra).expandedTo(QSize(1, 1));
    const QSize outer = size + extra;
    const int x = std::clamp(wanted.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width()));
    const int y = std::clamp(wanted.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
    window->resize(size);
    window->move(x, y);
}
