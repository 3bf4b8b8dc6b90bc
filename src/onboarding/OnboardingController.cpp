#include "OnboardingController.h"

#include "OnboardingModel.h"
#include "OnboardingWindow.h"

#include "settings/UserDefaults.h"

#include <QScreen>

OnboardingController::OnboardingController(OnboardingModel &model, UserDefaults &defaults,
                                           QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_defaults(defaults)
    , m_pollMs(OnboardingModel::kPollMs)
{
    QPointer<OnboardingController> self(this);
    m_model.finish = [self] {
        if (self)
            self->close();
    };
}

OnboardingController::~OnboardingController()
{
    m_model.finish = nullptr;
}

void OnboardingController::show()
{
    if (!m_window) {
        m_window = std::make_unique<OnboardingWindow>(m_model);
        connect(m_window.get(), &OnboardingWindow::closedOnce, this,
                &OnboardingController::onClosing);
    }
    // Shown again while up, it only comes to the front: the user keeps their step.
    if (!m_window->isVisible()) {
        m_model.rewind();
        m_model.refresh();
        m_model.start(m_pollMs);
        if (m_window->screen())
            m_window->setPosition(m_window->screen()->availableGeometry().center() -
                                  QPoint(m_window->width() / 2, m_window->height() / 2));
    }
    m_window->show();
    m_window->raise();
    m_window->requestActivate();
}

bool OnboardingController::isVisible() const
{
    return m_window && m_window->isVisible();
}

void OnboardingController::close()
{
    if (m_window)
        m_window->close();
}

void OnboardingController::onClosing()
{
    m_model.stop();
    m_defaults.setOnboardingDone(true);
    Q_EMIT closed();
}
