#pragma once
// The quick preview's window: frameless, above other windows, never taking the keyboard, with
// an alpha channel; translucent over a compositor, else opaque with its corners cut by a shape.

#include <QQuickView>

class PreviewImages;
class PreviewState;

// Created once by the preview controller and only shown and hidden afterwards.
class PreviewPanel : public QQuickView
{
    Q_OBJECT

public:
    // Takes ownership of the image provider, which the views use by the name "varupreview".
    PreviewPanel(PreviewState &state, PreviewImages *images);

    bool isLoaded() const { return status() == QQuickView::Ready && rootObject(); }
    void applyLook(bool compositor);

    static constexpr int kCornerRadius = 28;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateShape();

    PreviewState &m_state;
    bool m_shaped = false;
};
