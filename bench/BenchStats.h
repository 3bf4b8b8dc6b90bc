#pragma once
// Median and percentiles of a set of timings, printed in one line per figure.

#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstdio>

namespace BenchStats {

inline double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

inline double percentile(QList<double> values, double p)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype i =
        std::min<qsizetype>(values.size() - 1, qsizetype(p * (values.size() - 1) + 0.5));
    return values.at(i);
}

inline void print(const char *what, const QList<double> &ms)
{
    std::printf("%-52s median %8.3f ms   p90 %8.3f ms   (n=%lld)\n", what, percentile(ms, 0.5),
                percentile(ms, 0.9), static_cast<long long>(ms.size()));
}

} // namespace BenchStats
