#pragma once
// Records each accepted copy: on the store's queue it makes the thumbnail of an image or PDF
// (which may retitle the card), stores the clip and applies the history limits.

#include "core/CapturedClip.h"

#include <QByteArray>

#include <functional>
#include <optional>

class Store;
class StoreFunnel;

class CaptureRecorder
{
public:
    static constexpr int kThumbnailPixels = 360;

    explicit CaptureRecorder(StoreFunnel &funnel)
        : m_funnel(funnel)
    {}

    // The limits are the configuration's at the moment the copy arrives (main thread).
    void record(const CapturedClip &clip, qint64 historyLimit, qint64 retentionDays);

    // The work done on the store's queue; the first failure ends it.
    static std::function<void(Store &)> body(CapturedClip clip, qint64 historyLimit,
                                             qint64 retentionDays);
    // The thumbnail of an image or PDF clip, with "Imagem 4000 × 3000" or "PDF · 10 páginas"
    // as its title when one could be made. Other kinds: none, title unchanged.
    static std::optional<QByteArray> prepare(CapturedClip &clip);

private:
    StoreFunnel &m_funnel;
};
