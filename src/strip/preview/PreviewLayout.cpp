#include "PreviewLayout.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace PreviewLayout {

QRect frame(const QRect &above, const std::optional<QRect> &available)
{
    const QRect reference = available.value_or(above);
    const int room = above.top() - reference.top() - kGap - kTopMargin;
    // The minimum wins over the screen: a short screen overlaps its top rather than squash
    // the content.
    const int height = std::clamp(room, kMinHeight, kMaxHeight);
    const int width = std::min(std::max(int(std::lround(height * kAspect)), kMinWidth),
                               reference.width() - 2 * kSideMargin);
    const int x = reference.left() + (reference.width() - width) / 2;
    const int y = above.top() - kGap - height;
    return QRect(x, y, width, height);
}

QString title(const ClipItem &item)
{
    if (item.customTitle)
        return *item.customTitle;
    switch (item.kind) {
    case ClipKind::Text:
    case ClipKind::RichText:
    case ClipKind::Link:
        return item.title.left(80).replace(u'\n', u' ');
    case ClipKind::File: {
        const QStringList paths = item.filePaths();
        if (paths.isEmpty())
            return item.typeLabel();
        const QString first = QFileInfo(paths.first()).fileName();
        if (paths.size() == 1)
            return first;
        return first + QStringLiteral(" e mais ") + QString::number(paths.size() - 1);
    }
    case ClipKind::Image:
    case ClipKind::Pdf:
    case ClipKind::Color:
        break;
    }
    return item.title;
}

QString detail(const ClipItem &item, const QString &age)
{
    QStringList parts{item.typeLabel()};
    if (item.sourceName && !item.sourceName->isEmpty())
        parts << *item.sourceName;
    if (!age.isEmpty())
        parts << age;
    return parts.join(QStringLiteral(" · "));
}

} // namespace PreviewLayout
