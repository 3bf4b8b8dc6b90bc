// The strip on screen with a large history, on this machine's renderer (Xvfb; the software
// scene graph where there is no GPU): time from show() to the first frame with 1,000 and
// 10,000 cards, the first showing (views and card delegates built) apart from later ones, and
// the frames while the card row scrolls at a steady pace; and typing a search at 10,000 cards:
// from a key to the first frame that shows its result, and to the last frame it caused.

#include "BenchStats.h"
#include "SessionRunner.h"

#include "capture/ImageCache.h"
#include "capture/Thumbnailer.h"
#include "platform/x11/X11Desktop.h"
#include "strip/ui/StripController.h"
#include "strip/model/StripModel.h"
#include "strip/ui/StripPanel.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QQuickItem>
#include <QTest>
#include <QVariantAnimation>

#include <cstdio>

namespace {

QByteArray thumbnailPng(int seed)
{
    QImage image(640, 400, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 640, 400);
    g.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 160, 220));
    g.setColorAt(1, QColor::fromHsv((seed * 37 + 120) % 360, 180, 120));
    p.fillRect(image.rect(), g);
    p.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return Thumbnailer::make(png, 360)->png;
}

// A history of text, links, colours and images with thumbnails, newest first.
QList<ClipItem> history(int n)
{
    QList<QByteArray> thumbs;
    for (int i = 0; i < 8; ++i)
        thumbs << thumbnailPng(i);
    const double now = QDateTime::currentMSecsSinceEpoch() / 1000.0;
    QList<ClipItem> list;
    list.reserve(n);
    for (int i = 0; i < n; ++i) {
        ClipItem item;
        item.id = QStringLiteral("CARD-%1").arg(i);
        item.createdAt = now - i * 97.0;
        switch (i % 10) {
        case 0:
        case 5:
            item.kind = ClipKind::Image;
            item.title = QStringLiteral("Imagem 640 × 400");
            item.thumbnail = thumbs.at(i % thumbs.size());
            item.totalBytes = 180'000;
            break;
        case 3:
            item.kind = ClipKind::Link;
            item.title = QStringLiteral("https://exemplo.com.br/artigos/%1/como-fazer").arg(i);
            break;
        case 7:
            item.kind = ClipKind::Color;
            item.title = QStringLiteral("#%1").arg((i * 7919) % 0xFFFFFF, 6, 16, QLatin1Char('0'));
            break;
        default:
            item.kind = ClipKind::Text;
            item.title = QStringLiteral("Nota %1: lembrar de revisar o relatório, responder o "
                                        "e-mail do cliente e atualizar a planilha de custos.")
                             .arg(i);
        }
        item.sourceAppID =
            i % 3 ? QStringLiteral("org.gnome.TextEditor") : QStringLiteral("org.mozilla.firefox");
        list << item;
    }
    return list;
}

double rssMiB()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.value(1).toDouble() * 4096 / (1024.0 * 1024.0);
}

struct FrameClock
{
    QQuickWindow *window;
    QElapsedTimer clock;
    QList<double> swaps; // ms since start
    QList<double> work;  // sync + render + flush of each frame, ms
    double begun = -1;

    explicit FrameClock(QQuickWindow *w)
        : window(w)
    {
        clock.start();
        QObject::connect(
            w, &QQuickWindow::beforeSynchronizing, w,
            [this] { begun = double(clock.nsecsElapsed()) / 1e6; }, Qt::DirectConnection);
        QObject::connect(
            w, &QQuickWindow::frameSwapped, w,
            [this] {
                const double now = double(clock.nsecsElapsed()) / 1e6;
                swaps << now;
                if (begun >= 0)
                    work << now - begun;
                begun = -1;
            },
            Qt::DirectConnection);
    }
};

void showing(int cards, ImageCache &images)
{
    StripModel model;
    model.setData(history(cards), {}, {});
    X11Desktop desktop;
    StripController strip(model, nullptr, images, desktop);
    QQuickWindow *window = strip.panel();
    FrameClock frames(window);

    QList<double> first, later;
    for (int run = 0; run < 12; ++run) {
        frames.swaps.clear();
        const double t0 = double(frames.clock.nsecsElapsed()) / 1e6;
        strip.show();
        if (!QTest::qWaitFor([&] { return !frames.swaps.isEmpty(); }, 5000)) {
            std::printf("no frame after show()\n");
            return;
        }
        (run == 0 ? first : later) << frames.swaps.first() - t0;
        QTest::qWait(StripController::kShowMs + 80);
        strip.hide();
        QTest::qWait(StripController::kHideMs + 120);
    }
    const QByteArray label = QByteArray::number(cards);
    BenchStats::print(("show() -> first frame, first showing, " + label + " cards").constData(),
                      first);
    BenchStats::print(("show() -> first frame, later showings, " + label + " cards").constData(),
                      later);

    // Scroll the row at a steady pace for two seconds and look at every frame.
    strip.show();
    QTest::qWait(StripController::kShowMs + 100);
    auto *list = strip.panel()->rootObject()->findChild<QQuickItem *>(QStringLiteral("cardList"));
    QVariantAnimation scroll;
    scroll.setStartValue(0.0);
    scroll.setEndValue(242.0 * 60); // sixty cards
    scroll.setDuration(2000);
    QObject::connect(&scroll, &QVariantAnimation::valueChanged, list,
                     [list](const QVariant &x) { list->setProperty("contentX", x); });
    frames.swaps.clear();
    frames.work.clear();
    scroll.start();
    if (!QTest::qWaitFor([&] { return scroll.state() == QAbstractAnimation::Stopped; }, 5000))
        std::printf("the scroll did not finish\n");
    QList<double> intervals;
    int late = 0;
    for (qsizetype i = 1; i < frames.swaps.size(); ++i) {
        const double gap = frames.swaps.at(i) - frames.swaps.at(i - 1);
        intervals << gap;
        if (gap > 1000.0 / 60 * 1.5)
            ++late;
    }
    BenchStats::print(
        ("scrolling: frame work (sync+render+flush), " + label + " cards").constData(),
        frames.work);
    BenchStats::print(("scrolling: interval between frames, " + label + " cards").constData(),
                      intervals);
    std::printf("%-52s %d of %lld frames later than 25 ms, %.0f frames/s\n",
                ("scrolling: late frames, " + label + " cards").constData(), late,
                static_cast<long long>(intervals.size()), frames.swaps.size() / 2.0);
    std::printf("%-52s %.1f MiB\n",
                ("resident memory while shown, " + label + " cards").constData(), rssMiB());
    strip.hide();
    QTest::qWait(StripController::kHideMs + 120);
}

