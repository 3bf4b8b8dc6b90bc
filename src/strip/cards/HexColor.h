#pragma once
// Colours written as text, such as a tab's "#5B8DEF": six hexadecimal digits, with or without
// number signs around them. Anything else is no colour, and callers draw gray.

#include <QColor>
#include <QString>

#include <optional>

namespace HexColor {

// Number signs are stripped from both ends; exactly six hexadecimal digits (either case) must
// remain. Opaque sRGB.
std::optional<QColor> parse(const QString &text);

// The colour, or the gray that stands in for a missing or invalid one.
QColor parseOrGray(const QString &text);
QColor gray();

} // namespace HexColor
