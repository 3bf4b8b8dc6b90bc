// The real CLIPBOARD selection on an X server: what other clients offer arrives in stored
// type names and exact bytes, the change counter follows owners and own writes, an owner
// that never answers holds nothing up, and what Varu writes reaches other clients intact.

#include "DesktopSession.h"
#include "SessionRunner.h"

#include "platform/x11/X11MimeTypes.h"
#include "platform/x11/X11Clipboard.h"

#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

using namespace X11MimeTypes;

class TestX11Pasteboard : public QObject
{
    Q_OBJECT

    std::unique_ptr<X11Clipboard> pb;
    std::vector<std::unique_ptr<QProcess>> owners;

    // Another client takes the clipboard with one target, as `xclip` does.
    bool offer(const QString &mime, const QByteArray &bytes)
    {
        const qint64 before = pb->changeCount();
        auto p = std::make_unique<QProcess>();
        p->start(u"xclip"_qs,
                 {u"-quiet"_qs, u"-selection"_qs, u"clipboard"_qs, u"-t"_qs, mime, u"-i"_qs});
        if (!p->waitForStarted(5000))
            return false;
        p->write(bytes);
        p->closeWriteChannel();
        owners.push_back(std::move(p));
        // The end of an earlier owner may be reported after this one started: wait for
        // the new content itself.
        return DesktopSession::waitFor(
            [&] {
                const QStringList types = pb->types(0);
                return pb->changeCount() != before &&
                       (types.contains(X11MimeTypes::storedType(mime)) || types.contains(mime));
            },
            5000);
    }

    // What another client reads from us; our event loop keeps running meanwhile.
    QByteArray fetch(const QString &target, const QString &selection = u"clipboard"_qs)
    {
        QProcess p;
        p.start(u"xclip"_qs, {u"-o"_qs, u"-selection"_qs, selection, u"-t"_qs, target});
        if (!DesktopSession::waitFor([&] { return p.state() == QProcess::NotRunning; }, 10000)) {
            p.kill();
            p.waitForFinished();
            return "(timed out)";
        }
        return p.readAllStandardOutput();
    }

private Q_SLOTS:
    void init() { pb = std::make_unique<X11Clipboard>(QGuiApplication::clipboard()); }

    void cleanup()
    {
        pb.reset();
        // When another client still owns the clipboard, its end is reported: wait for that
        // report here, or it would reach the next test as a change.
        QClipboard *clipboard = QGuiApplication::clipboard();
        const bool foreignOwner =
            !clipboard->ownsClipboard() && !clipboard->mimeData()->formats().isEmpty();
        QSignalSpy changed(clipboard, &QClipboard::changed);
        for (auto &p : owners) {
            p->kill();
            p->waitForFinished(3000);
        }
        owners.clear();
        if (foreignOwner)
            QTRY_VERIFY(!changed.isEmpty());
    }

    void namesTranslateBothWays()
    {
        QCOMPARE(storedType(u"text/plain;charset=UTF-8"_qs), u"public.utf8-plain-text"_qs);
        QCOMPARE(storedType(u"x-special/gnome-copied-files"_qs), u"public.file-url"_qs);
        QCOMPARE(mimeType(u"com.adobe.pdf"_qs), u"application/pdf"_qs);
        QCOMPARE(mimeType(u"org.example.custom"_qs), u"org.example.custom"_qs);
        // One picture of the many conversions a toolkit offers; X resources are no content.
        QCOMPARE(contentTargets({u"application/x-qt-image"_qs, u"image/bmp"_qs, u"image/png"_qs,
                                 u"image/jpeg"_qs, u"PIXMAP"_qs, u"text/html"_qs, u"TARGETS"_qs}),
                 QStringList({u"image/png"_qs, u"text/html"_qs}));
        QCOMPARE(parseFileList(u"text/uri-list"_qs,
                               "# comment\r\nfile:///a\r\n\r\nhttps://x.org/\r\nFILE:///b"),
                 QList<QByteArray>({"file:///a", "FILE:///b"}));
    }

