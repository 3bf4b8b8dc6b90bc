// Store costs on a history of 10,000 cards and 20 tabs: a new capture with its prune and
// expiry, a repeated capture, a snapshot reload at two limits, a card's content, a deletion
// with its log scrub, export and import with their file sizes, and a capture at the default
// limit of 1,000.

#include "BenchStats.h"

#include "store/SnapshotTracker.h"
#include "store/Store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kCards = 10000;
constexpr int kTabs = 20;
constexpr double kDay = 86400;

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

QByteArray noise(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

// Nine in ten cards are text (plain and HTML); one in ten an image with a thumbnail.
std::pair<CapturedClip, std::optional<QByteArray>> makeClip(int n)
{
    CapturedClip c;
    std::optional<QByteArray> thumbnail;
    if (n % 10 == 9) {
        c.kind = ClipKind::Image;
        c.title = QStringLiteral("Imagem 800 × 600");
        c.reps = {{0, QStringLiteral("public.png"), noise(60000)}};
        thumbnail = noise(8000);
    } else {
        const QString text =
            QStringLiteral("Cartão %1: um texto copiado de algum lugar, com acentuação. ")
                .arg(n)
                .repeated(5);
        c.kind = ClipKind::Text;
        c.title = text.left(200);
        c.reps = {{0, QStringLiteral("public.utf8-plain-text"), text.toUtf8()},
                  {0, QStringLiteral("public.html"), "<p>" + text.toUtf8() + "</p>"}};
    }
    c.checksum = Representation::checksum(c.reps);
    c.sourceAppID = QStringLiteral("org.kde.kate");
    c.sourceName = QStringLiteral("Kate");
    for (const Representation &r : c.reps)
        c.totalBytes += r.data.size();
    return {c, thumbnail};
}

void fill(Store &store, double now)
{
    for (int n = 0; n < kCards; ++n) {
        const auto [clip, thumbnail] = makeClip(n);
        store.upsert(clip, thumbnail, now - kCards + n);
    }
    const QList<ClipItem> history = store.history(kCards);
    for (int t = 0; t < kTabs; ++t) {
        const QString tab =
            store.createTab(QStringLiteral("Tab %1").arg(t), QStringLiteral("#5B8DEF"));
        for (int i = 0; i < 50; ++i)
            store.add(history.at((t * 37 + i * 97) % kCards).id, tab);
    }
}

QString megabytes(const QString &path)
{
    return QString::number(double(QFileInfo(path).size()) / 1e6, 'f', 1) + QStringLiteral(" MB");
}

template<typename F> QList<double> timeRuns(int runs, F &&work)
{
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work(i);
        ms << msSince(t);
    }
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const double now = Store::currentTime();
    const QString livePath = dir.filePath(QStringLiteral("varu.sqlite"));
    auto store = Store::open(livePath);

    QElapsedTimer t;
    t.start();
    fill(*store, now);
    std::printf("filled %d cards and %d tabs in %.1f s; database %s\n", kCards, kTabs,
                msSince(t) / 1000, qPrintable(megabytes(livePath)));

    // A capture as the shell records it: upsert, then the count and age limits.
    const auto record = [&](const CapturedClip &clip, const std::optional<QByteArray> &thumb,
                            double at) {
        store->upsert(clip, thumb, at);
        store->prune(kCards);
        store->expire(30, at);
    };
    {
        QList<double> total, upsert, prune, expire;
        for (int i = 0; i < 200; ++i) {
            const auto [clip, thumb] = makeClip(kCards + i);
            QElapsedTimer step;
            step.start();
            store->upsert(clip, thumb, now + i);
            upsert << msSince(step);
            step.restart();
            store->prune(kCards);
            prune << msSince(step);
            step.restart();
            store->expire(30, now + i);
            expire << msSince(step);
            total << upsert.last() + prune.last() + expire.last();
        }
        BenchStats::print("new capture: upsert + prune + expire (at limit)", total);
        BenchStats::print("  of which: upsert of new content", upsert);
        BenchStats::print("  of which: prune of one card (+ purge, vacuum)", prune);
        BenchStats::print("  of which: expire with nothing to expire", expire);
    }
    const auto [known, knownThumb] = makeClip(kCards + 199);
    BenchStats::print("repeated capture: upsert + prune + expire",
                      timeRuns(200, [&](int i) { record(known, knownThumb, now + 1000 + i); }));

    BenchStats::print("  of which: repeated upsert alone", timeRuns(200, [&](int i) {
                          store->upsert(known, knownThumb, now + 2000 + i);
                      }));
    BenchStats::print("  of which: prune with nothing to prune",
                      timeRuns(200, [&](int) { store->prune(kCards); }));

    for (const qint64 limit : {qint64(1000), qint64(kCards)}) {
        qint64 cards = 0;
        const QList<double> ms = timeRuns(30, [&](int) {
            const Snapshot s = store->snapshot(limit);
            cards = s.history.size();
        });
        BenchStats::print(qPrintable(QStringLiteral("snapshot reload, limit %1 (%2 cards, %3 tabs)")
                                         .arg(limit)
                                         .arg(cards)
                                         .arg(kTabs)),
                          ms);
    }

    // What the shell does after each capture: the change, then the strip's snapshot, patched
    // from the last one rather than read whole.
    {
        SnapshotTracker tracker(*store);
        tracker.next(kCards);
        QList<double> patched;
        int full = 0;
        for (int i = 0; i < 100; ++i) {
            const auto [clip, thumb] = makeClip(3 * kCards + i);
            record(clip, thumb, now + 3000 + i);
            QElapsedTimer step;
            step.start();
            const Snapshot s = tracker.next(kCards);
            patched << msSince(step);
            full += tracker.lastWasFull() ? 1 : 0;
        }
        BenchStats::print(qPrintable(QStringLiteral("snapshot after a capture, patched (%1 of 100 "
                                                    "read whole)")
                                         .arg(full)),
                          patched);
    }

    const QList<ClipItem> top = store->history(100);
    BenchStats::print("representations of one card",
                      timeRuns(100, [&](int i) { store->representations(top.at(i).id); }));
    BenchStats::print("remove one card from the history (+ log scrub)",
                      timeRuns(20, [&](int i) { store->removeFromHistory({top.at(i).id}); }));

    const QString everything = dir.filePath(QStringLiteral("everything.varu"));
    const QString oneTab = dir.filePath(QStringLiteral("tab.varu"));
    const QString tabID = store->tabs().first().id;
    BenchStats::print("export everything", timeRuns(3, [&](int) {
                          store->exportTo(everything, Store::ExportScope::everything());
                      }));
    BenchStats::print("export one tab (50 cards)", timeRuns(3, [&](int) {
                          store->exportTo(oneTab, Store::ExportScope::userTab(tabID));
                      }));
    std::printf("file sizes: live %s, everything %s, one tab %s\n", qPrintable(megabytes(livePath)),
                qPrintable(megabytes(everything)), qPrintable(megabytes(oneTab)));

    BenchStats::print("import everything into a fresh database", timeRuns(3, [&](int i) {
                          auto fresh = Store::open(dir.filePath(QStringLiteral("fresh%1").arg(i)));
                          fresh->importData(everything);
                      }));
    BenchStats::print("import everything into itself (nothing new)",
                      timeRuns(3, [&](int) { store->importData(everything); }));
    BenchStats::print("import one tab into the full database",
                      timeRuns(3, [&](int) { store->importData(oneTab); }));

    // The default limit: the same database trimmed to 1,000 history cards.
    store->prune(1000);
    BenchStats::print("new capture at the default limit of 1,000", timeRuns(200, [&](int i) {
                          const auto [clip, thumb] = makeClip(2 * kCards + i);
                          store->upsert(clip, thumb, now + 5000 + i);
                          store->prune(1000);
                          store->expire(30, now + 5000 + i);
                      }));
    return 0;
}
