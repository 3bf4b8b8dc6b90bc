#pragma once
// Turns the representations kept from one copy into a CapturedClip: its kind, title, the
// bytes a thumbnail is made from and its checksum. Text that looks like a secret gives none.

#include "CaptureRules.h"
#include "core/CapturedClip.h"

#include "platform/Clipboard.h"

#include <functional>
#include <optional>

namespace Classifier {

// Reads the colour on the clipboard; asked only when a colour type is present.
using ColorReader = std::function<std::optional<SrgbColor>()>;

// `reps` in capture order (not empty) and their summed length. No source application is set.
std::optional<CapturedClip> classify(const QList<Representation> &reps, qint64 total,
                                     const CaptureRules &rules, const ColorReader &readColor);

// True when the text holds a line break (LF, VT, FF, CR, NEL, LS or PS).
bool hasLineBreak(const QString &text);
// A single http(s) address with a host, on one line (the text is already trimmed).
bool isWebLink(const QString &text);
// The file-system path of a file URL's bytes; none when they are not UTF-8 or not the URL
// of a local file (another host's file is not one).
std::optional<QString> filePath(const QByteArray &urlBytes);

} // namespace Classifier
