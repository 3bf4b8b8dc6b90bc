#pragma once
// Portuguese relative times such as "há 3 minutos": a short form for compact places and a long
// form for the cards. Two ICU formatters, opened once per instance. Main thread only.

#include <QString>

struct URelativeDateTimeFormatter;

class RelativeTime
{
public:
    RelativeTime();
    ~RelativeTime();
    RelativeTime(const RelativeTime &) = delete;
    RelativeTime &operator=(const RelativeTime &) = delete;

    // Times are seconds since 1970. "agora" under 10 seconds ago, else "há 7 seg.", "há 3 h".
    QString string(double date, double now) const;
    // "agora mesmo" under 5 seconds ago, else "há 7 segundos", "há 3 horas".
    QString longString(double date, double now) const;

    static double currentTime();

private:
    static QString format(URelativeDateTimeFormatter *formatter, double secondsAgo);

    URelativeDateTimeFormatter *m_short = nullptr;
    URelativeDateTimeFormatter *m_long = nullptr;
};
