#include "ByteCount.h"

#include <QLocale>

#include <array>
#include <cmath>

namespace ByteCount {

QString file(qint64 bytes)
{
    if (bytes == 0)
        return QStringLiteral("Zero KB");
    if (bytes == 1)
        return QStringLiteral("1 byte");
    if (bytes < 1000 && bytes > -1000)
        return QString::number(bytes) + QStringLiteral(" bytes");

    struct Unit
    {
        const char *name;
        int decimals;
    };
    // Larger units show more digits, the way file managers size them.
    constexpr std::array<Unit, 5> units{{{"KB", 0}, {"MB", 1}, {"GB", 2}, {"TB", 2}, {"PB", 2}}};
    static const QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    double value = double(bytes) / 1000.0;
    size_t u = 0;
    // Move up while the rounded figure would read 1000 or more (999.96 MB is "1 GB").
    while (u + 1 < units.size()) {
        const double scale = std::pow(10.0, units[u].decimals);
        if (std::abs(std::round(value * scale) / scale) < 1000.0)
            break;
        value /= 1000.0;
        ++u;
    }
    QString text = locale.toString(value, 'f', units[u].decimals);
    if (units[u].decimals > 0) {
        // "1,0 MB" reads "1 MB".
        const QChar comma = locale.decimalPoint().front();
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(comma))
            text.chop(1);
    }
    return text + QLatin1Char(' ') + QLatin1String(units[u].name);
}

} // namespace ByteCount
