#include "ClipItem.h"

bool operator==(const ClipItem &a, const ClipItem &b)
{
    return a.id == b.id && a.createdAt == b.createdAt && a.title == b.title &&
           a.customTitle == b.customTitle && a.tabIDs == b.tabIDs && a.inHistory == b.inHistory;
}

QStringList ClipItem::filePaths() const
{
    if (kind != ClipKind::File)
        return {};
    return title.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::optional<FileCategory> ClipItem::fileCategory() const
{
    const QStringList paths = filePaths();
    if (paths.isEmpty())
        return std::nullopt;
    const FileCategory first = FileCategories::of(paths.first());
    for (qsizetype i = 1; i < paths.size(); ++i) {
        if (FileCategories::of(paths.at(i)) != first)
            return std::nullopt;
    }
    return first;
}

std::optional<qint64> ClipItem::thumbnailSize() const
{
    return thumbnail ? std::optional<qint64>(thumbnail->size()) : thumbnailBytes;
}

bool ClipItem::isImageLike() const
{
    if (kind == ClipKind::Image)
        return true;
    return kind == ClipKind::File && fileCategory() == FileCategory::Image;
}

QString ClipItem::typeLabel() const
{
    switch (kind) {
    case ClipKind::Text:
        return QStringLiteral("Texto");
    case ClipKind::RichText:
        return QStringLiteral("Texto formatado");
    case ClipKind::Link:
        return QStringLiteral("Link");
    case ClipKind::Image:
        return QStringLiteral("Imagem");
    case ClipKind::Pdf:
        return QStringLiteral("PDF");
    case ClipKind::Color:
        return QStringLiteral("Cor");
    case ClipKind::File:
        break;
    }
    const auto category = fileCategory();
    if (!category)
        return QStringLiteral("Múltiplos arquivos");
    const qsizetype n = filePaths().size();
    if (n == 1)
        return FileCategories::singular(*category);
    return QString::number(n) + QLatin1Char(' ') + FileCategories::plural(*category);
}

QString ClipItem::typeSymbol() const
{
    switch (kind) {
    case ClipKind::Text:
        return QStringLiteral("text.alignleft");
    case ClipKind::RichText:
        return QStringLiteral("textformat");
    case ClipKind::Link:
        return QStringLiteral("link");
    case ClipKind::Image:
        return QStringLiteral("photo");
    case ClipKind::Pdf:
        return QStringLiteral("doc.richtext");
    case ClipKind::Color:
        return QStringLiteral("paintpalette");
    case ClipKind::File:
        break;
    }
    const auto category = fileCategory();
    return category ? FileCategories::symbol(*category) : QStringLiteral("doc.on.doc");
}

QColor ClipItem::typeTint() const
{
    if (kind != ClipKind::File)
        return ClipKinds::tint(kind);
    const auto category = fileCategory();
    return category ? FileCategories::tint(*category) : ClipKinds::tint(ClipKind::File);
}
