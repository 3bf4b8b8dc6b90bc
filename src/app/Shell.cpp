#include "Shell.h"

#include "AutostartEntry.h"
#include "BackupFlows.h"
#include "CaptureRecorder.h"
#include "ConfigWatcher.h"
#include "GlobalShortcut.h"
#include "QtShellDialogs.h"
#include "ShellCommands.h"
#include "ShellSettings.h"
#include "StatusTray.h"
#include "StoreFunnel.h"
#include "StripControllerWindow.h"

#include "capture/ImageCache.h"
#include "paste/PasteTarget.h"
#include "capture/ClipboardMonitor.h"
#include "onboarding/OnboardingController.h"
#include "onboarding/OnboardingModel.h"
#include "paste/Paster.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/InstalledApps.h"
#include "platform/KeyInjector.h"
#include "platform/Log.h"
#include "settings/ConfigFile.h"
#include "settings/HotKeyRules.h"
#include "settings/SettingsModel.h"
#include "settings/UserDefaults.h"
#include "settings/ui/SettingsController.h"
#include "store/Store.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>

namespace {

// config.json is edited by hand here, and a limit of 0 reads like "no limit" (as it does for
// the retention period): taken literally it would empty the history at the next copy. A
// negative limit already means no limit and is kept.
VaruConfig withUsableLimit(VaruConfig config, qint64 fallback)
{
    if (config.historyLimit == 0) {
        qCCritical(lcVaru,
                   "historyLimit %lld ignorado: o histórico guarda pelo menos 1 card; "
                   "usando %lld",
                   static_cast<long long>(config.historyLimit), static_cast<long long>(fallback));
        config.historyLimit = fallback;
    }
    return config;
}

// Launch at login, for this program.
AutostartEntry autostartEntry()
{
    return AutostartEntry(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                          QCoreApplication::applicationFilePath());
}

} // namespace

Shell::Shell(Desktop &desktop, const QString &supportDir, QObject *parent)
    : QObject(parent)
    , m_desktop(desktop)
    , m_supportDir(supportDir)
    , m_config(withUsableLimit(ConfigFile::load(supportDir), VaruConfig().historyLimit))
    , m_sound(desktop.sounds())
    , m_dialogs(std::make_unique<QtShellDialogs>(desktop.workspace()))
{}

Shell::~Shell()
{
    // The models must not call into commands that are going away.
    m_model.setActions(nullptr);
    if (m_settings)
        m_settings->setActions(nullptr);
}

QString Shell::databasePath() const
{
    return QDir(m_supportDir).filePath(QStringLiteral("varu.sqlite"));
}

void Shell::launch()
{
    try {
        m_store = Store::open(databasePath());
    } catch (const StoreError &e) {
        fail(QStringLiteral("Não foi possível abrir o banco do histórico: ") + e.describe());
        return;
    }
    m_funnel = new StoreFunnel(m_store.get(), this);
    m_funnel->setHistoryLimit(m_config.historyLimit);
    connect(m_funnel, &StoreFunnel::snapshotReady, this,
            [this](const Snapshot &s) { m_model.setData(s.history, s.tabs, s.tabItems); });

    createServices();
    m_model.setActions(m_commands.get());
    m_strip =
        std::make_unique<StripControllerWindow>(m_model, *m_pasteTarget, *m_images, m_desktop);
    m_commands->setStrip(m_strip.get());
    startCapture();
    createTray();

    m_shortcut =
        std::make_unique<GlobalShortcut>(m_desktop.keyboardLayout(), m_desktop.hotKeyGrabber());
    connect(m_shortcut.get(), &GlobalShortcut::pressed, this, &Shell::toggleStrip);
    if (const std::optional<QString> fallback = m_shortcut->registerAtStart(m_config.hotKey)) {
        ConfigFile::save(m_config, m_supportDir);
        QTimer::singleShot(0, this, [this, message = *fallback] { m_dialogs->alert(message, {}); });
    }

    startRetention();
    createSettings();

    m_watcher = std::make_unique<ConfigWatcher>(m_supportDir);
    connect(m_watcher.get(), &ConfigWatcher::changed, this, [this](const VaruConfig &config) {
        apply(withUsableLimit(config, m_config.historyLimit));
    });

    createOnboarding();
    if (!m_defaults->onboardingDone())
        m_onboarding->show(); // its shortcut step explains a desktop without global shortcuts
    else
        explainDesktopShortcut();

    const QStringList pending = std::exchange(m_pendingOpenURLs, {});
    if (!pending.isEmpty())
        openFiles(pending);
}

