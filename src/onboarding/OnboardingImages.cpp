#include "OnboardingImages.h"

#include "strip/cards/SymbolIcons.h"

#include <QFile>
#include <QIcon>
#include <QPainter>

OnboardingImages::OnboardingImages()
    : QQuickImageProvider(QQuickImageProvider::Image)
{}

QImage OnboardingImages::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const QSize want = requestedSize.isValid() ? requestedSize : QSize(64, 64);
    QImage image;
    if (id == u"appicon") {
        image = QImage(want, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        // The icon built into the program, else whatever the theme has under its id.
        const QString builtIn = QStringLiteral(":/icons/com.teko.varu.svg");
        const QIcon icon = QFile::exists(builtIn)
                               ? QIcon(builtIn)
                               : QIcon::fromTheme(QStringLiteral("com.teko.varu"));
        QPainter p(&image);
        icon.paint(&p, image.rect());
    } else {
        // "symbol/<name>/<argb>"; the name may not hold a slash, the colour never does.
        const QStringList parts = id.split(u'/');
        if (parts.size() == 3 && parts.first() == u"symbol")
            image = SymbolIcons::render(parts.at(1), want, QColor(u'#' + parts.at(2)));
    }
    if (image.isNull()) {
        image = QImage(want, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
    }
    if (size)
        *size = image.size();
    return image;
}
