#include "OfferedText.h"

#include "core/ClipboardTypes.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <cctype>

namespace OfferedText {

namespace {

QString decode(const QByteArray &bytes, QStringConverter::Encoding encoding)
{
    // The default flags replace what cannot be decoded instead of stopping there.
    QStringDecoder decoder(encoding);
    return decoder.decode(bytes);
}

// Tags that break a line when shown; any other tag (b, span, a…) joins the text around it.
bool breaksLine(QStringView name)
{
    static const QSet<QString> inlineTags{
        u"a"_qs,    u"abbr"_qs, u"b"_qs,     u"bdi"_qs,  u"bdo"_qs,    u"cite"_qs, u"code"_qs,
        u"data"_qs, u"dfn"_qs,  u"em"_qs,    u"font"_qs, u"i"_qs,      u"kbd"_qs,  u"mark"_qs,
        u"q"_qs,    u"s"_qs,    u"samp"_qs,  u"small"_qs, u"span"_qs,  u"strong"_qs, u"sub"_qs,
        u"sup"_qs,  u"time"_qs, u"tt"_qs,    u"u"_qs,    u"var"_qs,    u"wbr"_qs,  u"del"_qs,
        u"ins"_qs,  u"label"_qs};
    return !inlineTags.contains(name.toString().toLower());
}

// "&amp;", "&#233;", "&#xE9;" and the few names that matter for reading a value.
qsizetype appendReference(const QString &html, qsizetype at, QString &out)
{
    static const QHash<QString, QChar> named{{u"amp"_qs, u'&'},    {u"lt"_qs, u'<'},
                                             {u"gt"_qs, u'>'},     {u"quot"_qs, u'"'},
                                             {u"apos"_qs, u'\''},  {u"nbsp"_qs, QChar(0xA0)},
                                             {u"colon"_qs, u':'},  {u"equals"_qs, u'='}};
    const qsizetype end = html.indexOf(u';', at + 1);
    if (end < 0 || end - at > 12) {
        out += u'&';
        return at + 1;
    }
    const QStringView name = QStringView(html).mid(at + 1, end - at - 1);
    if (name.startsWith(u'#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (ok && code > 0 && code <= 0x10FFFF && !QChar::isSurrogate(code)) {
            out += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
            return end + 1;
        }
    } else if (const auto it = named.constFind(name.toString().toLower()); it != named.cend()) {
        out += *it;
        return end + 1;
    }
    out += u'&';
    return at + 1;
}

} // namespace

QString lenient(const QByteArray &bytes)
{
    return decode(bytes, QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8));
}

QString fromHtml(const QByteArray &bytes)
{
    const QString html =
        decode(bytes, QStringConverter::encodingForHtml(bytes).value_or(QStringConverter::Utf8));
    QString out;
    out.reserve(html.size());
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html[i];
        if (c == u'&') {
            i = appendReference(html, i, out);
            continue;
        }
        if (c != u'<') {
            out += c;
            ++i;
            continue;
        }
        if (QStringView(html).mid(i, 4) == u"<!--") {
            const qsizetype end = html.indexOf(u"-->", i + 4);
            i = end < 0 ? html.size() : end + 3;
            continue;
        }
        const qsizetype close = html.indexOf(u'>', i + 1);
        if (close < 0)
            break; // an unfinished tag shows nothing
        qsizetype nameStart = i + 1;
        if (nameStart < close && html[nameStart] == u'/')
            ++nameStart;
        qsizetype nameEnd = nameStart;
        while (nameEnd < close && (html[nameEnd].isLetterOrNumber() || html[nameEnd] == u'-'))
            ++nameEnd;
        const QStringView name = QStringView(html).mid(nameStart, nameEnd - nameStart);
        i = close + 1;
        if (name.isEmpty())
            continue;
        const bool closing = html[nameStart - 1] == u'/';
        if (!closing &&
            (name.compare(u"script", Qt::CaseInsensitive) == 0 ||
             name.compare(u"style", Qt::CaseInsensitive) == 0)) {
            // Their content is code for the browser, not text for the reader.
            const QString end = u"</"_qs + name.toString();
            const qsizetype at = html.indexOf(end, i, Qt::CaseInsensitive);
            i = at < 0 ? html.size() : at;
            continue;
        }
        if (breaksLine(name))
            out += u'\n';
    }
    return out;
}

