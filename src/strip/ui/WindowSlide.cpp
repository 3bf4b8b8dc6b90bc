#include "WindowSlide.h"

#include <QGuiApplication>
#include <QWindow>

WindowSlide::WindowSlide(QWindow &window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
    m_animation.setStartValue(0.0);
    m_animation.setEndValue(1.0);
    connect(&m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { apply(value.toReal()); });
    connect(&m_animation, &QVariantAnimation::finished, this, &WindowSlide::finish);
    m_instant.setSingleShot(true);
    m_instant.setInterval(0);
    connect(&m_instant, &QTimer::timeout, this, &WindowSlide::finish);
}

void WindowSlide::finish()
{
    apply(1.0);
    if (auto done = std::exchange(m_done, {}))
        done();
}

QEasingCurve WindowSlide::riseCurve()
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.2, 0.9), QPointF(0.25, 1.0), QPointF(1.0, 1.0));
    return curve;
}

QEasingCurve WindowSlide::fallCurve()
{
    // The standard ease-in: cubic-bezier(0.42, 0, 1, 1).
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0.0), QPointF(1.0, 1.0), QPointF(1.0, 1.0));
    return curve;
}

void WindowSlide::start(QPoint from, QPoint to, qreal opacityFrom, qreal opacityTo, int durationMs,
                        const QEasingCurve &curve, std::function<void()> done)
{
    stop();
    m_from = from;
    m_to = to;
    m_opacityFrom = opacityFrom;
    m_opacityTo = opacityTo;
    m_done = std::move(done);
    m_animation.setDuration(durationMs);
    m_animation.setEasingCurve(curve);
    apply(0.0);
    if (durationMs <= 0)
        m_instant.start();
    else
        m_animation.start();
}

void WindowSlide::stop()
{
    m_done = {};
    m_instant.stop();
    m_animation.stop();
}

void WindowSlide::apply(qreal progress)
{
    const QPoint at = m_from + (m_to - m_from) * progress;
    if (m_window.position() != at)
        m_window.setPosition(at);
    const qreal opacity = m_opacityFrom + (m_opacityTo - m_opacityFrom) * progress;
    if (!qFuzzyCompare(m_window.opacity(), opacity))
        m_window.setOpacity(opacity);
}

bool WindowSlide::canFade()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
