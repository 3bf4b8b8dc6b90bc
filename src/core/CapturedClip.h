#pragma once
// A clip read from the clipboard and classified, not yet stored. The monitor fills in the
// source application; the shell may still retitle images and PDF documents.

#include "ClipKind.h"
#include "Representation.h"

#include <optional>

struct CapturedClip
{
    QList<Representation> reps;
    ClipKind kind = ClipKind::Text;
    QString title;
    QString checksum;
    std::optional<QByteArray> imageData;
    std::optional<QString> sourceAppID;
    std::optional<QString> sourceName;
    qint64 totalBytes = 0;

    friend bool operator==(const CapturedClip &, const CapturedClip &) = default;
};

Q_DECLARE_METATYPE(CapturedClip)
