#pragma once
// What the shell's tests share: a real store in a temporary folder behind a funnel, and a
// strip model kept up to date by its snapshots.

#include "app/StoreFunnel.h"
#include "strip/StripModel.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

struct ShellRig
{
    QTemporaryDir dir;
    std::unique_ptr<Store> store = Store::open(dir.filePath(QStringLiteral("varu.sqlite")));
    StoreFunnel funnel{store.get()};
    StripModel model;
    QSignalSpy snapshots{&funnel, &StoreFunnel::snapshotReady};

    ShellRig()
    {
        QObject::connect(&funnel, &StoreFunnel::snapshotReady, &model, [this](const Snapshot &s) {
            model.setData(s.history, s.boards, s.boardItems);
        });
    }

    // Runs `body` through the funnel and waits until the model has the reload, and until
    // every earlier body's reload has arrived too.
    bool settle(std::function<void(Store &)> body = [](Store &) {})
    {
        const qsizetype before = snapshots.size();
        bool done = false;
        funnel.onStore(std::move(body), [&done] { done = true; });
        return QTest::qWaitFor([&] { return done; }) && snapshots.size() > before;
    }

    // A text card at `time` (seconds since 1970), rich unless `plainOnly`; its id.
    QString capture(const QString &text, double time, bool plainOnly = false)
    {
        CapturedClip clip;
        clip.reps = {Representation{0, QStringLiteral("public.utf8-plain-text"), text.toUtf8()}};
        if (!plainOnly)
            clip.reps << Representation{0, QStringLiteral("public.html"),
                                        "<b>" + text.toUtf8() + "</b>"};
        clip.kind = ClipKind::Text;
        clip.title = text;
        clip.checksum = Representation::checksum(clip.reps);
        clip.totalBytes = 0;
        for (const Representation &r : clip.reps)
            clip.totalBytes += r.data.size();
        QString id;
        store->sync([&](Store &s) {
            s.upsert(clip, std::nullopt, time);
            id = *s.db().scalarText("SELECT id FROM items WHERE checksum = ?", {clip.checksum});
        });
        return id;
    }

    QString value(const char *sql, const SqlArgs &args = {})
    {
        QString out;
        store->sync([&](Store &s) { out = s.db().scalarText(sql, args).value_or(u"<null>"_qs); });
        return out;
    }

    std::optional<ClipItem> card(const QString &id) const
    {
        for (const ClipItem &item : model.history())
            if (item.id == id)
                return item;
        for (const QList<ClipItem> &items : model.boardItems())
            for (const ClipItem &item : items)
                if (item.id == id)
                    return item;
        return std::nullopt;
    }
};
