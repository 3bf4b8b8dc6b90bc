// The strip controller with its real window and views (offscreen): the whole key table driven
// by key events sent to the window, typing that reaches the search field, the quick preview
// in step with the focus, and hiding with its completions. Position, focus and the show
// during a slide-out on a real display are in the end-to-end test.

#include "StripFixtures.h"
#include "capture/ImageCache.h"
#include "capture/PasteTarget.h"
#include "platform/fake/FakeWindowFocus.h"
#include "strip/CardListModel.h"
#include "strip/StripController.h"
#include "strip/StripPanel.h"
#include "strip/StripPreview.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

struct FakePreview : StripPreview
{
    QStringList shown; // ids, in order
    bool refuse = false;
    std::optional<QString> current;

    bool isVisible() const override { return current.has_value(); }
    std::optional<QString> itemID() const override { return current; }
    bool show(const ClipItem &item, const QList<Representation> &, const QRect &,
              QScreen *) override
    {
        if (!refuse)
            shown << *(current = item.id);
        return !refuse;
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
    FakeWindowFocus focus;
    PasteTarget target{focus};
    FakePreview preview;
    std::unique_ptr<StripController> strip;

    QWindow *window() const { return strip->panel(); }
    QString focused() const { return model.selectedID().value_or(u"-"_qs); }

    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(window(), Qt::Key(key), mods);
    }
    // A press as the X server reports it, with the key's code.
    bool pressRaw(int key, Qt::KeyboardModifiers mods, quint32 scanCode, const QString &text)
    {
        QKeyEvent event(QEvent::KeyPress, key, mods, scanCode, 0, 0, text);
        QCoreApplication::sendEvent(window(), &event);
        return event.isAccepted();
    }
    bool settled()
    {
        return QTest::qWaitFor([&] {
            const QRect frame =
                StripController::targetFrame(window()->screen()->availableGeometry());
            return strip->isVisible() && !strip->isHiding() &&
                   window()->position() == frame.topLeft();
        });
    }
    bool gone()
    {
        return QTest::qWaitFor([&] { return !strip->isVisible() && !strip->isHiding(); });
    }

private Q_SLOTS:
    void initTestCase()
    {
        model.setActions(&actions);
        focus.addWindow(kUserWindow, {u"gedit"_qs, u"Gedit"_qs});
        strip = std::make_unique<StripController>(model, &target, images);
        strip->setPreview(&preview);
        QVERIFY(strip->panel()->isLoaded());
    }

    void init()
    {
        QList<ClipItem> list = cards(u"ABCDEFGHIJK"_qs);
        list[1].kind = ClipKind::Image; // B cannot be edited as text
        model.setData(list, {board(u"T1"_qs), board(u"T2"_qs)}, {{u"T1"_qs, cards(u"CD"_qs)}});
        model.showHistory();
        actions.calls.clear();
        preview.hide();
        preview.shown.clear();
        preview.refuse = false;
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
    }

    void showing()
    {
        // On a second screen the strip stays within that screen's available area.
        QCOMPARE(StripController::targetFrame(QRect(1920, 30, 1280, 994)),
                 QRect(1930, 30 + 994 - 358, 1260, 348));
        QCOMPARE(target.remembered(), std::optional<WindowId>(kUserWindow));
        // Shown again while it has the keyboard itself, the strip keeps the user's window.
        focus.setActive(WindowId(window()->winId()));
        strip->show();
        QVERIFY(settled());
        QCOMPARE(target.remembered(), std::optional<WindowId>(kUserWindow));
        // A fresh start each showing, on the tab it was left on.
        model.setQuery(u"b"_qs);
        model.setKindFilter(KindFilter::Text);
        model.showBoard(u"T1"_qs);
        strip->hide();
        QVERIFY(gone());
        strip->show();
        QVERIFY(settled());
        QCOMPARE(model.query(), QString());
        QVERIFY(!model.kindFilter());
        QCOMPARE(model.tab(), Tab::board(u"T1"_qs));
        QCOMPARE(focused(), u"C"_qs);
    }

