#pragma once
// Owns the settings window: builds it on first show and reuses it, opens it on a pane, takes
// the keys while a shortcut is recorded, and ends a recording when the window closes.

#include <QIcon>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class AppChooserModel;
class IgnoredAppsModel;
class InstalledApps;
class KeyboardLayout;
class QQuickView;
class SettingsModel;

class SettingsController : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        SettingsModel &model;
        InstalledApps &apps;
        KeyboardLayout &layout;
        std::function<std::optional<QIcon>(const QString &appID)> appIcon;
        QIcon ownIcon;
    };

    explicit SettingsController(Services services, QObject *parent = nullptr);
    ~SettingsController() override;

    // Shows the window in front, on `pane` when it names one (else on the last pane shown),
    // with launch at login read afresh.
    void show(const QString &pane = {});
    bool isVisible() const;
    // The window, once shown (for tests and screenshots).
    QQuickView *window() const { return m_window.get(); }

    static constexpr int kWidth = 780;
    static constexpr int kHeight = 540;

Q_SIGNALS:
    // The window was closed by the user.
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createWindow();

    Services m_s;
    std::unique_ptr<IgnoredAppsModel> m_ignored;
    std::unique_ptr<AppChooserModel> m_chooser;
    std::unique_ptr<QQuickView> m_window;
};
