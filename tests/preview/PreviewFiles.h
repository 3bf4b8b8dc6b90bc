#pragma once
// Files for the preview tests, made on the spot: pictures (with an orientation tag), an
// animation, PDF documents and a picture whose header claims more pixels than the budget.

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>


namespace PreviewFiles {

inline QString write(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

inline QString picture(const QDir &dir, const QString &name, QSize size, const char *format,
                       QImageIOHandler::Transformations turn = QImageIOHandler::TransformationNone)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    QPainter(&image).fillRect(0, 0, size.width() / 2, size.height(), QColor(220, 90, 40));
    const QString path = dir.filePath(name);
    QImageWriter writer(path, format);
    writer.setTransformation(turn);
    return writer.write(image) ? path : QString();
}

// Two frames of one pixel each, looping.
inline QString animation(const QDir &dir)
{
    const QByteArray frame = QByteArray::fromHex("21f90404" "0a000000"
                                                 "2c000000000100010000" "0202440100");
    const QByteArray gif = QByteArray("GIF89a") + QByteArray::fromHex("01000100800000" "000000ffffff") +
                           QByteArray::fromHex("21ff0b") + "NETSCAPE2.0" +
                           QByteArray::fromHex("0301000000") + frame + frame + ";";
    return write(dir, QStringLiteral("spin.gif"), gif);
}

inline QString pdf(const QDir &dir, const QString &name, int pages)
{
    const QString path = dir.filePath(name);
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.drawText(200, 200, QStringLiteral("Página %1").arg(page + 1));
    }
    painter.end();
    return path;
}

inline quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline QByteArray chunk(const QByteArray &type, const QByteArray &data)
{
    QByteArray out;
    const quint32 n = quint32(data.size());
    out.append(char(n >> 24)).append(char(n >> 16)).append(char(n >> 8)).append(char(n));
    const QByteArray body = type + data;
    out += body;
    const quint32 crc = crc32(body);
    out.append(char(crc >> 24)).append(char(crc >> 16)).append(char(crc >> 8)).append(char(crc));
    return out;
}

// A PNG header announcing 30000 × 30000 pixels (3.6 GB decoded) with almost no data behind it.
inline QString bomb(const QDir &dir)
{
    QByteArray header;
    for (quint32 v : {30000u, 30000u}) {
        header.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
    }
    header += QByteArray::fromHex("0802000000"); // 8-bit RGB
    const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a") + chunk("IHDR", header) +
                           chunk("IDAT", QByteArray::fromHex("789c030000000001")) +
                           chunk("IEND", {});
    return write(dir, QStringLiteral("bomb.png"), png);
}

} // namespace PreviewFiles
