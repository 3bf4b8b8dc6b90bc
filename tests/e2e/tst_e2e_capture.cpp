// Copies made by other X11 clients land in the real database of the real binary: kind, title,
// source application, size, representations byte for byte and a checksum recomputed here;
// concealed, secret and password-manager copies are not kept; odd input is kept as it came;
// copies in quick succession are each kept, in order.

#include "DbProbe.h"
#include "DesktopSession.h"
#include "SessionRunner.h"

#include <QBuffer>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

#include <algorithm>
#include <memory>

#include <xcb/xcb.h>
#include <vector>

namespace {

using Rep = std::tuple<qint64, QString, QByteArray>;
using Reps = QList<Rep>;

// The documented checksum: SHA-256 over "<index>|<type>|" and the bytes of each, in order.
QString checksumOf(const Reps &reps)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const auto &[index, type, data] : reps) {
        hash.addData(QByteArray::number(index) + '|' + type.toUtf8() + '|');
        hash.addData(data);
    }
    return QString::fromLatin1(hash.result().toHex());
}

QByteArray png(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(0x5B, 0x8D, 0xEF));
    QPainter(&image).fillRect(0, 0, w / 3, h, Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray pdf(int pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPainter painter(&writer);
    for (int i = 0; i < pages; ++i) {
        if (i)
            writer.newPage();
        painter.drawText(200, 200, QStringLiteral("Página %1").arg(i + 1));
    }
    painter.end();
    return bytes;
}

} // namespace

class E2eCapture : public QObject
{
    Q_OBJECT

    QProcess *varu = nullptr;
    QByteArray log;
    std::vector<std::unique_ptr<QProcess>> owners;
    QString editorWindow;

    QString dbPath() const { return SessionRunner::dataDir() + u"/varu.sqlite"_qs; }

    // Another client takes the clipboard with one target.
    void xclip(const QString &mime, const QByteArray &bytes)
    {
        auto p = std::make_unique<QProcess>();
        p->start(u"xclip"_qs,
                 {u"-quiet"_qs, u"-selection"_qs, u"clipboard"_qs, u"-t"_qs, mime, u"-i"_qs});
        QVERIFY(p->waitForStarted(5000));
        p->write(bytes);
        p->closeWriteChannel();
        owners.push_back(std::move(p));
    }

    // This process takes the clipboard with several targets, as a toolkit application does.
    void own(const QList<std::pair<QString, QByteArray>> &entries)
    {
        auto *mime = new QMimeData;
        for (const auto &[type, bytes] : entries)
            mime->setData(type, bytes);
        QGuiApplication::clipboard()->setMimeData(mime);
    }

    // Waits for the card whose content is exactly `reps` and checks its row: kind, title,
    // size, source application and the height of its thumbnail (0: none).
    void expectCard(const Reps &reps, const QString &kind, const QString &title,
                    int thumbnailHeight = 0)
    {
        DbProbe db(dbPath());
        QList<QVariantList> rows;
        QVERIFY2(DesktopSession::waitFor(
                     [&] {
                         rows = db.query(u"SELECT id, kind, title, source_bundle, source_name, "
                                         "total_bytes, thumbnail FROM items WHERE checksum = ?"_qs,
                                         {checksumOf(reps)});
                         return !rows.isEmpty();
                     },
                     15000),
                 log.constData());
        const QVariantList &r = rows.first();
        Reps stored;
        for (const QVariantList &rep : db.query(
                 u"SELECT idx, uti, data FROM representations WHERE item_id = ? ORDER BY rowid"_qs,
                 {r[0]}))
            stored << Rep{rep[0].toLongLong(), rep[1].toString(), rep[2].toByteArray()};
        qint64 total = 0;
        for (const auto &rep : reps)
            total += std::get<2>(rep).size();
        QCOMPARE(stored, reps);
        QCOMPARE(r[1].toString(), kind);
        QCOMPARE(r[2].toString(), title);
        QCOMPARE(r[5].toLongLong(), total);
        // The editor is in front for every copy that is kept.
        QCOMPARE(r[3].toString(), u"org.example.Editor"_qs);
        QCOMPARE(r[4].toString(), u"Editor de Exemplo"_qs);
        QCOMPARE(QImage::fromData(r[6].toByteArray(), "PNG").height(), thumbnailHeight);
    }

    // True once the log holds `message` at least `times` times.
    bool logged(const QByteArray &message, qsizetype times = 1)
    {
        return DesktopSession::waitFor(
            [&] {
                log += varu->readAllStandardError();
                return log.count(message) >= times;
            },
            15000);
    }

