// Copies made by other X11 clients land in the real database of the real binary: kind, title,
// source application, size, representations byte for byte and a checksum recomputed here;
// concealed, secret and password-manager copies are not kept; bad input changes nothing.

#include "DbProbe.h"
#include "DesktopSession.h"
#include "SessionRunner.h"

#include <QBuffer>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

#include <memory>
#include <vector>

namespace {

using Rep = std::tuple<qint64, QString, QByteArray>;

// The documented checksum: SHA-256 over "<index>|<type>|" and the bytes of each, in order.
QString checksumOf(const QList<Rep> &reps)
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

struct Card
{
    QString kind, title;
    QVariant sourceBundle, sourceName;
    qint64 totalBytes = 0;
    QByteArray thumbnail;
    QString checksum;
    QList<Rep> reps;
};

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

    std::optional<Card> card(const QString &checksum)
    {
        DbProbe db(dbPath());
        const auto rows =
            db.query(u"SELECT id, kind, title, source_bundle, source_name, "
                     "total_bytes, thumbnail, checksum FROM items WHERE checksum = ?"_qs,
                     {checksum});
        if (rows.isEmpty())
            return std::nullopt;
        const QVariantList &r = rows.first();
        Card c{r[1].toString(),    r[2].toString(), r[3], r[4], r[5].toLongLong(),
               r[6].toByteArray(), r[7].toString(), {}};
        for (const QVariantList &rep : db.query(
                 u"SELECT idx, uti, data FROM representations WHERE item_id = ? ORDER BY rowid"_qs,
                 {r[0]}))
            c.reps << Rep{rep[0].toLongLong(), rep[1].toString(), rep[2].toByteArray()};
        return c;
    }

    // Waits for the card whose content is exactly `reps` and checks what is common to all.
    Card expectCard(const QList<Rep> &reps, const QString &kind)
    {
        const QString sum = checksumOf(reps);
        std::optional<Card> c;
        if (!DesktopSession::waitFor([&] { return (c = card(sum)).has_value(); }, 15000)) {
            qWarning("no card; varu said: %s", log.constData());
            return {};
        }
        [&] {
            QCOMPARE(c->kind, kind);
            QCOMPARE(c->reps, reps);
            QCOMPARE(c->checksum, sum);
            qint64 total = 0;
            for (const auto &rep : reps)
                total += std::get<2>(rep).size();
            QCOMPARE(c->totalBytes, total);
            // The editor is in front for every copy that is kept.
            QCOMPARE(c->sourceBundle.toString(), u"org.example.Editor"_qs);
            QCOMPARE(c->sourceName.toString(), u"Editor de Exemplo"_qs);
        }();
        return *c;
    }

