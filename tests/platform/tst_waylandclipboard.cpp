// The Wayland clipboard's logic without a compositor: which of an owner's MIME names are read,
// what a write offers and reads back, how a snapshot reaches the change handler, and the
// keymap the virtual keyboard types with.

#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandOffers.h"
#include "platform/wayland/WaylandPipes.h"
#include "platform/wayland/XkbLayout.h"

#include <QPointer>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using WaylandOffers::Read;

namespace {

const QString kText = QStringLiteral("public.utf8-plain-text");
const QString kHtml = QStringLiteral("public.html");
const QString kFile = QStringLiteral("public.file-url");

} // namespace

class TestWaylandClipboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachTypeIsReadOnceUnderItsBestName()
    {
        // wl-copy offers text under the X11 names too: one read, of the explicit UTF-8 name.
        QCOMPARE(WaylandOffers::plan({"TEXT", "STRING", "UTF8_STRING", "text/plain",
                                      "text/plain;charset=utf-8"}),
                 (QList<Read>{{kText, "text/plain;charset=utf-8"}}));
        // An old client with nothing but an X11 name still has its text read.
        QCOMPARE(WaylandOffers::plan({"TARGETS", "STRING"}), (QList<Read>{{kText, "STRING"}}));
        // One picture, not every conversion of it; files once, as the URI list.
        QCOMPARE(WaylandOffers::plan({"text/html", "image/bmp", "image/png", "image/jpeg",
                                      "x-special/gnome-copied-files", "text/uri-list"}),
                 (QList<Read>{{kHtml, "text/html"},
                              {"public.png", "image/png"},
                              {kFile, "text/uri-list"}}));
    }

    void concealedCopiesAreNotRead()
    {
        const QStringList offer{"text/plain;charset=utf-8", "x-kde-passwordManagerHint"};
        QVERIFY(WaylandOffers::plan(offer, {"x-kde-passwordManagerHint"}).isEmpty());
        QCOMPARE(WaylandOffers::plan(offer, {"org.nspasteboard.ConcealedType"}).size(), 2);
    }

    void writtenItemsReadBackAsWritten()
    {
        WaylandClipboard clipboard(nullptr);
        const qint64 before = clipboard.changeCount();
        const QList<ClipboardItem> items{
            ClipboardItem{{{kText, "olá"}, {kHtml, "<b>olá</b>"}, {kFile, "file:///tmp/um"}}},
            ClipboardItem{{{kFile, "file:///tmp/dois"}, {kText, "ignored: one item per type"}}},
        };
        clipboard.writeItems(items);
        QVERIFY(clipboard.changeCount() != before);
        QCOMPARE(clipboard.itemCount(), 2);
        QCOMPARE(clipboard.types(0), (QStringList{kText, kHtml, kFile}));
        QCOMPARE(clipboard.data(0, kText), QByteArray("olá"));
        QCOMPARE(clipboard.data(0, kHtml), QByteArray("<b>olá</b>"));
        QCOMPARE(clipboard.data(0, kFile), QByteArray("file:///tmp/um"));
        QCOMPARE(clipboard.types(1), QStringList{kFile});
        QCOMPARE(clipboard.data(1, kFile), QByteArray("file:///tmp/dois"));

        // Terminals and X11 clients ask for the text under their own names.
        QStringList names;
        for (const auto &entry : WaylandOffers::offer(items))
            names << entry.first;
        QCOMPARE(names, (QStringList{"text/plain;charset=utf-8", "text/plain", "UTF8_STRING",
                                     "STRING", "TEXT", "text/html", "text/uri-list",
                                     "x-special/gnome-copied-files"}));
    }

    void aSnapshotKeepsWhatCouldNotBeReadAndWebLinks()
    {
        const QList<Read> plan{{kText, "text/plain"}, {kFile, "text/uri-list"}};
        const WaylandOffers::Snapshot s = WaylandOffers::snapshot(
            plan, {{"text/plain", std::nullopt}, {"text/uri-list", "https://example.org\r\n"}});
        // The type stays listed (the copy is not mistaken for another), without bytes.
        QCOMPARE(s.types(0), (QStringList{kText, "text/uri-list"}));
        QCOMPARE(s.data(0, kText), std::nullopt);
        QCOMPARE(s.data(0, "text/uri-list"), QByteArray("https://example.org\r\n"));
        QCOMPARE(s.itemCount(), 1);
    }

    void theHandlerSeesTheNewCopy()
    {
        WaylandClipboard clipboard(nullptr);
        QStringList seen;
        qint64 count = clipboard.changeCount();
        QVERIFY(!clipboard.setChangeHandler([&] {
            QVERIFY(clipboard.changeCount() != count);
            seen = clipboard.types(0);
        })); // no connection, nothing to announce changes
        clipboard.writeItems({ClipboardItem{{{kText, "nosso"}}}});
        count = clipboard.changeCount();
        QVERIFY(seen.isEmpty()); // our own write is no news

        WaylandOffers::Snapshot copy;
        copy.entries = {{kHtml, QByteArray("<i>x</i>")}, {"com.apple.cocoa.pasteboard.color",
                                                          QByteArray("\xff\xff\0\0\0\0\xff\xff", 8)}};
        clipboard.receive(copy);
        QCOMPARE(seen, (QStringList{kHtml, "com.apple.cocoa.pasteboard.color"}));
        const std::optional<SrgbColor> color = clipboard.readColor();
        QVERIFY(color);
        QCOMPARE(*color, (SrgbColor{1.0, 0.0, 0.0}));
    }

    // Far more than a pipe holds: both ends take turns in one event loop, through partial
    // writes and reads, and the reader sees the whole of it once the writer closes.
    void aLargeTransferArrivesWhole()
    {
        QByteArray payload(3 << 20, Qt::Uninitialized);
        for (qsizetype i = 0; i < payload.size(); ++i)
            payload[i] = char(i * 7 % 251);
        int fds[2];
        QVERIFY(::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0);
        QObject owner;
        new PipeWriter(fds[1], payload, std::chrono::hours(1), &owner);
        bool done = false, complete = false;
        QByteArray received;
        new PipeReader(fds[0], std::chrono::hours(1),
                       [&](bool whole, const QByteArray &bytes) {
                           done = true;
                           complete = whole;
                           received = bytes;
                       },
                       &owner);
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QVERIFY(complete);
        QVERIFY(received == payload);
    }

    // A reader that goes away mid-transfer (a client that gave up) ends the writer quietly.
    void aReaderThatLeavesEndsTheWrite()
    {
        std::signal(SIGPIPE, SIG_IGN); // as the connection does when it opens
        int fds[2];
        QVERIFY(::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0);
        ::close(fds[0]);
        QPointer<PipeWriter> writer(
            new PipeWriter(fds[1], QByteArray(1 << 20, 'x'), std::chrono::hours(1), nullptr));
        while (writer) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    void theKeymapFollowsTheLayout()
    {
        XkbLayout us("us");
        QCOMPARE(us.keyCode("v"), quint16(55));
        QCOMPARE(us.keyCode("V"), quint16(55));
        QCOMPARE(us.character(55), QString("v"));
        QCOMPARE(us.character(37), std::nullopt); // Control types nothing
        QVERIFY(us.keymapText().contains("xkb_keymap"));
        QVERIFY(us.modifierMask("Control") != 0);

        XkbLayout french("fr");
        QCOMPARE(french.keyCode("a"), quint16(24)); // where Q sits on US keyboards
        // A layout xkb does not know still gives a working keyboard.
        XkbLayout unknown("no-such-layout");
        QCOMPARE(unknown.keyCode("v"), quint16(55));
    }
};

QTEST_GUILESS_MAIN(TestWaylandClipboard)
#include "tst_waylandclipboard.moc"
