#include "HexColor.h"

namespace HexColor {

std::optional<QColor> parse(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == u'#')
        ++from;
    while (to > from && text.at(to - 1) == u'#')
        --to;
    if (to - from != 6)
        return std::nullopt;
    uint rgb = 0;
    for (qsizetype i = from; i < to; ++i) {
        const char16_t c = text.at(i).unicode();
        uint digit = 0;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return std::nullopt; // no signs, spaces or "0x": six digits and nothing else
        rgb = rgb << 4 | digit;
    }
    return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QColor gray()
{
    return QColor::fromRgbF(0.56f, 0.56f, 0.58f);
}

QColor parseOrGray(const QString &text)
{
    return parse(text).value_or(gray());
}

} // namespace HexColor
