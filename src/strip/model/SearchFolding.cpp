#include "SearchFolding.h"

#include <QChar>

#include <array>
#include <string_view>

namespace {

// The fold of a run of characters above Latin-1, by the textbook steps.
void foldSlow(QStringView run, QString &out)
{
    const QString decomposed = run.toString().normalized(QString::NormalizationForm_KD);
    QString kept;
    kept.reserve(decomposed.size());
    for (qsizetype i = 0; i < decomposed.size(); ++i) {
        char32_t ucs = decomposed.at(i).unicode();
        qsizetype width = 1;
        if (QChar::isHighSurrogate(ucs) && i + 1 < decomposed.size() &&
            decomposed.at(i + 1).isLowSurrogate()) {
            ucs = QChar::surrogateToUcs4(decomposed.at(i), decomposed.at(i + 1));
            width = 2;
        }
        if (QChar::category(ucs) != QChar::Mark_NonSpacing)
            kept.append(QStringView(decomposed).mid(i, width));
        i += width - 1;
    }
    for (const QChar c : kept.toCaseFolded()) {
        switch (c.unicode()) {
        case 0x00DF: // ß
            out.append(u"ss");
            break;
        case 0x00E6: // æ
            out.append(u"ae");
            break;
        case 0x0153: // œ
            out.append(u"oe");
            break;
        default:
            out.append(c);
        }
    }
}

// Folds of U+0080..U+00FF, worked out once by the slow path. Immutable after first use.
const std::array<QString, 128> &latin1Folds()
{
    static const std::array<QString, 128> table = [] {
        std::array<QString, 128> t;
        for (char16_t c = 0x80; c <= 0xFF; ++c) {
            const QChar ch(c);
            foldSlow(QStringView(&ch, 1), t[c - 0x80]);
        }
        return t;
    }();
    return table;
}

bool isQuerySpace(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

} // namespace

QString SearchFolding::fold(QStringView text)
{
    QString out;
    out.reserve(text.size() + 8);
    const auto &latin1 = latin1Folds();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            // Most text is ASCII: copy the whole run, then lower-case it in place.
            const qsizetype start = i;
            while (i < n && text.at(i).unicode() < 0x80)
                ++i;
            const qsizetype at = out.size();
            out.append(text.mid(start, i - start));
            char16_t *p = reinterpret_cast<char16_t *>(out.data()) + at;
            for (char16_t *end = p + (i - start); p != end; ++p) {
                if (*p >= u'A' && *p <= u'Z')
                    *p += 32;
            }
        } else if (c <= 0xFF) {
            out.append(QStringView(latin1[c - 0x80]));
            ++i;
        } else {
            // Characters above Latin-1 never reorder across a starter, so each run can be
            // normalised on its own.
            const qsizetype start = i;
            while (i < n && text.at(i).unicode() > 0xFF)
                ++i;
            foldSlow(text.mid(start, i - start), out);
        }
    }
    return out;
}

QString SearchFolding::trimQuery(const QString &query)
{
    qsizetype begin = 0;
    qsizetype end = query.size();
    while (begin < end && isQuerySpace(query.at(begin)))
        ++begin;
    while (end > begin && isQuerySpace(query.at(end - 1)))
        --end;
    return query.mid(begin, end - begin);
}

QStringList SearchFolding::tokens(const QString &query)
{
    QStringList result;
    const QString trimmed = trimQuery(query);
    for (const QStringView piece : QStringView(trimmed).split(u' ', Qt::SkipEmptyParts)) {
        QString token = fold(piece);
        if (!token.isEmpty())
            result.append(token);
    }
    return result;
}

bool SearchFolding::containsAll(QByteArrayView foldedText, const QByteArrayList &tokens)
{
    const std::string_view text(foldedText.data(), size_t(foldedText.size()));
    for (const QByteArray &token : tokens) {
        if (text.find(std::string_view(token.constData(), size_t(token.size()))) ==
            std::string_view::npos)
            return false;
    }
    return true;
}
