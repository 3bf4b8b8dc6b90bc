#pragma once
// The onboarding's state: which step is shown, what this desktop lets Varu do (re-checked
// every 0.8 s while the window is up), and whether the global shortcut has been seen to work.

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <functional>

// Main thread only.
class OnboardingModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The onboarding model is handed to the views.")

    Q_PROPERTY(Step step READ step NOTIFY stepChanged)
    Q_PROPERTY(int stepIndex READ stepIndex NOTIFY stepChanged)
    Q_PROPERTY(int stepCount READ stepCount CONSTANT)
    Q_PROPERTY(bool canGoBack READ canGoBack NOTIFY stepChanged)
    Q_PROPERTY(QString primaryTitle READ primaryTitle NOTIFY primaryTitleChanged)
    Q_PROPERTY(bool clipboardOK READ clipboardOK NOTIFY clipboardOKChanged)
    Q_PROPERTY(bool pasteOK READ pasteOK NOTIFY pasteOKChanged)
    Q_PROPERTY(bool loginOn READ loginOn NOTIFY loginOnChanged)
    Q_PROPERTY(bool hotKeyRegistered READ hotKeyRegistered NOTIFY hotKeyRegisteredChanged)
    Q_PROPERTY(bool trayAvailable READ trayAvailable NOTIFY trayAvailableChanged)
    Q_PROPERTY(bool triedShortcut READ triedShortcut NOTIFY triedShortcutChanged)
    Q_PROPERTY(QStringList hotKeyKeys READ hotKeyKeys NOTIFY hotKeyKeysChanged)

public:
    enum class Step { Welcome, Clipboard, Paste, Shortcut };
    Q_ENUM(Step)

    // What the model asks of the desktop. The checks are called on every refresh; the
    // constants hold for the whole session.
    struct Abilities
    {
        // Whether this session can refuse to let Varu read the clipboard without focus; the
        // clipboard step is only shown where it can.
        bool clipboardMayBeRefused = false;
        std::function<bool()> clipboardReadable;
        std::function<bool()> canPostKeystrokes;
        // The global shortcut is held; otherwise the desktop's own shortcut must run
        // `varu toggle`.
        std::function<bool()> hotKeyRegistered;
        std::function<bool()> trayAvailable;
        std::function<bool()> loginEnabled;
        // Turns launch at login on or off; false with `error` set when that failed.
        std::function<bool(bool on, QString *error)> setLoginEnabled;
    };

    static constexpr int kPollMs = 800;

    // `hotKeyKeys` are the key caps of the current shortcut ({"Super", "Shift", "V"}).
    OnboardingModel(Abilities abilities, QStringList hotKeyKeys, QObject *parent = nullptr);

    Step step() const { return m_step; }
    // The position among the steps this desktop shows, for the footer's dots.
    int stepIndex() const { return m_steps.indexOf(m_step); }
    int stepCount() const { return int(m_steps.size()); }
    QList<Step> steps() const { return m_steps; }
    bool canGoBack() const { return m_step != Step::Welcome; }
    // "Continuar" where the step's ability is there, "Depois" where it is not.
    QString primaryTitle() const;

    bool clipboardOK() const { return m_clipboardOK; }
    bool pasteOK() const { return m_pasteOK; }
    bool loginOn() const { return m_loginOn; }
    bool hotKeyRegistered() const { return m_hotKeyRegistered; }
    bool trayAvailable() const { return m_trayAvailable; }
    bool triedShortcut() const { return m_triedShortcut; }
    QStringList hotKeyKeys() const { return m_hotKeyKeys; }
    // A new shortcut in the configuration: the key caps follow it.
    void setHotKeyKeys(const QStringList &keys);

    // Asks the desktop again; a property changes (and notifies) only when its answer did.
    void refresh();
    // Refreshes every `pollMs` until `stop()`. Tests poll at 0.
    void start(int pollMs = kPollMs);
    void stop();
    bool isPolling() const { return m_poll.isActive(); }

    // Back to the first step, for a new showing. `triedShortcut` stays.
    void rewind();
    // The shortcut (or `varu toggle`) arrived while the window was up. Never undone.
    void markShortcutTried();

    // Set by the controller: reads the clipboard on the user's request; closes the window.
    std::function<void()> requestClipboard;
    std::function<void()> finish;

    // The primary button and Return.
    Q_INVOKABLE void next();
    Q_INVOKABLE void back();
    Q_INVOKABLE void setLogin(bool on);
    Q_INVOKABLE void readClipboardNow();

Q_SIGNALS:
    void stepChanged();
    void primaryTitleChanged();
    void clipboardOKChanged();
    void pasteOKChanged();
    void loginOnChanged();
    void hotKeyRegisteredChanged();
    void trayAvailableChanged();
    void triedShortcutChanged();
    void hotKeyKeysChanged();

private:
    void setStep(Step step);
    void assign(bool &field, bool value, void (OnboardingModel::*changed)(), bool affectsTitle);

    Abilities m_abilities;
    QStringList m_hotKeyKeys;
    QList<Step> m_steps;
    Step m_step = Step::Welcome;
    bool m_clipboardOK = false;
    bool m_pasteOK = false;
    bool m_loginOn = false;
    bool m_hotKeyRegistered = false;
    bool m_trayAvailable = false;
    bool m_triedShortcut = false;
    QTimer m_poll;
};
