// A card's content read while an export of 150 cards of 1 MiB runs on the store's queue: the
// old path (a read queued behind the export) against the second, read-only connection.

#include "BenchStats.h"

#include "store/Store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>

namespace {

constexpr int kBigCards = 150;
constexpr int kExports = 5;

CapturedClip clipOf(const QString &type, const QByteArray &data, const QString &title)
{
    CapturedClip c;
    c.kind = ClipKind::Text;
    c.title = title;
    c.reps = {{0, type, data}};
    c.checksum = Representation::checksum(c.reps);
    c.totalBytes = data.size();
    return c;
}

QByteArray noise(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    auto store = Store::open(dir.filePath(QStringLiteral("varu.sqlite")));
    const QString target = dir.filePath(QStringLiteral("everything.varu"));

    QStringList big;
    store->sync([&](Store &s) {
        for (int i = 0; i < kBigCards; ++i)
            s.upsert(clipOf(QStringLiteral("public.png"), noise(1 << 20),
                            QStringLiteral("Imagem %1").arg(i)),
                     std::nullopt, i);
        for (const ClipItem &item : s.history(kBigCards))
            big << item.id;
        s.upsert(clipOf(QStringLiteral("public.utf8-plain-text"), "um texto curto",
                        QStringLiteral("um texto curto")),
                 std::nullopt, kBigCards + 1);
    });
    const QString small = store->history(1).value(0).id;

    // Each export is posted, and reads are timed once it has begun and until it ends; only
    // reads that finished while it still ran count.
    QList<double> exportMs;
    const auto duringExport = [&](int maxReads, const std::function<void()> &read) {
        QSemaphore started;
        std::atomic<bool> done{false};
        store->post([&](Store &s) {
            started.release();
            QElapsedTimer t;
            t.start();
            s.exportTo(target, Store::ExportScope::everything());
            exportMs << BenchStats::msSince(t);
            done = true;
        });
        started.acquire();
        QList<double> ms;
        for (int i = 0; i < maxReads && !done; ++i) {
            QElapsedTimer t;
            t.start();
            read();
            const double elapsed = BenchStats::msSince(t);
            if (!done)
                ms << elapsed;
        }
        store->sync([](Store &) {});
        return ms;
    };

    QList<double> queued, readerSmall, readerBig;
    for (int i = 0; i < kExports; ++i) {
        // The old path: the read waits for the export to end, so it never counts as during it.
        QElapsedTimer t;
        t.start();
        duringExport(1, [&] { store->sync([&](Store &s) { s.representations(small); }); });
        queued << BenchStats::msSince(t);
        readerSmall << duringExport(20, [&] { store->committedRepresentations(small); });
        // A different card each time, as pastes go, so none is read from the reader's cache.
        int next = 0;
        readerBig << duringExport(
            20, [&] { store->committedRepresentations(big.at((i * 20 + next++) % big.size())); });
    }
    std::printf("%d cards of 1 MiB on disk, %d exports each way\n", kBigCards, kExports);
    BenchStats::print("export everything (150 MiB)", exportMs);
    BenchStats::print("before: short text, queued behind the export", queued);
    BenchStats::print("after: short text, read-only connection", readerSmall);
    BenchStats::print("after: another 1 MiB image, read-only connection", readerBig);
    return 0;
}
