// Previews of the files on file cards, made here for images, PDF documents and text; damaged,
// unknown and missing files keep their icon.

#include "strip/cards/FileThumbnails.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

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

        const QString notes = file(u"notas.md"_qs);
        QVERIFY(write(notes, "# Título\n\nlinha\n"));
        QVERIFY(!preview(thumbs, notes).isNull());

        const QString broken = file(u"quebrada.png"_qs);
        const QString binary = file(u"dados.txt"_qs);
        QVERIFY(write(broken, "not a picture") && write(binary, QByteArray("abc\0def", 7)));
        for (const QString &none :
             {broken, binary, file(u"proposta.docx"_qs), dir.path(), file(u"sumiu.jpg"_qs)})
            QVERIFY2(preview(thumbs, none).isNull(), qPrintable(none));
    }
};

QTEST_MAIN(TestFileThumbnails)
#include "tst_filethumbnails.moc"
