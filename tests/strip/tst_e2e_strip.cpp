// The real strip on a real X11 desktop (Xvfb and Openbox): it opens along the bottom of the
// screen, takes the keyboard from the user's window and gives it back, answers keys and
// clicks made through the X server, closes when another window is clicked, and turns around
// when shown again while sliding out. With VARU_SCREENSHOTS=<folder> it also saves the
// documentation's screenshots.

#include "StripDriving.h"
#include "SessionRunner.h"
#include "StripDemo.h"
#include "StripFixtures.h"
#include "capture/ImageCache.h"
#include "paste/PasteTarget.h"
#include "platform/x11/X11Compositor.h"
#include "platform/x11/X11Desktop.h"
#include "strip/ui/CardListModel.h"
#include "strip/ui/StripChrome.h"
#include "strip/ui/StripController.h"
#include "strip/ui/StripPanel.h"
#include "strip/model/TabPalette.h"

#include <QGuiApplication>
#include <QPainter>
#include <QQuickItem>
#include <QRasterWindow>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

// A wallpaper: a diagonal gradient over the whole screen.
using namespace StripDriving;

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

class E2eStrip : public QObject
{
    Q_OBJECT

    Wallpaper wallpaper;
    QTemporaryDir files;
    X11Desktop desktop;
    WindowFocus &focus = desktop.windowFocus();
    std::unique_ptr<PasteTarget> target;
    ImageCache images;
    StripModel model;
    std::unique_ptr<StripController> strip;
    StripDemo::History demo;
    WindowId terminal = 0;

    bool type(const QString &text) { return xdotool({u"type"_qs, u"--delay"_qs, u"40"_qs, text}); }
    bool shown()
    {
        const auto placed = [&] {
            const QRect frame =
                StripController::targetFrame(strip->panel()->screen()->availableGeometry());
            return strip->panel()->position() == frame.topLeft() &&
                   qFuzzyCompare(strip->panel()->opacity(), 1.0);
        };
        return until([&] { return strip->panel()->isActive(); }, 5000) && until(placed, 2000);
    }
    bool gone()
    {
        return until([&] { return !strip->isVisible() && !strip->isHiding(); });
    }
    void openStrip()
    {
        QVERIFY(focus.activate(terminal, std::chrono::seconds(3)));
        strip->show();
        QVERIFY(shown());
    }
    void closeStrip()
    {
        strip->hide();
        QVERIFY(gone());
    }

