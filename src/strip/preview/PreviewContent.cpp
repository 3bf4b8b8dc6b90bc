#include "PreviewContent.h"

#include "strip/cards/ByteCount.h"
#include "strip/cards/HexColor.h"
#include "core/FileCategory.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPdfDocument>
#include <QRegularExpression>

namespace PreviewContents {

namespace {

const QString kPlainText = QStringLiteral("public.utf8-plain-text");
const QString kHtml = QStringLiteral("public.html");
const QString kRtf = QStringLiteral("public.rtf");

QByteArray readStart(const QString &path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(bytes);
}

// Cut on a character boundary: a UTF-8 sequence cut short would show as a replacement mark.
QString decodeStart(const QByteArray &bytes, bool cut)
{
    QByteArray data = bytes;
    if (cut) {
        qsizetype end = data.size();
        while (end > 0 && (uchar(data.at(end - 1)) & 0xC0) == 0x80)
            --end;
        if (end > 0 && uchar(data.at(end - 1)) >= 0xC0)
            --end;
        data.truncate(end);
    }
    return QString::fromUtf8(data);
}

QString textOf(const QByteArray &bytes)
{
    const bool cut = bytes.size() > kMaxTextBytes;
    return decodeStart(cut ? bytes.left(kMaxTextBytes) : bytes, cut);
}

const Representation *find(const QList<Representation> &reps, const QString &type)
{
    for (const Representation &rep : reps) {
        if (rep.type == type)
            return &rep;
    }
    return nullptr;
}

// RTF without its control words and groups of destinations: enough to read the text when the
// card has neither HTML nor plain text beside it.
QString rtfToPlain(const QString &rtf)
{
    QString text = rtf;
    static const QRegularExpression destinations(
        QStringLiteral(R"(\{\\\*[^{}]*\}|\{\\(fonttbl|colortbl|stylesheet|info)[^{}]*(\{[^{}]*\}[^{}]*)*\})"));
    static const QRegularExpression breaks(QStringLiteral(R"(\\(par|line)\b ?)"));
    static const QRegularExpression words(QStringLiteral(R"(\\[a-zA-Z]+-?\d* ?)"));
    static const QRegularExpression hexChar(QStringLiteral(R"(\\'([0-9a-fA-F]{2}))"));
    text.remove(destinations);
    text.replace(breaks, QStringLiteral("\n"));
    QString out;
    qsizetype from = 0;
    for (auto it = hexChar.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(from, m.capturedStart() - from);
        out += QChar(m.captured(1).toInt(nullptr, 16)); // Latin-1, the common code page
        from = m.capturedEnd();
    }
    out += text.mid(from);
    out.remove(words);
    out.remove(u'{');
    out.remove(u'}');
    return out.trimmed();
}

PreviewContent symbolContent(const QString &symbol)
{
    PreviewContent content;
    content.mode = PreviewMode::Symbol;
    content.symbol = symbol;
    return content;
}

PreviewContent pictureContent(const QString &path, const QString &symbol)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    const qint64 pixels = qint64(size.width()) * size.height();
    if (!reader.canRead() || !size.isValid() || pixels <= 0 || pixels > kMaxPixels)
        return symbolContent(symbol);
    PreviewContent content;
    content.path = path;
    content.mode = reader.supportsAnimation() && reader.imageCount() > 1 ? PreviewMode::Animation
                                                                          : PreviewMode::Picture;
    return content;
}

PreviewContent pdfContent(const QString &path, const QString &symbol)
{
    QPdfDocument document;
    if (document.load(path) != QPdfDocument::Error::None || document.pageCount() < 1)
        return symbolContent(symbol);
    PreviewContent content;
    content.mode = PreviewMode::Pdf;
    content.path = path;
    content.pages = document.pageCount();
    content.pageSize = document.pagePointSize(0);
    return content;
}

PreviewFile describe(const QString &path, const QMimeDatabase &mimes)
{
    const QFileInfo info(path);
    const QMimeType mime = mimes.mimeTypeForFile(info);
    PreviewFile file;
    file.path = path;
    file.name = info.fileName().isEmpty() ? path : info.fileName();
    if (info.isFile())
        file.size = ByteCount::file(info.size());
    file.type = FileCategories::singular(FileCategories::of(path));
    file.iconName = mime.iconName();
    file.genericIconName = mime.genericIconName();
    return file;
}

} // namespace

PreviewContent forFile(const QString &path, const QString &symbol)
{
    const QMimeDatabase mimes;
    const QFileInfo info(path);
    if (info.isFile() && info.isReadable()) {
        const QMimeType mime = mimes.mimeTypeForFile(info);
        if (mime.name() == u"application/pdf")
            return pdfContent(path, symbol);
        if (mime.name().startsWith(u"image/") &&
            QImageReader::supportedMimeTypes().contains(mime.name().toLatin1())) {
            const PreviewContent picture = pictureContent(path, symbol);
            if (picture.mode != PreviewMode::Symbol)
                return picture;
        }
        if (mime.inherits(QStringLiteral("text/plain"))) {
            PreviewContent content;
            content.mode = PreviewMode::Text;
            content.text = textOf(readStart(path, kMaxTextBytes + 4));
            return content;
        }
    }
    PreviewContent content;
    content.mode = PreviewMode::Files;
    content.files << describe(path, mimes);
    return content;
}

PreviewContent forCard(const ClipItem &item, const QList<Representation> &reps,
                       const QString &file)
{
    const QString symbol = item.typeSymbol();
    PreviewContent content;
    switch (item.kind) {
    case ClipKind::Color:
        content.mode = PreviewMode::Color;
        content.color = HexColor::parseOrGray(item.title);
        return content;
    case ClipKind::Text:
    case ClipKind::Link:
        content.mode = PreviewMode::Text;
        content.link = item.kind == ClipKind::Link;
        content.text = textOf(readStart(file, kMaxTextBytes + 4));
        return content;
    case ClipKind::RichText:
        if (const Representation *html = find(reps, kHtml)) {
            content.mode = PreviewMode::RichText;
            content.text = textOf(html->data);
        } else if (const Representation *plain = find(reps, kPlainText)) {
            content.mode = PreviewMode::Text;
            content.text = textOf(plain->data);
        } else {
            content.mode = PreviewMode::Text;
            const Representation *rtf = find(reps, kRtf);
            content.text = rtfToPlain(textOf(rtf ? rtf->data : readStart(file, kMaxTextBytes)));
        }
        return content;
    case ClipKind::Image:
        return pictureContent(file, symbol);
    case ClipKind::Pdf:
        return pdfContent(file, symbol);
    case ClipKind::File: {
        const QStringList paths = item.filePaths();
        if (paths.size() == 1)
            return forFile(paths.first(), symbol);
        if (paths.isEmpty())
            return forFile(file, symbol);
        const QMimeDatabase mimes;
        content.mode = PreviewMode::Files;
        for (const QString &path : paths.mid(0, kMaxFiles))
            content.files << describe(path, mimes);
        return content;
    }
    }
    return symbolContent(symbol);
}

} // namespace PreviewContents
