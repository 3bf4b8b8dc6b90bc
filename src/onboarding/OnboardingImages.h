#pragma once
// The onboarding's pictures for QML under "image://onboarding/…": "symbol/<name>/<argb>" for a
// tinted symbol and "appicon" for Varu's own icon.

#include <QQuickImageProvider>

// Drawn on the main thread; the views load them synchronously and Qt Quick caches them.
class OnboardingImages : public QQuickImageProvider
{
public:
    OnboardingImages();
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
};
