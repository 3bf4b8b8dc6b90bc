#include "AppDelegate.h"

#include "CaptureRecorder.h"
#include "GlobalShortcut.h"
#include "StoreFunnel.h"
#include "capture/PasteTarget.h"
#include "capture/Paster.h"
#include "platform/x11/X11FrontmostApp.h"
#include "platform/x11/X11HotKeyGrabber.h"
#include "platform/x11/X11KeyInjector.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11Pasteboard.h"
#include "platform/x11/X11WindowFocus.h"
#include "settings/ConfigFile.h"
#include "settings/HotKeyRules.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

AppDelegate::AppDelegate(const QString &supportDir, QObject *parent)
    : QObject(parent)
    , m_supportDir(supportDir)
    , m_config(ConfigFile::load(supportDir))
{
}

AppDelegate::~AppDelegate() = default;

QString AppDelegate::databasePath() const
{
    return QDir(m_supportDir).filePath(QStringLiteral("varu.sqlite"));
}

void AppDelegate::applicationDidFinishLaunching()
{
    try {
        m_store = Store::open(databasePath());
    } catch (const StoreError &e) {
        fail(QStringLiteral("Não foi possível abrir o banco do histórico: ") + e.describe());
        return;
    }
    m_funnel = new StoreFunnel(m_store.get(), this);
    m_funnel->setHistoryLimit(m_config.historyLimit);

    startCapture();

    m_keyboardLayout = std::make_unique<X11KeyboardLayout>();
    m_hotKeyGrabber = std::make_unique<X11HotKeyGrabber>(*m_keyboardLayout);
    m_shortcut = std::make_unique<GlobalShortcut>(*m_keyboardLayout, *m_hotKeyGrabber);
    connect(m_shortcut.get(), &GlobalShortcut::pressed, this, &AppDelegate::hotKeyPressed);
    registerHotKey();

    m_keyInjector = std::make_unique<X11KeyInjector>(*m_keyboardLayout);
    m_windowFocus = std::make_unique<X11WindowFocus>();
    m_paster = std::make_unique<Paster>(*m_pasteboard, *m_keyboardLayout, *m_keyInjector,
                                        *m_windowFocus);
    m_pasteTarget = std::make_unique<PasteTarget>(*m_windowFocus);

    startRetention();

    const QStringList pending = std::exchange(m_pendingOpenURLs, {});
    if (!pending.isEmpty())
        openFiles(pending);
}

Pasteboard *AppDelegate::pasteboard() const
{
    return m_pasteboard.get();
}

void AppDelegate::startCapture()
{
    m_pasteboard = std::make_unique<X11Pasteboard>(QGuiApplication::clipboard());
    m_frontmostApp = std::make_unique<X11FrontmostApp>();
    m_recorder = std::make_unique<CaptureRecorder>(*m_funnel);
    m_monitor =
        std::make_unique<PasteboardMonitor>(*m_pasteboard, *m_frontmostApp, CaptureRules(m_config));
    m_monitor->onCapture = [self = QPointer(this)](const CapturedClip &clip) {
        if (!self)
            return;
        self->m_recorder->record(clip, self->m_config.historyLimit,
                                 self->m_config.historyRetentionDays);
    };
    m_monitor->onAccessChange = [self = QPointer(this)](PasteboardMonitor::Access access) {
        if (self)
            Q_EMIT self->pasteboardAccessChanged(access);
    };
    m_monitor->start();
}

void AppDelegate::startRetention()
{
    const qint64 days = m_config.historyRetentionDays;
    m_funnel->onStore([days](Store &store) { store.expire(days, Store::currentTime()); });

    m_retentionTimer = new QTimer(this);
    m_retentionTimer->setInterval(3600 * 1000);
    connect(m_retentionTimer, &QTimer::timeout, this, [this] {
        const qint64 days = m_config.historyRetentionDays;
        m_funnel->onStore([days](Store &store) { store.expire(days, Store::currentTime()); });
    });
    m_retentionTimer->start();
}

void AppDelegate::setConfig(const VaruConfig &config)
{
    const VaruConfig previous = std::exchange(m_config, config);
    if (m_monitor)
        m_monitor->setRules(CaptureRules(m_config));
    if (!m_funnel)
        return;
    m_funnel->setHistoryLimit(config.historyLimit);
    if (config.historyLimit != previous.historyLimit
        || config.historyRetentionDays != previous.historyRetentionDays) {
        const qint64 limit = config.historyLimit;
        const qint64 days = config.historyRetentionDays;
        m_funnel->onStore([limit, days](Store &store) {
            store.prune(limit);
            store.expire(days, Store::currentTime());
        });
    }
}

bool AppDelegate::canPostKeystrokes() const
{
    return m_keyInjector && m_keyInjector->trusted();
}

QString AppDelegate::hotKeyLabel() const
{
    return HotKeyRules::label(m_config.hotKey);
}

void AppDelegate::registerHotKey()
{
    if (m_shortcut)
        m_shortcut->registerHotKey(m_config.hotKey);
}

void AppDelegate::releaseHotKey()
{
    if (m_shortcut)
        m_shortcut->release();
}

void AppDelegate::hotKeyChanged(const HotKeyConfig &previous)
{
    if (!m_shortcut)
        return;
    const std::optional<QString> refusal = m_shortcut->change(previous, m_config.hotKey);
    if (!refusal)
        return;
    Q_EMIT hotKeyRejected(*refusal);
    m_config.hotKey = previous;
    ConfigFile::save(m_config, m_supportDir);
    QTimer::singleShot(0, this, [this, previous] { Q_EMIT hotKeyReverted(previous); });
}

void AppDelegate::reopen()
{
}

void AppDelegate::openFiles(const QStringList &paths)
{
    if (!m_store) {
        m_pendingOpenURLs += paths;
        return;
    }
}

void AppDelegate::fail(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Varu"),
                    QStringLiteral("Varu não conseguiu iniciar"), QMessageBox::Ok);
    box.setInformativeText(message);
    box.setObjectName(QStringLiteral("varuFailureAlert"));
    box.activateWindow();
    box.exec();
    Q_EMIT launchFailed();
    QCoreApplication::exit(1);
}
