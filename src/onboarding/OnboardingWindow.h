#pragma once
// The onboarding's window: an ordinary titled, closable window of 600 × 540 holding the views
// of the Varu.Onboarding module over one model.

#include <QQuickView>

class OnboardingModel;

// Created on first show and reused; closing only hides it.
class OnboardingWindow : public QQuickView
{
    Q_OBJECT

public:
    explicit OnboardingWindow(OnboardingModel &model);

    // False (with the errors logged) when the views failed to load.
    bool isLoaded() const { return status() == QQuickView::Ready && rootObject(); }

    static constexpr int kWidth = 600;
    static constexpr int kHeight = 540;

Q_SIGNALS:
    // Closed by the user or by the program; the window is only hidden.
    void closedOnce();

protected:
    bool event(QEvent *event) override;
};