    void readsWhatAnotherClientOffers()
    {
        QVERIFY(offer(u"text/plain;charset=utf-8"_qs, "Olá ✓"));
        QCOMPARE(pb->itemCount(), 1);
        QCOMPARE(pb->types(0), QStringList{u"public.utf8-plain-text"_qs});
        QCOMPARE(pb->data(0, u"public.utf8-plain-text"_qs), std::optional(QByteArray("Olá ✓")));
        QCOMPARE(pb->data(1, u"public.utf8-plain-text"_qs), std::nullopt);
        QVERIFY(offer(u"STRING"_qs, "caf\xe9")); // Latin-1 arrives as UTF-8
        QCOMPARE(pb->data(0, u"public.utf8-plain-text"_qs), std::optional(QByteArray("café")));

        // A large offer arrives in chunks (INCR), byte for byte.
        QByteArray large(3 * 1024 * 1024, Qt::Uninitialized);
        for (qsizetype i = 0; i < large.size(); ++i)
            large[i] = char((i * 7919) >> 3);
        QVERIFY(offer(u"application/x-large"_qs, large));
        QCOMPARE(pb->data(0, u"application/x-large"_qs), std::optional(large));

        // A malformed colour is kept as bytes but cannot be read.
        QVERIFY(offer(u"application/x-color"_qs, "abc"));
        QCOMPARE(pb->readColor(), std::nullopt);
        QCOMPARE(pb->data(0, u"com.apple.cocoa.pasteboard.color"_qs),
                 std::optional(QByteArray("abc")));

        // Files copied in GNOME's file manager become one item each.
        QVERIFY(offer(u"x-special/gnome-copied-files"_qs, "copy\nfile:///tmp/a%20b\nfile:///c"));
        QCOMPARE(pb->itemCount(), 2);
        QCOMPARE(pb->types(1), QStringList{u"public.file-url"_qs});
        QCOMPARE(pb->data(0, u"public.file-url"_qs),
                 std::optional(QByteArray("file:///tmp/a%20b")));
        QCOMPARE(pb->data(1, u"public.file-url"_qs), std::optional(QByteArray("file:///c")));

        // A browser's link list is no file: it is kept under its own name.
        QVERIFY(offer(u"text/uri-list"_qs, "https://example.org/\r\n"));
        QCOMPARE(pb->types(0), QStringList{u"text/uri-list"_qs});
        QCOMPARE(pb->data(0, u"text/uri-list"_qs),
                 std::optional(QByteArray("https://example.org/\r\n")));
    }

    void theCounterFollowsOwnersAndOwnWrites()
    {
        QCOMPARE(pb->accessBehavior(), Clipboard::AccessBehavior::AlwaysAllow);
        QVERIFY(offer(u"UTF8_STRING"_qs, "one"));
        const qint64 afterCopy = pb->changeCount();
        pb->writeString(u"ours"_qs);
        QCOMPARE(pb->changeCount(), afterCopy + 1);
        QTest::qWait(200); // the selection events of our own write arrive and are ignored
        QCOMPARE(pb->changeCount(), afterCopy + 1);
        QVERIFY(offer(u"UTF8_STRING"_qs, "two"));
        QCOMPARE(pb->data(0, u"public.utf8-plain-text"_qs), std::optional(QByteArray("two")));
    }

    // A copy outlives its owner for a moment, so it can still be recorded; a concealed one
    // is never read ahead.
    void anOfferOutlivesItsOwnerUnlessConcealed()
    {
        pb->setUnheldTypes({u"x-kde-passwordManagerHint"_qs});
        const auto ownerExits = [&] {
            owners.back()->kill();
            owners.back()->waitForFinished(3000);
        };
        QVERIFY(offer(u"UTF8_STRING"_qs, "short-lived"));
        const qint64 count = pb->changeCount();
        ownerExits();
        QTest::qWait(300);
        QCOMPARE(pb->changeCount(), count);
        QCOMPARE(pb->data(0, u"public.utf8-plain-text"_qs),
                 std::optional(QByteArray("short-lived")));

        QVERIFY(offer(u"x-kde-passwordManagerHint"_qs, "secret"));
        const qint64 concealed = pb->changeCount();
        ownerExits();
        QVERIFY(DesktopSession::waitFor([&] { return pb->changeCount() != concealed; }, 5000));
        QCOMPARE(pb->itemCount(), 0);
        pb->setUnheldTypes({});
    }

