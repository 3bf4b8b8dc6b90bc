// The quick preview on a real X11 desktop (Xvfb and Openbox) over the real strip: Space opens
// it for the focused card while the strip keeps the keyboard, the arrows move it along, Space
// and Escape close it, the card menu opens it too, and it leaves with the strip. With
// VARU_SCREENSHOTS=<folder> it also saves the documentation's screenshots of each kind.

#include "../strip/StripDriving.h"
#include "../strip/StripDemo.h"
#include "../strip/StripFixtures.h"
#include "SessionRunner.h"
#include "capture/ImageCache.h"
#include "paste/PasteTarget.h"
#include "platform/x11/X11Desktop.h"
#include "store/ExportFiles.h"
#include "strip/model/CardMenu.h"
#include "strip/preview/PreviewController.h"
#include "strip/preview/PreviewLayout.h"
#include "strip/preview/PreviewPanel.h"
#include "strip/preview/PreviewState.h"
#include "strip/ui/StripChrome.h"
#include "strip/ui/StripController.h"
#include "strip/ui/StripPanel.h"

#include <QGuiApplication>
#include <QPainter>
#include <QQuickItem>
#include <QRasterWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace StripDriving;

namespace {

// A wallpaper: a diagonal gradient over the whole screen.
class Wallpaper : public QRasterWindow
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QLinearGradient g(0, 0, width(), height());
        g.setColorAt(0, QColor(0x3A, 0x4E, 0x7A));
        g.setColorAt(1, QColor(0x8A, 0x5A, 0x8C));
        p.fillRect(QRect(QPoint(0, 0), size()), g);
    }
};

// The demo's cards with their content; the strip's other commands are only recorded.
class DemoActions : public RecordingActions
{
public:
    QHash<QString, QList<Representation>> reps;

    QList<Representation> representations(const ClipItem &item) override
    {
        return reps.value(item.id);
    }
};

} // namespace

class E2ePreview : public QObject
{
    Q_OBJECT

    Wallpaper wallpaper;
    QTemporaryDir files;
    X11Desktop desktop;
    WindowFocus &focus = desktop.windowFocus();
    std::unique_ptr<PasteTarget> target;
    ImageCache images;
    StripModel model;
    DemoActions actions;
    std::unique_ptr<StripController> strip;
    std::unique_ptr<PreviewController> preview;
    StripDemo::History demo;
    ClipItem threeFiles;
    WindowId terminal = 0;


    const ClipItem &demoCard(ClipKind kind, int skip = 0) const
    {
        for (const ClipItem &item : demo.history) {
            if (item.kind == kind && skip-- == 0)
                return item;
        }
        qFatal("no such demo card");
    }
    bool previewing(const QString &id)
    {
        return until([&] {
            return preview->isVisible() && preview->itemID() == id &&
                   preview->panel()->isExposed() &&
                   qFuzzyCompare(preview->panel()->opacity(), 1.0) &&
                   preview->panel()->geometry() ==
                       PreviewLayout::frame(strip->panel()->geometry(),
                                            strip->panel()->screen()->availableGeometry());
        });
    }
    bool previewGone()
    {
        return until([&] { return !preview->panel()->isVisible(); });
    }
    void openStrip()
    {
        QVERIFY(focus.activate(terminal, std::chrono::seconds(3)));
        strip->show();
        QVERIFY(until([&] { return strip->panel()->isActive(); }, 5000));
        QVERIFY(until([&] {
            return strip->panel()->position() ==
                   StripController::targetFrame(strip->panel()->screen()->availableGeometry())
                       .topLeft();
        }));
    }
    void closeStrip()
    {
        strip->hide();
        QVERIFY(until([&] { return !strip->isVisible() && !strip->isHiding(); }));
    }

