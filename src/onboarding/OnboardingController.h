#pragma once
// Shows the onboarding window over its model: builds the window on first use, starts the
// polling while it is up, and records "onboardingDone" whenever it closes, from any step.

#include <QObject>
#include <QPointer>

#include <memory>

class OnboardingModel;
class OnboardingWindow;
class UserDefaults;

// Main thread only; lives as long as the shell.
class OnboardingController : public QObject
{
    Q_OBJECT

public:
    OnboardingController(OnboardingModel &model, UserDefaults &defaults, QObject *parent = nullptr);
    ~OnboardingController() override;

    // From the first step, in front of every other window; when already shown, only to the
    // front.
    void show();
    bool isVisible() const;
    // Null until the first show.
    OnboardingWindow *window() const { return m_window.get(); }

    // Tests poll at 0.
    void setPollInterval(int ms) { m_pollMs = ms; }

Q_SIGNALS:
    // The window has closed (the user's close button, or the last step's button).
    void closed();

private:
    void close();
    void onClosing();

    OnboardingModel &m_model;
    UserDefaults &m_defaults;
    std::unique_ptr<OnboardingWindow> m_window;
    int m_pollMs;
};
