#pragma once
// Moves a window along a timing curve over a short time, fading its opacity on the way (seen
// only with a compositor). Moving the window needs no repaint, so the slide stays smooth.

#include <QEasingCurve>
#include <QObject>
#include <QPoint>
#include <QTimer>
#include <QVariantAnimation>

#include <functional>

class QWindow;

class WindowSlide : public QObject
{
    Q_OBJECT

public:
    explicit WindowSlide(QWindow &window, QObject *parent = nullptr);

    // Starts at once, replacing any slide in progress (whose `done` is not called). `done` runs
    // from the event loop, never inside start(), even for a slide of no length.
    void start(QPoint from, QPoint to, qreal opacityFrom, qreal opacityTo, int durationMs,
               const QEasingCurve &curve, std::function<void()> done = {});
    void stop();

    // The curves of the strip: a quick rise that settles softly, and an accelerating fall.
    static QEasingCurve riseCurve();
    static QEasingCurve fallCurve();
    // Whether windows can fade at all here: Wayland has no window opacity, and Qt warns at
    // every attempt.
    static bool canFade();

private:
    void apply(qreal progress);
    void finish();

    QWindow &m_window;
    QVariantAnimation m_animation;
    QTimer m_instant; // ends a slide of no length, which the animation would end inside start()
    QPoint m_from, m_to;
    qreal m_opacityFrom = 1, m_opacityTo = 1;
    std::function<void()> m_done;
};
