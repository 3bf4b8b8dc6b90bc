#include "RenderBackend.h"

#include "platform/Log.h"

#include <QDir>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <optional>

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
    // The renderer is the process's: choosing once is enough, and later requests are ignored.
    static std::optional<bool> chosen;
    if (chosen)
        return *chosen;
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND") ||
        qEnvironmentVariableIsSet("QSG_RHI_BACKEND")) {
        // Chosen by whoever started us.
        chosen = qgetenv("QT_QUICK_BACKEND") == "software";
    } else {
        chosen = !hasRenderNode() || glIsSoftware();
        if (*chosen) {
            QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
            qCInfo(lcVaru, "Sem GPU: a faixa usa o renderizador por software");
        }
    }
    // Frames of the software renderer are asked for by animation timers; the platform's usual
    // pause of 5 ms before drawing a requested frame makes every other one miss its tick.
    if (*chosen && !qEnvironmentVariableIsSet("QT_QPA_UPDATE_IDLE_TIME"))
        qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    return *chosen;
}

} // namespace RenderBackend
