#pragma once
// The colour an application's icon reads as: a weighted average of its opaque pixels that
// favours vivid ones, kept within a pleasant saturation and brightness for a card header.

#include <QColor>
#include <QIcon>
#include <QImage>

#include <optional>

namespace DominantColor {

// None when the image has no pixel more than half opaque.
std::optional<QColor> of(const QImage &image);
// The icon drawn at 24 × 24 pixels first.
std::optional<QColor> of(const QIcon &icon);

} // namespace DominantColor
