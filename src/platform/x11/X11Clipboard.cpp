#include "X11Clipboard.h"

#include "X11MimeTypes.h"

#include <QColor>
#include <QMimeData>

#include <cstring>

namespace {

const QString kPlainText = QStringLiteral("public.utf8-plain-text");
const QString kFileUrl = QStringLiteral("public.file-url");
const QString kColor = QStringLiteral("com.apple.cocoa.pasteboard.color");
const QString kColorMime = QStringLiteral("application/x-color");

// application/x-color is four native-endian 16-bit values, red, green, blue and alpha.
// Qt hands it over as a QColor, which keeps all 16 bits, so the bytes are rebuilt exactly.
QByteArray colorBytes(const QColor &color)
{
    const QRgba64 c = color.rgba64();
    const quint16 values[4] = {c.red(), c.green(), c.blue(), c.alpha()};
    return QByteArray(reinterpret_cast<const char *>(values), sizeof values);
}

std::optional<QColor> colorFromBytes(const QByteArray &bytes)
{
    if (bytes.size() != 8)
        return std::nullopt;
    quint16 values[4];
    std::memcpy(values, bytes.constData(), sizeof values);
    return QColor(QRgba64::fromRgba64(values[0], values[1], values[2], values[3]));
}

// Plain text read in order of preference: explicitly UTF-8, then what Qt converts to UTF-8.
int textPreference(const QString &mime)
{
    if (mime.compare(QLatin1String("text/plain;charset=utf-8"), Qt::CaseInsensitive) == 0)
        return 0;
    if (mime == QLatin1String("text/plain"))
        return 1;
    if (mime == QLatin1String("UTF8_STRING"))
        return 2;
    return 3;
}

} // namespace

X11Clipboard::X11Clipboard(QClipboard *clipboard, QObject *parent)
    : QObject(parent)
    , m_clipboard(clipboard)
{
    connect(m_clipboard, &QClipboard::changed, this, &X11Clipboard::onChanged);
    m_holdExpiry.setSingleShot(true);
    m_holdExpiry.setInterval(kHoldMs);
    connect(&m_holdExpiry, &QTimer::timeout, this, &X11Clipboard::release);
}

void X11Clipboard::onChanged(QClipboard::Mode mode)
{
    // Our own writes move the counter themselves (Qt reports them from inside setMimeData),
    // so a caller can mark them right away. Everything else counts, even while Qt still
    // believes it owns the selection: another client's take-over may be announced before
    // the selection-clear that ends our ownership.
    if (mode != QClipboard::Clipboard || m_writing)
        return;
    const QMimeData *mime = current();
    const bool offers = mime && !X11MimeTypes::contentTargets(mime->formats()).isEmpty();
    // The owner of a copy not yet recorded exited and took its offer along: what was read
    // of it stays the clipboard's content until the copy has been recorded.
    if (!offers && m_held)
        return;
    ++m_changeCount;
    m_lastWritten.clear(); // no longer ours to mirror, and possibly large
    release();
    if (offers)
        hold();
}

void X11Clipboard::hold()
{
    const Layout &l = layout();
    for (const QString &type : l.firstItemTypes) {
        if (m_unheldTypes.contains(type))
            return;
    }
    Held held;
    for (const QString &type : l.firstItemTypes) {
        if (type != kFileUrl)
            held.data.insert(type, readLive(type));
    }
    held.color = readColor();
    m_held = std::move(held);
    m_holdExpiry.start();
}

void X11Clipboard::release()
{
    m_holdExpiry.stop();
    if (!m_held)
        return;
    m_held.reset();
    m_layoutCount = -1; // read the selection itself from now on
}

const QMimeData *X11Clipboard::current() const
{
    return m_clipboard->mimeData(QClipboard::Clipboard);
}

const X11Clipboard::Layout &X11Clipboard::layout()
{
    if (m_layoutCount == m_changeCount)
        return m_layout;
    m_layoutCount = m_changeCount;
    m_layout = Layout{};
    const QMimeData *mime = current();
    if (!mime)
        return m_layout;

    const QStringList formats = X11MimeTypes::contentTargets(mime->formats());
    QString fileListMime;
    for (const QString &format : formats) {
        if (X11MimeTypes::isFileList(format) &&
            (fileListMime.isEmpty() || format == QLatin1String("text/uri-list")))
            fileListMime = format;
    }
    if (!fileListMime.isEmpty())
        m_layout.fileUris = X11MimeTypes::parseFileList(fileListMime, mime->data(fileListMime));

    for (const QString &format : formats) {
        const bool fileList = X11MimeTypes::isFileList(format);
        if (fileList && !m_layout.fileUris.isEmpty()) {
            if (!m_layout.firstItemTypes.contains(kFileUrl))
                m_layout.firstItemTypes << kFileUrl;
            continue;
        }
        // A list of web links is kept as it came, under its own name.
        const QString stored = fileList ? format : X11MimeTypes::storedType(format);
        if (stored == kPlainText && (m_layout.textMime.isEmpty() ||
                                     textPreference(format) < textPreference(m_layout.textMime)))
            m_layout.textMime = format;
        if (m_layout.firstItemTypes.contains(stored))
            continue;
        m_layout.firstItemTypes << stored;
        m_layout.mimeOf.insert(stored, format);
    }
    return m_layout;
}

int X11Clipboard::itemCount()
{
    const Layout &l = layout();
    if (l.firstItemTypes.isEmpty())
        return 0;
    return int(std::max<qsizetype>(1, l.fileUris.size()));
}

QStringList X11Clipboard::types(int item)
{
    const Layout &l = layout();
    if (item == 0)
        return l.firstItemTypes;
    if (item > 0 && item < l.fileUris.size())
        return {kFileUrl};
    return {};
}

std::optional<QByteArray> X11Clipboard::data(int item, const QString &type)
{
    const Layout &l = layout();
    if (type == kFileUrl) {
        if (item >= 0 && item < l.fileUris.size())
            return l.fileUris.at(item);
        return std::nullopt;
    }
    if (item != 0 || !l.firstItemTypes.contains(type))
        return std::nullopt;
    if (m_held)
        return m_held->data.value(type);
    return readLive(type);
}

std::optional<QByteArray> X11Clipboard::readLive(const QString &type)
{
    const Layout &l = layout();
    const QMimeData *mime = current();
    if (!mime)
        return std::nullopt;
    const QString format = type == kPlainText ? l.textMime : l.mimeOf.value(type);
    if (format == kColorMime) {
        const QColor color = mime->colorData().value<QColor>();
        if (color.isValid())
            return colorBytes(color);
    }
    // X11 cannot tell an empty offer from an owner that failed to answer: both give none.
    QByteArray bytes = mime->data(format);
    if (bytes.isEmpty())
        return std::nullopt;
    return bytes;
}

std::optional<SrgbColor> X11Clipboard::readColor()
{
    if (m_held)
        return m_held->color;
    const QMimeData *mime = current();
    if (!mime || !mime->hasColor())
        return std::nullopt;
    const QColor color = mime->colorData().value<QColor>().toRgb();
    if (!color.isValid())
        return std::nullopt;
    return SrgbColor{color.redF(), color.greenF(), color.blueF()};
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
    release();
    m_lastWritten = items;
    ++m_changeCount;
    m_writing = true;
    m_clipboard->setMimeData(mimeDataFor(items), QClipboard::Clipboard);
    m_writing = false;
}

void X11Clipboard::mirrorToPrimarySelection()
{
    m_clipboard->setMimeData(mimeDataFor(m_lastWritten), QClipboard::Selection);
}
