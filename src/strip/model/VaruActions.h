#pragma once
// The strip's way to the application shell: every command that touches the store. The shell
// implements it with a small adapter object; the strip model holds it weakly (QPointer).

#include "Tab.h"
#include "core/ClipItem.h"
#include "core/Representation.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class VaruActions : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Hide the strip, write the cards to the clipboard (only as plain text when asked) and
    // paste them into the application the user was in.
    virtual void paste(const QList<ClipItem> &items, bool plainText) = 0;
    // Write the cards to the clipboard whole; the strip stays open.
    virtual void copy(const QList<ClipItem> &items) = 0;
    // Put a card at the top of a tab.
    virtual void add(const QString &itemID, const QString &tabID) = 0;
    // Take cards out of a tab; cards then kept by nothing are deleted.
    virtual void remove(const QList<ClipItem> &items, const QString &tabID) = 0;
    // Take cards out of the history (they stay in their tabs), or out of a tab.
    virtual void deleteItems(const QList<ClipItem> &items, const Tab &from) = 0;
    // Set a card's custom name; the store trims it, and empty clears it.
    virtual void rename(const ClipItem &item, const std::optional<QString> &to) = 0;
    // Replace a card's content with new text, as typed.
    virtual void saveText(const ClipItem &item, const QString &text) = 0;
    // Create a tab; with no cards to add the strip switches to it.
    virtual void createTab(const QString &name, const QString &color,
                             const QStringList &adding) = 0;
    virtual void updateTab(const QString &id, const QString &name, const QString &color) = 0;
    virtual void deleteTab(const QString &id) = 0;
    // A card's stored content, read synchronously; empty on failure.
    virtual QList<Representation> representations(const ClipItem &item) = 0;
    virtual void exportTab(const QString &id) = 0;
};
