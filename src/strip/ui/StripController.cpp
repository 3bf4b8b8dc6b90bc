#include "StripController.h"

#include "capture/ImageCache.h"
#include "strip/cards/AppIcons.h"
#include "strip/cards/CardFace.h"
#include "CardInteraction.h"
#include "CardListModel.h"
#include "FileThumbnailProvider.h"
#include "strip/cards/FileThumbnails.h"
#include "strip/cards/RelativeTime.h"
#include "RenderBackend.h"
#include "StripChrome.h"
#include "StripImages.h"
#include "strip/model/StripModel.h"
#include "StripPanel.h"
#include "StripPreview.h"
#include "strip/cards/SymbolIcons.h"
#include "TabListModel.h"
#include "WindowSlide.h"
#include "paste/PasteTarget.h"
#include "platform/Desktop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

StripController::StripController(StripModel &model, PasteTarget *target, ImageCache &images,
                                 Desktop &desktop, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_target(target)
    , m_keys(model, StripKeys::Host{
                        [this] { return previewVisible(); },
                        [this] {
                            if (m_preview)
                                m_preview->hide();
                        },
                        [this] { togglePreview(); },
                        [this] { hide(); },
                    })
    , m_compositor([&desktop] { return desktop.compositorRunning(); })
{
    RenderBackend::chooseForStrip();
    SymbolIcons::ensureIconTheme();

    m_appIcons = std::make_unique<AppIcons>(
        [&desktop](const QString &appID) { return desktop.appIcon(appID); });
    m_appColors = std::make_unique<AppColors>(*m_appIcons);
    m_times = std::make_unique<RelativeTime>();
    m_presenter = std::make_unique<CardPresenter>(*m_appColors, *m_times);
    m_fileThumbnails = std::make_unique<FileThumbnails>();
    m_cards = std::make_unique<CardListModel>(m_model, *m_presenter);
    m_cards->setNow(RelativeTime::currentTime());
    m_tabs = std::make_unique<TabListModel>(m_model);
    m_chrome = std::make_unique<StripChrome>(m_model);
    m_interaction = std::make_unique<CardInteraction>(m_model, &desktop.workspace());
    m_interaction->drag()->setThumbnails(
        [&images](const ClipItem &card) { return images.bytes(card); });

    CardListModel *cards = m_cards.get();
    auto *pictures = new StripImages(*m_appIcons, images,
                                     [cards](const QString &id) { return cards->item(id); });
    auto *fileThumbs = new FileThumbnailProvider(*m_fileThumbnails);
    m_panel = std::make_unique<StripPanel>(StripPanel::Views{&m_model, m_cards.get(), m_tabs.get(),
                                                             m_chrome.get(), m_interaction.get()},
                                           pictures, fileThumbs);
    desktop.prepareStripWindow(*m_panel); // before winId() creates the platform window
    m_panel->installEventFilter(this);
    if (m_target)
        m_target->setOwnWindow(WindowId(m_panel->winId())); // never the window to paste into
    m_slide = std::make_unique<WindowSlide>(*m_panel);

    // Another window took the keyboard: the user has moved on. The loss is confirmed a moment
    // later, because some desktops report the end of a previous showing late, after a quick
    // reopening has taken the keyboard again.
    m_focusLoss.setSingleShot(true);
    m_focusLoss.setInterval(m_timing.focusLossMs);
    connect(m_panel.get(), &QWindow::activeChanged, this, [this] {
        if (!m_panel->isActive() && isVisible() && !m_hiding)
            m_focusLoss.start();
    });
    connect(&m_focusLoss, &QTimer::timeout, this, [this] {
        if (!m_panel->isActive() && isVisible() && !m_hiding)
            startHide({}, FocusReturn::Leave);
    });

    // Times read to the second ("há 12 segundos"); only the delegates on screen re-read them.
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this,
            [this] { m_cards->setNow(RelativeTime::currentTime()); });

    // The preview follows the focus while it is open, once the selection has settled.
    connect(
        &m_model, &StripModel::selectedIDChanged, this,
        [this] {
            if (previewVisible())
                refreshPreview();
        },
        Qt::QueuedConnection);
}

StripController::~StripController()
{
    m_model.setTogglePreview({});
    // The views go before the models they show.
    m_slide.reset();
    m_panel.reset();
}

QRect StripController::targetFrame(const QRect &available)
{
    return QRect(available.x() + kMargin,
                 available.y() + available.height() - kMargin - StripPanel::kHeight,
                 available.width() - 2 * kMargin, StripPanel::kHeight);
}

QScreen *StripController::screenUnderPointer() const
{
    const QPoint pointer = QCursor::pos();
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *screen : screens) {
        if (screen->geometry().contains(pointer))
            return screen;
    }
    return QGuiApplication::primaryScreen();
}

