#pragma once
// What the shell's tests share: a real store in a temporary folder behind a funnel, and a
// strip model kept up to date by its snapshots.

#include "app/StoreFunnel.h"
#include "strip/model/StripModel.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// Waits until `spy` has seen `count` signals, returning as each one arrives.
inline bool arrived(QSignalSpy &spy, qsizetype count)
{
    while (spy.size() < count) {
        if (!spy.wait(10'000))
            return false;
    }
    return spy.size() == count;
}

// Runs what is already queued on the main thread: zero-length timers and queued calls.
inline void runQueued()
{
    for (int turn = 0; turn < 5; ++turn)
        QCoreApplication::processEvents();
}

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
            model.setData(s.history, s.tabs, s.tabItems);
        });
    }

    // Runs `body` through the funnel and waits for its reload (and so for every earlier one).
    bool settle(std::function<void(Store &)> body = [](Store &) {})
    {
        bool done = false;
        QEventLoop loop;
        funnel.onStore(std::move(body), [&] {
            done = true;
            loop.quit();
        });
        QTimer::singleShot(10'000, &loop, &QEventLoop::quit); // only if the store never answers
        loop.exec();
        return done;
    }

    // A card of plain text and HTML recorded at `time`; its id.
    QString capture(const QString &text, double time)
    {
        CapturedClip clip;
        clip.reps = {{0, QStringLiteral("public.utf8-plain-text"), text.toUtf8()},
                     {0, QStringLiteral("public.html"), "<b>" + text.toUtf8() + "</b>"}};
        clip.title = text;
        clip.checksum = Representation::checksum(clip.reps);
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

    // The card with that id in the last snapshot, in the history or in any tab.
    ClipItem card(const QString &id) const
    {
        QList<ClipItem> all = model.history();
        for (const QList<ClipItem> &items : model.tabItems())
            all += items;
        return *std::find_if(all.cbegin(), all.cend(),
                             [&](const ClipItem &c) { return c.id == id; });
    }
};
