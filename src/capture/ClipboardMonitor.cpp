#include "ClipboardMonitor.h"

#include "Classifier.h"
#include "core/ClipboardTypes.h"

#include "platform/Log.h"

#include <QDeadlineTimer>

#include <algorithm>

ClipboardMonitor::ClipboardMonitor(Clipboard &clipboard, FrontmostApp &apps, CaptureRules rules,
                                     QObject *parent)
    : QObject(parent)
    , m_clipboard(clipboard)
    , m_apps(apps)
    , m_rules(std::move(rules))
    , m_clock([] { return QDeadlineTimer::current().deadline(); })
    , m_lastChangeCount(clipboard.changeCount())
{
    m_pollTimer.setInterval(kPollIntervalMs);
    m_pollTimer.setTimerType(Qt::CoarseTimer); // 5 % slack, as much as a poll can afford
    connect(&m_pollTimer, &QTimer::timeout, this, &ClipboardMonitor::poll);

    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(kQuietPeriodMs);
    m_quietTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_quietTimer, &QTimer::timeout, this, &ClipboardMonitor::settle);
}

ClipboardMonitor::~ClipboardMonitor()
{
    if (m_notified)
        m_clipboard.setChangeHandler({});
}

void ClipboardMonitor::setTiming(const Timing &timing)
{
    m_timing = timing;
    m_pollTimer.setInterval(timing.pollMs);
    m_quietTimer.setInterval(timing.quietMs);
}

void ClipboardMonitor::setPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    Q_EMIT pausedChanged(paused);
}

void ClipboardMonitor::start()
{
    m_lastChangeCount = m_clipboard.changeCount();
    m_notified = m_clipboard.setChangeHandler([this] { poll(); });
    if (!m_notified)
        m_pollTimer.start();
    refreshAccess();
}

void ClipboardMonitor::poll()
{
    const qint64 count = m_clipboard.changeCount();
    if (count == m_lastChangeCount)
        return;
    m_lastChangeCount = count;
    changed();
}

namespace {

// Whether `later` holds everything `earlier` did: the owner added to its offer or offered it
// again, so keeping only the later one loses nothing.
bool extends(const QList<Representation> &earlier, const QList<Representation> &later)
{
    return std::all_of(earlier.cbegin(), earlier.cend(),
                       [&](const Representation &r) { return later.contains(r); });
}

} // namespace

// A copy is read as soon as it appears: its owner may exit, or replace it, right after. The
// copy it replaces is kept as a copy of its own when another owner replaced it or when it
// stood kMinStandMs. Only two kinds are merged into their successor: one its own owner (or
// an owner the platform does not name) replaced sooner, which is an offer still being
// written in steps (no one copies twice that fast), and one the new copy holds entirely.
void ClipboardMonitor::changed()
{
    const qint64 now = m_clock();
    const std::optional<quint64> owner = m_clipboard.ownerID();
    QList<Representation> reps;
    std::optional<CapturedClip> clip = read(false, reps);
    if (m_pending) {
        const qint64 stood = now - m_pending->at;
        const bool otherOwner = owner && m_pending->owner && *owner != *m_pending->owner;
        if ((otherOwner || stood >= m_timing.minStandMs) && !extends(m_pending->reps, reps))
            settle();
        else
            qCDebug(lcVaru, "Cópia substituída após %lld ms; fica a seguinte", stood);
    }
    m_pending = Pending{now, owner, std::move(reps), std::move(clip)};
    m_quietTimer.start();
}

void ClipboardMonitor::settle()
{
    m_quietTimer.stop();
    std::optional<Pending> pending = std::exchange(m_pending, std::nullopt);
    // A copy made before a pause but settling during it is skipped like one made during it.
    if (pending && pending->clip && !m_paused)
        Q_EMIT captured(*pending->clip);
}

void ClipboardMonitor::flushPending()
{
    poll();
    settle();
}

