#pragma once
// Records each accepted copy: on the store's queue it makes the thumbnail of an image or PDF
// (which may retitle the card), stores the clip and applies the history limits; afterwards it
// tells whether copies are being saved.

#include "core/CapturedClip.h"
#include "store/Store.h"

#include <QByteArray>

#include <functional>
#include <optional>

class StoreFunnel;

class CaptureRecorder
{
public:
    static constexpr int kThumbnailPixels = 360;

    // Called on the main thread after each copy with why copies are not being saved (the
    // write failed, say on a full disk, or the database file was replaced or removed while
    // running), or with none once a copy was saved.
    using SavingReport = std::function<void(const std::optional<QString> &problem)>;

    explicit CaptureRecorder(StoreFunnel &funnel, SavingReport saving = {})
        : m_funnel(funnel)
        , m_saving(std::move(saving))
    {}

    // The limits are the configuration's at the moment the copy arrives (main thread).
    void record(const CapturedClip &clip, qint64 historyLimit, qint64 retentionDays);

    // The work done on the store's queue; the first failure ends it.
    static std::function<void(Store &)> body(CapturedClip clip, qint64 historyLimit,
                                             qint64 retentionDays);
    // The thumbnail of an image or PDF clip, with "Imagem 4000 × 3000" or "PDF · 10 páginas"
    // as its title when one could be made. Other kinds: none, title unchanged.
    static std::optional<QByteArray> prepare(CapturedClip &clip);
    // What a capture of these representations would store: kind, title and thumbnail, for
    // cards coming from a backup file. Text that looks like a secret is still recognised:
    // the rule is about what is taken from the clipboard, and the file is the user's choice.
    static Store::Recognized recognize(const QList<Representation> &reps);

private:
    StoreFunnel &m_funnel;
    SavingReport m_saving;
};