    void pasteAndMoveKeys()
    {
        press(Qt::Key_Return);
        press(Qt::Key_Enter, Qt::KeypadModifier | Qt::ShiftModifier);
        QCOMPARE(actions.calls, (QStringList{u"paste A"_qs, u"paste A plain"_qs}));
        press(Qt::Key_Right);
        press(Qt::Key_Down);
        QCOMPARE(focused(), u"C"_qs);
        press(Qt::Key_Left);
        QCOMPARE(focused(), u"B"_qs);
        press(Qt::Key_Down, Qt::ShiftModifier);
        press(Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(ids(model.selectedIDs()), u"B,C,D"_qs);
        press(Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(ids(model.selectedIDs()), u"B,C"_qs);
        press(Qt::Key_Up);
        QCOMPARE(ids(model.selectedIDs()), u"B"_qs);

        press(Qt::Key_Tab);
        QCOMPARE(model.tab(), Tab::board(u"T1"_qs));
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(model.tab(), Tab::board(u"T2"_qs));
        press(Qt::Key_Tab);
        QVERIFY(model.tab().isHistory());
    }

    void quickPasteNumbers()
    {
        press(Qt::Key_1, Qt::ControlModifier);
        press(Qt::Key_3, Qt::MetaModifier);
        press(Qt::Key_9, Qt::ControlModifier);
        press(Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);
        // ⇧⌘2 on a US layout types "@": the key's code says which digit it is.
        QVERIFY(pressRaw(Qt::Key_At, Qt::ShiftModifier | Qt::MetaModifier, 11, u"@"_qs));
        QCOMPARE(actions.calls, (QStringList{u"paste A"_qs, u"paste C"_qs, u"paste I"_qs,
                                             u"paste B plain"_qs, u"paste B plain"_qs}));
        actions.calls.clear();
        // ⌘0, a digit without ⌘, and a position past the visible cards do nothing.
        press(Qt::Key_0, Qt::ControlModifier);
        press(Qt::Key_2);
        model.setQuery(u"k"_qs);
        press(Qt::Key_2, Qt::ControlModifier);
        QVERIFY(actions.calls.isEmpty());
        press(Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(actions.calls, QStringList{u"paste K"_qs});
    }

    void commandLetters()
    {
        const int token = model.focusToken();
        press(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(model.focusToken(), token + 1);

        press(Qt::Key_C, Qt::ControlModifier);
        press(Qt::Key_A, Qt::MetaModifier);
        QCOMPARE(model.selectedIDs().size(), 11);
        press(Qt::Key_C, Qt::MetaModifier);
        QCOMPARE(actions.calls, (QStringList{u"copy A"_qs, u"copy A,B,C,D,E,F,G,H,I,J,K"_qs}));
        actions.calls.clear();

        // Escape collapses the multi-selection to its focus first.
        press(Qt::Key_Escape);
        QCOMPARE(ids(model.selectedIDs()), u"A"_qs);
        QVERIFY(strip->isVisible());

        press(Qt::Key_T, Qt::ControlModifier);
        QVERIFY(model.boardEditor() && model.boardEditor()->isNew());
        press(Qt::Key_Escape);
        QVERIFY(!model.hasOverlay());
        QVERIFY(strip->isVisible());

        press(Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(model.editing()->mode, EditState::Mode::Rename);
        press(Qt::Key_Escape);
        press(Qt::Key_Right);
        press(Qt::Key_E, Qt::ControlModifier); // an image card has no text to edit
        QVERIFY(!model.hasOverlay());
        press(Qt::Key_Left);
        press(Qt::Key_E, Qt::MetaModifier);
        QCOMPARE(model.editing()->mode, EditState::Mode::Text);

        // While an overlay is open only Escape and ⌘Return are the strip's.
        press(Qt::Key_Return);
        press(Qt::Key_1, Qt::ControlModifier);
        press(Qt::Key_Right);
        QVERIFY(actions.calls.isEmpty());
        QCOMPARE(focused(), u"A"_qs);
        model.setEditingText(u"novo texto"_qs);
        press(Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(!model.hasOverlay());
        QCOMPARE(actions.calls, QStringList{u"save A [novo texto]"_qs});
    }

    void typingReachesTheSearch()
    {
        QTest::keyClick(window(), 'a');
        QTest::keyClick(window(), 'b');
        QCOMPARE(model.query(), u"ab"_qs);
        // With a search, Space types a space and the text commands are the field's own.
        press(Qt::Key_Space);
        QCOMPARE(model.query(), u"ab "_qs);
        QVERIFY(preview.shown.isEmpty());
        press(Qt::Key_C, Qt::ControlModifier);
        press(Qt::Key_A, Qt::ControlModifier);
        QVERIFY(actions.calls.isEmpty());
        // Ctrl+Backspace edits the search; it never deletes cards while there is text.
        press(Qt::Key_Backspace, Qt::ControlModifier);
        QVERIFY(actions.calls.isEmpty());
        model.setQuery(u"a"_qs);
        press(Qt::Key_Backspace);
        QCOMPARE(model.query(), QString());
        QVERIFY(actions.calls.isEmpty());

        // Without a search text, ⌘Backspace deletes the selection and moves the focus on.
        press(Qt::Key_Backspace, Qt::ControlModifier);
        QCOMPARE(actions.calls, QStringList{u"delete A from history"_qs});
        QCOMPARE(focused(), u"B"_qs);
        model.setQuery(u"c"_qs);
        press(Qt::Key_Backspace, Qt::MetaModifier); // Super always means the cards
        QCOMPARE(actions.calls.size(), 2);
    }

    void escapeStepsBack()
    {
        model.setKindFilter(KindFilter::Text);
        model.setQuery(u"  "_qs); // only spaces: every card stays, yet there is a search
        model.selectAll();
        model.togglePreview();
        QVERIFY(preview.isVisible() && model.selectedIDs().size() > 1);

        press(Qt::Key_Escape);
        QVERIFY(!preview.isVisible());
        QVERIFY(model.selectedIDs().size() > 1);
        press(Qt::Key_Escape);
        QCOMPARE(model.selectedIDs().size(), 1);
        press(Qt::Key_Escape);
        QCOMPARE(model.query(), QString());
        QVERIFY(model.kindFilter());
        press(Qt::Key_Escape);
        QVERIFY(!model.kindFilter());
        QVERIFY(strip->isVisible());

        focus.setActive(99); // the strip's own window has the keyboard
        QSignalSpy hidden(strip.get(), &StripController::hidden);
        press(Qt::Key_Escape);
        QVERIFY(strip->isHiding());
        QVERIFY(gone());
        QCOMPARE(hidden.count(), 1);
        // Closed without a paste, the strip gives the keyboard back itself.
        QCOMPARE(focus.activeWindow(), std::optional<WindowId>(kUserWindow));
    }

    void previewFollowsTheFocus()
    {
        actions.stored = {Representation{0, u"public.utf8-plain-text"_qs, "a"}};
        press(Qt::Key_Space);
        QCOMPARE(preview.shown, QStringList{u"A"_qs});
        press(Qt::Key_Right);
        QTRY_COMPARE(preview.shown, (QStringList{u"A"_qs, u"B"_qs}));
        model.togglePreview();
        QVERIFY(!preview.isVisible());
        press(Qt::Key_Right);
        QTest::qWait(20);
        QCOMPARE(preview.shown.size(), 2); // closed, it stays closed
        // Space with ⌘ is not the preview.
        press(Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(!preview.isVisible());
        // Nothing to preview: the panel stays hidden.
        preview.refuse = true;
        press(Qt::Key_Space);
        QVERIFY(!preview.isVisible());
        preview.refuse = false;
        press(Qt::Key_Space);
        QVERIFY(preview.isVisible());
        // Hiding the strip hides the preview.
        strip->hide();
        QVERIFY(!preview.isVisible());
    }

    void hidingAndCompletions()
    {
        QStringList log;
        strip->hide([&] { log << u"first"_qs; });
        QVERIFY(strip->isHiding());
        // Keys are not the strip's while it slides out.
        press(Qt::Key_Return);
        QVERIFY(actions.calls.isEmpty());
        // A second hide does not wait for the first.
        strip->hide([&] { log << u"second"_qs; });
        QCOMPARE(log, QStringList{u"second"_qs});
        QVERIFY(gone());
        QCOMPARE(log, (QStringList{u"second"_qs, u"first"_qs}));
        strip->hide([&] { log << u"hidden already"_qs; });
        QCOMPARE(log.last(), u"hidden already"_qs);

        // The hotkey while hidden shows; while shown, hides.
        strip->toggle();
        QVERIFY(settled());
        strip->toggle();
        QVERIFY(strip->isHiding());
        QVERIFY(gone());
    }
};

QTEST_MAIN(TestStripController)
#include "tst_stripcontroller.moc"
