#include "RenderBackend.h"

#include "platform/Log.h"

#include <QDir>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace RenderBackend {

namespace {

bool hasRenderNode()
{
    return !QDir(QStringLiteral("/dev/dri"))
                .entryList({QStringLiteral("renderD*")}, QDir::System)
                .isEmpty();
}

// Asks OpenGL who renders; only done where a render node suggests a real driver.
bool glIsSoftware()
{
    QOpenGLContext context;
    if (!context.create())
        return true;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!context.makeCurrent(&surface))
        return true;
    const auto *renderer =
        reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
    const bool software = isSoftwareRenderer(renderer);
    context.doneCurrent();
    return software;
}

} // namespace

bool isSoftwareRenderer(const char *glRenderer)
{
    if (!glRenderer)
        return true;
    const QByteArray name = QByteArray(glRenderer).toLower();
    return name.contains("llvmpipe") || name.contains("softpipe") ||
           name.contains("software rasterizer") || name.contains("swrast");
}

bool chooseForStrip()
{
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND") ||
        qEnvironmentVariableIsSet("QSG_RHI_BACKEND"))
        return QQuickWindow::graphicsApi() == QSGRendererInterface::Software;
    if (hasRenderNode() && !glIsSoftware())
        return false;
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    qCInfo(lcVaru, "Sem GPU: a faixa usa o renderizador por software");
    return true;
}

} // namespace RenderBackend
