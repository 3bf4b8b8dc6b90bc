#include "OnboardingWindow.h"

#include "OnboardingImages.h"
#include "OnboardingModel.h"

#include "platform/Log.h"
#include "strip/cards/SymbolIcons.h"

#include <QQmlEngine>

// Generated with the Varu.Onboarding module. The library is static: naming the function keeps
// its object, and with it the registration of the module's C++ types, in the program.
void qml_register_types_Varu_Onboarding();

OnboardingWindow::OnboardingWindow(OnboardingModel &model)
{
    volatile auto registerTypes = &qml_register_types_Varu_Onboarding;
    Q_UNUSED(registerTypes);
    SymbolIcons::ensureIconTheme();
    setTitle(QStringLiteral("Boas-vindas ao Varu"));
    setResizeMode(QQuickView::SizeRootObjectToView);
    resize(kWidth, kHeight);
    setMinimumSize(QSize(kWidth, kHeight));
    setMaximumSize(QSize(kWidth, kHeight));
    engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
    engine()->addImageProvider(QStringLiteral("onboarding"), new OnboardingImages);
    setInitialProperties({{u"onboarding"_qs, QVariant::fromValue(&model)}});
    setSource(QUrl(QStringLiteral("qrc:/qt/qml/Varu/Onboarding/qml/OnboardingView.qml")));
    if (status() != QQuickView::Ready) {
        for (const QQmlError &error : errors())
            qCCritical(lcVaru, "Erro nas boas-vindas: %s", qUtf8Printable(error.toString()));
    }
}

bool OnboardingWindow::event(QEvent *event)
{
    const bool handled = QQuickView::event(event);
    if (event->type() == QEvent::Close && event->isAccepted())
        Q_EMIT closedOnce();
    return handled;
}