bool StripController::isVisible() const
{
    return m_panel->isVisible();
}

void StripController::setPreview(StripPreview *preview)
{
    m_preview = preview;
    if (m_preview)
        m_model.setTogglePreview([this] { togglePreview(); });
    else
        m_model.setTogglePreview({});
}

void StripController::setCompositorProbe(std::function<bool()> probe)
{
    m_compositor = std::move(probe);
}

void StripController::setTiming(const Timing &timing)
{
    m_timing = timing;
    m_focusLoss.setInterval(timing.focusLossMs);
}

void StripController::show()
{
    QScreen *screen = screenUnderPointer();
    if (!screen)
        return;
    const QRect target = targetFrame(screen->availableGeometry());

    if (m_hiding) {
        // Turned around mid-slide: the slide-out's ending must not order the panel out.
        m_slide->stop();
        m_hiding = false;
        if (auto completion = std::exchange(m_completion, {}))
            completion();
    }
    m_model.prepareForShow();
    m_cards->refreshFaces(RelativeTime::currentTime());
    m_chrome->announceShown();

    const bool compositor = m_compositor && m_compositor();
    m_panel->applyLook(compositor);
    const bool fade = compositor && WindowSlide::canFade();
    if (m_target)
        m_target->remember(); // before the strip takes the keyboard

    const QPoint below = target.topLeft() + QPoint(0, StripPanel::kHeight + kMargin);
    if (m_panel->screen() != screen)
        m_panel->setScreen(screen);
    m_panel->setGeometry(QRect(below, target.size()));
    m_panel->setOpacity(fade ? 0.0 : 1.0);
    m_panel->show();
    m_panel->raise();
    m_panel->requestActivate();
    m_slide->start(below, target.topLeft(), fade ? 0.0 : 1.0, 1.0, m_timing.showMs,
                   WindowSlide::riseCurve());
    m_keyMonitor = true;
    m_clock.start();
    m_focusLoss.stop();
}

void StripController::hide(std::function<void()> completion)
{
    const FocusReturn focus = completion ? FocusReturn::Leave : FocusReturn::Restore;
    startHide(std::move(completion), focus);
}

void StripController::toggle()
{
    if (isVisible() && !m_hiding)
        hide();
    else
        show();
}

void StripController::startHide(std::function<void()> completion, FocusReturn focus)
{
    if (!isVisible() || m_hiding) {
        if (completion)
            completion();
        return;
    }
    m_hiding = true;
    m_focusReturn = focus;
    m_completion = std::move(completion);
    if (m_preview)
        m_preview->hide();
    m_keyMonitor = false;
    m_clock.stop();

    const QPoint from = m_panel->position();
    const qreal fadeTo = m_chrome->translucent() && WindowSlide::canFade() ? 0.0 : 1.0;
    m_slide->start(from, from + QPoint(0, StripPanel::kHeight + kMargin), m_panel->opacity(),
                   fadeTo, m_timing.hideMs, WindowSlide::fallCurve(), [this] { finishHide(); });
}

void StripController::finishHide()
{
    m_panel->hide();
    m_hiding = false;
    if (m_focusReturn == FocusReturn::Restore && m_target)
        m_target->restore();
    Q_EMIT hidden();
    if (auto completion = std::exchange(m_completion, {}))
        completion();
}

bool StripController::eventFilter(QObject *watched, QEvent *event)
{
    // While a context menu is open its keys are its own (arrows, Return, Escape).
    if (watched == m_panel.get() && event->type() == QEvent::KeyPress && m_keyMonitor &&
        isVisible() && !m_hiding && !m_chrome->menuOpen())
        return m_keys.handle(*static_cast<QKeyEvent *>(event));
    return QObject::eventFilter(watched, event);
}

bool StripController::previewVisible() const
{
    return m_preview && m_preview->isVisible();
}

void StripController::togglePreview()
{
    // Only over the open strip: a preview without it would have nothing to close it.
    if (!m_preview || !isVisible() || m_hiding)
        return;
    if (m_preview->isVisible())
        m_preview->hide();
    else
        refreshPreview();
}

void StripController::refreshPreview()
{
    if (!m_preview)
        return;
    const std::optional<ClipItem> item = m_model.selected();
    VaruActions *actions = m_model.actions();
    if (!item || !actions) {
        m_preview->hide();
        return;
    }
    if (m_preview->itemID() == item->id)
        return;
    const QList<Representation> reps = actions->representations(*item);
    if (!m_preview->show(*item, reps, m_panel->geometry(), m_panel->screen()))
        m_preview->hide();
}
