// Cards under the real mouse on a real X11 desktop (Xvfb and Openbox): dragged into other
// programs' windows through XDND, dragged onto a tab chip, banded from card to card, and
// double-clicked away from the middle of the row. With VARU_SCREENSHOTS=<folder> it also saves
// a drag over a tab chip and a band.

#include "SessionRunner.h"
#include "StripDemo.h"
#include "StripDriving.h"
#include "StripFixtures.h"
#include "capture/ImageCache.h"
#include "platform/x11/X11Desktop.h"
#include "strip/ui/CardListModel.h"
#include "strip/ui/StripController.h"
#include "strip/ui/StripPanel.h"

#include <QFile>
#include <QGuiApplication>
#include <QQuickItem>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace StripDriving;

// Answers each card's content as the store would.
class DemoActions : public RecordingActions
{
public:
    QHash<QString, QList<Representation>> reps;
    QList<Representation> representations(const ClipItem &item) override
    {
        return reps.value(item.id);
    }
};

class E2eCards : public QObject
{
    Q_OBJECT

    QTemporaryDir files;
    X11Desktop desktop;
    ImageCache images;
    StripModel model;
    DemoActions actions;
    std::unique_ptr<StripController> strip;
    StripDemo::History demo;

    static QString read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    static QString n(qreal v) { return QString::number(qRound(v)); }

