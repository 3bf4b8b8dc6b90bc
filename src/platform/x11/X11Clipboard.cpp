#include "X11Clipboard.h"

#include "X11Connection.h"
#include "X11MimeTypes.h"
#include "X11SelectionReader.h"

#include "platform/Log.h"

#include <QColor>
#include <QMimeData>

#include <algorithm>
#include <cstring>

namespace {

const QString kPlainText = QStringLiteral("public.utf8-plain-text");
const QString kFileUrl = QStringLiteral("public.file-url");
const QString kColor = QStringLiteral("com.apple.cocoa.pasteboard.color");
const QString kColorMime = QStringLiteral("application/x-color");

// application/x-color is four native-endian 16-bit values, red, green, blue and alpha.
std::optional<QColor> colorFromBytes(const QByteArray &bytes)
{
    if (bytes.size() != 8)
        return std::nullopt;
    quint16 values[4];
    std::memcpy(values, bytes.constData(), sizeof values);
    return QColor(QRgba64::fromRgba64(values[0], values[1], values[2], values[3]));
}

} // namespace

X11Clipboard::X11Clipboard(QClipboard *clipboard, QObject *parent)
    : QObject(parent)
    , m_clipboard(clipboard)
{
    m_reader = std::make_unique<X11SelectionReader>(
        qgetenv("DISPLAY"), X11SelectionReader::Limits{}, [this](X11Offer offer) {
            QMetaObject::invokeMethod(
                this, [this, offer = std::move(offer)] { receive(offer); },
                Qt::QueuedConnection);
        });
    if (!m_reader->isRunning())
        qCWarning(lcVaru, "Sem extensão XFixes no servidor X: o clipboard não é observado");
}

X11Clipboard::~X11Clipboard() = default;

bool X11Clipboard::setChangeHandler(std::function<void()> handler)
{
    if (!m_reader->isRunning())
        return false;
    m_changed = std::move(handler);
    return true;
}

void X11Clipboard::setUnheldTypes(const QStringList &types)
{
    m_reader->setUnheldTypes(types);
}

void X11Clipboard::receive(X11Offer offer)
{
    // Our own write, read before the reader learnt which window is ours.
    if (offer.owner != XCB_NONE && offer.owner == m_ownWindow)
        return;
    if (offer.initial) {
        show(offer);
        return;
    }
    // An owner that exits takes its offer along; what was read of it stays the clipboard's
    // content so it can still be recorded. Nothing was read of a concealed one.
    if (offer.owner == XCB_NONE && !m_concealed)
        return;
    m_lastWritten.clear(); // no longer ours to mirror, and possibly large
    show(offer);
    ++m_changeCount;
    if (m_changed)
        m_changed();
}

// How the owner's offer maps onto items: item 0 has every type; further items carry one
// file URL each.
void X11Clipboard::show(const X11Offer &offer)
{
    m_items.clear();
    m_color.reset();
    m_concealed = offer.concealed;
    m_owner = offer.owner != XCB_NONE ? std::optional<quint64>(offer.owner) : std::nullopt;
    // X11 cannot tell an empty offer from an owner that failed to answer: both give none.
    const auto bytesOf = [&](const QString &target) -> std::optional<QByteArray> {
        std::optional<QByteArray> bytes = offer.data.value(target);
        if (bytes && bytes->isEmpty())
            return std::nullopt;
        return bytes;
    };

    QString fileListMime;
    for (const QString &target : offer.targets) {
        if (X11MimeTypes::isFileList(target) &&
            (fileListMime.isEmpty() || target == QLatin1String("text/uri-list")))
            fileListMime = target;
    }
    QList<QByteArray> uris;
    if (const std::optional<QByteArray> list = bytesOf(fileListMime))
        uris = X11MimeTypes::parseFileList(fileListMime, *list);

    std::optional<QByteArray> text;
    for (const QString &target : offer.targets) {
        if (X11MimeTypes::isPlainText(target) && offer.data.contains(target))
            text = bytesOf(target);
    }

    QList<Entry> first;
    const auto has = [&](const QString &type) {
        return std::any_of(first.cbegin(), first.cend(),
                           [&](const Entry &e) { return e.type == type; });
    };
    for (const QString &target : offer.targets) {
        const bool fileList = X11MimeTypes::isFileList(target);
        if (fileList && !uris.isEmpty()) {
            if (!has(kFileUrl))
                first << Entry{kFileUrl, uris.first()};
            continue;
        }
        // A list of web links is kept as it came, under its own name.
        const QString stored = fileList ? target : X11MimeTypes::storedType(target);
        if (has(stored))
            continue;
        first << Entry{stored, stored == kPlainText ? text : bytesOf(target)};
        if (target == kColorMime) {
            if (const std::optional<QColor> color = colorFromBytes(bytesOf(target).value_or("")))
                m_color = SrgbColor{color->redF(), color->greenF(), color->blueF()};
        }
    }
    if (first.isEmpty())
        return;
    m_items << first;
    for (qsizetype i = 1; i < uris.size(); ++i)
        m_items << QList<Entry>{Entry{kFileUrl, uris.at(i)}};
}

