// SPDX-License-Identifier: MIT
#pragma once
// Where windows open: in the middle of the screen, or beside another window.
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>
#include <algorithm>

inline void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

// Where a window of outer size `size` opens beside the window `busy` (its outer rectangle) on the
// screen area `area`: below, above, to the right or to the left of it, wherever it hides least of
// `busy` and stays on the screen. It never covers `keepClear` (the title, menu and tool bars of
// `busy`): a place that would is moved down below them, though the window may then reach past
// the bottom of the screen. Ties go to the earlier side in that order.
inline QPoint besidePosition(const QRect& area, const QRect& busy, const QRect& keepClear,
                             const QSize& size) {
    const QPoint sides[] = {
        {busy.left(), busy.bottom() + 1},          // below
        {busy.left(), busy.top() - size.height()}, // above
        {busy.right() + 1, busy.top()},            // right
        {busy.left() - size.width(), busy.top()},  // left
    };
    const auto areaOf = [](const QRect& r) {
        return r.isEmpty() ? qint64(0) : qint64(r.width()) * r.height();
    };
    QPoint best = sides[0];
    qint64 bestCost = -1;
    for (QPoint p : sides) {
        // Pushed back inside the screen, which may make it cover part of the other window.
        p.setX(std::clamp(p.x(), area.left(), std::max(area.left(), area.right() - size.width())));
        p.setY(std::clamp(p.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
        if (QRect(p, size).intersects(keepClear))
            p.setY(keepClear.bottom() + 1);
        const QRect placed(p, size);
        const qint64 offScreen = areaOf(placed) - areaOf(placed.intersected(area));
        const qint64 cost = areaOf(placed.intersected(busy)) + offScreen;
        if (bestCost < 0 || cost < bestCost) {
            bestCost = cost;
            best = p;
        }
    }
    return best;
}
