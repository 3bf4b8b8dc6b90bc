#pragma once
// The kind of a clip: what a card shows and how it is filtered. The raw names are what the
// database and backup files store, so they never change.

#include <QColor>
#include <QString>

#include <optional>

enum class ClipKind { Text, RichText, Link, Image, Pdf, File, Color };

namespace ClipKinds {

QString rawName(ClipKind kind);
// Exact, case-sensitive match against the seven raw names; anything else is no kind.
std::optional<ClipKind> fromRaw(const QString &raw);
bool isText(ClipKind kind);
QColor tint(ClipKind kind);

} // namespace ClipKinds