    // The bottom of the screen, where the strip is, into the screenshots folder.
    void screenshot(const QString &name)
    {
        const QString folder = qEnvironmentVariable("VARU_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QTest::qWait(450); // slides, scrolls and card springs settle
        const QRect r = strip->panel()->geometry().adjusted(-40, -50, 40, 10);
        const QString crop =
            QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
        QVERIFY(SessionRunner::run(u"import"_qs,
                                   {u"-window"_qs, u"root"_qs, u"-crop"_qs, crop, u"+repage"_qs,
                                    folder + u'/' + name + u".png"_qs}) == 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A quiet wallpaper behind everything, so the strip's corners and its translucency
        // show against something (compositors ignore the root's background).
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
        model.setData(demo.history, demo.tabs, demo.tabItems);
        target = std::make_unique<PasteTarget>(focus);
        strip = std::make_unique<StripController>(model, target.get(), images, desktop);
        QVERIFY(strip->panel()->isLoaded());
    }

    void opensAtTheBottomOfTheScreenAndTakesTheKeyboard()
    {
        QCursor::setPos(960, 500);
        openStrip();
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(strip->panel()->geometry(),
                 QRect(available.left() + 10, available.bottom() + 1 - 10 - 348,
                       available.width() - 20, 348));
        QCOMPARE(target->remembered(), std::optional<WindowId>(terminal));
        QCOMPARE(model.selectedID(), std::optional(demo.history.first().id));
        screenshot(u"strip-history"_qs);

        // Typing reaches the search field through the X server.
        QVERIFY(type(u"contrato"_qs));
        QVERIFY(until([&] { return model.query() == u"contrato"_qs; }));
        QCOMPARE(strip->cards()->count(), 1); // the contract's file card
        screenshot(u"strip-search"_qs);

        // Escape steps back: first the search, then the strip, which returns the keyboard.
        QVERIFY(key(u"Escape"_qs));
        QVERIFY(until([&] { return model.query().isEmpty(); }));
        QVERIFY(strip->isVisible());
        QVERIFY(key(u"Escape"_qs));
        QVERIFY(gone());
        QVERIFY(until([&] { return focus.activeWindow() == terminal; }));
    }

    void arrowsMoveTheFocus()
    {
        openStrip();
        QVERIFY(key(u"Right"_qs) && key(u"shift+Right"_qs));
        QVERIFY(until([&] { return model.selectedIDs().size() == 2; }));
        QCOMPARE(strip->cards()->selectedRow(), 2);
        screenshot(u"strip-selection"_qs);
        closeStrip();
    }

    void filterAndTabsAndEmptyStates()
    {
        openStrip();
        model.setKindFilter(KindFilter::Image);
        QCOMPARE(strip->cards()->count(), 2); // the screenshot and the photo's file card
        screenshot(u"strip-filter-images"_qs);
        model.setKindFilter(std::nullopt);
        model.cycleTab(+1);
        QVERIFY(model.tab().isUserTab());
        screenshot(u"strip-tab"_qs);
        model.setQuery(u"xyzzy"_qs);
        QCOMPARE(strip->cards()->count(), 0);
        screenshot(u"strip-empty-search"_qs);

        model.setQuery(QString());
        const UserTab empty{u"E"_qs, u"Vazia"_qs, u"#F2994A"_qs, 2};
        model.setData(demo.history, demo.tabs + QList{empty}, demo.tabItems);
        model.showTab(u"E"_qs);
        QCOMPARE(strip->cards()->count(), 0);
        screenshot(u"strip-empty-tab"_qs);
        model.showHistory();
        model.setData({}, {}, {});
        screenshot(u"strip-empty-history"_qs);
        model.setData(demo.history, demo.tabs, demo.tabItems);
        closeStrip();
    }

    void tabChipMenuTakesTheKeys()
    {
        openStrip();
        const QString work = demo.tabs.first().id;
        QQuickItem *chip = visualChild(strip->panel()->rootObject(), [&](QQuickItem *item) {
            return item->property("tabID").toString() == work && item->property("title").isValid();
        });
        QVERIFY(chip && click(chip, u"3"_qs));
        QVERIFY(until([&] { return strip->chrome()->menuOpen(); }));
        screenshot(u"strip-tab-menu"_qs);
        // The menu's keys: arrows pick an entry and Return chooses it; nothing is pasted. The
        // menu opens under the pointer, which may already have picked the first entry.
        const QList<QObject *> children = chip->findChildren<QObject *>();
        const auto menu = std::find_if(children.begin(), children.end(),
                                       [](QObject *o) { return o->inherits("QQuickMenu"); });
        QVERIFY(menu != children.end());
        if ((*menu)->property("currentIndex").toInt() != 0)
            QVERIFY(key(u"Down"_qs));
        QVERIFY(until([&] { return (*menu)->property("currentIndex").toInt() == 0; }));
        QVERIFY(key(u"Return"_qs));
        QVERIFY(until([&] { return model.tabEditor().has_value(); }));
        QCOMPARE(model.tabEditor()->tabIDText(), work);
        QVERIFY(!strip->chrome()->menuOpen());
        // Back to the strip's keys: Escape closes the editor, not the strip.
        QVERIFY(key(u"Escape"_qs));
        QVERIFY(until([&] { return !model.hasOverlay(); }));
        QVERIFY(strip->isVisible());
        closeStrip();
    }

    void cardsAnswerTheMouse()
    {
        RecordingActions actions;
        model.setActions(&actions);
        openStrip();
        const QList<ClipItem> &h = demo.history;
        const auto clickCard = [&](int row, const QString &button) {
            QQuickItem *area = visualChild(strip->panel()->rootObject(), [&](QQuickItem *item) {
                return item->property("cardID").toString() == h.at(row).id &&
                       item->property("interaction").isValid();
            });
            return area && click(area, button);
        };
        const auto menuOpen = [&] { return strip->chrome()->menuOpen(); };

        // A click selects; Ctrl adds. The rich text is in the first tab, the text is not.
        QVERIFY(clickCard(3, u"1"_qs) &&
                until([&] { return ids(model.selectedIDs()) == h.at(3).id; }));
        QVERIFY(xdotool({u"keydown"_qs, u"ctrl"_qs}) && clickCard(0, u"1"_qs) &&
                xdotool({u"keyup"_qs, u"ctrl"_qs}));
        QVERIFY(until([&] { return model.selectedIDs().size() == 2; }));

        // A right click on one of them: the group menu. Its keys open "Fixar os 2 em" (after
        // the muted heading, the two pastes and the copy) and choose the first tab, which
        // holds one of the two: both go in.
        QVERIFY(clickCard(3, u"3"_qs) && until(menuOpen));
        for (const QString &k : {u"Down"_qs, u"Down"_qs, u"Down"_qs, u"Down"_qs, u"Right"_qs})
            QVERIFY(key(k));
        screenshot(u"strip-card-menu"_qs);
        QVERIFY(key(u"Return"_qs) && until([&] { return !menuOpen(); }));
        const QString work = demo.tabs.first().id;
        QCOMPARE(actions.calls, (QStringList{u"add "_qs + h.at(0).id + u" to "_qs + work,
                                             u"add "_qs + h.at(3).id + u" to "_qs + work}));
        closeStrip();
        model.setActions(nullptr);
    }

    void editorsTakeTheKeyboard()
    {
        RecordingActions actions;
        model.setActions(&actions);
        openStrip();
        const ClipItem first = demo.history.first();
        const auto opened = [&] { return model.hasOverlay(); };
        const auto closed = [&] { return !model.hasOverlay(); };

        // The card's text: typed at its end; Return breaks the line; ⌘Return saves.
        QVERIFY(key(u"ctrl+e"_qs) && until(opened));
        QVERIFY(until([&] {
            return visualChild(strip->panel()->rootObject(), [](QQuickItem *item) {
                return item->property("renaming").isValid() || item->property("editor").isValid();
            });
        }));
        QVERIFY(type(u" Sala 4."_qs) && key(u"Return"_qs) && type(u"Fim"_qs));
        QVERIFY(until([&] { return model.editing()->text.endsWith(u"Fim"_qs); }));
        screenshot(u"strip-edit-card"_qs);
        QVERIFY(key(u"ctrl+Return"_qs) && until(closed));
        QCOMPARE(actions.calls, QStringList{u"save "_qs + first.id + u" ["_qs + first.title +
                                            u" Sala 4.\nFim]"_qs});

        // A new tab, named and created with Return; the strip stays.
        actions.calls.clear();
        QVERIFY(key(u"ctrl+t"_qs) && until(opened));
        QVERIFY(type(u"Viagem"_qs));
        screenshot(u"strip-new-tab"_qs);
        QVERIFY(key(u"Return"_qs) && until(closed));
        QCOMPARE(actions.calls,
                 QStringList{u"create [Viagem] "_qs + TabPalette::colorFor(demo.tabs.size()) +
                             u" with "_qs});
        QVERIFY(strip->isVisible());
        closeStrip();
        model.setActions(nullptr);
    }

    void clickingAnotherWindowClosesTheStrip()
    {
        openStrip();
        QSignalSpy hidden(strip.get(), &StripController::hidden);
        QVERIFY(xdotool({u"mousemove"_qs, u"400"_qs, u"200"_qs, u"click"_qs, u"1"_qs}));
        QVERIFY(gone());
        QCOMPARE(hidden.count(), 1);
        QCOMPARE(focus.activeWindow(), std::optional<WindowId>(terminal));
    }

    void showingWhileSlidingOutTurnsAround()
    {
        openStrip();
        QSignalSpy hidden(strip.get(), &StripController::hidden);
        bool completed = false;
        strip->hide([&] { completed = true; });
        QTest::qWait(60); // mid-slide
        QVERIFY(strip->isHiding());
        strip->toggle();
        QVERIFY(!strip->isHiding());
        QVERIFY(completed); // the interrupted hide still finishes its work, once
        QVERIFY(shown());
        QTest::qWait(StripController::kHideMs + 250); // nothing of the old slide arrives late
        QVERIFY(strip->isVisible() && strip->panel()->isActive());
        QCOMPARE(hidden.count(), 0);
        strip->toggle();
        QVERIFY(gone());
    }

    void reopeningRightAfterClosingStaysOpen()
    {
        // X11 reports the end of the previous showing late; it must not close the new one.
        for (int i = 0; i < 3; ++i) {
            openStrip();
            closeStrip();
            strip->show();
            QVERIFY(shown());
            QTest::qWait(StripController::kFocusLossMs + 300);
            QVERIFY(strip->isVisible() && !strip->isHiding());
            closeStrip();
        }
    }

    void translucentOnlyWithACompositor()
    {
        if (QStandardPaths::findExecutable(u"xcompmgr"_qs).isEmpty())
            QSKIP("xcompmgr is not installed");
        openStrip();
        QVERIFY(!strip->chrome()->translucent());
        QVERIFY(!strip->panel()->mask().isEmpty()); // the corners are cut by the shape
        strip->hide();
        QVERIFY(gone());

        QProcess *compositor =
            SessionRunner::start(u"xcompmgr"_qs, {u"-c"_qs, u"-r"_qs, u"10"_qs, u"-o"_qs, u"0.4"_qs,
                                                  u"-l"_qs, u"-12"_qs, u"-t"_qs, u"-8"_qs});
        QVERIFY(QTest::qWaitFor([] { return X11Compositor::isRunning(); }, 5000));
        openStrip();
        QVERIFY(strip->chrome()->translucent());
        QVERIFY(strip->panel()->mask().isEmpty());
        screenshot(u"strip-translucent"_qs);
        strip->hide();
        QVERIFY(gone());
        compositor->kill();
        compositor->waitForFinished(3000);
    }

    void cleanupTestCase()
    {
        strip.reset();
        SessionRunner::stopAll();
    }
};

int main(int argc, char **argv)
{
    return SessionRunner::exec(argc, argv, DesktopSession::Options{}, [](int argc, char **argv) {
        QGuiApplication app(argc, argv);
        E2eStrip test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_e2e_strip.moc"