QString fromRtf(const QByteArray &rtf)
{
    QString out;
    out.reserve(rtf.size());
    // Per open group: whether its text is skipped (font tables, pictures, "\*" destinations).
    QList<bool> skipping{false};
    int unicodeSkip = 1; // \ucN: how many fallback characters follow a \uN
    int pendingSkip = 0;
    const auto put = [&](QChar c) {
        if (pendingSkip > 0) {
            --pendingSkip;
            return;
        }
        if (!skipping.last())
            out += c;
    };
    static const QSet<QByteArray> hidden{"fonttbl", "colortbl", "stylesheet", "info", "pict",
                                         "object", "header", "footer", "listtable",
                                         "listoverridetable", "themedata", "datastore"};
    qsizetype i = 0;
    const qsizetype n = rtf.size();
    while (i < n) {
        const char c = rtf[i];
        if (c == '{') {
            // Bounded so that a file of braces cannot grow the stack without end.
            if (skipping.size() < 4096)
                skipping.append(skipping.last());
            ++i;
            continue;
        }
        if (c == '}') {
            if (skipping.size() > 1)
                skipping.removeLast();
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            put(QChar::fromLatin1(c));
            ++i;
            continue;
        }
        if (i + 1 >= n)
            break;
        const char next = rtf[i + 1];
        if (next == '\\' || next == '{' || next == '}') {
            put(QChar::fromLatin1(next));
            i += 2;
            continue;
        }
        if (next == '\'') {
            bool parsed = false;
            const int byte = rtf.mid(i + 2, 2).toInt(&parsed, 16);
            if (parsed)
                put(QChar::fromLatin1(char(byte)));
            i += 4;
            continue;
        }
        if (next == '*') {
            skipping.last() = true;
            i += 2;
            continue;
        }
        if (next == '~') {
            put(QChar(0xA0));
            i += 2;
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(next))) {
            i += 2; // other control symbols (\-, \_, \|…) show nothing readable
            continue;
        }
        qsizetype j = i + 1;
        while (j < n && std::isalpha(static_cast<unsigned char>(rtf[j])))
            ++j;
        const QByteArray word = rtf.mid(i + 1, j - i - 1);
        qsizetype digits = j;
        if (digits < n && rtf[digits] == '-')
            ++digits;
        while (digits < n && digits - j < 10 && std::isdigit(static_cast<unsigned char>(rtf[digits])))
            ++digits;
        bool hasParam = false;
        const int param = rtf.mid(j, digits - j).toInt(&hasParam);
        i = digits;
        if (i < n && rtf[i] == ' ')
            ++i;
        if (hidden.contains(word)) {
            skipping.last() = true;
        } else if (word == "par" || word == "line" || word == "row" || word == "sect" ||
                   word == "page") {
            put(u'\n');
        } else if (word == "tab" || word == "cell") {
            put(u'\t');
        } else if (word == "uc" && hasParam) {
            unicodeSkip = qBound(0, param, 8);
        } else if (word == "u" && hasParam) {
            const char16_t unit = char16_t(param < 0 ? param + 65536 : param);
            put(QChar(unit));
            pendingSkip = unicodeSkip;
        }
    }
    return out;
}

QStringList of(const QList<Representation> &reps)
{
    namespace T = ClipboardTypes;
    QStringList texts;
    for (const Representation &rep : reps) {
        if (rep.type == T::plainText || rep.type.startsWith(u"text/plain"))
            texts << lenient(rep.data);
        else if (rep.type == T::html || rep.type == u"text/html")
            texts << fromHtml(rep.data);
        else if (rep.type == T::rtf || rep.type == u"text/rtf" || rep.type == u"application/rtf")
            texts << fromRtf(rep.data);
    }
    return texts;
}

} // namespace OfferedText
