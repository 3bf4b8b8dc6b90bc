#include "ClipboardMonitor.h"

#include "Classifier.h"
#include "core/ClipboardTypes.h"

#include "platform/Log.h"

ClipboardMonitor::ClipboardMonitor(Clipboard &clipboard, FrontmostApp &apps, CaptureRules rules,
                                     QObject *parent)
    : QObject(parent)
    , m_clipboard(clipboard)
    , m_apps(apps)
    , m_rules(std::move(rules))
    , m_lastChangeCount(clipboard.changeCount())
{
    m_pollTimer.setInterval(kPollIntervalMs);
    m_pollTimer.setTimerType(Qt::CoarseTimer); // 5 % slack, as much as a poll can afford
    connect(&m_pollTimer, &QTimer::timeout, this, &ClipboardMonitor::poll);

    m_debounceTimer.setSingleShot(true);
    m_debounceTimer.setInterval(kQuietPeriodMs);
    m_debounceTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_debounceTimer, &QTimer::timeout, this, [this] { capture(false); });
}

void ClipboardMonitor::setTiming(const Timing &timing)
{
    m_pollTimer.setInterval(timing.pollMs);
    m_debounceTimer.setInterval(timing.quietMs);
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
    m_pollTimer.start();
    refreshAccess();
}

void ClipboardMonitor::poll()
{
    const qint64 count = m_clipboard.changeCount();
    if (count == m_lastChangeCount)
        return;
    m_lastChangeCount = count;
    m_debounceTimer.start(); // restarts a pending one: a burst gives one capture
}

void ClipboardMonitor::flushPending()
{
    poll();
    if (m_debounceTimer.isActive())
        capture(false);
}

void ClipboardMonitor::markOwnWrite()
{
    m_lastChangeCount = m_clipboard.changeCount();
    m_debounceTimer.stop();
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
    m_debounceTimer.stop();
    if (m_paused && !userInitiated)
        return;

    const Access state = refreshAccess();
    if (state == Access::Denied)
        return;
    if (state == Access::NeedsPermission && !userInitiated) {
        qCInfo(lcVaru, "Sem permissão permanente de leitura do clipboard; captura ignorada");
        return;
    }

    const int itemCount = m_clipboard.itemCount();
    if (itemCount <= 0) {
        refreshAccess();
        return;
    }

    QStringList types;
    for (int item = 0; item < itemCount; ++item)
        types += m_clipboard.types(item);
    if (const std::optional<QString> ignored = m_rules.ignoredType(types)) {
        qCInfo(lcVaru, "Tipo ignorado %s; cópia não guardada", qUtf8Printable(*ignored));
        refreshAccess();
        return;
    }

    const bool remote = types.contains(ClipboardTypes::remoteMarker);
    // Taken after the quiet period: switching applications meanwhile credits the new one.
    const std::optional<AppIdentity> app = m_apps.frontmost();
    const std::optional<QString> appID = app ? app->appID : std::nullopt;
    if (!remote && m_rules.isIgnoredApp(appID)) {
        qCInfo(lcVaru, "App ignorado %s", qUtf8Printable(appID.value_or(QStringLiteral("?"))));
        refreshAccess();
        return;
    }

    qint64 total = 0;
    const QList<Representation> reps = readRepresentations(itemCount, total);
    if (reps.isEmpty()) {
        refreshAccess();
        return;
    }

    std::optional<CapturedClip> clip =
        Classifier::classify(reps, total, m_rules, [this] { return m_clipboard.readColor(); });
    if (!clip) {
        refreshAccess();
        return;
    }

    if (remote) {
        clip->sourceName = QStringLiteral("Outro dispositivo");
    } else if (app) {
        clip->sourceAppID = app->appID;
        clip->sourceName = app->name;
    }
    Q_EMIT captured(*clip);
    refreshAccess();
}
