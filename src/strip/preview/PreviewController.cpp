#include "PreviewController.h"

#include "PreviewImages.h"
#include "PreviewLayout.h"
#include "PreviewPanel.h"
#include "PreviewState.h"
#include "platform/Desktop.h"
#include "strip/cards/FileThumbnails.h"
#include "strip/cards/RelativeTime.h"
#include "strip/ui/WindowSlide.h"

#include <QGuiApplication>
#include <QScreen>

PreviewController::PreviewController(Desktop &desktop, FileMaker files, QObject *parent)
    : QObject(parent)
    , m_desktop(desktop)
    , m_files(std::move(files))
    , m_times(std::make_unique<RelativeTime>())
    , m_thumbnails(std::make_unique<FileThumbnails>())
    , m_state(std::make_unique<PreviewState>())
    , m_images(new PreviewImages(*m_thumbnails))
{
    m_timing.now = &RelativeTime::currentTime;
    m_panel = std::make_unique<PreviewPanel>(*m_state, m_images);
    desktop.prepareStripWindow(*m_panel); // before the platform window exists
    m_slide = std::make_unique<WindowSlide>(*m_panel);
}

PreviewController::~PreviewController()
{
    m_slide.reset();
    m_panel.reset();
}

void PreviewController::setTiming(const Timing &timing)
{
    const auto now = m_timing.now;
    m_timing = timing;
    if (!m_timing.now)
        m_timing.now = now;
}

bool PreviewController::isVisible() const
{
    return m_panel->isVisible() && !m_hiding;
}

bool PreviewController::show(const ClipItem &item, const QList<Representation> &reps,
                             const QRect &above, QScreen *screen)
{
    PreviewContent content;
    if (item.kind == ClipKind::Color) {
        content = PreviewContents::forCard(item, reps, {});
    } else {
        const std::optional<QUrl> file = m_files ? m_files(item, reps) : std::nullopt;
        if (!file || !file->isLocalFile())
            return false;
        content = PreviewContents::forCard(item, reps, file->toLocalFile());
    }

    const QString age = m_times->longString(item.createdAt, m_timing.now());
    const std::optional<QByteArray> thumbnail =
        content.mode == PreviewMode::Picture ? m_cardThumbnails(item) : std::nullopt;
    const bool placeholder = thumbnail.has_value();
    m_images->setPlaceholder(thumbnail.value_or(QByteArray()));
    m_state->show(PreviewLayout::title(item), PreviewLayout::detail(item, age), content,
                  placeholder ? PreviewState::address(QStringLiteral("placeholder"), item.id)
                              : QString());
    m_itemID = item.id;

    QScreen *reference = screen ? screen : QGuiApplication::primaryScreen();
    const QRect frame = PreviewLayout::frame(
        above, reference ? std::optional<QRect>(reference->availableGeometry()) : std::nullopt);

    if (isVisible()) {
        m_panel->setGeometry(frame);
        return true;
    }
    // Opening, or reopening during the fade-out, which the rise takes over.
    m_hiding = false;
    const bool compositor = m_desktop.compositorRunning();
    m_panel->applyLook(compositor);
    if (screen && m_panel->screen() != screen)
        m_panel->setScreen(screen);
    const QPoint low = frame.topLeft() + QPoint(0, PreviewLayout::kRise);
    m_panel->setGeometry(QRect(low, frame.size()));
    m_panel->setOpacity(compositor ? 0.0 : 1.0);
    m_panel->show(); // never activated: the strip keeps the keyboard
    m_panel->raise();
    m_slide->start(low, frame.topLeft(), m_panel->opacity(), 1.0, m_timing.showMs,
                   WindowSlide::riseCurve());
    return true;
}

void PreviewController::hide()
{
    if (!isVisible())
        return;
    m_itemID.reset();
    m_hiding = true;
    const QPoint at = m_panel->position();
    const qreal fadeTo = m_state->translucent() ? 0.0 : 1.0;
    m_slide->start(at, at, m_panel->opacity(), fadeTo, m_timing.hideMs, WindowSlide::fallCurve(),
                   [this] {
                       m_panel->hide();
                       m_hiding = false;
                       m_state->clear();
                       m_images->setPlaceholder({});
                       Q_EMIT hidden();
                   });
}
