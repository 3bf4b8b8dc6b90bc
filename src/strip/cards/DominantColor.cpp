#include "DominantColor.h"

#include <QPainter>

#include <algorithm>

namespace DominantColor {

namespace {
constexpr int kSample = 24;
}

std::optional<QColor> of(const QImage &image)
{
    if (image.isNull())
        return std::nullopt;
    QImage sample(kSample, kSample, QImage::Format_ARGB32_Premultiplied);
    sample.fill(Qt::transparent);
    {
        QPainter p(&sample);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(0, 0, kSample, kSample), image);
    }
    sample = sample.convertToFormat(QImage::Format_ARGB32); // straight alpha

    double r = 0, g = 0, b = 0, total = 0;
    for (int y = 0; y < kSample; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(sample.constScanLine(y));
        for (int x = 0; x < kSample; ++x) {
            const QColor c = QColor::fromRgba(line[x]);
            if (c.alphaF() <= 0.5f)
                continue;
            const double weight = 2.0 * c.hsvSaturationF() * c.valueF() + 0.15;
            r += weight * c.redF();
            g += weight * c.greenF();
            b += weight * c.blueF();
            total += weight;
        }
    }
    if (total <= 0)
        return std::nullopt;

    const QColor average = QColor::fromRgbF(float(r / total), float(g / total), float(b / total));
    float hue = 0, saturation = 0, brightness = 0;
    average.getHsvF(&hue, &saturation, &brightness);
    // Gray icons stay gray; coloured ones are neither washed out nor garish.
    if (saturation >= 0.12f)
        saturation = std::clamp(saturation, 0.45f, 0.85f);
    brightness = std::clamp(brightness, 0.42f, 0.72f);
    return QColor::fromHsvF(std::max(hue, 0.0f), saturation, brightness);
}

std::optional<QColor> of(const QIcon &icon)
{
    if (icon.isNull())
        return std::nullopt;
    return of(icon.pixmap(QSize(kSample, kSample)).toImage());
}

} // namespace DominantColor
