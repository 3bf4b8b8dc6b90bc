#pragma once
// The strip's real window for the shell: the strip controller behind the narrow interface the
// shell uses, with its quick preview.

#include "StripWindow.h"

#include "capture/ImageCache.h"
#include "paste/PasteTarget.h"
#include "store/ExportFiles.h"
#include "strip/preview/PreviewController.h"
#include "strip/ui/StripController.h"

class StripControllerWindow : public StripWindow
{
public:
    StripControllerWindow(StripModel &model, PasteTarget &target, ImageCache &images,
                          Desktop &desktop)
        : m_controller(model, &target, images, desktop)
        , m_preview(desktop, [](const ClipItem &item, const QList<Representation> &reps) {
            // Named by the card's id, so previewing it again reuses the file.
            return ExportFiles::url(item, reps, QStringLiteral("Preview"), true);
        })
    {
        m_controller.setPreview(&m_preview);
        m_preview.setThumbnailSource(
            [&images](const ClipItem &item) { return images.bytes(item); });
    }
    ~StripControllerWindow() override { m_controller.setPreview(nullptr); }

    void show() override { m_controller.show(); }
    void hide(std::function<void()> completion) override
    {
        m_controller.hide(std::move(completion));
    }
    bool isVisible() const override { return m_controller.isVisible(); }
    bool isHiding() const override { return m_controller.isHiding(); }

    StripController &controller() { return m_controller; }

private:
    StripController m_controller; // first: it chooses the renderer for every window
    PreviewController m_preview;
};