QStringList X11Clipboard::types(int item)
{
    QStringList out;
    for (const Entry &entry : m_items.value(item))
        out << entry.type;
    return out;
}

std::optional<QByteArray> X11Clipboard::data(int item, const QString &type)
{
    for (const Entry &entry : m_items.value(item)) {
        if (entry.type == type)
            return entry.bytes;
    }
    return std::nullopt;
}

QMimeData *X11Clipboard::mimeDataFor(const QList<ClipboardItem> &items)
{
    auto *mime = new QMimeData;
    QList<QByteArray> uris;
    QStringList written;
    for (const ClipboardItem &item : items) {
        for (const auto &[type, bytes] : item.entries) {
            if (type == kFileUrl) {
                uris << bytes.trimmed();
                continue;
            }
            if (written.contains(type))
                continue; // one item on X11: the first item's data of each type wins
            written << type;
            if (type == kPlainText) {
                // setText offers UTF8_STRING and STRING too, which terminals need.
                mime->setText(QString::fromUtf8(bytes));
                mime->setData(X11MimeTypes::mimeType(type), bytes);
            } else if (type == kColor && colorFromBytes(bytes)) {
                mime->setColorData(*colorFromBytes(bytes));
            } else {
                mime->setData(X11MimeTypes::mimeType(type), bytes);
            }
        }
    }
    if (!uris.isEmpty()) {
        mime->setData(QStringLiteral("text/uri-list"), X11MimeTypes::uriList(uris));
        mime->setData(QStringLiteral("x-special/gnome-copied-files"),
                      X11MimeTypes::gnomeCopiedFiles(uris));
    }
    return mime;
}

void X11Clipboard::writeItems(const QList<ClipboardItem> &items)
{
    m_lastWritten = items;
    ++m_changeCount;
    m_clipboard->setMimeData(mimeDataFor(items), QClipboard::Clipboard);
    // Qt's selection window is now the owner; its offers are ours and are not read back.
    if (xcb_connection_t *c = X11Connection::connection()) {
        X11Connection::Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
            c, xcb_get_selection_owner(c, X11Connection::atom("CLIPBOARD")), nullptr));
        if (owner && owner->owner != XCB_NONE) {
            m_ownWindow = owner->owner;
            m_reader->setOwnWindow(owner->owner);
        }
    }
    m_items.clear();
    m_color.reset();
    m_concealed = false;
    m_owner = m_ownWindow ? std::optional<quint64>(m_ownWindow) : std::nullopt;
    for (const ClipboardItem &item : items) {
        QList<Entry> entries;
        for (const auto &[type, bytes] : item.entries) {
            entries << Entry{type, bytes};
            if (type == kColor) {
                if (const std::optional<QColor> color = colorFromBytes(bytes))
                    m_color = SrgbColor{color->redF(), color->greenF(), color->blueF()};
            }
        }
        m_items << entries;
    }
}

void X11Clipboard::mirrorToPrimarySelection()
{
    m_clipboard->setMimeData(mimeDataFor(m_lastWritten), QClipboard::Selection);
}
