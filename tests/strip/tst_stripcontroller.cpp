// The strip controller with its real window and views (offscreen): the whole key table driven
// by key events sent to the window, typing that reaches the search field, Escape stepping
// back, and hiding with its completions.

#include "StripFixtures.h"
#include "capture/ImageCache.h"
#include "paste/PasteTarget.h"
#include "platform/fake/FakeDesktop.h"
#include "strip/ui/CardListModel.h"
#include "strip/ui/StripController.h"
#include "strip/ui/StripPanel.h"
#include "strip/ui/StripPreview.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QQmlEngine>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

struct FakePreview : StripPreview
{
    std::optional<QString> current;

    bool isVisible() const override { return current.has_value(); }
    std::optional<QString> itemID() const override { return current; }
    bool show(const ClipItem &item, const QList<Representation> &, const QRect &,
              QScreen *) override
    {
        current = item.id;
        return true;
    }
    void hide() override { current.reset(); }
};

constexpr WindowId kUserWindow = 7;

} // namespace

class TestStripController : public QObject
{
    Q_OBJECT

    RecordingActions actions;
    StripModel model;
    ImageCache images;
    FakeDesktop desktop;
    FakeWindowFocus &focus = desktop.focus;
    PasteTarget target{focus};
    FakePreview preview;
    std::unique_ptr<StripController> strip;
    // Whatever the views report (a failed binding, a component that cannot load) is a fault.
    std::unique_ptr<QSignalSpy> qmlWarnings;

    QWindow *window() const { return strip->panel(); }
    QString focused() const { return model.selectedID().value_or(u"-"_qs); }

    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(window(), Qt::Key(key), mods);
    }
    // The slides take no time here but still end from the event loop: run it until `done`.
    static bool runUntil(const std::function<bool()> &done)
    {
        for (int turn = 0; turn < 20 && !done(); ++turn)
            QCoreApplication::processEvents();
        return done();
    }
    bool settled()
    {
        return runUntil([&] {
            const QRect frame =
                StripController::targetFrame(window()->screen()->availableGeometry());
            return strip->isVisible() && !strip->isHiding() &&
                   window()->position() == frame.topLeft();
        });
    }
    bool gone()
    {
        return runUntil([&] { return !strip->isVisible() && !strip->isHiding(); });
    }

