#include "ExtBadge.h"

#include "core/FileCategory.h"

namespace ExtBadge {

QString text(const QString &path)
{
    // The extension is what follows the last dot of the last path component, as for the
    // file's category.
    const QString name = path.section(u'/', -1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {};
    QString ext = name.mid(dot + 1).toUpper();
    if (ext.size() >= 6)
        ext.truncate(5);
    return ext;
}

QColor tint(const QString &path)
{
    return FileCategories::tint(FileCategories::of(path));
}

} // namespace ExtBadge
