// The quick preview controller with its real window (offscreen): opening with the rise,
// swapping cards in place, closing, cards that cannot be previewed, colours. The strip driving
// it with its keys is tried end to end on a real display.

#include "../strip/StripFixtures.h"
#include "PreviewFiles.h"
#include "capture/ImageCache.h"
#include "paste/PasteTarget.h"
#include "platform/fake/FakeDesktop.h"
#include "strip/preview/PreviewController.h"
#include "strip/preview/PreviewLayout.h"
#include "strip/preview/PreviewPanel.h"
#include "strip/preview/PreviewState.h"
#include "strip/cards/HexColor.h"
#include "strip/ui/StripController.h"
#include "strip/ui/StripPanel.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double kNow = 1'800'000'000;

} // namespace

class TestPreviewController : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    FakeDesktop desktop;
    QStringList made; // the cards a preview file was asked for
    bool canMakeFiles = true;
    std::unique_ptr<PreviewController> preview;

    RecordingActions actions;
    StripModel model;
    ImageCache images;
    PasteTarget target{desktop.focus};
    std::unique_ptr<StripController> strip;

    // Each card's file holds its title, as the store's export would hold its text.
    std::optional<QUrl> makeFile(const ClipItem &item, const QList<Representation> &)
    {
        made << item.id;
        if (!canMakeFiles)
            return std::nullopt;
        return QUrl::fromLocalFile(
            PreviewFiles::write(QDir(dir.path()), item.id + u".txt"_qs, item.title.toUtf8()));
    }

    static bool runUntil(const std::function<bool()> &done)
    {
        for (int turn = 0; turn < 20 && !done(); ++turn)
            QCoreApplication::processEvents();
        return done();
    }
    QWindow *panel() const { return preview->panel(); }
    QRect stripFrame() const
    {
        return StripController::targetFrame(QGuiApplication::primaryScreen()->availableGeometry());
    }
    QRect expectedFrame() const
    {
        return PreviewLayout::frame(stripFrame(),
                                    QGuiApplication::primaryScreen()->availableGeometry());
    }
    bool showCard(const ClipItem &item)
    {
        return preview->show(item, {}, stripFrame(), QGuiApplication::primaryScreen());
    }
    bool closed()
    {
        return runUntil([&] { return !panel()->isVisible(); });
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // The strip first: it chooses the renderer for every window.
        strip = std::make_unique<StripController>(model, &target, images, desktop);
        strip->setTiming({0, 0, 0});
        preview = std::make_unique<PreviewController>(
            desktop, [this](const ClipItem &item, const QList<Representation> &reps) {
                return makeFile(item, reps);
            });
        preview->setTiming({0, 0, [] { return kNow; }});
        QVERIFY(preview->panel()->isLoaded());
        // Prepared while it had no platform window yet, like the strip.
        QVERIFY(desktop.preparedWindows.contains(preview->panel()));
        QVERIFY(!desktop.preparedTooLate);
        model.setActions(&actions);
    }

    void init()
    {
        made.clear();
        canMakeFiles = true;
    }

    void cleanup()
    {
        strip->setPreview(nullptr);
        if (strip->isVisible()) {
            strip->hide();
            QVERIFY(runUntil([&] { return !strip->isVisible(); }));
        }
        preview->hide();
        QVERIFY(closed());
    }

    void opensRisingAndCloses()
    {
        ClipItem item = card(u"A"_qs, u"primeira linha\nsegunda"_qs);
        item.createdAt = kNow - 180;
        item.sourceName = QStringLiteral("Gedit");
        QVERIFY(showCard(item));
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->itemID(), std::optional<QString>(u"A"_qs));
        // It starts a little low and rises into place.
        QCOMPARE(panel()->geometry(), expectedFrame().translated(0, PreviewLayout::kRise));
        QVERIFY(runUntil([&] { return panel()->geometry() == expectedFrame(); }));

        PreviewState &state = *preview->state();
        QCOMPARE(state.title(), u"primeira linha segunda"_qs);
        QCOMPARE(state.detail(), item.typeLabel() + u" · Gedit · há 3 minutos"_qs);
        QCOMPARE(state.mode(), PreviewMode::Text);
        QCOMPARE(state.text(), u"primeira linha\nsegunda"_qs);
        // The strip keeps the keyboard.
        QVERIFY(panel()->flags() & Qt::WindowDoesNotAcceptFocus);
        QVERIFY(!panel()->isActive());

        QSignalSpy hidden(preview.get(), &PreviewController::hidden);
        preview->hide();
        QVERIFY(!preview->isVisible());
        QCOMPARE(preview->itemID(), std::nullopt);
        QVERIFY(closed());
        QCOMPARE(hidden.size(), 1);
        QCOMPARE(state.title(), QString());
        // Hiding what is hidden does nothing.
        preview->hide();
        QCOMPARE(hidden.size(), 1);
    }

    void swapsInPlaceAndReopens()
    {
        QVERIFY(showCard(card(u"A"_qs, u"a"_qs)));
        QVERIFY(runUntil([&] { return panel()->geometry() == expectedFrame(); }));
        // Moved out of place by hand, the next card puts it back at once: no second rise.
        panel()->setPosition(0, 0);
        QVERIFY(showCard(card(u"B"_qs, u"b"_qs)));
        QCOMPARE(panel()->geometry(), expectedFrame());
        QCOMPARE(preview->state()->text(), u"b"_qs);

        // Shown again during the fade-out: the fade's end must not take it away.
        preview->hide();
        QVERIFY(showCard(card(u"C"_qs, u"c"_qs)));
        for (int turn = 0; turn < 10; ++turn)
            QCoreApplication::processEvents();
        QVERIFY(panel()->isVisible());
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->itemID(), std::optional<QString>(u"C"_qs));
    }

    void cardsWithoutFile()
    {
        QVERIFY(showCard(card(u"A"_qs, u"a"_qs)));
        canMakeFiles = false;
        QVERIFY(!showCard(card(u"B"_qs, u"b"_qs)));
        // Nothing else changed: the caller hides the panel.
        QCOMPARE(preview->itemID(), std::optional<QString>(u"A"_qs));
        QCOMPARE(preview->state()->text(), u"a"_qs);

        preview->hide();
        QVERIFY(closed());
        QVERIFY(!showCard(card(u"B"_qs, u"b"_qs)));
        QVERIFY(!panel()->isVisible());
    }

    void colourAndBack()
    {
        QVERIFY(showCard(card(u"K"_qs, u"#33AA55"_qs, ClipKind::Color)));
        QCOMPARE(preview->state()->mode(), PreviewMode::Color);
        QCOMPARE(preview->state()->swatch(), u"#33aa55"_qs);
        QVERIFY(made.isEmpty()); // a colour needs no file
        QVERIFY(showCard(card(u"G"_qs, u"cinza?"_qs, ClipKind::Color)));
        QCOMPARE(preview->state()->swatch(), HexColor::gray().name());
        QVERIFY(showCard(card(u"T"_qs, u"texto"_qs)));
        QCOMPARE(preview->state()->mode(), PreviewMode::Text);
        QCOMPARE(made, QStringList{u"T"_qs});
    }

    void looksLikeTheStrip()
    {
        desktop.compositor = true;
        QVERIFY(showCard(card(u"A"_qs, u"a"_qs)));
        QVERIFY(preview->state()->translucent());
        QVERIFY(panel()->mask().isEmpty());
        preview->hide();
        QVERIFY(closed());
        desktop.compositor = false;
        QVERIFY(showCard(card(u"A"_qs, u"a"_qs)));
        QVERIFY(!preview->state()->translucent());
        // Opaque, its corners cut away.
        QVERIFY(!panel()->mask().contains(QPoint(1, 1)));
        QVERIFY(panel()->mask().contains(QPoint(panel()->width() / 2, panel()->height() / 2)));
    }
};

QTEST_MAIN(TestPreviewController)
#include "tst_previewcontroller.moc"
