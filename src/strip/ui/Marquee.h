#pragma once
// The rubber band over the row of cards: from where it started to the pointer, it selects the
// cards it covers on screen, on top of the earlier selection when it adds to it.

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

class StripModel;

// One per strip. Points are in the row's content coordinates, so the band stays anchored to
// the cards while the row scrolls under it. Main thread only.
class Marquee : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made with the card interaction.")
    // The band in content coordinates; all zero while none is drawn.
    Q_PROPERTY(qreal bandX READ bandX NOTIFY bandChanged)
    Q_PROPERTY(qreal bandY READ bandY NOTIFY bandChanged)
    Q_PROPERTY(qreal bandWidth READ bandWidth NOTIFY bandChanged)
    Q_PROPERTY(qreal bandHeight READ bandHeight NOTIFY bandChanged)
    Q_PROPERTY(bool active READ active NOTIFY activeChanged)

public:
    // Where the cards lie in the row: the views draw them at these places.
    static constexpr qreal kCardWidth = 228;
    static constexpr qreal kCardHeight = 238;
    static constexpr qreal kSpacing = 14;
    static constexpr qreal kCardTop = 8;

    explicit Marquee(StripModel &model, QObject *parent = nullptr);

    // Starts a band at `at`; an additive band keeps what was selected before.
    Q_INVOKABLE void begin(QPointF at, bool additive);
    // Stretches the band to `to`. Cards between `visibleFrom` and `visibleTo` (the part of the
    // row on screen) follow the band; cards off screen keep what the band did to them.
    Q_INVOKABLE void update(QPointF to, qreal visibleFrom, qreal visibleTo);
    Q_INVOKABLE void end();

    QRectF band() const { return m_band; }
    qreal bandX() const { return m_band.x(); }
    qreal bandY() const { return m_band.y(); }
    qreal bandWidth() const { return m_band.width(); }
    qreal bandHeight() const { return m_band.height(); }
    bool active() const { return m_start.has_value(); }

Q_SIGNALS:
    void bandChanged();
    void activeChanged();

private:
    StripModel &m_model;
    std::optional<QPointF> m_start;
    QRectF m_band;
    QSet<QString> m_base;
    QSet<QString> m_hitSoFar;
};
