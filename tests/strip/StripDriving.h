#pragma once
// Driving the real strip window through the X server in end-to-end tests: waiting, keys,
// clicks, and finding an item of its views.

#include "SessionRunner.h"

#include <QPointF>
#include <QQuickItem>
#include <QTest>

#include <functional>

namespace StripDriving {

inline bool until(const std::function<bool()> &condition, int ms = 3000)
{
    return QTest::qWaitFor(condition, ms);
}

inline bool xdotool(const QStringList &args)
{
    return SessionRunner::run(QStringLiteral("xdotool"), args) == 0;
}

inline bool key(const QString &keys)
{
    return xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30"), keys});
}

// The first item of the visual tree below `root` that `match` accepts.
inline QQuickItem *visualChild(QQuickItem *root, const std::function<bool(QQuickItem *)> &match)
{
    for (QQuickItem *child : root->childItems()) {
        if (match(child))
            return child;
        if (QQuickItem *found = visualChild(child, match))
            return found;
    }
    return nullptr;
}

// A click with `button` in the middle of `item`.
inline bool click(QQuickItem *item, const QString &button)
{
    const QPoint at = item->mapToGlobal(QPointF(item->width(), item->height()) / 2).toPoint();
    return xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                    QStringLiteral("click"), button});
}

} // namespace StripDriving
