// The quick preview of large cards on this machine's renderer (offscreen; the software scene
// graph where there is no GPU): time from show() to the first frame of the panel (with the
// card's own thumbnail for images), and to the first frame with the content itself (the
// picture decoded at the panel's size, the first PDF page rendered), for a 4000 × 3000 photo
// (JPEG and PNG) and a 50-page PDF. Each showing uses a new file, so no cache helps; the same
// card shown again is measured apart.

#include "BenchStats.h"

#include "platform/fake/FakeDesktop.h"
#include "strip/preview/PreviewController.h"
#include "strip/preview/PreviewPanel.h"
#include "strip/ui/RenderBackend.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QQuickItem>
#include <QScreen>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const int kRuns = qEnvironmentVariableIntValue("VARU_BENCH_RUNS") > 0 ? qEnvironmentVariableIntValue("VARU_BENCH_RUNS") : 8;

QImage photo()
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, 3000);
    sky.setColorAt(0, QColor(0x2B2F77));
    sky.setColorAt(1, QColor(0xF79D65));
    p.fillRect(image.rect(), sky);
    p.end();
    // Grain everywhere, as a photo has, so the encoders cannot shortcut it.
    quint32 seed = 12345;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = int(seed >> 28) - 8;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + grain, 255), qBound(0, qGreen(c) + grain, 255),
                           qBound(0, qBlue(c) + grain, 255));
        }
    }
    return image;
}

void writePdf(const QString &path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    QPainter p(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        p.drawText(40, 60, QStringLiteral("Página %1").arg(page + 1));
        for (int line = 0; line < 50; ++line)
            p.drawText(40, 100 + line * 14,
                       QStringLiteral("Linha %1 do relatório trimestral, com números e texto.")
                           .arg(line));
    }
}

QQuickItem *find(QQuickItem *root, const char *name)
{
    if (root->objectName() == QLatin1String(name) && root->isVisible())
        return root;
    for (QQuickItem *child : root->childItems()) {
        if (QQuickItem *found = find(child, name))
            return found;
    }
    return nullptr;
}

struct Times
{
    QList<double> firstFrame;
    QList<double> content;
};

// Shows `item` (its file from `file`) and waits for the frames.
void measure(PreviewController &preview, const ClipItem &item, const char *contentItem,
             Times &times)
{
    PreviewPanel &panel = *preview.panel();
    const QRect strip(10, 722, 1900, 348);
    QElapsedTimer clock;
    double first = -1, content = -1;
    // A frame drawn once the content's item is ready shows the content.
    const auto connection = QObject::connect(&panel, &QQuickWindow::frameSwapped, [&] {
        if (first < 0)
            first = BenchStats::msSince(clock);
        const QQuickItem *image =
            panel.rootObject() ? find(panel.rootObject(), contentItem) : nullptr;
        if (content < 0 && image && image->property("status").toInt() == 1 /* Ready */)
            content = BenchStats::msSince(clock);
    });
    clock.start();
    preview.show(item, {}, strip, QGuiApplication::primaryScreen());
    while (clock.elapsed() < 10'000 && content < 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (qEnvironmentVariableIsSet("VARU_BENCH_TRACE"))
        std::fprintf(stderr, "first %.1f content %.1f\n", first, content);
    QObject::disconnect(connection);
    times.firstFrame << first;
    times.content << content;
    preview.hide();
    while (panel.isVisible())
        QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    RenderBackend::chooseForStrip();
    QTemporaryDir dir;
    FakeDesktop desktop;
    QString current;
    PreviewController preview(desktop, [&](const ClipItem &, const QList<Representation> &) {
        return std::optional<QUrl>(QUrl::fromLocalFile(current));
    });
    preview.setTiming({0, 0, {}});

    const QImage image = photo();
    QByteArray thumbnail;
    {
        QBuffer buffer(&thumbnail);
        buffer.open(QIODevice::WriteOnly);
        image.scaled(360, 270, Qt::KeepAspectRatio, Qt::SmoothTransformation).save(&buffer, "PNG");
    }
    image.save(dir.filePath(u"photo.jpg"_qs), "JPEG", 90);
    image.save(dir.filePath(u"photo.png"_qs), "PNG");
    writePdf(dir.filePath(u"report.pdf"_qs), 50);

    struct Case
    {
        const char *what;
        QString source;
        ClipKind kind;
        const char *contentItem;
    };
    const QList<Case> cases{
        {"4000 x 3000 JPEG", dir.filePath(u"photo.jpg"_qs), ClipKind::Image, "fullPicture"},
        {"4000 x 3000 PNG", dir.filePath(u"photo.png"_qs), ClipKind::Image, "fullPicture"},
        {"50-page PDF", dir.filePath(u"report.pdf"_qs), ClipKind::Pdf, "page"},
    };
    for (const Case &c : cases) {
        Times cold, warm;
        for (int run = 0; run < kRuns; ++run) {
            current = dir.filePath(QStringLiteral("run-%1-%2").arg(run).arg(QFileInfo(c.source).fileName()));
            QFile::copy(c.source, current);
            ClipItem item;
            item.id = QStringLiteral("CARD-%1").arg(run);
            item.kind = c.kind;
            item.title = QString::fromLatin1(c.what);
            if (c.kind == ClipKind::Image)
                item.thumbnail = thumbnail; // as every stored image card has
            measure(preview, item, c.contentItem, cold);
            measure(preview, item, c.contentItem, warm); // the same card again
        }
        const QByteArray what(c.what);
        BenchStats::print((what + ": first frame").constData(), cold.firstFrame);
        BenchStats::print((what + ": content shown").constData(), cold.content);
        BenchStats::print((what + ": content shown again").constData(), warm.content);
    }
    return 0;
}
