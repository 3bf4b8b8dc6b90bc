#pragma once
// The settings window's pictures under "image://settings/…": an application's icon by its
// desktop entry id ("app/<id>", a dashed placeholder when it has none) and Varu's own ("varu").

#include <QIcon>
#include <QQuickImageProvider>

#include <functional>
#include <optional>

class SettingsIcons : public QQuickImageProvider
{
public:
    using Lookup = std::function<std::optional<QIcon>(const QString &appID)>;

    SettingsIcons(Lookup lookup, QIcon own);

    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;

    // The stand-in for an application that is not installed.
    static QPixmap placeholder(QSize size);

private:
    Lookup m_lookup;
    QIcon m_own;
};