// Frames are settled once none has come for this long.
constexpr double kQuietMs = 150;

// Types `keys` into the open strip's search one at a time, as a person would (a pause after
// each key's frames have settled), and records when its frames came.
void typeKeys(QQuickWindow *window, FrameClock &frames, const QList<int> &keys,
              QList<double> &firstPaint, QList<double> &settled)
{
    for (int key : keys) {
        frames.swaps.clear();
        const double t0 = double(frames.clock.nsecsElapsed()) / 1e6;
        if (key == Qt::Key_Backspace)
            QTest::keyClick(window, Qt::Key_Backspace);
        else
            QTest::keyClick(window, char(key));
        (void)QTest::qWaitFor(
            [&] {
                const double now = double(frames.clock.nsecsElapsed()) / 1e6;
                const double last = frames.swaps.isEmpty() ? t0 : frames.swaps.last();
                return now - last > kQuietMs;
            },
            10000);
        if (frames.swaps.isEmpty())
            continue; // nothing to redraw (a space that changed nothing)
        firstPaint << frames.swaps.first() - t0;
        settled << frames.swaps.last() - t0;
        if (qEnvironmentVariableIsSet("VARU_BENCH_KEYS"))
            std::printf("  key %-9s first frame %7.1f ms, settled %7.1f ms, %lld frames\n",
                        key == Qt::Key_Backspace ? "backspace" : QByteArray(1, char(key)).data(),
                        firstPaint.last(), settled.last(),
                        static_cast<long long>(frames.swaps.size()));
        QTest::qWait(60);
    }
}

QList<int> typed(const QString &text)
{
    QList<int> keys;
    for (const QChar c : text)
        keys << c.toLatin1();
    return keys;
}

void typing(int cards, ImageCache &images)
{
    StripModel model;
    model.setData(history(cards), {}, {});
    X11Desktop desktop;
    StripController strip(model, nullptr, images, desktop);
    QQuickWindow *window = strip.panel();
    FrameClock frames(window);
    strip.show();
    QTest::qWait(StripController::kShowMs + 200);

    // Narrowing word by word, then widening back to every card; a query that keeps one card
    // in ten scattered through the history; one that keeps a single card.
    QList<QString> queries{u"nota 12 revisar"_qs, u"#"_qs, u"imagem"_qs, u"nota 4242"_qs};
    if (qEnvironmentVariableIsSet("VARU_BENCH_QUERY"))
        queries = {qEnvironmentVariable("VARU_BENCH_QUERY")};
    QList<double> firstPaint, settled;
    for (int round = 0; round < 3; ++round) {
        for (const QString &q : queries) {
            QList<int> keys = typed(q);
            for (qsizetype i = 0; i < q.size(); ++i)
                keys << Qt::Key_Backspace;
            typeKeys(window, frames, keys, firstPaint, settled);
        }
    }
    if (!model.query().isEmpty())
        std::printf("typing: the search did not reach the model\n");
    const QByteArray label = QByteArray::number(cards);
    BenchStats::print(("search key -> first frame, " + label + " cards").constData(), firstPaint);
    BenchStats::print(("search key -> settled, " + label + " cards").constData(), settled);
    std::printf("%-52s first frame %.1f ms, settled %.1f ms, %lld keys\n",
                ("search: worst key, " + label + " cards").constData(),
                BenchStats::percentile(firstPaint, 1.0), BenchStats::percentile(settled, 1.0),
                static_cast<long long>(firstPaint.size()));
    strip.hide();
    QTest::qWait(StripController::kHideMs + 120);
}

} // namespace

int main(int argc, char **argv)
{
    DesktopSession::Options options;
    options.windowManager = false;
    return SessionRunner::exec(argc, argv, options, [](int argc, char **argv) {
        QGuiApplication app(argc, argv);
        // An argument, "showing" or "typing", runs only that part.
        const QString only = app.arguments().value(1);
        ImageCache images;
        if (only.isEmpty() || only == u"showing") {
            showing(1000, images);
            showing(10000, images);
        }
        if (only.isEmpty() || only == u"typing")
            typing(10000, images);
        return 0;
    });
}
