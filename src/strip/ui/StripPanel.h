#pragma once
// The strip's window: frameless, above other windows, placed and slid by the controller, with an
// alpha channel; translucent over a compositor, else opaque with its corners cut by a shape.

#include <QQmlEngine>
#include <QQuickView>

class CardInteraction;
class CardListModel;
class StripChrome;
class StripModel;
class TabListModel;

// Created once and only shown and hidden afterwards.
class StripPanel : public QQuickView
{
    Q_OBJECT

public:
    struct Views
    {
        StripModel *model;
        CardListModel *cards;
        TabListModel *tabs;
        StripChrome *chrome;
        CardInteraction *interaction;
    };

    // Takes ownership of the image providers, which the views use by their names "varu" and
    // "varuthumbs".
    StripPanel(const Views &views, QQmlImageProviderBase *images,
               QQmlImageProviderBase *fileThumbnails);

    // False (with the errors logged) when the views failed to load.
    bool isLoaded() const { return status() == QQuickView::Ready && rootObject(); }

    // The look for the current desktop: translucent with a compositor, opaque and shaped
    // without one.
    void applyLook(bool compositor);

    static constexpr int kHeight = 348;
    static constexpr int kCornerRadius = 30;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateShape();

    StripChrome *m_chrome;
    bool m_shaped = false;
};
