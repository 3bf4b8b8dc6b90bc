#include "CardFace.h"

#include "AppIcons.h"
#include "CardFooter.h"
#include "ExtBadge.h"
#include "FileThumbnails.h"
#include "HexColor.h"
#include "RelativeTime.h"

#include <QUrl>
#include <QVariantMap>

CardPresenter::CardPresenter(AppColors &colors, RelativeTime &times)
    : m_colors(colors)
    , m_times(times)
{}

QString CardPresenter::encode(const QString &text)
{
    return QString::fromLatin1(
        text.toUtf8().toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QString CardPresenter::decode(const QString &text)
{
    return QString::fromUtf8(QByteArray::fromBase64(
        text.toLatin1(), QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QString CardPresenter::fileThumbSource(const QString &path)
{
    return u"image://varuthumbs/"_qs + encode(FileThumbnails::key(path));
}

QString CardPresenter::fileIconSource(const QString &path)
{
    return u"image://varu/fileicon/"_qs + encode(path);
}

CardFace CardPresenter::face(const ClipItem &item) const
{
    CardFace f;
    f.headerTitle = item.customTitle ? *item.customTitle : item.typeLabel();
    const QColor headerColor = m_colors.color(item.sourceAppID).value_or(item.typeTint());
    f.headerSource = u"image://varu/header/"_qs + headerColor.name().mid(1) + u'/' +
                     item.typeSymbol() + u'/' + encode(item.sourceAppID.value_or(QString()));
    f.footer = CardFooter::text(item);

    switch (item.kind) {
    case ClipKind::Text:
    case ClipKind::RichText:
        f.body = item.title.left(kBodyCharacters);
        break;
    case ClipKind::Link:
        f.body = item.title.left(kBodyCharacters);
        f.linkHost = QUrl(item.title).host();
        break;
    case ClipKind::Image:
    case ClipKind::Pdf:
        if (const std::optional<qint64> bytes = item.thumbnailSize())
            f.thumbSource = u"image://varu/thumb/"_qs + encode(item.id) + u'/' +
                            QString::number(*bytes);
        break;
    case ClipKind::Color:
        f.body = item.title;
        f.swatch = HexColor::parseOrGray(item.title);
        break;
    case ClipKind::File: {
        const QStringList paths = item.filePaths();
        for (qsizetype i = 0; i < std::min<qsizetype>(3, paths.size()); ++i) {
            const QString &path = paths.at(i);
            f.files.append(QVariantMap{{u"thumb"_qs, fileThumbSource(path)},
                                       {u"icon"_qs, fileIconSource(path)},
                                       {u"badge"_qs, ExtBadge::text(path)},
                                       {u"badgeColor"_qs, ExtBadge::tint(path)}});
        }
        if (paths.size() > 3)
            f.moreLabel = u'+' + QString::number(paths.size() - 2);
        f.fileName = CardFooter::fileName(item);
        break;
    }
    }
    return f;
}

QString CardPresenter::timeLine(const ClipItem &item, double now) const
{
    const QString when = m_times.longString(item.createdAt, now);
    return item.customTitle ? item.typeLabel() + u" · "_qs + when : when;
}
