// Previews of the files on file cards: the desktop's shared thumbnail cache while its entry is
// still valid, else pictures made here for images, PDF documents and text; kept by path and
// modification time so a changed file is previewed again.

#include "strip/FileThumbnails.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

QImage solid(QSize size, const QColor &color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool setModified(const QString &path, double seconds)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) &&
           f.setFileTime(QDateTime::fromMSecsSinceEpoch(qint64(seconds * 1000)),
                         QFileDevice::FileModificationTime);
}

// A PNG with text chunks as thumbnailers write them (Qt's writer cannot write "::" keys).
QByteArray pngWithText(const QImage &image, const QList<std::pair<QByteArray, QByteArray>> &text)
{
    const auto bigEndian = [](quint32 v) {
        const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
        return QByteArray(b, 4);
    };
    const auto crc32 = [](const QByteArray &bytes) {
        quint32 crc = 0xFFFFFFFF;
        for (const char c : bytes) {
            crc ^= quint8(c);
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
        }
        return ~crc;
    };
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray chunks;
    for (const auto &[key, value] : text) {
        const QByteArray body = "tEXt" + key + '\0' + value;
        chunks += bigEndian(quint32(body.size() - 4)) + body + bigEndian(crc32(body));
    }
    constexpr int kAfterHeader = 8 + 25; // signature, then the IHDR chunk
    return png.insert(kAfterHeader, chunks);
}

} // namespace

class TestFileThumbnails : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString file(const QString &name) const { return dir.filePath(name); }
    QImage preview(FileThumbnails &thumbs, const QString &path)
    {
        return thumbs.thumbnail(path, FileThumbnails::key(path));
    }

private Q_SLOTS:
    void theSharedCacheComesFirstWhileValid()
    {
        const QString cacheHome = file(u"cache"_qs);
        const QString path = file(u"foto.png"_qs);
        QVERIFY(solid({800, 600}, Qt::blue).save(path));
        QVERIFY(setModified(path, 1'600'000'000));
        // The entry a file manager writes for the file.
        const auto share = [&](const QByteArray &mtime) {
            const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
            const QByteArray name = QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex();
            QDir().mkpath(cacheHome + u"/thumbnails/large"_qs);
            return write(cacheHome + u"/thumbnails/large/"_qs + QString::fromLatin1(name) +
                             u".png"_qs,
                         pngWithText(solid({256, 192}, Qt::green),
                                     {{"Thumb::URI", uri}, {"Thumb::MTime", mtime}}));
        };
        FileThumbnails thumbs(cacheHome);
        QVERIFY(share("1600000000"));
        QCOMPARE(preview(thumbs, path).pixelColor(5, 5), QColor(Qt::green));

        // An entry written for an older version of the file is stale: the file itself is
        // previewed instead.
        QVERIFY(share("1500000000"));
        QVERIFY(!thumbs.fromSharedCache(path));
        QVERIFY(setModified(path, 1'600'000'500));
        QCOMPARE(preview(thumbs, path).pixelColor(5, 5), QColor(Qt::blue));
    }

    void previewsMadeHere()
    {
        FileThumbnails thumbs{QString()}; // no shared cache

        const QString photo = file(u"grande.jpg"_qs);
        QVERIFY(solid({4000, 3000}, QColor(200, 80, 40)).save(photo, "JPEG"));
        QCOMPARE(preview(thumbs, photo).size(), QSize(440, 330));

        const QString pdf = file(u"doc.pdf"_qs);
        {
            QPdfWriter writer(pdf);
            QPainter(&writer).drawText(100, 100, u"Olá"_qs);
        }
        const QImage page = preview(thumbs, pdf);
        QVERIFY(page.height() > page.width()); // an upright page
        QCOMPARE(page.pixelColor(2, 2), QColor(Qt::white));

        const QString notes = file(u"notas.md"_qs);
        QVERIFY(write(notes, "# Título\n\nlinha\n"));
        QVERIFY(!preview(thumbs, notes).isNull());

        // Kinds without a preview, damaged files, folders and missing files keep their icon.
        const QString broken = file(u"quebrada.png"_qs);
        const QString binary = file(u"dados.txt"_qs);
        QVERIFY(write(broken, "not a picture") && write(binary, QByteArray("abc\0def", 7)));
        for (const QString &none :
             {broken, binary, file(u"proposta.docx"_qs), dir.path(), file(u"sumiu.jpg"_qs)})
            QVERIFY2(preview(thumbs, none).isNull(), qPrintable(none));
    }

    void aChangedFileIsPreviewedAgain()
    {
        FileThumbnails thumbs{QString()};
        const QString path = file(u"muda.png"_qs);
        QVERIFY(solid({100, 100}, Qt::red).save(path) && setModified(path, 1'700'000'000.5));
        const QString first = FileThumbnails::key(path);
        QCOMPARE(thumbs.thumbnail(path, first).pixelColor(1, 1), QColor(Qt::red));
        QVERIFY(solid({100, 100}, Qt::yellow).save(path) && setModified(path, 1'700'000'000.6));
        QCOMPARE(preview(thumbs, path).pixelColor(1, 1), QColor(Qt::yellow));
        QCOMPARE(thumbs.cached(first).pixelColor(1, 1), QColor(Qt::red));
    }
};

QTEST_MAIN(TestFileThumbnails)
#include "tst_filethumbnails.moc"
