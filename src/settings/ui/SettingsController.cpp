#include "SettingsController.h"

#include "AppListModels.h"
#include "SettingsIcons.h"
#include "platform/KeyboardLayout.h"
#include "platform/Log.h"
#include "settings/SettingsModel.h"

#include <QKeyEvent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>

// Generated with the Varu.Settings module. The library is static: naming the function keeps
// its object, and with it the registration of the module's C++ types, in the program.
void qml_register_types_Varu_Settings();

namespace {

// What the key types without modifiers: the layout knows it from the key code; without a
// code (synthetic events) a plain ASCII key stands for itself.
std::optional<QString> unmodifiedCharacters(const QKeyEvent &event, KeyboardLayout &layout)
{
    if (event.nativeScanCode() != 0) {
        if (auto c = layout.character(event.nativeScanCode()))
            return c;
    }
    const int key = event.key();
    if (key > 0x20 && key < 0x7f)
        return QString(QChar(key)).toLower();
    if (key == Qt::Key_Space)
        return QStringLiteral(" ");
    return std::nullopt;
}

} // namespace

SettingsController::SettingsController(Services services, QObject *parent)
    : QObject(parent)
    , m_s(std::move(services))
{}

SettingsController::~SettingsController() = default;

void SettingsController::createWindow()
{
    volatile auto registerTypes = &qml_register_types_Varu_Settings;
    Q_UNUSED(registerTypes);
    // Made with the window: naming the ignored applications reads desktop entries, which a
    // start that never opens the settings should not pay for.
    m_ignored = std::make_unique<IgnoredAppsModel>(m_s.model, m_s.apps);
    m_chooser = std::make_unique<AppChooserModel>(m_s.model, m_s.apps);
    m_window = std::make_unique<QQuickView>();
    QQuickView &w = *m_window;
    w.setTitle(QStringLiteral("Ajustes do Varu"));
    if (!m_s.ownIcon.isNull())
        w.setIcon(m_s.ownIcon);
    w.setResizeMode(QQuickView::SizeRootObjectToView);
    w.setMinimumSize(QSize(kWidth, kHeight));
    w.setMaximumSize(QSize(kWidth, kHeight));
    w.resize(kWidth, kHeight);
    w.engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
    w.engine()->addImageProvider(QStringLiteral("settings"),
                                 new SettingsIcons(m_s.appIcon, m_s.ownIcon));
    w.setInitialProperties({{u"settings"_qs, QVariant::fromValue(&m_s.model)},
                            {u"ignored"_qs, QVariant::fromValue(m_ignored.get())},
                            {u"chooser"_qs, QVariant::fromValue(m_chooser.get())}});
    w.setSource(QUrl(QStringLiteral("qrc:/qt/qml/Varu/Settings/qml/SettingsView.qml")));
    if (w.status() != QQuickView::Ready) {
        for (const QQmlError &error : w.errors())
            qCCritical(lcVaru, "Erro nos ajustes: %s", qUtf8Printable(error.toString()));
    }
    w.installEventFilter(this);
    // Hiding by any means (the title bar, Esc) ends a recording: the old shortcut comes back.
    connect(&w, &QWindow::visibleChanged, this, [this](bool visible) {
        if (visible)
            return;
        m_s.model.stopRecording();
        Q_EMIT closed();
    });
}

void SettingsController::show(const QString &pane)
{
    if (!m_window)
        createWindow();
    if (!pane.isEmpty() && !m_s.model.selectPane(pane))
        qCInfo(lcVaru, "Painel de ajustes desconhecido: %s", qUtf8Printable(pane));
    m_s.model.refreshLogin();
    m_window->show();
    m_window->raise();
    m_window->requestActivate();
    if (QQuickItem *root = m_window->rootObject())
        QMetaObject::invokeMethod(root, "focusPane");
}

bool SettingsController::isVisible() const
{
    return m_window && m_window->isVisible();
}

bool SettingsController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window.get() && m_s.model.recording() &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Claiming the override keeps Esc and the like from reaching shortcuts first.
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        return m_s.model.recordKey(key->key(), key->modifiers(),
                                   unmodifiedCharacters(*key, m_s.layout));
    }
    return QObject::eventFilter(watched, event);
}
