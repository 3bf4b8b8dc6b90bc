#include "CaptureRecorder.h"

#include "MemoryReturn.h"
#include "StoreFunnel.h"

#include "capture/Classifier.h"
#include "capture/Thumbnailer.h"
#include "core/ClipboardTypes.h"

#include <QColor>

#include <cstring>

namespace {

// A stored colour: four native-endian 16-bit channels, as the clipboard's application/x-color.
std::optional<SrgbColor> storedColor(const QList<Representation> &reps)
{
    for (const Representation &rep : reps) {
        if (rep.type != ClipboardTypes::color || rep.data.size() != 8)
            continue;
        quint16 rgba[4];
        std::memcpy(rgba, rep.data.constData(), sizeof rgba);
        const QColor color(QRgba64::fromRgba64(rgba[0], rgba[1], rgba[2], rgba[3]));
        return SrgbColor{color.redF(), color.greenF(), color.blueF()};
    }
    return std::nullopt;
}

} // namespace

void CaptureRecorder::record(const CapturedClip &clip, qint64 historyLimit, qint64 retentionDays)
{
    auto problem = std::make_shared<std::optional<QString>>();
    m_funnel.onStore(
        [work = body(clip, historyLimit, retentionDays), problem](Store &store) {
            try {
                work(store);
            } catch (const StoreError &e) {
                *problem = QStringLiteral("erro ao gravar (%1)").arg(e.message());
                throw;
            }
            // Writes to a file that is no longer there succeed, and are gone at exit.
            if (store.fileReplaced())
                *problem = QStringLiteral("o arquivo do histórico foi trocado ou apagado");
        },
        [saving = m_saving, problem] {
            if (saving)
                saving(*problem);
        });
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

Store::Recognized CaptureRecorder::recognize(const QList<Representation> &reps)
{
    CaptureRules rules;
    rules.skipSecrets = false;
    qint64 total = 0;
    for (const Representation &rep : reps)
        total += rep.data.size();
    std::optional<CapturedClip> clip =
        Classifier::classify(reps, total, rules, [&reps] { return storedColor(reps); });
    if (!clip)
        return {};
    Store::Recognized seen;
    seen.thumbnail = prepare(*clip);
    seen.kind = clip->kind;
    seen.title = clip->title;
    return seen;
}
