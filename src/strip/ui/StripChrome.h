#pragma once
// Everything the strip's views show that is not a card: the search placeholder, the empty
// states, the filter buttons, the tab colours, and the translucent or opaque look.

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class StripModel;

class StripChrome : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the strip's controller and handed to the views.")
    Q_PROPERTY(bool translucent READ translucent NOTIFY translucentChanged)
    Q_PROPERTY(QString searchPlaceholder READ searchPlaceholder NOTIFY textsChanged)
    Q_PROPERTY(bool searching READ searching NOTIFY textsChanged)
    Q_PROPERTY(QString emptySymbol READ emptySymbol NOTIFY textsChanged)
    Q_PROPERTY(QString emptyTitle READ emptyTitle NOTIFY textsChanged)
    Q_PROPERTY(QString emptySubtitle READ emptySubtitle NOTIFY textsChanged)
    // One {label, symbol} per kind filter, in button order.
    Q_PROPERTY(QVariantList filters READ filters CONSTANT)
    // The colours offered for tabs, in the tab editor's order.
    Q_PROPERTY(QStringList tabColors READ tabColors CONSTANT)
    // A context menu of the strip is open; the views set it, and the keys are the menu's.
    Q_PROPERTY(bool menuOpen READ menuOpen WRITE setMenuOpen NOTIFY menuOpenChanged)

public:
    explicit StripChrome(StripModel &model, QObject *parent = nullptr);

    bool translucent() const { return m_translucent; }
    void setTranslucent(bool translucent);

    QString searchPlaceholder() const;
    // A search text (even only spaces) or a kind filter is set.
    bool searching() const;
    QString emptySymbol() const;
    QString emptyTitle() const;
    QString emptySubtitle() const;
    QVariantList filters() const;
    QStringList tabColors() const;
    // A colour written as text, gray when it is not one.
    Q_INVOKABLE QColor color(const QString &hex) const;
    bool menuOpen() const { return m_menuOpen; }
    void setMenuOpen(bool open);

    // The strip was shown again: the views put the row back at the focused card.
    void announceShown() { Q_EMIT shown(); }

Q_SIGNALS:
    void translucentChanged();
    void textsChanged();
    void shown();
    void menuOpenChanged();

private:
    StripModel &m_model;
    bool m_translucent = false;
    bool m_menuOpen = false;
};
