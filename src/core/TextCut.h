#pragma once
// Cutting text for titles: the first characters as a reader counts them, so a cut never
// splits an emoji or an accented letter in two.

#include <QString>

namespace TextCut {

// Longest title kept for text kinds, in user-perceived characters.
constexpr qsizetype kMaxTitleLength = 5000;

// The first `count` user-perceived characters of the text (all of it when shorter).
QString leadingCharacters(const QString &text, qsizetype count);
// How many user-perceived characters the text holds.
qsizetype characterCount(const QString &text);

} // namespace TextCut