    static xcb_window_t clipboardOwner()
    {
        auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t *c = x11->connection();
        static const xcb_atom_t clipboard = [c] {
            std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
                xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 9, "CLIPBOARD"), nullptr),
                &std::free);
            return reply ? reply->atom : xcb_atom_t(XCB_NONE);
        }();
        std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
            xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, clipboard), nullptr),
            &std::free);
        return owner ? owner->owner : xcb_window_t(XCB_NONE);
    }

    qint64 cardCount()
    {
        return DbProbe(dbPath()).scalar(u"SELECT COUNT(*) FROM items"_qs).toLongLong();
    }

    QString startWindow(const QString &wmClass, const QString &title)
    {
        SessionRunner::start(u"xterm"_qs, {u"-class"_qs, wmClass, u"-T"_qs, title});
        QStringList ids;
        DesktopSession::waitFor([&] {
            return !(ids = SessionRunner::windowsNamed(u"^"_qs + title + u"$"_qs)).isEmpty();
        });
        return ids.value(0);
    }

    void activate(const QString &window)
    {
        QCOMPARE(SessionRunner::run(u"xdotool"_qs, {u"windowactivate"_qs, u"--sync"_qs, window}),
                 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // An editor whose desktop entry names it: copies made while it is in front are its.
        const QString apps = qEnvironmentVariable("XDG_DATA_HOME") + u"/applications"_qs;
        QVERIFY(QDir().mkpath(apps));
        QFile entry(apps + u"/org.example.Editor.desktop"_qs);
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Editor de Exemplo\nExec=/bin/true\n"
                    "StartupWMClass=ExampleEditor\n");
        entry.close();
        editorWindow = startWindow(u"ExampleEditor"_qs, u"editor"_qs);
        QVERIFY(!editorWindow.isEmpty());
        activate(editorWindow);

        varu = SessionRunner::start(DesktopSession::varuBinary());
        QVERIFY(DesktopSession::waitFor([&] { return QFile::exists(dbPath()); }));
        QTest::qWait(500); // the monitor starts right after the store opens
    }

    void cleanup() { QVERIFY2(varu->state() == QProcess::Running, log.constData()); }

    void cleanupTestCase()
    {
        for (auto &p : owners)
            p->kill();
        SessionRunner::stopAll();
    }

    void copiesOfOtherClients_data()
    {
        QTest::addColumn<QString>("mime");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Reps>("reps");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("thumbnailHeight");
        const auto one = [](const char *name, const char *mime, const QByteArray &bytes,
                            const char *stored, const char *kind, const QString &title,
                            int thumbnailHeight = 0) {
            QTest::newRow(name) << QString::fromLatin1(mime) << bytes
                                << Reps{{0, QString::fromLatin1(stored), bytes}}
                                << QString::fromLatin1(kind) << title << thumbnailHeight;
        };
        const QByteArray text = "Olá, área de transferência ✓";
        one("plain text", "UTF8_STRING", text, "public.utf8-plain-text", "text",
            QString::fromUtf8(text));
        one("png", "image/png", png(640, 480), "public.png", "image", u"Imagem 640 × 480"_qs, 270);
        one("pdf", "application/pdf", pdf(3), "com.adobe.pdf", "pdf", u"PDF · 3 páginas"_qs, 360);
        one("colour", "application/x-color", QByteArray("\xff\xff\x00\x80\x00\x00\xff\xff", 8),
            "com.apple.cocoa.pasteboard.color", "color", u"#FF7F00"_qs);
        // Odd input is kept as it came and titled by the rules.
        one("text that is not UTF-8", "text/plain;charset=utf-8",
            QByteArray("\xc3\x28\xff caf\xe9", 9), "public.utf8-plain-text", "text",
            u"Conteúdo: public.utf8-plain-text"_qs);
        one("png that does not decode", "image/png", "\x89PNG\r\n\x1a\n but no image", "public.png",
            "image", u"Imagem"_qs);

        const QString home = QDir::homePath();
        const QByteArray a = QUrl::fromLocalFile(home + u"/nota um.txt"_qs).toEncoded();
        const QByteArray b = QUrl::fromLocalFile(home + u"/foto.png"_qs).toEncoded();
        QTest::newRow("two files")
            << u"text/uri-list"_qs << a + "\r\n" + b + "\r\n"
            << Reps{{0, u"public.file-url"_qs, a}, {1, u"public.file-url"_qs, b}} << u"file"_qs
            << home + u"/nota um.txt\n"_qs + home + u"/foto.png"_qs << 0;
    }

    void copiesOfOtherClients()
    {
        QFETCH(QString, mime);
        QFETCH(QByteArray, bytes);
        QFETCH(Reps, reps);
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(int, thumbnailHeight);
        xclip(mime, bytes);
        expectCard(reps, kind, title, thumbnailHeight);
    }

    void htmlWithTextFromAToolkit()
    {
        const QByteArray html = "<p>Olá <b>mundo</b></p>";
        own({{u"text/html"_qs, html}, {u"text/plain;charset=utf-8"_qs, "Olá mundo"}});
        expectCard({{0, u"public.html"_qs, html}, {0, u"public.utf8-plain-text"_qs, "Olá mundo"}},
                   u"richText"_qs, u"Olá mundo"_qs);
    }

    void secretsConcealedAndPasswordManagerCopiesAreNotKept()
    {
        const qint64 before = cardCount();
        xclip(u"UTF8_STRING"_qs, "db_password = hunter2");
        QVERIFY(logged("Texto parece conter senha ou token; cópia não guardada"));
        // Text that hides in HTML beside an image, or in bytes that are not UTF-8, counts.
        const QByteArray refused = "Texto parece conter senha";
        const qsizetype secrets = log.count(refused);
        own({{u"image/png"_qs, png(8, 8)}, {u"text/html"_qs, "<p>senha: <b>abc</b></p>"}});
        QVERIFY(logged(refused, secrets + 1));
        xclip(u"text/plain;charset=utf-8"_qs, "Jo\xe3o\napi_key = a\xe7\xe3o");
        QVERIFY(logged(refused, secrets + 2));
        own({{u"text/plain;charset=utf-8"_qs, "correct horse battery"},
             {u"x-kde-passwordManagerHint"_qs, "secret"}});
        QVERIFY(logged("Tipo ignorado x-kde-passwordManagerHint; cópia não guardada"));
        activate(startWindow(u"KeePassXC"_qs, u"vault"_qs));
        xclip(u"UTF8_STRING"_qs, "copied from the vault");
        QVERIFY2(logged("App ignorado keepassxc"), log.right(600).constData());
        activate(editorWindow);
        QCOMPARE(cardCount(), before);
    }

    // A program that copies and exits at once (a script, an editor quit right after a yank)
    // takes its offer along before the quiet period ends: the copy is recorded all the same.
    void aCopyWhoseOwnerExitsAtOnceIsKept()
    {
        xclip(u"UTF8_STRING"_qs, "gone before the quiet period ended");
        QTest::qWait(100);
        owners.back()->kill();
        owners.back()->waitForFinished(3000);
        expectCard({{0, u"public.utf8-plain-text"_qs, "gone before the quiet period ended"}},
                   u"text"_qs, u"gone before the quiet period ended"_qs);
        // The emptied clipboard is no copy, and the monitor goes on.
        const qint64 before = cardCount();
        xclip(u"UTF8_STRING"_qs, "after the vanished owner");
        expectCard({{0, u"public.utf8-plain-text"_qs, "after the vanished owner"}}, u"text"_qs,
                   u"after the vanished owner"_qs);
        QCOMPARE(cardCount(), before + 1);
    }

    // Distinct copies from different clients at a steady rate: each one that stood 30 ms is
    // kept, in order, the last on top; faster copies may be merged, never the last one.
    void quickCopiesFromDifferentClients_data()
    {
        QTest::addColumn<int>("perSecond");
        for (int rate : {5, 10, 20, 50, 100})
            QTest::addRow("%d/s", rate) << rate;
    }

    void quickCopiesFromDifferentClients()
    {
        QFETCH(int, perSecond);
        constexpr int kCopies = 20;
        const QString prefix = u"copy at %1/s number "_qs.arg(perSecond);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < kCopies; ++i) {
            QTest::qWait(int(std::max<qint64>(0, i * 1000 / perSecond - clock.elapsed())));
            // Each client has the clipboard before the next starts, or two starting
            // together could take it in either order.
            const xcb_window_t before = clipboardOwner();
            xclip(u"UTF8_STRING"_qs, (prefix + QString::number(i)).toUtf8());
            QVERIFY(DesktopSession::waitFor([&] { return clipboardOwner() != before; }, 5000));
        }
        const double rate = kCopies * 1000.0 / std::max<qint64>(1, clock.elapsed());
        const QString last = prefix + QString::number(kCopies - 1);
        DbProbe db(dbPath());
        const QString newest = u"SELECT title FROM items WHERE in_history = 1 "
                               "ORDER BY created_at DESC LIMIT 1"_qs;
        QVERIFY2(DesktopSession::waitFor([&] { return db.scalar(newest).toString() == last; },
                                         15000),
                 log.right(600).constData());
        QList<int> kept;
        for (const QVariantList &row :
             db.query(u"SELECT title FROM items WHERE title LIKE ? ORDER BY created_at"_qs,
                      {prefix + u"%"_qs}))
            kept << row[0].toString().mid(prefix.size()).toInt();
        qInfo("%d/s (%.0f/s made): %lld of %d copies kept", perSecond, rate,
              qlonglong(kept.size()), kCopies);
        QVERIFY(std::is_sorted(kept.cbegin(), kept.cend()));
        QCOMPARE(kept.last(), kCopies - 1);
        if (perSecond <= 20)
            QCOMPARE(kept.size(), kCopies);
    }
};

int main(int argc, char **argv)
{
    return SessionRunner::exec(argc, argv, DesktopSession::Options{}, [](int argc, char **argv) {
        QGuiApplication app(argc, argv);
        E2eCapture test;
        const int failures = QTest::qExec(&test, argc, argv);
        SessionRunner::stopAll();
        return failures;
    });
}

#include "tst_e2e_capture.moc"
