// The real strip on a real X11 desktop (Xvfb and Openbox): it opens along the bottom of the
// screen under the pointer, takes the keyboard from the user's window and gives it back,
// answers keys typed through the X server, closes when another window is clicked, and turns
// around when shown again while sliding out. With VARU_SCREENSHOTS=<folder> it also saves
// the screenshots of the documentation.

#include "SessionRunner.h"
#include "StripDemo.h"
#include "StripFixtures.h"
#include "capture/ImageCache.h"
#include "capture/PasteTarget.h"
#include "platform/x11/X11WindowFocus.h"
#include "strip/CardListModel.h"
#include "strip/DesktopCompositor.h"
#include "strip/StripChrome.h"
#include "strip/StripController.h"
#include "strip/StripModel.h"
#include "strip/StripPanel.h"
#include "strip/TabPalette.h"

#include <QGuiApplication>
#include <QPainter>
#include <QQuickItem>
#include <QRasterWindow>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// A wallpaper: a diagonal gradient over the whole screen.
class Desktop : public QRasterWindow
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

    Desktop desktop;
    QTemporaryDir files;
    X11WindowFocus focus;
    std::unique_ptr<PasteTarget> target;
    ImageCache images;
    StripModel model;
    std::unique_ptr<StripController> strip;
    StripDemo::History demo;
    WindowId terminal = 0;

    bool key(const QString &keys)
    {
        return SessionRunner::run(u"xdotool"_qs, {u"key"_qs, u"--delay"_qs, u"30"_qs, keys}) == 0;
    }
    bool type(const QString &text)
    {
        return SessionRunner::run(u"xdotool"_qs, {u"type"_qs, u"--delay"_qs, u"40"_qs, text}) == 0;
    }
    bool shown()
    {
        return QTest::qWaitFor([&] { return strip->panel()->isActive(); }, 5000) &&
               QTest::qWaitFor(
                   [&] {
                       return strip->panel()->position() ==
                                  StripController::targetFrame(
                                      strip->panel()->screen()->availableGeometry())
                                      .topLeft() &&
                              qFuzzyCompare(strip->panel()->opacity(), 1.0);
                   },
                   2000);
    }
    bool gone()
    {
        return QTest::qWaitFor([&] { return !strip->isVisible() && !strip->isHiding(); }, 3000);
    }
    void openStrip()
    {
        QVERIFY(focus.activate(terminal, std::chrono::seconds(3)));
        strip->show();
        QVERIFY(shown());
    }

    // The first item of the visual tree below `root` that `match` accepts.
    static QQuickItem *visualChild(QQuickItem *root, const std::function<bool(QQuickItem *)> &match)
    {
        for (QQuickItem *child : root->childItems()) {
            if (match(child))
                return child;
            if (QQuickItem *found = visualChild(child, match))
                return found;
        }
        return nullptr;
    }

    // The bottom of the screen, where the strip is, into the screenshots folder.
    void screenshot(const QString &name)
    {
        const QString folder = qEnvironmentVariable("VARU_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QTest::qWait(450); // slides, scrolls and card springs settle
        const QRect frame = strip->panel()->geometry().adjusted(-40, -50, 40, 10);
        QVERIFY(SessionRunner::run(u"import"_qs,
                                   {u"-window"_qs, u"root"_qs, u"-crop"_qs,
                                    QStringLiteral("%1x%2+%3+%4")
                                        .arg(frame.width())
                                        .arg(frame.height())
                                        .arg(frame.x())
                                        .arg(frame.y()),
                                    u"+repage"_qs, folder + u'/' + name + u".png"_qs}) == 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A desktop with a quiet wallpaper behind everything, so the strip's corners and its
        // translucency show against something (compositors ignore the root's background).
        desktop.setFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint |
                         Qt::WindowDoesNotAcceptFocus);
        desktop.setGeometry(QGuiApplication::primaryScreen()->geometry());
        desktop.show();

        SessionRunner::start(u"xterm"_qs,
                             {u"-T"_qs, u"Terminal"_qs, u"-geometry"_qs, u"100x20+200+100"_qs});
        QStringList ids;
        QVERIFY(QTest::qWaitFor(
            [&] { return !(ids = SessionRunner::windowsNamed(u"^Terminal$"_qs)).isEmpty(); },
            10000));
        terminal = ids.first().toUInt();

        demo = StripDemo::make(files.filePath(u"home"_qs),
                               QDateTime::currentMSecsSinceEpoch() / 1000.0);
        model.setData(demo.history, demo.boards, demo.boardItems);
        target = std::make_unique<PasteTarget>(focus);
        strip = std::make_unique<StripController>(model, target.get(), images);
        QVERIFY(strip->panel()->isLoaded());
    }

    void opensAtTheBottomOfTheScreenAndTakesTheKeyboard()
    {
        QCursor::setPos(960, 500);
        openStrip();
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect frame = strip->panel()->geometry();
        QCOMPARE(frame.width(), available.width() - 20);
        QCOMPARE(frame.height(), 348);
        QCOMPARE(frame.bottom(), available.bottom() - 10);
        QCOMPARE(frame.left(), available.left() + 10);
        QCOMPARE(target->remembered(), std::optional<WindowId>(terminal));
        // The first card is focused, the search is empty.
        QCOMPARE(model.selectedID(), std::optional(demo.history.first().id));
        screenshot(u"strip-history"_qs);

        // Typing reaches the search field through the X server.
        QVERIFY(type(u"contrato"_qs));
        QVERIFY(QTest::qWaitFor([&] { return model.query() == u"contrato"_qs; }, 3000));
        QCOMPARE(strip->cards()->count(), 1); // the contract's file card
        screenshot(u"strip-search"_qs);

        // Escape steps back: first the search, then the strip, which returns the keyboard.
        QVERIFY(key(u"Escape"_qs));
        QVERIFY(QTest::qWaitFor([&] { return model.query().isEmpty(); }, 3000));
        QVERIFY(strip->isVisible());
        QVERIFY(key(u"Escape"_qs));
        QVERIFY(gone());
        QVERIFY(QTest::qWaitFor([&] { return focus.activeWindow() == terminal; }, 3000));
    }

    void arrowsMoveTheFocusAndScrollToIt()
    {
        openStrip();
        // One key at a time, each answered before the next.
        const auto step = [&](const QString &keys, int row) {
            return key(keys) &&
                   QTest::qWaitFor([&] { return strip->cards()->selectedRow() == row; }, 3000);
        };
        const int last = strip->cards()->count() - 1;
        for (int row = 1; row <= last; ++row)
            QVERIFY(step(u"Right"_qs, row));
        QCOMPARE(model.selectedID(), std::optional(demo.history.last().id));
        // The row scrolled so that the focused card is in view.
        auto *list = strip->panel()->rootObject()->findChild<QQuickItem *>(u"cardList"_qs);
        QVERIFY(list);
        QVERIFY(QTest::qWaitFor([&] { return list->property("contentX").toReal() > 0; }, 2000));
        for (int row = last - 1; row >= 0; --row)
            QVERIFY(step(u"Left"_qs, row));
        QVERIFY(QTest::qWaitFor([&] { return list->property("contentX").toReal() <= 0; }, 2000));
        QVERIFY(step(u"Right"_qs, 1));
        QVERIFY(key(u"shift+Right"_qs));
        QVERIFY(QTest::qWaitFor([&] { return model.selectedIDs().size() == 2; }, 3000));
        screenshot(u"strip-selection"_qs);
        strip->hide();
        QVERIFY(gone());
    }

    void filterAndTabsAndEmptyStates()
    {
        openStrip();
        model.setKindFilter(KindFilter::Image);
        QCOMPARE(strip->cards()->count(), 2); // the screenshot and the photo's file card
        screenshot(u"strip-filter-images"_qs);

        model.setKindFilter(std::nullopt);
        model.cycleTab(+1);
        QVERIFY(model.tab().isBoard());
        screenshot(u"strip-tab"_qs);

        model.setQuery(u"xyzzy"_qs);
        QCOMPARE(strip->cards()->count(), 0);
        screenshot(u"strip-empty-search"_qs);

        model.setQuery(QString());
        model.setData(demo.history,
                      demo.boards + QList<Board>{Board{u"E"_qs, u"Vazia"_qs, u"#F2994A"_qs, 2}},
                      demo.boardItems);
        model.showBoard(u"E"_qs);
        QCOMPARE(strip->cards()->count(), 0);
        screenshot(u"strip-empty-tab"_qs);

        model.showHistory();
        model.setData({}, {}, {});
        screenshot(u"strip-empty-history"_qs);
        model.setData(demo.history, demo.boards, demo.boardItems);
        strip->hide();
        QVERIFY(gone());
    }

    void tabChipMenuTakesTheKeys()
    {
        openStrip();
        const QString work = demo.boards.first().id;
        QQuickItem *chip = visualChild(strip->panel()->rootObject(), [&](QQuickItem *item) {
            return item->property("tabID").toString() == work && item->property("title").isValid();
        });
        QVERIFY(chip);
        const QPoint at =
            chip->mapToGlobal(QPointF(chip->width() / 2, chip->height() / 2)).toPoint();
        QVERIFY(SessionRunner::run(u"xdotool"_qs,
                                   {u"mousemove"_qs, QString::number(at.x()),
                                    QString::number(at.y()), u"click"_qs, u"3"_qs}) == 0);
        QVERIFY(QTest::qWaitFor([&] { return strip->chrome()->menuOpen(); }, 3000));
        screenshot(u"strip-tab-menu"_qs);
        // The menu's keys: arrows pick an entry and Return chooses it; nothing is pasted.
        QVERIFY(key(u"Down"_qs));
        QVERIFY(key(u"Return"_qs));
        QVERIFY(QTest::qWaitFor([&] { return model.boardEditor().has_value(); }, 3000));
        QCOMPARE(model.boardEditor()->boardIDText(), work);
        QVERIFY(!model.boardEditor()->confirmDelete);
        QVERIFY(!strip->chrome()->menuOpen());
        // Back to the strip's keys: Escape closes the editor, not the strip.
        QVERIFY(key(u"Escape"_qs));
        QVERIFY(QTest::qWaitFor([&] { return !model.hasOverlay(); }, 3000));
        QVERIFY(strip->isVisible());
        strip->hide();
        QVERIFY(gone());
    }

    void editorsTakeTheKeyboard()
    {
        RecordingActions actions;
        model.setActions(&actions);
        openStrip();
        const ClipItem first = demo.history.first();
        const auto overlayShown = [&] {
            return QTest::qWaitFor(
                [&] {
                    return visualChild(strip->panel()->rootObject(), [](QQuickItem *item) {
                        return item->property("renaming").isValid() ||
                               item->property("editor").isValid();
                    });
                },
                3000);
        };

        // The card's text: typed at its end; Return breaks the line; ⌘Return saves.
        QVERIFY(key(u"ctrl+e"_qs));
        QVERIFY(QTest::qWaitFor([&] { return model.editing().has_value(); }, 3000));
        QVERIFY(overlayShown());
        QVERIFY(type(u" Sala 4."_qs));
        QVERIFY(key(u"Return"_qs));
        QVERIFY(type(u"Fim"_qs));
        QVERIFY(QTest::qWaitFor([&] { return model.editing()->text.endsWith(u"Fim"_qs); }, 3000));
        screenshot(u"strip-edit-card"_qs);
        QVERIFY(key(u"ctrl+Return"_qs));
        QVERIFY(QTest::qWaitFor([&] { return !model.hasOverlay(); }, 3000));
        QCOMPARE(actions.calls, QStringList{u"save "_qs + first.id + u" ["_qs + first.title +
                                            u" Sala 4.\nFim]"_qs});

        // A name: one line, Return saves.
        actions.calls.clear();
        QVERIFY(key(u"ctrl+r"_qs));
        QVERIFY(QTest::qWaitFor([&] { return model.editing().has_value(); }, 3000));
        QVERIFY(type(u"Pauta"_qs));
        QVERIFY(key(u"Return"_qs));
        QVERIFY(QTest::qWaitFor([&] { return !model.hasOverlay(); }, 3000));
        QCOMPARE(actions.calls, QStringList{u"rename "_qs + first.id + u" to [Pauta]"_qs});

        // A new tab: nothing can be created without a name; Escape leaves without one.
        actions.calls.clear();
        QVERIFY(key(u"ctrl+t"_qs));
        QVERIFY(QTest::qWaitFor([&] { return model.boardEditor().has_value(); }, 3000));
        QVERIFY(key(u"Return"_qs));
        QVERIFY(model.boardEditor().has_value());
        QVERIFY(type(u"Viagem"_qs));
        screenshot(u"strip-new-tab"_qs);
        QVERIFY(key(u"Return"_qs));
        QVERIFY(QTest::qWaitFor([&] { return !model.hasOverlay(); }, 3000));
        QCOMPARE(actions.calls, QStringList{u"create [Viagem] #4CBF8A with "_qs.replace(
                                    u"#4CBF8A"_qs, TabPalette::colorFor(demo.boards.size()))});
        QVERIFY(key(u"ctrl+e"_qs));
        QVERIFY(QTest::qWaitFor([&] { return model.hasOverlay(); }, 3000));
        QVERIFY(key(u"Escape"_qs));
        QVERIFY(QTest::qWaitFor([&] { return !model.hasOverlay(); }, 3000));
        QVERIFY(strip->isVisible());
        QCOMPARE(actions.calls.size(), 1);

        strip->hide();
        QVERIFY(gone());
        model.setActions(nullptr);
    }

    void clickingAnotherWindowClosesTheStrip()
    {
        openStrip();
        QSignalSpy hidden(strip.get(), &StripController::hidden);
        QVERIFY(SessionRunner::run(u"xdotool"_qs, {u"mousemove"_qs, u"400"_qs, u"200"_qs,
                                                   u"click"_qs, u"1"_qs}) == 0);
        QVERIFY(gone());
        QCOMPARE(hidden.count(), 1);
        QCOMPARE(focus.activeWindow(), std::optional<WindowId>(terminal));
    }

    void showingWhileSlidingOutTurnsAround()
    {
        openStrip();
        bool completed = false;
        strip->hide([&] { completed = true; });
        QTest::qWait(60); // mid-slide
        QVERIFY(strip->isHiding());
        strip->toggle();
        QVERIFY(!strip->isHiding());
        QVERIFY(completed); // the interrupted hide still finishes its work
        QVERIFY(shown());
        QTest::qWait(400); // nothing of the old slide arrives late
        QVERIFY(strip->isVisible());
        QVERIFY(strip->panel()->isActive());
        strip->toggle();
        QVERIFY(gone());
    }

    void reopeningRightAfterClosingStaysOpen()
    {
        // X11 reports the end of the previous showing late; it must not close the new one.
        for (int i = 0; i < 3; ++i) {
            openStrip();
            strip->hide();
            QVERIFY(gone());
            strip->show();
            QVERIFY(shown());
            QTest::qWait(StripController::kFocusLossMs + 300);
            QVERIFY(strip->isVisible());
            QVERIFY(!strip->isHiding());
            strip->hide();
            QVERIFY(gone());
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
        QVERIFY(QTest::qWaitFor([] { return DesktopCompositor::isRunning(); }, 5000));
        openStrip();
        QVERIFY(strip->chrome()->translucent());
        QVERIFY(strip->panel()->mask().isEmpty());
        screenshot(u"strip-translucent"_qs);
        strip->hide();
        QVERIFY(gone());

        compositor->kill();
        compositor->waitForFinished(3000);
        QVERIFY(QTest::qWaitFor([] { return !DesktopCompositor::isRunning(); }, 5000));
        openStrip();
        QVERIFY(!strip->chrome()->translucent());
        strip->hide();
        QVERIFY(gone());
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
