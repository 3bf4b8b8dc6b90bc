#pragma once
// Shows and hides the strip on the screen under the pointer with its slides, gives its keys to
// the model, closes when another window takes the keyboard, and keeps the preview in step.

#include "StripKeys.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <functional>
#include <memory>

class AppColors;
class AppIcons;
class CardInteraction;
class CardListModel;
class CardPresenter;
class Desktop;
class FileThumbnails;
class ImageCache;
class PasteTarget;
class QScreen;
class RelativeTime;
class StripChrome;
class StripModel;
class StripPanel;
class StripPreview;
class TabListModel;
class WindowSlide;

// Created once by the shell and kept for the life of the process. Main thread only.
class StripController : public QObject
{
    Q_OBJECT

public:
    // `target` (may be null) is told to remember the user's window before the strip takes the
    // keyboard; `desktop` (which outlives the strip) prepares its window, tells whether it can
    // be translucent, finds application icons and shows files. Chooses the renderer, so
    // create it before other Qt Quick windows.
    StripController(StripModel &model, PasteTarget *target, ImageCache &images, Desktop &desktop,
                    QObject *parent = nullptr);
    ~StripController() override;

    // Slides the strip up on the screen under the pointer with a fresh search; also while it
    // is sliding out, which turns it around.
    void show();
    // Slides the strip out; `completion` runs once it is gone (at once when it is not shown).
    // A hide without completion gives the keyboard back to the user's window itself; with a
    // completion that is the completion's business (the paste restores it before pasting).
    // A show() during the slide-out runs the pending completion before showing again.
    void hide(std::function<void()> completion = {});
    // The hotkey: hide when shown, show when hidden or sliding out.
    void toggle();
    bool isVisible() const;
    bool isHiding() const { return m_hiding; }

    // The quick preview panel; none until one is set, and until then the cards' menus do not
    // offer it.
    void setPreview(StripPreview *preview);
    // Decides the look at each showing; the desktop's compositor check by default.
    void setCompositorProbe(std::function<bool()> probe);

    StripPanel *panel() const { return m_panel.get(); }
    CardListModel *cards() const { return m_cards.get(); }
    StripChrome *chrome() const { return m_chrome.get(); }
    CardInteraction *interaction() const { return m_interaction.get(); }
    // Where the strip goes on a screen with this available area.
    static QRect targetFrame(const QRect &available);

    static constexpr int kMargin = 10;
    static constexpr int kShowMs = 220;
    static constexpr int kHideMs = 150;
    static constexpr int kFocusLossMs = 150;

    // How long the slides last and how long a focus loss waits to be confirmed.
    struct Timing
    {
        int showMs = kShowMs;
        int hideMs = kHideMs;
        int focusLossMs = kFocusLossMs;
    };
    // Tests run the strip at zero: slides and the confirmation still end from the event loop.
    void setTiming(const Timing &timing);

Q_SIGNALS:
    // The strip has slid out and is gone.
    void hidden();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class FocusReturn { Restore, Leave };
    void startHide(std::function<void()> completion, FocusReturn focus);
    void finishHide();
    void togglePreview();
    void refreshPreview();
    bool previewVisible() const;
    QScreen *screenUnderPointer() const;

    StripModel &m_model;
    PasteTarget *m_target;
    std::unique_ptr<AppIcons> m_appIcons;
    std::unique_ptr<AppColors> m_appColors;
    std::unique_ptr<RelativeTime> m_times;
    std::unique_ptr<CardPresenter> m_presenter;
    std::unique_ptr<FileThumbnails> m_fileThumbnails;
    std::unique_ptr<CardListModel> m_cards;
    std::unique_ptr<TabListModel> m_tabs;
    std::unique_ptr<StripChrome> m_chrome;
    std::unique_ptr<CardInteraction> m_interaction;
    std::unique_ptr<StripPanel> m_panel;
    std::unique_ptr<WindowSlide> m_slide;
    StripKeys m_keys;
    StripPreview *m_preview = nullptr;
    std::function<bool()> m_compositor;
    Timing m_timing;
    QTimer m_clock; // keeps the relative times fresh while shown
    QTimer m_focusLoss;

    bool m_keyMonitor = false;
    bool m_hiding = false;
    FocusReturn m_focusReturn = FocusReturn::Leave;
    std::function<void()> m_completion;
};