    // The preview with the top of the strip below it, into the screenshots folder.
    void screenshot(const QString &name)
    {
        const QString folder = qEnvironmentVariable("VARU_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QTest::qWait(600); // the rise, the decoding and the page rendering settle
        const QRect panel = preview->panel()->geometry();
        const QRect r = panel.adjusted(-60, -30, 60, 150);
        const QString crop =
            QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
        QVERIFY(SessionRunner::run(u"import"_qs,
                                   {u"-window"_qs, u"root"_qs, u"-crop"_qs, crop, u"+repage"_qs,
                                    folder + u'/' + name + u".png"_qs}) == 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        wallpaper.setFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint |
                           Qt::WindowDoesNotAcceptFocus);
        wallpaper.setGeometry(QGuiApplication::primaryScreen()->geometry());
        wallpaper.show();

        SessionRunner::start(u"xterm"_qs,
                             {u"-T"_qs, u"Terminal"_qs, u"-geometry"_qs, u"100x20+200+100"_qs});
        QStringList ids;
        QVERIFY(
            until([&] { return !(ids = SessionRunner::windowsNamed(u"^Terminal$"_qs)).isEmpty(); },
                  10000));
        terminal = ids.first().toUInt();

        demo = StripDemo::make(files.filePath(u"home"_qs),
                               QDateTime::currentMSecsSinceEpoch() / 1000.0);
        // Three files of different kinds, copied together from the file manager.
        threeFiles = demoCard(ClipKind::File, 1);
        threeFiles.id = QStringLiteral("TRES-ARQUIVOS");
        threeFiles.title = QStringList{demoCard(ClipKind::File, 3).title,
                                       demoCard(ClipKind::File, 0).title,
                                       demoCard(ClipKind::File, 2).title}
                               .join(u'\n');
        demo.history.insert(1, threeFiles);
        actions.reps = demo.reps;
        const QStringList paths = threeFiles.filePaths();
        for (qsizetype i = 0; i < paths.size(); ++i)
            actions.reps[threeFiles.id].append(
                {i, u"public.file-url"_qs, QUrl::fromLocalFile(paths.at(i)).toEncoded()});
        model.setData(demo.history, demo.tabs, demo.tabItems);
        model.setActions(&actions);

        target = std::make_unique<PasteTarget>(focus);
        strip = std::make_unique<StripController>(model, target.get(), images, desktop);
        preview = std::make_unique<PreviewController>(
            desktop, [](const ClipItem &item, const QList<Representation> &reps) {
                return ExportFiles::url(item, reps, QStringLiteral("Preview"), true);
            });
        strip->setPreview(preview.get());
        QVERIFY(strip->panel()->isLoaded());
        QVERIFY(preview->panel()->isLoaded());
    }

    void spaceArrowsEscapeAndHiding()
    {
        QCursor::setPos(960, 500);
        openStrip();
        const QString first = demo.history.at(0).id;
        QCOMPARE(model.selectedID(), std::optional(first));

        QVERIFY(key(u"space"_qs));
        QVERIFY(previewing(first));
        // Above the strip, centred, and the strip still has the keyboard.
        const QRect panel = preview->panel()->geometry();
        QCOMPARE(panel.bottom() + 1 + 12, strip->panel()->geometry().top());
        QCOMPARE(panel.center().x(), QGuiApplication::primaryScreen()->availableGeometry().center().x());
        QVERIFY(strip->panel()->isActive());
        QCOMPARE(preview->state()->mode(), PreviewMode::Text);
        screenshot(u"preview-text"_qs);

        // → moves it to the next card: the three files.
        QVERIFY(key(u"Right"_qs));
        QVERIFY(previewing(threeFiles.id));
        QCOMPARE(preview->state()->title(), QFileInfo(threeFiles.filePaths().first()).fileName() +
                                                u" e mais 2"_qs);
        QCOMPARE(preview->state()->files()->rowCount(), 3);
        screenshot(u"preview-files"_qs);

        // Space closes it; Space opens it again and Escape closes it, leaving the strip open.
        QVERIFY(key(u"space"_qs));
        QVERIFY(previewGone());
        QVERIFY(key(u"space"_qs));
        QVERIFY(previewing(threeFiles.id));
        QVERIFY(key(u"Escape"_qs));
        QVERIFY(previewGone());
        QVERIFY(strip->isVisible() && !strip->isHiding() && strip->panel()->isActive());

        // Hiding the strip hides it.
        QVERIFY(key(u"space"_qs));
        QVERIFY(previewing(threeFiles.id));
        closeStrip();
        QVERIFY(previewGone());
    }

    void eachKind()
    {
        struct Kind
        {
            ClipKind kind;
            PreviewMode mode;
            QString shot;
        };
        const QList<Kind> kinds{{ClipKind::Image, PreviewMode::Picture, u"preview-image"_qs},
                                {ClipKind::Pdf, PreviewMode::Pdf, u"preview-pdf"_qs},
                                {ClipKind::Color, PreviewMode::Color, u"preview-color"_qs},
                                {ClipKind::RichText, PreviewMode::RichText, u"preview-rich-text"_qs}};
        openStrip();
        for (const Kind &k : kinds) {
            const QString id = demoCard(k.kind).id;
            model.selectOnly(id);
            QVERIFY(key(u"space"_qs));
            QVERIFY2(previewing(id), qPrintable(k.shot));
            QCOMPARE(preview->state()->mode(), k.mode);
            screenshot(k.shot);
            QVERIFY(key(u"space"_qs));
            QVERIFY(previewGone());
        }
        closeStrip();
    }

    void cardMenuEntry()
    {
        openStrip();
        const ClipItem &image = demoCard(ClipKind::Image);
        QQuickItem *area = visualChild(strip->panel()->rootObject(), [&](QQuickItem *item) {
            return item->property("cardID").toString() == image.id &&
                   item->property("interaction").isValid();
        });
        QVERIFY(area && click(area, u"3"_qs));
        QVERIFY(until([&] { return strip->chrome()->menuOpen(); }));
        const auto entry = [&](QQuickItem *item) {
            return item->property("command").toInt() == int(CardCommand::Preview) &&
                   item->property("text").toString() == u"Pré-visualizar"_qs && item->isVisible();
        };
        QQuickItem *previewEntry = nullptr;
        QVERIFY(until([&] { return (previewEntry = visualChild(strip->panel()->contentItem(), entry)); }));
        QVERIFY(click(previewEntry, u"1"_qs));
        QVERIFY(previewing(image.id));
        QVERIFY(until([&] { return strip->panel()->isActive(); }));
        // Chosen again from the menu, it closes.
        QVERIFY(click(area, u"3"_qs));
        QVERIFY(until([&] { return (previewEntry = visualChild(strip->panel()->contentItem(), entry)); }));
        QVERIFY(click(previewEntry, u"1"_qs));
        QVERIFY(previewGone());
        closeStrip();
    }

    void cleanupTestCase()
    {
        strip->setPreview(nullptr);
        preview.reset();
        strip.reset();
        SessionRunner::stopAll();
    }
};

int main(int argc, char **argv)
{
    return SessionRunner::exec(argc, argv, DesktopSession::Options{}, [](int argc, char **argv) {
        QGuiApplication app(argc, argv);
        E2ePreview test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_e2e_preview.moc"
