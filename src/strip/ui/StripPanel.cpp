#include "StripPanel.h"

#include "WindowShape.h"

#include "CardInteraction.h"
#include "CardListModel.h"
#include "StripChrome.h"
#include "strip/model/StripModel.h"
#include "TabListModel.h"
#include "platform/Log.h"

#include <QQmlEngine>

// Generated with the Varu.Strip module. The library is static: naming the function keeps its
// object, and with it the registration of the module's C++ types, in the program.
void qml_register_types_Varu_Strip();

StripPanel::StripPanel(const Views &views, QQmlImageProviderBase *images,
                       QQmlImageProviderBase *fileThumbnails)
    : m_chrome(views.chrome)
{
    volatile auto registerTypes = &qml_register_types_Varu_Strip;
    Q_UNUSED(registerTypes);
    setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setTitle(QStringLiteral("Varu"));
    QSurfaceFormat format = requestedFormat();
    format.setAlphaBufferSize(8);
    setFormat(format);
    setColor(Qt::transparent);
    setResizeMode(QQuickView::SizeRootObjectToView);
    resize(900, kHeight);

    engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
    engine()->addImageProvider(QStringLiteral("varu"), images);
    engine()->addImageProvider(QStringLiteral("varuthumbs"), fileThumbnails);
    setInitialProperties({{u"strip"_qs, QVariant::fromValue(views.model)},
                          {u"cards"_qs, QVariant::fromValue(views.cards)},
                          {u"tabs"_qs, QVariant::fromValue(views.tabs)},
                          {u"chrome"_qs, QVariant::fromValue(views.chrome)},
                          {u"interaction"_qs, QVariant::fromValue(views.interaction)}});
    setSource(QUrl(QStringLiteral("qrc:/qt/qml/Varu/Strip/qml/StripView.qml")));
    if (status() != QQuickView::Ready) {
        for (const QQmlError &error : errors())
            qCCritical(lcVaru, "Erro na faixa: %s", qUtf8Printable(error.toString()));
    }
}

void StripPanel::applyLook(bool compositor)
{
    m_chrome->setTranslucent(compositor);
    m_shaped = !compositor;
    updateShape();
}

void StripPanel::resizeEvent(QResizeEvent *event)
{
    QQuickView::resizeEvent(event);
    updateShape();
}

void StripPanel::updateShape()
{
    WindowShape::apply(*this, m_shaped, kCornerRadius);
}
