#pragma once
// What capture and paste-back need of the system clipboard. Types are the stored type names
// ("public.utf8-plain-text", "public.png"…); implementations translate them at the boundary.
// Main thread only.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// One item to write: its representations in order, each a type and its bytes.
struct ClipboardItem
{
    QList<std::pair<QString, QByteArray>> entries;

    friend bool operator==(const ClipboardItem &, const ClipboardItem &) = default;
};

struct SrgbColor
{
    double red = 0, green = 0, blue = 0; // 0…1

    friend bool operator==(const SrgbColor &, const SrgbColor &) = default;
};

class Clipboard
{
public:
    // The user's read permission for this application (only some platforms ask).
    enum class AccessBehavior { Default, Ask, AlwaysAllow, AlwaysDeny };

    virtual ~Clipboard() = default;

    // Moves on whenever any process, this one included, changes the clipboard. Only
    // inequality with a remembered value means anything.
    virtual qint64 changeCount() = 0;
    // Where the platform tells of changes, `handler` runs on the main thread each time the
    // counter has moved and the new offer can be read without waiting on its owner, so the
    // caller needs no poll. False where nothing notifies: the caller polls changeCount().
    virtual bool setChangeHandler(std::function<void()> handler)
    {
        Q_UNUSED(handler);
        return false;
    }

    // Reading. No items (or an empty clipboard) gives 0.
    virtual int itemCount() = 0;
    virtual QStringList types(int item) = 0;                                   // item's own order
    virtual std::optional<QByteArray> data(int item, const QString &type) = 0; // none: not supplied
    virtual AccessBehavior accessBehavior() = 0;
    // The colour on the clipboard, in sRGB, or none when there is none or it cannot be read.
    virtual std::optional<SrgbColor> readColor() = 0;
    // Who made the current offer where the platform tells (an X11 window), none elsewhere.
    // A copy replaced by another owner is a copy of its own, however briefly it stood.
    virtual std::optional<quint64> ownerID() { return std::nullopt; }

    // Writing replaces the whole content and makes this application the owner.
    virtual void writeItems(const QList<ClipboardItem> &items) = 0;
    // One item holding the text as plain text.
    void writeString(const QString &text)
    {
        writeItems({ClipboardItem{{{QStringLiteral("public.utf8-plain-text"), text.toUtf8()}}}});
    }
    // Puts what was last written on the primary selection too (terminals paste from it).
    virtual void mirrorToPrimarySelection() = 0;

    // Offers carrying any of these types (concealed or password-manager copies, which are
    // never recorded) are not read ahead; nothing to do where offers are only read on demand.
    virtual void setUnheldTypes(const QStringList &types) { Q_UNUSED(types); }
};
