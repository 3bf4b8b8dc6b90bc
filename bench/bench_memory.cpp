// The shell's data path without its windows: captures recorded on the store's queue, the
// snapshot that follows and the strip model taking it. Prints the CPU time a text capture
// costs with an empty history, with 9,800 cards and after 50 pictures; the memory (PSS) of
// the process fresh, with 1,000 texts, after 50 pictures of 1 MB, and with 10,000 texts of
// 6,000 characters; and the disk a 200-byte text card takes.

#include "BenchHistory.h"
#include "BenchStats.h"

#include "app/CaptureRecorder.h"
#include "app/MemoryReturn.h"
#include "app/StoreFunnel.h"
#include "strip/model/StripModel.h"

#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <time.h>

namespace {

double pssMiB()
{
    QFile f(QStringLiteral("/proc/self/smaps_rollup"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

CapturedClip textClip(const QString &text)
{
    CapturedClip c;
    c.kind = ClipKind::Text;
    c.title = text;
    c.reps = {{0, QStringLiteral("public.utf8-plain-text"), text.toUtf8()}};
    c.checksum = Representation::checksum(c.reps);
    c.totalBytes = c.reps.first().data.size();
    return c;
}

// A distinct 200-byte text.
CapturedClip shortText(int n)
{
    return textClip(QStringLiteral("%1 ").arg(n, 8, 10, QLatin1Char('0')) +
                    QStringLiteral("a reuniao ficou para quinta. ").repeated(7).left(191));
}

// A 512 × 512 picture of noise: about 1 MB as PNG, as a screenshot's worth of bytes.
CapturedClip picture(int n)
{
    QImage image(512, 512, QImage::Format_ARGB32);
    auto *random = QRandomGenerator::global();
    for (int y = 0; y < image.height(); ++y)
        random->fillRange(reinterpret_cast<quint32 *>(image.scanLine(y)), image.width());
    image.setPixel(0, 0, qRgba(n, n >> 8, 0, 255));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    CapturedClip c;
    c.kind = ClipKind::Image;
    c.title = QStringLiteral("Imagem");
    c.reps = {{0, QStringLiteral("public.png"), png}};
    c.imageData = png;
    c.checksum = Representation::checksum(c.reps);
    c.totalBytes = png.size();
    return c;
}

// The application's store, funnel and model, as the shell wires them.
struct DataPath
{
    explicit DataPath(const QString &path, qint64 limit)
        : store(Store::open(path))
        , funnel(store.get())
        , recorder(funnel)
        , limit(limit)
    {
        funnel.setHistoryLimit(limit);
        QObject::connect(&funnel, &StoreFunnel::snapshotReady, &model,
                         [this](const Snapshot &s) { model.setData(s.history, s.tabs, s.tabItems); });
        settle([&] { funnel.onStore([](Store &) {}); });
    }
    // Runs `start`, then waits for the snapshot it causes to reach the model.
    void settle(const std::function<void()> &start)
    {
        QEventLoop loop;
        const auto c = QObject::connect(&funnel, &StoreFunnel::snapshotReady, &loop,
                                        &QEventLoop::quit, Qt::QueuedConnection);
        start();
        loop.exec();
        QObject::disconnect(c);
    }
    double capture(const CapturedClip &clip)
    {
        const double before = cpuMs();
        settle([&] { recorder.record(clip, limit, 0); });
        return cpuMs() - before;
    }

    std::unique_ptr<Store> store;
    StoreFunnel funnel;
    CaptureRecorder recorder;
    StripModel model;
    qint64 limit;
};

} // namespace

int main(int argc, char **argv)
{
    MemoryReturn::configure();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("Store, funnel and strip model in one process, no windows (CPU and PSS)\n");
    std::printf("  PSS fresh process                                   %8.1f MiB\n", pssMiB());
    int serial = 0;
    {
        DataPath p(dir.filePath(QStringLiteral("small.sqlite")), 1000);
        QList<double> empty;
        for (int i = 0; i < 30; ++i) {
            p.settle([&] { p.funnel.onStore([](Store &s) { s.clearHistory(); }); });
            empty << p.capture(shortText(serial++));
        }
        BenchStats::print("CPU per text capture, history empty", empty);
        std::printf("  PSS, empty history                                  %8.1f MiB\n", pssMiB());
        // The file once the log is checkpointed into it, before and after the texts.
        const auto fileBytes = [&] {
            p.store->sync([](Store &s) { s.db().exec("PRAGMA wal_checkpoint(TRUNCATE)"); });
            return QFileInfo(p.store->path()).size();
        };
        const qint64 before = fileBytes();
        for (int i = 0; i < 1000; ++i)
            p.capture(shortText(serial++));
        std::printf("  PSS, 1,000 texts                                    %8.1f MiB\n", pssMiB());
        std::printf("  disk per 200-byte text card                         %8.0f B\n",
                    double(fileBytes() - before) / 1000);
        for (int i = 0; i < 50; ++i)
            p.capture(picture(i));
        std::printf("  PSS, + 50 pictures of 1 MB                          %8.1f MiB\n", pssMiB());
        QList<double> afterPictures;
        for (int i = 0; i < 30; ++i)
            afterPictures << p.capture(shortText(serial++));
        BenchStats::print("CPU per text capture, 50 pictures stored", afterPictures);
    }
    {
        const QString path = dir.filePath(QStringLiteral("large.sqlite"));
        BenchHistory::fillTextHistory(path, 9800);
        DataPath p(path, 10000);
        QList<double> full;
        for (int i = 0; i < 30; ++i)
            full << p.capture(shortText(serial++));
        BenchStats::print("CPU per text capture, 9,800 cards", full);
    }
    {
        const QString path = dir.filePath(QStringLiteral("long.sqlite"));
        BenchHistory::fillTextHistory(path, 10000, 6000);
        MemoryReturn::giveBack();
        const double before = pssMiB();
        DataPath p(path, 10000);
        std::printf("  PSS, 10,000 texts of 6,000 characters loaded        %8.1f MiB (%.1f "
                    "before)\n",
                    pssMiB(), before);
        std::printf("  file of 10,000 texts of 6,000 characters            %8.1f MB\n",
                    double(QFileInfo(path).size()) / 1e6);
    }
    return 0;
}
