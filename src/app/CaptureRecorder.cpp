#include "CaptureRecorder.h"

#include "MemoryReturn.h"
#include "StoreFunnel.h"

#include "capture/Thumbnailer.h"
#include "store/Store.h"

void CaptureRecorder::record(const CapturedClip &clip, qint64 historyLimit, qint64 retentionDays)
{
    m_funnel.onStore(body(clip, historyLimit, retentionDays));
}

std::function<void(Store &)> CaptureRecorder::body(CapturedClip clip, qint64 historyLimit,
                                                   qint64 retentionDays)
{
    return [clip = std::move(clip), historyLimit, retentionDays](Store &store) mutable {
        // Decoding happens here, off the main thread, and only for content not stored yet.
        const double now = Store::currentTime();
        if (!store.refresh(clip, now))
            store.upsert(clip, prepare(clip), now);
        store.prune(historyLimit);
        store.expire(retentionDays, now);
        // A picture's decoded pixels were freed just now; the pages go back at once rather
        // than at some later, unrelated allocation.
        if (clip.totalBytes >= MemoryReturn::kLargeCaptureBytes)
            MemoryReturn::giveBack();
    };
}

std::optional<QByteArray> CaptureRecorder::prepare(CapturedClip &clip)
{
    if (!clip.imageData)
        return std::nullopt;
    if (clip.kind == ClipKind::Image) {
        const auto thumb = Thumbnailer::make(*clip.imageData, kThumbnailPixels);
        if (!thumb)
            return std::nullopt;
        if (thumb->width >= 1)
            clip.title = QStringLiteral("Imagem %1 × %2").arg(thumb->width).arg(thumb->height);
        return thumb->png;
    }
    if (clip.kind == ClipKind::Pdf) {
        const auto thumb = Thumbnailer::pdf(*clip.imageData, kThumbnailPixels);
        if (!thumb)
            return std::nullopt;
        clip.title = thumb->pages == 1 ? QStringLiteral("PDF · 1 página")
                                       : QStringLiteral("PDF · %1 páginas").arg(thumb->pages);
        return thumb->png;
    }
    return std::nullopt;
}
