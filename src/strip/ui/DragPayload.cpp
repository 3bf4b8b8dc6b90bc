#include "DragPayload.h"

#include "core/ClipboardTypes.h"
#include "store/ExportFiles.h"

#include <QColor>
#include <QMimeData>
#include <QSet>
#include <QUrl>

#include <cstring>
#include <map>

namespace DragPayload {

namespace {

// Stored types that go out under a MIME name of their own, as on the clipboard.
const std::map<QString, QString> &mimeNames()
{
    using namespace ClipboardTypes;
    static const std::map<QString, QString> names = {
        {rtf, u"text/rtf"_qs},     {html, u"text/html"_qs},   {png, u"image/png"_qs},
        {jpeg, u"image/jpeg"_qs},  {tiff, u"image/tiff"_qs},  {heic, u"image/heic"_qs},
        {pdf, u"application/pdf"_qs},
    };
    return names;
}

std::optional<QString> plainText(const QList<Representation> &reps)
{
    for (const Representation &rep : reps) {
        if (rep.type == ClipboardTypes::plainText)
            return QString::fromUtf8(rep.data);
    }
    return std::nullopt;
}

// A stored colour: four native-endian 16-bit channels, as X11's application/x-color.
std::optional<QColor> colorOf(const QList<Representation> &reps)
{
    for (const Representation &rep : reps) {
        if (rep.type != ClipboardTypes::color || rep.data.size() != 8)
            continue;
        quint16 rgba[4];
        std::memcpy(rgba, rep.data.constData(), sizeof rgba);
        return QColor(QRgba64::fromRgba64(rgba[0], rgba[1], rgba[2], rgba[3]));
    }
    return std::nullopt;
}

// What all the dragged cards add up to, before it becomes one drag's data.
struct Offer
{
    QStringList texts;
    QList<QUrl> urls;
    std::map<QString, QByteArray> data; // MIME name -> bytes, the first card's win
    std::optional<QColor> color;
    QSet<QString> files;                // card files written for this drag

    void addData(const QList<Representation> &reps, const QSet<QString> &types)
    {
        for (const Representation &rep : reps) {
            const auto name = mimeNames().find(rep.type);
            if (types.contains(rep.type) && name != mimeNames().end())
                data.try_emplace(name->second, rep.data);
        }
    }
};

// Adds one card; false when it has nothing to give.
bool add(Offer &offer, const Card &card)
{
    using namespace ClipboardTypes;
    const ClipItem &item = card.item;
    switch (item.kind) {
    case ClipKind::Link: {
        const QUrl url(item.title.trimmed(), QUrl::StrictMode);
        if (url.isValid() && !url.isRelative())
            offer.urls.append(url);
        offer.texts.append(item.title);
        return true;
    }
    case ClipKind::Text:
    case ClipKind::RichText:
    case ClipKind::Color: {
        const std::optional<QColor> color = colorOf(card.reps);
        QString text = plainText(card.reps).value_or(item.title);
        if (text.isEmpty() && color)
            text = color->name(QColor::HexRgb).toUpper();
        offer.texts.append(text);
        if (color && !offer.color)
            offer.color = color;
        offer.addData(card.reps, {rtf, html});
        return true;
    }
    case ClipKind::Image:
    case ClipKind::Pdf: {
        const std::optional<QUrl> file =
            ExportFiles::url(item, card.reps, u"Drag"_qs, false, offer.files);
        if (file) {
            offer.urls.append(*file);
            offer.files.insert(file->toLocalFile());
        }
        offer.addData(card.reps, {png, tiff, jpeg, heic, pdf});
        return file.has_value() || !offer.data.empty();
    }
    case ClipKind::File: {
        const QList<QUrl> files = ExportFiles::fileURLs(card.reps);
        for (const QUrl &url : files) {
            offer.urls.append(url);
            offer.texts.append(url.toLocalFile());
        }
        return !files.isEmpty();
    }
    }
    return false;
}

} // namespace

std::unique_ptr<QMimeData> build(const QList<Card> &cards)
{
    Offer offer;
    QStringList ids;
    for (const Card &card : cards) {
        if (add(offer, card))
            ids.append(card.item.id);
    }
    if (ids.isEmpty())
        return nullptr;

    auto mime = std::make_unique<QMimeData>();
    for (const auto &[name, bytes] : offer.data)
        mime->setData(name, bytes);
    if (!offer.urls.isEmpty())
        mime->setUrls(offer.urls);
    if (!offer.texts.isEmpty())
        mime->setText(offer.texts.join(u'\n'));
    if (offer.color)
        mime->setColorData(*offer.color);
    mime->setData(QString::fromLatin1(itemType), ids.join(u'\n').toUtf8());
    return mime;
}

QStringList cardIDs(const QByteArray &payload)
{
    return QString::fromUtf8(payload).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace DragPayload
