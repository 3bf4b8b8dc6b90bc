#include "Paster.h"

#include "core/ClipboardTypes.h"

#include "platform/KeyInjector.h"
#include "platform/KeyboardLayout.h"
#include "platform/WindowFocus.h"

#include <QRgba64>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <map>

namespace {

// Content that has no faithful text form: such cards are never merged into one text.
bool blocksMerge(const QString &type)
{
    using namespace ClipboardTypes;
    static const QSet<QString> types = {fileUrl, png, tiff, jpeg, heic, pdf};
    return types.contains(type);
}

// Bytes that are not valid UTF-8 give no text, so the card goes back byte for byte instead of
// with replacement characters.
std::optional<QString> strictUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// A colour card also offers its "#RRGGBB" as text, so text applications receive something;
// colour pickers still find the colour itself first.
QList<Representation> withColorText(const QList<Representation> &card)
{
    QList<Representation> out = card;
    for (const Representation &rep : card) {
        if (rep.type != ClipboardTypes::color || rep.data.size() != 8)
            continue;
        const bool hasText = std::any_of(card.begin(), card.end(), [&](const Representation &r) {
            return r.index == rep.index && r.type == ClipboardTypes::plainText;
        });
        if (hasText)
            continue;
        // Four native-endian 16-bit channels, as the clipboard's application/x-color.
        quint16 rgba[4];
        std::memcpy(rgba, rep.data.constData(), sizeof rgba);
        const QRgba64 color = QRgba64::fromRgba64(rgba[0], rgba[1], rgba[2], rgba[3]);
        const QString hex =
            QString::asprintf("#%02X%02X%02X", color.red8(), color.green8(), color.blue8());
        out.append({rep.index, ClipboardTypes::plainText, hex.toUtf8()});
    }
    return out;
}

} // namespace

Paster::Paster(Clipboard &clipboard, KeyboardLayout &layout, KeyInjector &keys,
               WindowFocus &focus)
    : m_clipboard(clipboard)
    , m_layout(layout)
    , m_keys(keys)
    , m_focus(focus)
{}

std::optional<QString> Paster::mergedText(const QList<QList<Representation>> &lists)
{
    if (lists.size() < 2)
        return std::nullopt;
    QStringList texts;
    for (const QList<Representation> &card : lists) {
        std::optional<QString> text;
        for (const Representation &rep : card) {
            if (blocksMerge(rep.type))
                return std::nullopt;
            if (!text && rep.type == ClipboardTypes::plainText)
                text = strictUtf8(rep.data);
        }
        if (!text)
            return std::nullopt;
        texts << *text;
    }
    return texts.join(QLatin1Char('\n'));
}

QList<ClipboardItem> Paster::items(const QList<QList<Representation>> &lists, bool plainTextOnly)
{
    QList<ClipboardItem> out;
    for (const QList<Representation> &stored : lists) {
        const QList<Representation> card = withColorText(stored);
        QList<Representation> chosen = card;
        if (plainTextOnly) {
            QList<Representation> plain;
            for (const Representation &rep : card) {
                if (rep.type == ClipboardTypes::plainText)
                    plain << rep;
            }
            if (!plain.isEmpty())
                chosen = plain;
        }
        // Ascending index; stored order within one index.
        std::map<qint64, ClipboardItem> groups;
        for (const Representation &rep : std::as_const(chosen))
            groups[rep.index].entries.append({rep.type, rep.data});
        for (auto &[index, item] : groups)
            out << std::move(item);
    }
    return out;
}

void Paster::write(const QList<QList<Representation>> &lists, bool plainTextOnly)
{
    if (const std::optional<QString> text = mergedText(lists)) {
        m_clipboard.writeString(*text);
        return;
    }
    m_clipboard.writeItems(items(lists, plainTextOnly));
}

bool Paster::isTerminal(const QStringList &windowClass)
{
    static const QSet<QString> terminals = {
        QStringLiteral("xterm"),
        QStringLiteral("uxterm"),
        QStringLiteral("gnome-terminal"),
        QStringLiteral("gnome-terminal-server"),
        QStringLiteral("konsole"),
        QStringLiteral("alacritty"),
        QStringLiteral("kitty"),
        QStringLiteral("foot"),
        QStringLiteral("footclient"),
        QStringLiteral("org.wezfurlong.wezterm"),
        QStringLiteral("wezterm"),
        QStringLiteral("xfce4-terminal"),
        QStringLiteral("tilix"),
        QStringLiteral("com.gexperts.tilix"),
        QStringLiteral("terminator"),
        QStringLiteral("urxvt"),
        QStringLiteral("rxvt"),
        QStringLiteral("st"),
        QStringLiteral("st-256color"),
        QStringLiteral("lxterminal"),
        QStringLiteral("mate-terminal"),
        QStringLiteral("qterminal"),
        QStringLiteral("terminology"),
        QStringLiteral("sakura"),
        QStringLiteral("guake"),
        QStringLiteral("tilda"),
        QStringLiteral("eterm"),
        QStringLiteral("cool-retro-term"),
        QStringLiteral("org.gnome.console"),
        QStringLiteral("kgx"),
        QStringLiteral("org.gnome.ptyxis"),
        QStringLiteral("ptyxis"),
        QStringLiteral("yakuake"),
        QStringLiteral("com.raggesilver.blackbox"),
        QStringLiteral("io.elementary.terminal"),
        QStringLiteral("deepin-terminal"),
        QStringLiteral("x-terminal-emulator"),
    };
    for (const QString &name : windowClass) {
        if (terminals.contains(name.toLower()))
            return true;
    }
    return false;
}

void Paster::sendPasteKeystroke()
{
    const std::optional<WindowId> target = m_focus.activeWindow();
    if (target && isTerminal(m_focus.windowClass(*target))) {
        m_clipboard.mirrorToPrimarySelection();
        m_keys.sendShiftInsert();
        return;
    }
    const std::optional<quint16> v = keyCode(QStringLiteral("v"));
    m_keys.sendControlKey(v ? *v : m_layout.fallbackPasteKeyCode());
}

std::optional<quint16> Paster::keyCode(const QString &name)
{
    return m_layout.keyCode(name);
}