void Shell::createServices()
{
    Clipboard &clipboard = m_desktop.clipboard();
    clipboard.setUnheldTypes(m_config.ignoredTypes);
    m_paster = std::make_unique<Paster>(clipboard, m_desktop.keyboardLayout(),
                                        m_desktop.keyInjector(), m_desktop.windowFocus());
    m_pasteTarget = std::make_unique<PasteTarget>(m_desktop.windowFocus());
    // Snapshots carry only thumbnail sizes; the strip fetches the bytes of the cards it draws.
    m_images = std::make_unique<ImageCache>([this](const QString &id) {
        return m_funnel ? m_funnel->thumbnail(id) : std::nullopt;
    });
    m_monitor = std::make_unique<ClipboardMonitor>(clipboard, m_desktop.frontmostApp(),
                                                   CaptureRules(m_config));
    m_recorder = std::make_unique<CaptureRecorder>(
        *m_funnel, [this](const std::optional<QString> &problem) {
            if (problem == m_notSaving)
                return;
            if (problem)
                qCWarning(lcVaru, "Cards não estão sendo salvos: %s", qUtf8Printable(*problem));
            else
                qCInfo(lcVaru, "Cards voltaram a ser salvos");
            m_notSaving = problem;
            updateStatusIcon();
        });
    m_commands = std::make_unique<ShellCommands>(ShellCommands::Services{
        *m_funnel, m_model, *m_paster, *m_pasteTarget, *m_monitor, m_sound,
        m_desktop.keyInjector()});
    m_backups = std::make_unique<BackupFlows>(*m_funnel, m_model, *m_dialogs, [this] {
        // The dialog that follows takes the keyboard: handing it back to the user's window
        // once the strip is gone would bury the dialog behind that window.
        if (m_strip)
            m_strip->hide([] {});
    });
    m_commands->setExportTab([this](const QString &id) { m_backups->exportTab(id); });
}

void Shell::startCapture()
{
    connect(m_monitor.get(), &ClipboardMonitor::captured, this, &Shell::recordCapture);
    applySound();
    connect(m_monitor.get(), &ClipboardMonitor::accessChanged, this, &Shell::updateStatusIcon);
    connect(m_monitor.get(), &ClipboardMonitor::pausedChanged, this, &Shell::updateStatusIcon);
    m_monitor->start();
}

void Shell::applySound()
{
    m_sound.setEnabled(m_config.playSounds);
    m_sound.setCopyStyle(m_config.copySound);
}

void Shell::recordCapture(const CapturedClip &clip)
{
    m_sound.copied();
    m_recorder->record(clip, m_config.historyLimit, m_config.historyRetentionDays);
}

void Shell::startRetention()
{
    expireHistory();
    auto *timer = new QTimer(this);
    timer->setInterval(3600 * 1000);
    connect(timer, &QTimer::timeout, this, &Shell::expireHistory);
    timer->start();
}

void Shell::expireHistory()
{
    const qint64 days = m_config.historyRetentionDays;
    m_funnel->onStore([days](Store &store) { store.expire(days, Store::currentTime()); });
}

