#pragma once
// The small coloured label of a file's extension laid over its preview ("PDF", "MARKD"): the
// text and the colour of the file's category.

#include <QColor>
#include <QString>

namespace ExtBadge {

// The extension in upper case, cut to five characters from six on; empty draws no badge.
QString text(const QString &path);
// The tint of the path's file category.
QColor tint(const QString &path);

} // namespace ExtBadge
