#pragma once
// Where the quick preview sits and what its header says: the frame above the strip, centred on
// the screen, and the title and detail line of a card. Pure functions, no window.

#include "core/ClipItem.h"

#include <QRect>
#include <QString>

#include <optional>

namespace PreviewLayout {

constexpr int kGap = 12;       // between the strip's top and the panel's bottom
constexpr int kTopMargin = 16; // kept free above the panel when the screen allows
constexpr int kMinHeight = 240;
constexpr int kMaxHeight = 720;
constexpr double kAspect = 1.35;
constexpr int kMinWidth = 560;
constexpr int kSideMargin = 40; // each side, when the screen is narrower than the panel wants
constexpr int kRise = 20;       // the panel rises by this much as it fades in

// The panel's frame above `above` (the strip's frame) within `available` (the screen's usable
// area; the strip's frame itself when there is no screen).
QRect frame(const QRect &above, const std::optional<QRect> &available);

// The custom title; else the text's first 80 characters on one line; for files the first name
// and " e mais N" for the rest; else the title as stored.
QString title(const ClipItem &item);
// Kind, source application and age, the missing ones skipped, joined with " · ".
QString detail(const ClipItem &item, const QString &age);

} // namespace PreviewLayout