void ClipboardMonitor::markOwnWrite()
{
    m_lastChangeCount = m_clipboard.changeCount();
    m_quietTimer.stop();
    m_pending.reset();
}

ClipboardMonitor::Access ClipboardMonitor::refreshAccess()
{
    Access state = Access::Allowed;
    switch (m_clipboard.accessBehavior()) {
    case Clipboard::AccessBehavior::AlwaysAllow:
        state = Access::Allowed;
        break;
    case Clipboard::AccessBehavior::AlwaysDeny:
        state = Access::Denied;
        break;
    case Clipboard::AccessBehavior::Default:
    case Clipboard::AccessBehavior::Ask:
        state = Access::NeedsPermission;
        break;
    }
    if (state != m_access) {
        m_access = state;
        Q_EMIT accessChanged(state);
    }
    return state;
}

QList<Representation> ClipboardMonitor::readRepresentations(int itemCount, qint64 &total)
{
    QList<Representation> reps;
    for (int item = 0; item < itemCount; ++item) {
        for (const QString &type : m_clipboard.types(item)) {
            std::optional<QByteArray> data = m_clipboard.data(item, type);
            if (!data)
                continue;
            if (!m_rules.admit(total, data->size())) {
                qCInfo(lcVaru, "Tipo %s descartado: %ld bytes passam do limite",
                       qUtf8Printable(type), long(data->size()));
                continue;
            }
            reps.append(Representation{item, type, std::move(*data)});
        }
    }
    return reps;
}

void ClipboardMonitor::capture(bool userInitiated)
{
    // What is on the clipboard now is the latest change: a pending copy is that very copy.
    m_quietTimer.stop();
    m_pending.reset();
    m_lastChangeCount = m_clipboard.changeCount();
    QList<Representation> reps;
    if (std::optional<CapturedClip> clip = read(userInitiated, reps))
        Q_EMIT captured(*clip);
}

std::optional<CapturedClip> ClipboardMonitor::read(bool userInitiated,
                                                   QList<Representation> &reps)
{
    if (m_paused && !userInitiated)
        return std::nullopt;

    const Access state = refreshAccess();
    if (state == Access::Denied)
        return std::nullopt;
    if (state == Access::NeedsPermission && !userInitiated) {
        qCInfo(lcVaru, "Sem permissão permanente de leitura do clipboard; captura ignorada");
        return std::nullopt;
    }

    const int itemCount = m_clipboard.itemCount();
    if (itemCount <= 0) {
        refreshAccess();
        return std::nullopt;
    }

    QStringList types;
    for (int item = 0; item < itemCount; ++item)
        types += m_clipboard.types(item);
    if (const std::optional<QString> ignored = m_rules.ignoredType(types)) {
        qCInfo(lcVaru, "Tipo ignorado %s; cópia não guardada", qUtf8Printable(*ignored));
        refreshAccess();
        return std::nullopt;
    }

    const bool remote = types.contains(ClipboardTypes::remoteMarker);
    // Taken at the change: the application the user copied from.
    const std::optional<AppIdentity> app = m_apps.frontmost();
    const std::optional<QString> appID = app ? app->appID : std::nullopt;
    if (!remote && m_rules.isIgnoredApp(appID)) {
        qCInfo(lcVaru, "App ignorado %s", qUtf8Printable(appID.value_or(QStringLiteral("?"))));
        refreshAccess();
        return std::nullopt;
    }

    qint64 total = 0;
    reps = readRepresentations(itemCount, total);
    if (reps.isEmpty()) {
        refreshAccess();
        return std::nullopt;
    }

    std::optional<CapturedClip> clip =
        Classifier::classify(reps, total, m_rules, [this] { return m_clipboard.readColor(); });
    if (!clip) {
        refreshAccess();
        return std::nullopt;
    }

    if (remote) {
        clip->sourceName = QStringLiteral("Outro dispositivo");
    } else if (app) {
        clip->sourceAppID = app->appID;
        clip->sourceName = app->name;
    }
    refreshAccess();
    return clip;
}
