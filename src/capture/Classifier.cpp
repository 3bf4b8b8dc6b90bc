#include "Classifier.h"

#include "OfferedText.h"

#include "core/ClipboardTypes.h"
#include "core/FileUrl.h"
#include "core/TextCut.h"

#include "platform/Log.h"

#include <QSet>
#include <QStringDecoder>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace Classifier {

namespace {

std::optional<QString> decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The first plain-text representation, trimmed; undecodable bytes count as no text.
QString plainText(const QList<Representation> &reps)
{
    for (const Representation &rep : reps) {
        if (rep.type == ClipboardTypes::plainText)
            return decodeUtf8(rep.data).value_or(QString()).trimmed();
    }
    return {};
}

const Representation *firstOfType(const QList<Representation> &reps, const QString &type)
{
    const auto it = std::find_if(reps.cbegin(), reps.cend(),
                                 [&](const Representation &r) { return r.type == type; });
    return it == reps.cend() ? nullptr : &*it;
}

// A PNG anywhere wins over a TIFF listed earlier, and so on down this order.
const Representation *imageRep(const QList<Representation> &reps, const QSet<QString> &types)
{
    for (const QString &type : {ClipboardTypes::png, ClipboardTypes::tiff, ClipboardTypes::jpeg,
                                ClipboardTypes::heic}) {
        if (types.contains(type))
            return firstOfType(reps, type);
    }
    return nullptr;
}

int channel(double component)
{
    // Wide-gamut components can fall outside 0…1; keep the title two hex digits wide.
    return int(std::trunc(std::clamp(component, 0.0, 1.0) * 255));
}

bool looksSecret(const QString &text)
{
    // A match that fails to run cannot vouch for the text: keep it out rather than store it.
    const QRegularExpressionMatch match = CaptureRules::secretPattern().match(text);
    return !match.isValid() || match.hasMatch();
}

// Every text a reader could get from the copy counts, whatever the card will show: a secret
// in HTML beside an image, or in bytes that are not valid UTF-8, is still a secret.
bool offersSecret(const QList<Representation> &reps)
{
    const QStringList texts = OfferedText::of(reps);
    return std::any_of(texts.cbegin(), texts.cend(), looksSecret);
}

} // namespace

bool hasLineBreak(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
    });
}

bool isWebLink(const QString &text)
{
    if (text.isEmpty() || hasLineBreak(text))
        return false;
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

std::optional<QString> filePath(const QByteArray &urlBytes)
{
    const std::optional<QString> text = decodeUtf8(urlBytes);
    if (!text)
        return std::nullopt;
    const QUrl url(*text, QUrl::StrictMode);
    if (!FileUrl::isLocal(url))
        return std::nullopt;
    QString path = url.path(QUrl::FullyDecoded);
    if (path.isEmpty())
        return std::nullopt;
    // Folders arrive as "file:///x/Tool.app/"; the path names the folder itself.
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

std::optional<CapturedClip> classify(const QList<Representation> &reps, qint64 total,
                                     const CaptureRules &rules, const ColorReader &readColor)
{
    CapturedClip clip;
    clip.reps = reps;
    clip.checksum = Representation::checksum(reps);
    clip.totalBytes = total;

    QSet<QString> types;
    for (const Representation &rep : reps)
        types.insert(rep.type);
    const QString text = plainText(reps);

    QStringList paths;
    for (const Representation &rep : reps) {
        if (rep.type != ClipboardTypes::fileUrl)
            continue;
        if (const std::optional<QString> path = filePath(rep.data))
            paths << *path;
    }

    if (!paths.isEmpty()) {
        clip.kind = ClipKind::File;
        clip.title = paths.join(QLatin1Char('\n'));
        return clip;
    }
    if (rules.skipSecrets && offersSecret(reps)) {
        qCInfo(lcVaru, "Texto parece conter senha ou token; cópia não guardada");
        return std::nullopt;
    }
    if (const Representation *image = imageRep(reps, types); image && text.isEmpty()) {
        clip.kind = ClipKind::Image;
        clip.title = QStringLiteral("Imagem");
        clip.imageData = image->data;
        return clip;
    }
    if (const Representation *pdf = firstOfType(reps, ClipboardTypes::pdf);
        pdf && text.isEmpty()) {
        clip.kind = ClipKind::Pdf;
        clip.title = QStringLiteral("PDF");
        clip.imageData = pdf->data;
        return clip;
    }
    if (types.contains(ClipboardTypes::color) && readColor) {
        if (const std::optional<SrgbColor> color = readColor()) {
            clip.kind = ClipKind::Color;
            clip.title = QString::asprintf("#%02X%02X%02X", channel(color->red),
                                           channel(color->green), channel(color->blue));
            return clip;
        }
    }
    if (text.isEmpty()) {
        clip.kind = ClipKind::Text;
        clip.title = QStringLiteral("Conteúdo: ") +
                     (reps.isEmpty() ? QStringLiteral("?") : reps.first().type);
        return clip;
    }
    if (isWebLink(text))
        clip.kind = ClipKind::Link;
    else if (types.contains(ClipboardTypes::rtf) || types.contains(ClipboardTypes::html))
        clip.kind = ClipKind::RichText;
    else
        clip.kind = ClipKind::Text;
    clip.title = TextCut::leadingCharacters(text, TextCut::kMaxTitleLength);
    return clip;
}

} // namespace Classifier