private Q_SLOTS:
    void initTestCase()
    {
        model.setActions(&actions);
        focus.addWindow(kUserWindow, {u"gedit"_qs, u"Gedit"_qs});
        strip = std::make_unique<StripController>(model, &target, images, desktop);
        strip->setTiming({0, 0, 0});
        strip->setPreview(&preview);
        QVERIFY(strip->panel()->isLoaded());
        qmlWarnings = std::make_unique<QSignalSpy>(strip->panel()->engine(), &QQmlEngine::warnings);
        // The desktop's window flags only count when set before the window exists.
        QCOMPARE(desktop.preparedWindows, QList<QWindow *>{strip->panel()});
        QVERIFY(!desktop.preparedTooLate);
    }

    void init()
    {
        QList<ClipItem> list = cards(u"ABCDEFGHIJK"_qs);
        list[1].kind = ClipKind::Image; // B cannot be edited as text
        model.setData(list, {userTab(u"T1"_qs), userTab(u"T2"_qs)}, {{u"T1"_qs, cards(u"CD"_qs)}});
        model.showHistory();
        actions.calls.clear();
        preview.hide();
        focus.setActive(kUserWindow);
        strip->show();
        QVERIFY(settled());
    }

    void cleanup()
    {
        if (strip->isVisible() || strip->isHiding()) {
            strip->hide();
            QVERIFY(gone());
        }
        QVERIFY(qmlWarnings->isEmpty()); // the engine prints them too
    }

    void showing()
    {
        // Shown again while it has the keyboard itself, the strip keeps the user's window.
        focus.setActive(WindowId(window()->winId()));
        strip->show();
        QVERIFY(settled());
        QCOMPARE(target.remembered(), std::optional<WindowId>(kUserWindow));
        // A fresh start each showing, on the tab it was left on.
        model.setQuery(u"b"_qs);
        model.showTab(u"T1"_qs);
        strip->hide();
        QVERIFY(gone());
        strip->show();
        QVERIFY(settled());
        QCOMPARE(model.query(), QString());
        QCOMPARE(focused(), u"C"_qs);
    }

    // The strip's keys, pressed on its window with `query` in the search field beforehand.
    // The outcome lists what reached the shell, then the focus and whatever else is not as
    // the strip opened: the multi-selection, the tab, an editor, the search, the preview.
    void keyTable_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char *name, const QString &query, const QString &keys,
                            const QString &outcome) {
            QTest::newRow(name) << query << keys << outcome;
        };
        row("paste", {}, u"Return, Shift+Num+Enter"_qs, u"paste A; paste A plain; focus A"_qs);
        row("arrows", {}, u"Right, Down, Left"_qs, u"focus B"_qs);
        row("shift widens and narrows", {}, u"Right, Shift+Down, Shift+Right, Shift+Up"_qs,
            u"focus C; sel B,C"_qs);
        row("tab", {}, u"Tab"_qs, u"focus C; tab T1"_qs);
        row("quick paste", {}, u"Ctrl+1, Meta+3, Ctrl+9, Ctrl+Shift+2"_qs,
            u"paste A; paste C; paste I; paste B plain; focus A"_qs);
        row("a bare digit is typed", {}, u"2"_qs, u"focus -; search '2'"_qs);
        row("quick paste counts visible cards", u"k"_qs, u"Ctrl+2, Ctrl+1"_qs,
            u"paste K; focus K; search 'k'"_qs);
        row("copy, select all", {}, u"Ctrl+C, Meta+A, Meta+C"_qs,
            u"copy A; copy A,B,C,D,E,F,G,H,I,J,K; focus A; sel A,B,C,D,E,F,G,H,I,J,K"_qs);
        row("new tab", {}, u"Ctrl+T"_qs, u"focus A; new tab"_qs);
        row("edit", {}, u"Meta+E"_qs, u"focus A; edit"_qs);
        row("an image has no text to edit", {}, u"Right, Ctrl+E"_qs, u"focus B"_qs);
        row("an editor keeps the keys", {}, u"Ctrl+E, Return, Ctrl+1, Right, Meta+A"_qs,
            u"focus A; edit"_qs);
        row("and saves with Ctrl+Return", {}, u"Ctrl+R, Ctrl+Return"_qs,
            u"rename A to []; focus A"_qs);
        row("delete", {}, u"Ctrl+Backspace"_qs, u"delete A from history; focus B"_qs);
        // With a search, text keys are the field's: deleting cards takes Super.
        row("Space, copy, select all in the search", u"ab"_qs, u"Space, Ctrl+C, Ctrl+A"_qs,
            u"focus -; search 'ab '"_qs);
        row("Ctrl+Backspace edits the search", u"a b"_qs, u"Ctrl+Backspace, Backspace"_qs,
            u"focus A; search 'a'"_qs);
        row("Super deletes", u"c"_qs, u"Meta+Backspace"_qs,
            u"delete C from history; focus -; search 'c'"_qs);
    }
    void keyTable()
    {
        QFETCH(QString, query);
        QFETCH(QString, keys);
        model.setQuery(query);
        for (const QString &name : keys.split(u", "_qs)) {
            const QKeyCombination key = QKeySequence::fromString(name)[0];
            QVERIFY2(key.key() != Qt::Key_unknown, qPrintable(name));
            QTest::keyClick(window(), key.key(), key.keyboardModifiers());
        }
        QStringList outcome = actions.calls;
        outcome << u"focus "_qs + focused();
        if (model.selectedIDs().size() > 1)
            outcome << u"sel "_qs + ids(model.selectedIDs());
        if (model.tab().isUserTab())
            outcome << u"tab "_qs + model.tab().tabID();
        if (model.tabEditor())
            outcome << u"new tab"_qs;
        if (model.editing())
            outcome << (model.editing()->mode == EditState::Mode::Rename ? u"rename"_qs
                                                                         : u"edit"_qs);
        if (!model.query().isEmpty())
            outcome << u"search '"_qs + model.query() + u"'"_qs;
        if (preview.isVisible())
            outcome << u"preview"_qs;
        QTEST(outcome.join(u"; "_qs), "outcome");
    }

    void escapeStepsBack()
    {
        model.setKindFilter(KindFilter::Text);
        model.setQuery(u"  "_qs); // only spaces: every card stays, yet there is a search
        model.selectAll();
        model.togglePreview();
        QVERIFY(preview.isVisible() && model.selectedIDs().size() > 1);

        // Preview, selection, search, filter: one step each.
        for (int step = 0; step < 4; ++step)
            press(Qt::Key_Escape);
        QVERIFY(!preview.isVisible() && model.selectedIDs().size() == 1);
        QVERIFY(model.query().isEmpty() && !model.kindFilter() && strip->isVisible());

        focus.setActive(99); // the strip's own window has the keyboard
        QSignalSpy hidden(strip.get(), &StripController::hidden);
        // Delivered without a turn of the event loop, which would end the zero-length slide.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(window(), &escape);
        QVERIFY(strip->isHiding());
        QVERIFY(gone());
        QCOMPARE(hidden.count(), 1);
        // Closed without a paste, the strip gives the keyboard back itself.
        QCOMPARE(focus.activeWindow(), std::optional<WindowId>(kUserWindow));
    }

    void hidingAndCompletions()
    {
        QStringList log;
        strip->hide([&] { log << u"first"_qs; });
        QVERIFY(strip->isHiding());
        // Keys are not the strip's while it slides out.
        press(Qt::Key_Return);
        QVERIFY(actions.calls.isEmpty());
        QVERIFY(gone());
        QCOMPARE(log, QStringList{u"first"_qs});
        strip->hide([&] { log << u"hidden already"_qs; });
        QCOMPARE(log.last(), u"hidden already"_qs);
    }
};

QTEST_MAIN(TestStripController)
#include "tst_stripcontroller.moc"
