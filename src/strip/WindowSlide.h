#pragma once
// Moves a window from one place to another over a short time along a timing curve, fading
// its opacity on the way (which only shows where a compositor runs). Moving the window, not
// its content, needs no repaint, so the slide stays smooth with a software renderer.

#include <QEasingCurve>
#include <QObject>
#include <QPoint>
#include <QVariantAnimation>

#include <functional>

class QWindow;

class WindowSlide : public QObject
{
    Q_OBJECT

public:
    explicit WindowSlide(QWindow &window, QObject *parent = nullptr);

    // Starts at once, replacing any slide in progress (whose `done` is not called).
    void start(QPoint from, QPoint to, qreal opacityFrom, qreal opacityTo, int durationMs,
               const QEasingCurve &curve, std::function<void()> done = {});
    void stop();
    bool isRunning() const;

    // The curves of the strip: a quick rise that settles softly, and an accelerating fall.
    static QEasingCurve riseCurve();
    static QEasingCurve fallCurve();

private:
    void apply(qreal progress);

    QWindow &m_window;
    QVariantAnimation m_animation;
    QPoint m_from, m_to;
    qreal m_opacityFrom = 1, m_opacityTo = 1;
    std::function<void()> m_done;
};
