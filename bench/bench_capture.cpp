// Capture costs: from a clipboard change to the committed row of the real binary (less the
// 0.3 s quiet period, which starts at the change itself), and what a 20 MB image costs to
// classify, capture and thumbnail.

#include "BenchStats.h"
#include "DbProbe.h"
#include "DesktopSession.h"
#include "SessionRunner.h"

#include "capture/Classifier.h"
#include "capture/ClipboardMonitor.h"
#include "core/ClipboardTypes.h"
#include "capture/Thumbnailer.h"
#include "platform/fake/FakeFrontmostApp.h"
#include "platform/fake/FakeClipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

namespace {

constexpr double kQuietMs = ClipboardMonitor::kQuietPeriodMs;

// Noise does not compress: a PNG of about 20 MB.
QByteArray noisePng()
{
    QImage image(3000, 2300, QImage::Format_RGB32);
    auto *rng = QRandomGenerator::global();
    for (int y = 0; y < image.height(); ++y)
        rng->fillRange(reinterpret_cast<quint32 *>(image.scanLine(y)), image.width());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG", 0);
    return bytes;
}

// Polls the database (and serves the clipboard meanwhile) until a card with `title` exists.
bool waitForCard(const DbProbe &db, const QString &title, int timeoutMs = 30000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM items WHERE title = ?"), {title})
                .toInt())
            return true;
        QThread::usleep(250);
    }
    return false;
}

void inProcess(const QByteArray &png)
{
    const QList<Representation> reps{Representation{0, ClipboardTypes::png, png}};
    std::printf("20 MB image: %.1f MB of PNG\n", png.size() / 1e6);

    QList<double> classify, capture, thumb;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer t;
        t.start();
        Classifier::classify(reps, png.size(), CaptureRules(), [] { return std::nullopt; });
        classify << BenchStats::msSince(t);
    }
    FakeClipboard pb;
    FakeFrontmostApp apps;
    ClipboardMonitor monitor(pb, apps, CaptureRules());
    int captured = 0;
    QObject::connect(&monitor, &ClipboardMonitor::captured, [&] { ++captured; });
    for (int i = 0; i < 10; ++i) {
        pb.simulateCopy({ClipboardItem{{{ClipboardTypes::png, png}}}});
        QElapsedTimer t;
        t.start();
        monitor.capture(false);
        capture << BenchStats::msSince(t);
    }
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        Thumbnailer::make(png, 360);
        thumb << BenchStats::msSince(t);
    }
    BenchStats::print("classify, 20 MB PNG (checksum included)", classify);
    BenchStats::print("monitor capture, 20 MB PNG (read, rules, classify)", capture);
    BenchStats::print("thumbnail of the 20 MB PNG (store queue)", thumb);
}

void realBinary(const QByteArray &png)
{
    QProcess *varu = SessionRunner::start(DesktopSession::varuBinary());
    const QString path = SessionRunner::dataDir() + QStringLiteral("/varu.sqlite");
    if (!DesktopSession::waitFor([&] { return QFile::exists(path); }, 15000)) {
        std::printf("varu did not start: %s\n", varu->readAllStandardError().constData());
        return;
    }
    QThread::msleep(500);
    DbProbe db(path);

    QList<double> text;
    for (int i = 0; i < 100; ++i) {
        const QString title = QStringLiteral("cópia de medição %1").arg(i);
        auto *mime = new QMimeData;
        mime->setData(QStringLiteral("text/plain;charset=utf-8"), title.toUtf8());
        QElapsedTimer t;
        t.start();
        QGuiApplication::clipboard()->setMimeData(mime);
        if (!waitForCard(db, title)) {
            std::printf("copy %d was not stored\n", i);
            return;
        }
        text << BenchStats::msSince(t) - kQuietMs;
    }
    BenchStats::print("text copy -> committed row, less the quiet period", text);

    const QString file = QDir::temp().filePath(QStringLiteral("varu-bench.png"));
    QList<double> image;
    for (int i = 0; i < 3; ++i) {
        QByteArray bytes = png;
        bytes.append(QByteArray::number(i)); // distinct content, still a PNG to the decoder
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.close();
        const qint64 before = db.scalar(QStringLiteral("SELECT COUNT(*) FROM items")).toLongLong();
        QElapsedTimer t;
        t.start();
        QProcess *owner = SessionRunner::start(
            QStringLiteral("xclip"),
            {QStringLiteral("-quiet"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
             QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-i"), file});
        const bool stored = DesktopSession::waitFor(
            [&] {
                return db.scalar(QStringLiteral("SELECT COUNT(*) FROM items")).toLongLong() >
                       before;
            },
            60000);
        if (!stored) {
            std::printf("image copy %d was not stored\n", i);
            return;
        }
        image << BenchStats::msSince(t) - kQuietMs;
        owner->kill();
    }
    QFile::remove(file);
    BenchStats::print("20 MB PNG copy via xclip -> committed row, less quiet", image);
}

} // namespace

int main(int argc, char **argv)
{
    DesktopSession::Options options;
    options.windowManager = false;
    return SessionRunner::exec(argc, argv, options, [](int argc, char **argv) {
        QGuiApplication app(argc, argv);
        const QByteArray png = noisePng();
        inProcess(png);
        realBinary(png);
        SessionRunner::stopAll();
        return 0;
    });
}