    bool logged(const QByteArray &message)
    {
        return DesktopSession::waitFor(
            [&] {
                log += varu->readAllStandardError();
                return log.contains(message);
            },
            15000);
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

    void plainText()
    {
        const QByteArray text = "Olá, área de transferência ✓";
        xclip(u"UTF8_STRING"_qs, text);
        const Card c = expectCard({{0, u"public.utf8-plain-text"_qs, text}}, u"text"_qs);
        QCOMPARE(c.title, QString::fromUtf8(text));
        QVERIFY(c.thumbnail.isEmpty());
    }

    void htmlWithText()
    {
        const QByteArray html = "<p>Olá <b>mundo</b></p>";
        const QByteArray text = "Olá mundo";
        own({{u"text/html"_qs, html}, {u"text/plain;charset=utf-8"_qs, text}});
        const Card c =
            expectCard({{0, u"public.html"_qs, html}, {0, u"public.utf8-plain-text"_qs, text}},
                       u"richText"_qs);
        QCOMPARE(c.title, u"Olá mundo"_qs);
    }

    void pngImage()
    {
        const QByteArray bytes = png(640, 480);
        xclip(u"image/png"_qs, bytes);
        const Card c = expectCard({{0, u"public.png"_qs, bytes}}, u"image"_qs);
        QCOMPARE(c.title, u"Imagem 640 × 480"_qs);
        QImage thumb;
        QVERIFY(thumb.loadFromData(c.thumbnail, "PNG"));
        QCOMPARE(thumb.size(), QSize(360, 270));
    }

    void toolkitImagesKeepOnePicture()
    {
        // Qt offers a dozen formats it would encode on request; one PNG is the copy.
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        auto *mime = new QMimeData;
        mime->setImageData(image);
        QGuiApplication::clipboard()->setMimeData(mime);
        DbProbe db(dbPath());
        QVariantList row;
        QVERIFY(DesktopSession::waitFor([&] {
            const auto rows = db.query(u"SELECT id, kind, title FROM items WHERE title = ?"_qs,
                                       {u"Imagem 800 × 600"_qs});
            return !rows.isEmpty() && !(row = rows.first()).isEmpty();
        }));
        QCOMPARE(row.value(1).toString(), u"image"_qs);
        const auto reps =
            db.query(u"SELECT idx, uti, data FROM representations WHERE item_id = ?"_qs, {row[0]});
        QCOMPARE(reps.size(), 1);
        QCOMPARE(reps.first().value(1).toString(), u"public.png"_qs);
        QCOMPARE(QImage::fromData(reps.first().value(2).toByteArray(), "PNG").size(),
                 QSize(800, 600));
    }

    void pdfDocument()
    {
        const QByteArray bytes = pdf(3);
        xclip(u"application/pdf"_qs, bytes);
        const Card c = expectCard({{0, u"com.adobe.pdf"_qs, bytes}}, u"pdf"_qs);
        QCOMPARE(c.title, u"PDF · 3 páginas"_qs);
        QImage thumb;
        QVERIFY(thumb.loadFromData(c.thumbnail, "PNG"));
        QCOMPARE(thumb.height(), 360);
    }

    void twoFiles()
    {
        const QString home = QDir::homePath();
        for (const QString &name : {u"nota um.txt"_qs, u"foto.png"_qs}) {
            QFile f(home + u"/"_qs + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QByteArray one = QUrl::fromLocalFile(home + u"/nota um.txt"_qs).toEncoded();
        const QByteArray two = QUrl::fromLocalFile(home + u"/foto.png"_qs).toEncoded();
        QVERIFY(one.contains("%20"));
        xclip(u"text/uri-list"_qs, one + "\r\n" + two + "\r\n");
        const Card c = expectCard(
            {{0, u"public.file-url"_qs, one}, {1, u"public.file-url"_qs, two}}, u"file"_qs);
        QCOMPARE(c.title, home + u"/nota um.txt\n"_qs + home + u"/foto.png"_qs);
    }

    void colour()
    {
        const QByteArray rgba("\xff\xff\x00\x80\x00\x00\xff\xff", 8); // native 16-bit RGBA
        xclip(u"application/x-color"_qs, rgba);
        const Card c = expectCard({{0, u"com.apple.cocoa.pasteboard.color"_qs, rgba}}, u"color"_qs);
        QCOMPARE(c.title, u"#FF7F00"_qs);
    }

    void secretTextIsNotKept()
    {
        const qint64 before = cardCount();
        xclip(u"UTF8_STRING"_qs, "db_password = hunter2");
        QVERIFY(logged("Texto parece conter senha ou token; cópia não guardada"));
        QCOMPARE(cardCount(), before);
    }

    void concealedCopiesAreNotKept()
    {
        const qint64 before = cardCount();
        own({{u"text/plain;charset=utf-8"_qs, "correct horse battery"},
             {u"x-kde-passwordManagerHint"_qs, "secret"}});
        QVERIFY(logged("Tipo ignorado x-kde-passwordManagerHint; cópia não guardada"));
        QCOMPARE(cardCount(), before);
    }

    void copiesInAPasswordManagerAreNotKept()
    {
        const qint64 before = cardCount();
        const QString vault = startWindow(u"KeePassXC"_qs, u"vault"_qs);
        activate(vault);
        xclip(u"UTF8_STRING"_qs, "copied from the vault");
        QVERIFY2(logged("App ignorado keepassxc"), log.right(600).constData());
        QCOMPARE(cardCount(), before);
        activate(editorWindow);
    }

    void badInputIsRecordedByTheRules()
    {
        // A binary blob under an application's own type.
        const QByteArray blob("\x00\x01\xfe\xff\x00", 5);
        xclip(u"application/x-example-blob"_qs, blob);
        QCOMPARE(expectCard({{0, u"application/x-example-blob"_qs, blob}}, u"text"_qs).title,
                 u"Conteúdo: application/x-example-blob"_qs);
        // Text that is not UTF-8.
        const QByteArray broken("\xc3\x28\xff caf\xe9", 9);
        xclip(u"text/plain;charset=utf-8"_qs, broken);
        QCOMPARE(expectCard({{0, u"public.utf8-plain-text"_qs, broken}}, u"text"_qs).title,
                 u"Conteúdo: public.utf8-plain-text"_qs);
        // Image and PDF bytes that do not decode keep their plain titles.
        xclip(u"image/png"_qs, "\x89PNG\r\n\x1a\n but no image");
        const Card image =
            expectCard({{0, u"public.png"_qs, "\x89PNG\r\n\x1a\n but no image"}}, u"image"_qs);
        QCOMPARE(image.title, u"Imagem"_qs);
        QVERIFY(image.thumbnail.isEmpty());
        xclip(u"application/pdf"_qs, "%PDF-1.7 cut short");
        QCOMPARE(expectCard({{0, u"com.adobe.pdf"_qs, "%PDF-1.7 cut short"}}, u"pdf"_qs).title,
                 u"PDF"_qs);
        // A broken file URL beside text: the text decides.
        xclip(u"text/uri-list"_qs, "file:///tmp/\xff\xfe\r\n");
        QVERIFY(expectCard({{0, u"public.file-url"_qs, "file:///tmp/\xff\xfe"}}, u"text"_qs)
                    .title.startsWith(u"Conteúdo: "_qs));
    }

    void manyFiles()
    {
        QByteArray list;
        QList<Rep> reps;
        for (int i = 0; i < 10000; ++i) {
            const QByteArray uri = "file:///srv/fotos/IMG_" + QByteArray::number(i) + ".jpg";
            list += uri + "\r\n";
            reps << Rep{i, u"public.file-url"_qs, uri};
        }
        xclip(u"text/uri-list"_qs, list);
        const Card c = expectCard(reps, u"file"_qs);
        QCOMPARE(c.title.count(QLatin1Char('\n')), 9999);
    }

    void aVanishedOwnerIsSkipped()
    {
        const qint64 before = cardCount();
        xclip(u"UTF8_STRING"_qs, "gone before it was read");
        QTest::qWait(100);
        owners.back()->kill(); // within the quiet period
        owners.back()->waitForFinished(3000);
        QTest::qWait(1000);
        QCOMPARE(cardCount(), before);
        // The monitor goes on.
        xclip(u"UTF8_STRING"_qs, "after the vanished owner");
        expectCard({{0, u"public.utf8-plain-text"_qs, "after the vanished owner"}}, u"text"_qs);
    }

    void aCopyOverTheSizeLimitIsDropped()
    {
        const qint64 before = cardCount();
        const QString file = QDir::home().filePath(u"big.bin"_qs);
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QByteArray mib(1024 * 1024, 'a');
            for (int i = 0; i < 300; ++i)
                f.write(mib);
        }
        SessionRunner::start(u"xclip"_qs, {u"-quiet"_qs, u"-selection"_qs, u"clipboard"_qs,
                                           u"-t"_qs, u"application/x-huge"_qs, u"-i"_qs, file});
        QVERIFY(logged("Tipo application/x-huge descartado: 314572800 bytes passam do limite"));
        QFile::remove(file);
        QCOMPARE(cardCount(), before);
        xclip(u"UTF8_STRING"_qs, "after the huge copy");
        expectCard({{0, u"public.utf8-plain-text"_qs, "after the huge copy"}}, u"text"_qs);
    }

    void copyingTheSameContentAgainKeepsOneCard()
    {
        const QByteArray text = "Olá, área de transferência ✓";
        const qint64 before = cardCount();
        xclip(u"UTF8_STRING"_qs, text);
        DbProbe db(dbPath());
        const QString sum = checksumOf({{0, u"public.utf8-plain-text"_qs, text}});
        // Captured again: the card comes back to the top of the history.
        QVERIFY(DesktopSession::waitFor([&] {
            return db.scalar(u"SELECT checksum FROM items ORDER BY created_at DESC LIMIT 1"_qs)
                       .toString() == sum;
        }));
        QCOMPARE(cardCount(), before);
    }
};

int main(int argc, char **argv)
{
    DesktopSession::Options options;
    options.windowManager = true;
    return SessionRunner::exec(argc, argv, options, [](int argc, char **argv) {
        QGuiApplication app(argc, argv);
        E2eCapture test;
        const int failures = QTest::qExec(&test, argc, argv);
        SessionRunner::stopAll();
        return failures;
    });
}

#include "tst_e2e_capture.moc"