    void openStrip()
    {
        actions.calls.clear();
        strip->show();
        QVERIFY(until([&] { return strip->panel()->isActive(); }, 5000));
        const QRect frame =
            StripController::targetFrame(strip->panel()->screen()->availableGeometry());
        QVERIFY(until([&] { return strip->panel()->position() == frame.topLeft(); }));
        QTest::qWait(300); // the cards' springs settle
    }
    void closeStrip()
    {
        strip->hide();
        QVERIFY(until([&] { return !strip->isVisible() && !strip->isHiding(); }));
    }
    QQuickItem *cardArea(int row)
    {
        return visualChild(strip->panel()->rootObject(), [&](QQuickItem *item) {
            return item->property("cardID").toString() == demo.history.at(row).id &&
                   item->property("interaction").isValid();
        });
    }
    QPoint centreOf(QQuickItem *item)
    {
        return item ? item->mapToGlobal(QPointF(item->width(), item->height()) / 2).toPoint()
                    : QPoint();
    }
    // A program's window, moved to `at`.
    QPoint place(const QString &title, QPoint at)
    {
        QStringList ids;
        if (!until([&] { return !(ids = SessionRunner::windowsNamed(u'^' + title + u'$')).isEmpty(); },
                   10000))
            return {};
        xdotool({u"windowmove"_qs, ids.first(), n(at.x()), n(at.y())});
        QTest::qWait(300);
        return at + QPoint(200, 100);
    }
    // Presses at `from`, moves up first (so it is a drag of cards, not a band), glides to
    // `to` in steps, waits there (screenshot taken, when asked) and lets go. One shell runs
    // it all: the drag keeps this process in its own event loop until the drop.
    bool dragAndDrop(QPoint from, QPoint to, const QString &shot = {})
    {
        QStringList moves{u"mousemove"_qs, n(from.x()), n(from.y()), u"mousedown"_qs, u"1"_qs};
        for (int i = 1; i <= 12; ++i) {
            const QPointF p = i == 1 ? QPointF(from) - QPointF(0, 12)
                                     : QPointF(from) + (QPointF(to - from) * i / 12.0);
            moves << u"sleep"_qs << u"0.06"_qs << u"mousemove"_qs << n(p.x()) << n(p.y());
        }
        moves << u"sleep"_qs << u"0.4"_qs;
        QString script = u"xdotool "_qs + moves.join(u' ');
        const QString folder = qEnvironmentVariable("VARU_SCREENSHOTS");
        if (!shot.isEmpty() && !folder.isEmpty()) {
            const QRect r = strip->panel()->geometry().adjusted(-40, -50, 40, 10);
            script += u" && import -window root -crop %1x%2+%3+%4 +repage '%5/%6.png'"_qs
                          .arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y())
                          .arg(folder, shot);
        }
        script += u" ; xdotool mousemove "_qs + n(to.x()) + u' ' + n(to.y() + 1) +
                  u" sleep 0.2 mouseup 1"_qs;
        return SessionRunner::run(u"sh"_qs, {u"-c"_qs, script}, nullptr, 30000) == 0;
    }
    void screenshot(const QString &name)
    {
        const QString folder = qEnvironmentVariable("VARU_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QTest::qWait(300);
        const QRect r = strip->panel()->geometry().adjusted(-40, -50, 40, 10);
        QVERIFY(SessionRunner::run(u"import"_qs,
                                   {u"-window"_qs, u"root"_qs, u"-crop"_qs,
                                    u"%1x%2+%3+%4"_qs.arg(r.width()).arg(r.height())
                                        .arg(r.x()).arg(r.y()),
                                    u"+repage"_qs, folder + u'/' + name + u".png"_qs}) == 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        demo = StripDemo::make(files.filePath(u"home"_qs),
                               QDateTime::currentMSecsSinceEpoch() / 1000.0);
        actions.reps = demo.reps;
        model.setData(demo.history, demo.tabs, demo.tabItems);
        model.setActions(&actions);
        strip = std::make_unique<StripController>(model, nullptr, images, desktop);
        QVERIFY(strip->panel()->isLoaded());
    }

    void cardsDragIntoOtherPrograms()
    {
        // A text card into a Qt text field: its text is inserted.
        const QString typed = files.filePath(u"typed.txt"_qs);
        SessionRunner::start(QStringLiteral(VARU_PASTE_PROBE), {u"Text Field"_qs, typed});
        const QPoint field = place(u"Text Field"_qs, {200, 100});
        // A drop target that writes down every type a drag offers.
        const QString offered = files.filePath(u"offered.txt"_qs);
        SessionRunner::start(QStringLiteral(VARU_DROP_PROBE), {u"Drop Probe"_qs, offered});
        const QPoint probe = place(u"Drop Probe"_qs, {900, 100});
        QVERIFY(!field.isNull() && !probe.isNull());

        openStrip();
        QVERIFY(dragAndDrop(centreOf(cardArea(0)), field));
        QVERIFY2(until([&] { return read(typed) == demo.history.at(0).title; }, 5000),
                 qPrintable(read(typed) + u" | "_qs + read(offered)));

        // A file card: the file's URI.
        const int photo = 5;
        QCOMPARE(demo.history.at(photo).kind, ClipKind::File);
        QVERIFY(dragAndDrop(centreOf(cardArea(photo)), probe));
        QVERIFY(until([&] { return !read(offered).isEmpty(); }, 5000));
        const QString uri = QString::fromUtf8(
            QUrl::fromLocalFile(demo.history.at(photo).filePaths().first()).toEncoded());
        QVERIFY2(read(offered).contains(u"text/uri-list\t"_qs + uri), qPrintable(read(offered)));
        QVERIFY(read(offered).contains(QLatin1String("application/x-varu-item")));
        QVERIFY(actions.calls.isEmpty()); // a drag out changes nothing in the strip
        closeStrip();
    }

    void twoCardsDroppedOnATabChipArePinned()
    {
        openStrip();
        const QList<ClipItem> &h = demo.history;
        model.selectOnly(h.at(0).id);
        model.toggleSelection(h.at(2).id);
        const QString work = demo.tabs.first().id;
        QQuickItem *chip = visualChild(strip->panel()->rootObject(), [&](QQuickItem *item) {
            return item->property("tabID").toString() == work && item->property("title").isValid();
        });
        QVERIFY(chip);
        QVERIFY(dragAndDrop(centreOf(cardArea(2)), centreOf(chip), u"strip-drag-to-tab"_qs));
        QVERIFY(until([&] { return actions.calls.size() == 2; }, 5000));
        // The pressed card first, then the rest of the selection.
        QCOMPARE(actions.calls, (QStringList{u"add "_qs + h.at(2).id + u" to "_qs + work,
                                             u"add "_qs + h.at(0).id + u" to "_qs + work}));
        QVERIFY(!model.dropTarget());
        closeStrip();
    }

    void bandFromCardToCardSelectsThem()
    {
        openStrip();
        const QPoint from = centreOf(cardArea(0));
        const QPoint to = centreOf(cardArea(2));
        QStringList moves{u"mousemove"_qs, n(from.x()), n(from.y()), u"mousedown"_qs, u"1"_qs};
        for (int i = 1; i <= 10; ++i)
            moves << u"sleep"_qs << u"0.03"_qs << u"mousemove"_qs
                  << n(from.x() + (to.x() - from.x()) * i / 10) << n(from.y() + 6 * i);
        QVERIFY(xdotool(moves));
        const QList<ClipItem> &h = demo.history;
        QVERIFY(until([&] { return model.selectedIDs().size() == 3; }));
        screenshot(u"strip-band"_qs);
        QVERIFY(xdotool({u"mouseup"_qs, u"1"_qs}));
        QCOMPARE(model.selectedIDs(), (QSet<QString>{h.at(0).id, h.at(1).id, h.at(2).id}));
        closeStrip();
    }

    void doubleClickPastesTheCardItHits()
    {
        // The row scrolled to its end; a card left of the middle is double-clicked. The first
        // click must not slide the row, or the second lands on a neighbour.
        openStrip();
        const QList<ClipItem> &h = demo.history;
        model.selectOnly(h.last().id);
        QTest::qWait(400);
        for (int row = 4; row <= 6; ++row) {
            actions.calls.clear();
            QQuickItem *area = cardArea(row);
            QVERIFY(area);
            const QPoint at = centreOf(area);
            QVERIFY(xdotool({u"mousemove"_qs, n(at.x()), n(at.y()), u"click"_qs, u"--repeat"_qs,
                             u"2"_qs, u"--delay"_qs, u"120"_qs, u"1"_qs}));
            QVERIFY(until([&] { return !actions.calls.isEmpty(); }));
            QCOMPARE(actions.calls, QStringList{u"paste "_qs + h.at(row).id});
            QTest::qWait(600); // a clipped card slides into view once no second click can come
        }
        closeStrip();
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
        E2eCards test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_e2e_cards.moc"