    // An owner that lists types and never sends them (an application hung while holding
    // the clipboard) holds up neither the event loop nor the copies that follow.
    void anOwnerThatNeverAnswersHoldsNothingUp()
    {
        const auto hang = [&] {
            auto p = std::make_unique<QProcess>();
            p->start(QStringLiteral(VARU_HUNG_OWNER), {u"UTF8_STRING"_qs, u"text/html"_qs,
                                                       u"image/png"_qs, u"application/pdf"_qs});
            const bool owning = p->waitForReadyRead(5000);
            owners.push_back(std::move(p));
            return owning;
        };
        const QString text = u"public.utf8-plain-text"_qs;
        int ticks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&] { ++ticks; });
        tick.start(50);
        const qint64 before = pb->changeCount();
        QVERIFY(hang());
        // Given up within the bounds: what it listed, none of its data.
        QVERIFY(DesktopSession::waitFor([&] { return pb->changeCount() != before; }, 15000));
        QCOMPARE(pb->types(0),
                 QStringList({text, u"public.html"_qs, u"public.png"_qs, u"com.adobe.pdf"_qs}));
        QCOMPARE(pb->data(0, text), std::nullopt);
        QCOMPARE(pb->data(0, u"public.png"_qs), std::nullopt);
        // The loop ran all along (reading on it froze it for seconds per type).
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));

        // A copy made while a hung offer is still being read is read all the same.
        QVERIFY(hang());
        QVERIFY(offer(u"UTF8_STRING"_qs, "after the hung owner"));
        QCOMPARE(pb->data(0, text), std::optional(QByteArray("after the hung owner")));
    }

    void writtenItemsAreMergedIntoOne()
    {
        // Three file items go back as one list, in order; other types: the first item's.
        pb->writeItems({ClipboardItem{{{u"public.file-url"_qs, "file:///tmp/a"},
                                        {u"public.utf8-plain-text"_qs, "first"}}},
                        ClipboardItem{{{u"public.file-url"_qs, "file:///tmp/b"},
                                        {u"public.utf8-plain-text"_qs, "second"}}},
                        ClipboardItem{{{u"public.file-url"_qs, "file:///tmp/c%20d"}}}});
        QCOMPARE(fetch(u"text/uri-list"_qs),
                 QByteArray("file:///tmp/a\r\nfile:///tmp/b\r\nfile:///tmp/c%20d\r\n"));
        QCOMPARE(fetch(u"x-special/gnome-copied-files"_qs),
                 QByteArray("copy\nfile:///tmp/a\nfile:///tmp/b\nfile:///tmp/c%20d"));
        QCOMPARE(fetch(u"UTF8_STRING"_qs), QByteArray("first"));
    }

    void writtenDataServesTerminalsAndEditorsExactly()
    {
        const QByteArray color("\x34\x12\x78\x56\xbc\x9a\x00\x80", 8);
        const QByteArray png("\x89PNG\r\n\x1a\n\0\x01\xff", 11);
        pb->writeItems({ClipboardItem{{{u"public.utf8-plain-text"_qs, "Olá ✓"},
                                        {u"public.html"_qs, "<i>Olá ✓</i>"},
                                        {u"com.apple.cocoa.pasteboard.color"_qs, color},
                                        {u"public.png"_qs, png},
                                        {u"org.example.custom"_qs, QByteArray("\0\0\x01", 3)}}}});
        QVERIFY(fetch(u"TARGETS"_qs).split('\n').contains("STRING"));
        QCOMPARE(fetch(u"UTF8_STRING"_qs), QByteArray("Olá ✓"));
        QCOMPARE(fetch(u"text/plain;charset=utf-8"_qs), QByteArray("Olá ✓"));
        QCOMPARE(fetch(u"text/html"_qs), QByteArray("<i>Olá ✓</i>"));
        QCOMPARE(fetch(u"application/x-color"_qs), color);
        QCOMPARE(fetch(u"image/png"_qs), png);
        QCOMPARE(fetch(u"org.example.custom"_qs), QByteArray("\0\0\x01", 3));
    }
};

int main(int argc, char **argv)
{
    DesktopSession::Options options;
    options.windowManager = false;
    return SessionRunner::exec(argc, argv, options, [](int argc, char **argv) {
        QGuiApplication app(argc, argv);
        TestX11Pasteboard test;
        const int failures = QTest::qExec(&test, argc, argv);
        SessionRunner::stopAll();
        return failures;
    });
}

#include "tst_x11clipboard.moc"