void Shell::createOnboarding()
{
    m_defaults = std::make_unique<UserDefaults>(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    OnboardingModel::Abilities abilities;
    abilities.clipboardMayBeRefused = m_desktop.clipboardMayNeedFocus();
    abilities.clipboardReadable = [this] {
        return m_monitor->refreshAccess() == ClipboardMonitor::Access::Allowed;
    };
    abilities.canPostKeystrokes = [this] { return m_desktop.keyInjector().trusted(); };
    abilities.hotKeyRegistered = [this] { return m_shortcut && m_shortcut->isRegistered(); };
    abilities.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    abilities.loginEnabled = [] { return autostartEntry().isEnabled(); };
    abilities.setLoginEnabled = [](bool on, QString *error) {
        AutostartEntry entry = autostartEntry();
        return entry.setEnabled(on, error);
    };
    m_onboardingModel = std::make_unique<OnboardingModel>(
        std::move(abilities), HotKeyRules::keyNames(m_config.hotKey));
    // A read on the user's request, while our window has the focus: where the session keeps
    // the clipboard from unfocused clients, this one is allowed.
    m_onboardingModel->requestClipboard = [this] { m_monitor->capture(true); };
    m_onboarding = std::make_unique<OnboardingController>(*m_onboardingModel, *m_defaults);
}

void Shell::openOnboarding()
{
    if (m_onboarding)
        m_onboarding->show();
}

// --- the tray

void Shell::createTray()
{
    m_tray = std::make_unique<StatusTray>([this] { return trayState(); });
    connect(m_tray.get(), &StatusTray::chosen, this, &Shell::runTrayCommand);
    updateStatusIcon();
    m_tray->show();
}

void Shell::updateStatusIcon()
{
    if (!m_tray || !m_monitor)
        return;
    TrayMenu::State state;
    state.paused = m_monitor->isPaused();
    state.access = m_monitor->access();
    state.notSaving = m_notSaving;
    m_tray->setIconState(TrayMenu::iconState(state));
}

TrayMenu::State Shell::trayState()
{
    TrayMenu::State state;
    state.access = m_monitor->refreshAccess();
    state.hotKeyLabel = hotKeyLabel();
    state.paused = m_monitor->isPaused();
    state.historyCount = m_model.history().size();
    state.tabCount = m_model.tabs().size();
    state.canPostKeystrokes = m_desktop.keyInjector().trusted();
    state.launchAtLogin = autostartEntry().isEnabled();
    state.notSaving = m_notSaving;
    return state;
}

void Shell::runTrayCommand(TrayMenu::Command command)
{
    using C = TrayMenu::Command;
    switch (command) {
    case C::OpenStrip:
        showStrip();
        break;
    case C::RequestClipboardAccess:
        m_monitor->capture(true);
        break;
    case C::ExplainPasting:
        explainKeystrokes();
        break;
    case C::TogglePause:
        m_monitor->setPaused(!m_monitor->isPaused());
        break;
    case C::ToggleLogin:
        toggleLogin();
        break;
    case C::OpenSettings:
        openSettings();
        break;
    case C::Export:
        m_backups->exportEverything();
        break;
    case C::Import:
        m_backups->importFile();
        break;
    case C::OpenOnboarding:
        openOnboarding();
        break;
    case C::Quit:
        QCoreApplication::quit();
        break;
    case C::None:
        break;
    }
}

void Shell::explainKeystrokes()
{
    // There is no permission to ask for: the display server (or compositor) either lets
    // clients post keystrokes or it does not.
    m_dialogs->alert(
        QStringLiteral("Colagem automática indisponível"),
        QStringLiteral("Este desktop não deixa o Varu digitar no app em que você estava (no X11 "
                       "falta a extensão XTest; no Wayland, o compositor não aceita teclados "
                       "virtuais). Os cards escolhidos continuam indo para o clipboard: cole "
                       "com Ctrl+V."));
}

void Shell::explainDesktopShortcut()
{
    // Told once, ever, where a tray shows it: the log repeats it at every start.
    if (m_desktop.hotKeyGrabber().available() || m_defaults->hotKeyExplained())
        return;
    if (m_tray->notify(QStringLiteral("Atalho do Varu"),
                       QStringLiteral("Este desktop não deixa apps registrarem atalhos globais. "
                                      "Crie um atalho nas configurações do sistema que rode "
                                      "\"varu toggle\" (no sway: bindsym Mod4+Shift+v exec varu "
                                      "toggle).")))
        m_defaults->setHotKeyExplained();
}

void Shell::toggleLogin()
{
    AutostartEntry entry = autostartEntry();
    QString error;
    if (!entry.setEnabled(!entry.isEnabled(), &error))
        m_dialogs->alert(QStringLiteral("Não foi possível alterar o início automático"), error);
}

// --- requests from outside

void Shell::toggleStrip()
{
    // The shortcut step waits for exactly this: the hotkey, or `varu toggle` bound to the
    // desktop's own shortcut.
    if (m_onboarding && m_onboarding->isVisible())
        m_onboardingModel->markShortcutTried();
    if (m_strip)
        m_strip->toggle();
}

void Shell::togglePreview()
{
    m_model.togglePreview();
}

void Shell::reopen()
{
    // Until the onboarding has been closed once, starting Varu again means "show me around";
    // while it is up, it comes back to the front rather than hiding behind the strip.
    if (m_onboarding && (!m_defaults->onboardingDone() || m_onboarding->isVisible())) {
        m_onboarding->show();
        return;
    }
    showStrip();
}

void Shell::showStrip()
{
    // Already up: sliding it in again would only make it jump.
    if (m_strip && (!m_strip->isVisible() || m_strip->isHiding()))
        m_strip->show();
}

void Shell::openFiles(const QStringList &paths)
{
    if (!m_store) {
        m_pendingOpenURLs += paths;
        return;
    }
    for (const QString &path : paths) {
        if (QFileInfo(path).suffix().toLower() == QLatin1String("varu"))
            m_backups->runImport(path, true);
    }
}

void Shell::createSettings()
{
    m_settings = std::make_unique<SettingsModel>(m_config, QStringLiteral(VARU_VERSION),
                                                 QDir::toNativeSeparators(m_supportDir));
    m_settingsActions = std::make_unique<ShellSettings>(ShellSettings::Services{
        [this](const VaruConfig &config) {
            // The window echoing what the shell applied (a hand edit) is not a change: the
            // user's file stays as written.
            if (config == m_config)
                return;
            // Saved first: a refused shortcut is put back and saved again by apply.
            ConfigFile::save(config, m_supportDir);
            apply(config);
        },
        [this] { registerHotKey(); }, *m_shortcut, m_desktop.hotKeyGrabber(), *m_backups, m_model,
        m_sound, QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
        QCoreApplication::applicationFilePath()});
    m_settings->setActions(m_settingsActions.get());
    m_settingsWindow = std::make_unique<SettingsController>(SettingsController::Services{
        *m_settings, m_desktop.installedApps(), m_desktop.keyboardLayout(),
        [this](const QString &id) { return m_desktop.appIcon(id); }, QApplication::windowIcon()});
}

void Shell::openSettings(const QString &pane)
{
    if (!m_settingsWindow)
        return;
    m_settings->setConfig(m_config);
    m_settingsWindow->show(pane);
}

// --- configuration and shortcut

void Shell::apply(const VaruConfig &config)
{
    if (config == m_config)
        return;
    const VaruConfig previous = std::exchange(m_config, config);
    if (m_monitor)
        m_monitor->setRules(CaptureRules(m_config));
    m_desktop.clipboard().setUnheldTypes(m_config.ignoredTypes);
    applySound();
    if (m_config.hotKey != previous.hotKey)
        hotKeyChanged(previous.hotKey);
    // After the change, which may have put the previous shortcut back.
    if (m_onboardingModel)
        m_onboardingModel->setHotKeyKeys(HotKeyRules::keyNames(m_config.hotKey));
    if (!m_funnel)
        return;
    m_funnel->setHistoryLimit(m_config.historyLimit);
    if (m_config.historyLimit != previous.historyLimit ||
        m_config.historyRetentionDays != previous.historyRetentionDays) {
        const qint64 limit = m_config.historyLimit;
        const qint64 days = m_config.historyRetentionDays;
        m_funnel->onStore([limit, days](Store &store) {
            store.prune(limit);
            store.expire(days, Store::currentTime());
        });
    }
    // Whatever changed it (the window, a hand edit, a refused shortcut), the window shows it.
    if (m_settings)
        m_settings->setConfig(m_config);
}

QString Shell::hotKeyLabel() const
{
    return HotKeyRules::label(m_config.hotKey);
}

void Shell::registerHotKey()
{
    if (m_shortcut)
        m_shortcut->registerHotKey(m_config.hotKey);
}

void Shell::hotKeyChanged(const HotKeyConfig &previous)
{
    if (!m_shortcut)
        return;
    const std::optional<QString> refusal = m_shortcut->change(previous, m_config.hotKey);
    if (!refusal)
        return;
    m_config.hotKey = previous;
    ConfigFile::save(m_config, m_supportDir);
    if (m_settingsWindow && m_settingsWindow->isVisible()) {
        qCInfo(lcVaru, "Ajustes: %s", qUtf8Printable(*refusal));
        m_settings->setHotKeyError(*refusal);
        return;
    }
    // A hand edit of config.json with the window closed: the refusal gets an alert of its own.
    QTimer::singleShot(0, this, [this, message = *refusal] { m_dialogs->alert(message, {}); });
}

void Shell::fail(const QString &message)
{
    qCInfo(lcVaru, "Alerta: %s — %s", "Varu não conseguiu iniciar", qUtf8Printable(message));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Varu"),
                    QStringLiteral("Varu não conseguiu iniciar"), QMessageBox::Ok);
    box.setInformativeText(message);
    box.setObjectName(QStringLiteral("varuFailureAlert"));
    box.activateWindow();
    box.exec();
    QCoreApplication::exit(1);
}
