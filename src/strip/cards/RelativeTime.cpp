#include "RelativeTime.h"

#include <QDateTime>

#include <unicode/ureldatefmt.h>

#include <cmath>

namespace {

URelativeDateTimeFormatter *open(UDateRelativeDateTimeFormatterStyle style)
{
    UErrorCode status = U_ZERO_ERROR;
    URelativeDateTimeFormatter *f =
        ureldatefmt_open("pt_BR", nullptr, style, UDISPCTX_CAPITALIZATION_NONE, &status);
    if (U_FAILURE(status)) {
        ureldatefmt_close(f);
        return nullptr;
    }
    return f;
}

// The largest unit that is at least one, as a calendar would name the distance.
std::pair<double, URelativeDateTimeUnit> unitFor(double secondsAgo)
{
    const double s = std::floor(secondsAgo);
    constexpr double minute = 60, hour = 3600, day = 86400;
    if (s < minute)
        return {s, UDAT_REL_UNIT_SECOND};
    if (s < hour)
        return {std::floor(s / minute), UDAT_REL_UNIT_MINUTE};
    if (s < day)
        return {std::floor(s / hour), UDAT_REL_UNIT_HOUR};
    const double days = std::floor(s / day);
    if (days < 7)
        return {days, UDAT_REL_UNIT_DAY};
    if (days < 30)
        return {std::floor(days / 7), UDAT_REL_UNIT_WEEK};
    if (days < 365)
        return {std::floor(days / 30), UDAT_REL_UNIT_MONTH};
    return {std::floor(days / 365), UDAT_REL_UNIT_YEAR};
}

} // namespace

RelativeTime::RelativeTime()
    : m_short(open(UDAT_STYLE_SHORT))
    , m_long(open(UDAT_STYLE_LONG))
{}

RelativeTime::~RelativeTime()
{
    if (m_short)
        ureldatefmt_close(m_short);
    if (m_long)
        ureldatefmt_close(m_long);
}

double RelativeTime::currentTime()
{
    return QDateTime::currentMSecsSinceEpoch() / 1000.0;
}

QString RelativeTime::string(double date, double now) const
{
    const double ago = now - date;
    if (ago < 10)
        return QStringLiteral("agora");
    return format(m_short, ago);
}

QString RelativeTime::longString(double date, double now) const
{
    const double ago = now - date;
    if (ago < 5)
        return QStringLiteral("agora mesmo");
    return format(m_long, ago);
}

QString RelativeTime::format(URelativeDateTimeFormatter *formatter, double secondsAgo)
{
    const auto [value, unit] = unitFor(secondsAgo);
    if (formatter) {
        UChar buffer[128];
        UErrorCode status = U_ZERO_ERROR;
        const int32_t n = ureldatefmt_formatNumeric(formatter, -value, unit, buffer, 128, &status);
        if (U_SUCCESS(status) && n <= 128)
            return QString(reinterpret_cast<const QChar *>(buffer), n);
    }
    // Without ICU's data the card still says something sensible.
    return QStringLiteral("há %1 s").arg(qint64(secondsAgo));
}
