#include "KindFilter.h"

namespace KindFilters {

QList<KindFilter> all()
{
    return {KindFilter::Text, KindFilter::Link, KindFilter::Image, KindFilter::File,
            KindFilter::Color};
}

bool matches(KindFilter filter, ClipKind kind, bool imageLike)
{
    switch (filter) {
    case KindFilter::Text:
        return kind == ClipKind::Text || kind == ClipKind::RichText;
    case KindFilter::Link:
        return kind == ClipKind::Link;
    case KindFilter::Image:
        return kind == ClipKind::Image || (kind == ClipKind::File && imageLike);
    case KindFilter::File:
        return kind == ClipKind::Pdf || (kind == ClipKind::File && !imageLike);
    case KindFilter::Color:
        return kind == ClipKind::Color;
    }
    return false;
}

QString label(KindFilter filter)
{
    switch (filter) {
    case KindFilter::Text:
        return QStringLiteral("Texto");
    case KindFilter::Link:
        return QStringLiteral("Links");
    case KindFilter::Image:
        return QStringLiteral("Imagens");
    case KindFilter::File:
        return QStringLiteral("Arquivos e PDFs");
    case KindFilter::Color:
        return QStringLiteral("Cores");
    }
    return {};
}

QString symbol(KindFilter filter)
{
    switch (filter) {
    case KindFilter::Text:
        return QStringLiteral("text.alignleft");
    case KindFilter::Link:
        return QStringLiteral("link");
    case KindFilter::Image:
        return QStringLiteral("photo");
    case KindFilter::File:
        return QStringLiteral("doc");
    case KindFilter::Color:
        return QStringLiteral("paintpalette");
    }
    return {};
}

} // namespace KindFilters
