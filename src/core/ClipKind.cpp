#include "ClipKind.h"

#include <array>

namespace ClipKinds {

namespace {
struct KindInfo
{
    ClipKind kind;
    const char *raw;
    float r, g, b;
};
constexpr std::array<KindInfo, 7> kKinds{{
    {ClipKind::Text, "text", 0.36f, 0.55f, 0.94f},
    {ClipKind::RichText, "richText", 0.58f, 0.45f, 0.92f},
    {ClipKind::Link, "link", 0.20f, 0.68f, 0.74f},
    {ClipKind::Image, "image", 0.92f, 0.40f, 0.55f},
    {ClipKind::Pdf, "pdf", 0.90f, 0.30f, 0.27f},
    {ClipKind::File, "file", 0.95f, 0.60f, 0.27f},
    {ClipKind::Color, "color", 0.55f, 0.55f, 0.60f},
}};

const KindInfo &info(ClipKind kind)
{
    return kKinds[static_cast<size_t>(kind)];
}
} // namespace

QString rawName(ClipKind kind)
{
    return QLatin1String(info(kind).raw);
}

std::optional<ClipKind> fromRaw(const QString &raw)
{
    for (const KindInfo &k : kKinds) {
        if (raw == QLatin1String(k.raw))
            return k.kind;
    }
    return std::nullopt;
}

bool isText(ClipKind kind)
{
    return kind == ClipKind::Text || kind == ClipKind::RichText || kind == ClipKind::Link;
}

QColor tint(ClipKind kind)
{
    const KindInfo &k = info(kind);
    return QColor::fromRgbF(k.r, k.g, k.b, 1.0f);
}

} // namespace ClipKinds
