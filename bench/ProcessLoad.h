#pragma once
// What a process costs while it should be doing nothing, read from /proc: CPU time to the
// nanosecond (schedstat) and wake-ups (voluntary context switches), per thread and in all.

#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>

#include <cstdio>

namespace ProcessLoad {

struct Thread
{
    QString name;
    double cpuMs = 0;
    qint64 wakeups = 0;
};

// The live threads of `pid`, by thread id.
inline QMap<qint64, Thread> threads(qint64 pid)
{
    QMap<qint64, Thread> result;
    const QString base = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &tid : QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString dir = base + QLatin1Char('/') + tid + QLatin1Char('/');
        Thread t;
        QFile comm(dir + u"comm"_qs);
        if (comm.open(QIODevice::ReadOnly))
            t.name = QString::fromUtf8(comm.readAll().trimmed());
        QFile sched(dir + u"schedstat"_qs);
        if (sched.open(QIODevice::ReadOnly))
            t.cpuMs = sched.readAll().split(' ').value(0).toDouble() / 1e6;
        QFile status(dir + u"status"_qs);
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : status.readAll().split('\n')) {
                if (line.startsWith("voluntary_ctxt_switches:"))
                    t.wakeups = line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
            }
        }
        result.insert(tid.toLongLong(), t);
    }
    return result;
}

// The change between two readings; a thread that started meanwhile counts from zero. Threads
// that ended meanwhile are lost to /proc, and counted in `ended`.
struct Delta
{
    double cpuMs = 0;
    qint64 wakeups = 0;
    int ended = 0;
    QMap<QString, Thread> byName; // threads of one name added up
};

inline Delta between(const QMap<qint64, Thread> &before, const QMap<qint64, Thread> &after)
{
    Delta d;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const Thread was = before.value(it.key());
        Thread &named = d.byName[it->name];
        named.name = it->name;
        named.cpuMs += it->cpuMs - was.cpuMs;
        named.wakeups += it->wakeups - was.wakeups;
        d.cpuMs += it->cpuMs - was.cpuMs;
        d.wakeups += it->wakeups - was.wakeups;
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        d.ended += after.contains(it.key()) ? 0 : 1;
    return d;
}

// "name 12 (0.40 ms), other 3 (0.10 ms)" for the threads that woke at all.
inline QString describe(const Delta &d)
{
    QStringList parts;
    for (const Thread &t : d.byName) {
        if (t.wakeups > 0 || t.cpuMs >= 0.01)
            parts << QStringLiteral("%1 %2 (%3 ms)").arg(t.name).arg(t.wakeups).arg(t.cpuMs, 0,
                                                                                  'f', 2);
    }
    if (d.ended > 0)
        parts << QStringLiteral("%1 thread(s) ended, uncounted").arg(d.ended);
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(u", ");
}

} // namespace ProcessLoad
