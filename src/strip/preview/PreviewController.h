#pragma once
// The quick preview: a panel above the strip, centred on the screen, with the card's title,
// detail line and content. Rises and fades in when opened, swaps in place while open.

#include "PreviewContent.h"
#include "strip/ui/StripPreview.h"

#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>

class Desktop;
class FileThumbnails;
class PreviewImages;
class PreviewPanel;
class PreviewState;
class RelativeTime;
class WindowSlide;

// Created once with the strip and kept for its life. Main thread only.
class PreviewController : public QObject, public StripPreview
{
    Q_OBJECT

public:
    // Writes the card's content to a file the preview can open; none when no file can be made.
    using FileMaker =
        std::function<std::optional<QUrl>(const ClipItem &, const QList<Representation> &)>;

    struct Timing
    {
        int showMs = 180;
        int hideMs = 120;
        // Seconds since 1970, for the card's age in the detail line.
        std::function<double()> now;
    };

    // `desktop` (which outlives the preview) prepares the window and tells whether it can be
    // translucent.
    PreviewController(Desktop &desktop, FileMaker files, QObject *parent = nullptr);
    ~PreviewController() override;

    bool isVisible() const override;
    std::optional<QString> itemID() const override { return m_itemID; }
    bool show(const ClipItem &item, const QList<Representation> &reps, const QRect &above,
              QScreen *screen) override;
    void hide() override;

    // Tests run the fades at zero: they still end from the event loop.
    void setTiming(const Timing &timing);

    // A card's thumbnail bytes, shown while the picture loads; by default the record's own.
    using ThumbnailSource = std::function<std::optional<QByteArray>(const ClipItem &)>;
    void setThumbnailSource(ThumbnailSource source) { m_cardThumbnails = std::move(source); }

    PreviewPanel *panel() const { return m_panel.get(); }
    PreviewState *state() const { return m_state.get(); }

Q_SIGNALS:
    // The fade-out has ended and the panel is gone.
    void hidden();

private:
    Desktop &m_desktop;
    FileMaker m_files;
    ThumbnailSource m_cardThumbnails = [](const ClipItem &item) { return item.thumbnail; };
    Timing m_timing;
    std::unique_ptr<RelativeTime> m_times;
    std::unique_ptr<FileThumbnails> m_thumbnails;
    std::unique_ptr<PreviewState> m_state;
    PreviewImages *m_images; // owned by the panel's engine
    std::unique_ptr<PreviewPanel> m_panel;
    std::unique_ptr<WindowSlide> m_slide;
    std::optional<QString> m_itemID;
    bool m_hiding = false;
};
