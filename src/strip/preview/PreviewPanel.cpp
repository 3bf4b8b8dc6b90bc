#include "PreviewPanel.h"

#include "strip/ui/WindowShape.h"

#include "PreviewImages.h"
#include "PreviewState.h"
#include "platform/Log.h"

#include <QQmlEngine>

// Generated with the Varu.Preview module; naming it keeps the module's registrations in the
// program, as the library is static.
void qml_register_types_Varu_Preview();

PreviewPanel::PreviewPanel(PreviewState &state, PreviewImages *images)
    : m_state(state)
{
    volatile auto registerTypes = &qml_register_types_Varu_Preview;
    Q_UNUSED(registerTypes);
    // The strip keeps the keyboard: arrows, Space and Escape go on working there. A tooltip
    // window is one no platform activates when it is shown.
    setFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
             Qt::WindowDoesNotAcceptFocus);
    setTitle(QStringLiteral("Varu"));
    QSurfaceFormat format = requestedFormat();
    format.setAlphaBufferSize(8);
    setFormat(format);
    setColor(Qt::transparent);
    setResizeMode(QQuickView::SizeRootObjectToView);
    resize(800, 560);

    engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
    engine()->addImageProvider(QStringLiteral("varupreview"), images);
    setInitialProperties({{u"preview"_qs, QVariant::fromValue(&state)}});
    setSource(QUrl(QStringLiteral("qrc:/qt/qml/Varu/Preview/qml/PreviewView.qml")));
    if (status() != QQuickView::Ready) {
        for (const QQmlError &error : errors())
            qCCritical(lcVaru, "Erro na pré-visualização: %s", qUtf8Printable(error.toString()));
    }
}

void PreviewPanel::applyLook(bool compositor)
{
    m_state.setTranslucent(compositor);
    m_shaped = !compositor;
    updateShape();
}

void PreviewPanel::resizeEvent(QResizeEvent *event)
{
    QQuickView::resizeEvent(event);
    updateShape();
}

void PreviewPanel::updateShape()
{
    WindowShape::apply(*this, m_shaped, kCornerRadius);
}
