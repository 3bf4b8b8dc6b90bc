#include "CardFooter.h"

#include "ByteCount.h"
#include "core/TextCut.h"

#include <QDir>
#include <QFileInfo>

namespace CardFooter {

namespace {

QString characters(const ClipItem &item)
{
    const qsizetype n =
        item.titleCharacters >= 0 ? item.titleCharacters : TextCut::characterCount(item.title);
    return n == 1 ? QStringLiteral("1 caractere") : QString::number(n) + u" caracteres"_qs;
}

QString withSize(const QString &detail, const QString &size)
{
    return detail.isEmpty() ? size : detail + u" · "_qs + size;
}

// Entries of a folder whose names do not start with a dot; 0 when it cannot be listed.
qsizetype visibleEntries(const QString &path)
{
    const QDir dir(path);
    if (!dir.isReadable())
        return 0;
    qsizetype n = 0;
    for (const QString &name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (!name.startsWith(u'.'))
            ++n;
    }
    return n;
}

QString fileText(const ClipItem &item)
{
    const QStringList paths = item.filePaths();
    if (paths.size() == 1) {
        const QString &path = paths.first();
        const QFileInfo info(path);
        if (!info.exists())
            return QStringLiteral("Arquivo não encontrado");
        if (FileCategories::of(path) == FileCategory::Folder) {
            const qsizetype n = visibleEntries(path);
            return n == 1 ? QStringLiteral("1 item") : QString::number(n) + u" itens"_qs;
        }
        if (info.size() >= 1)
            return ByteCount::file(info.size());
        const QString name = path.section(u'/', -1);
        const qsizetype dot = name.lastIndexOf(u'.');
        return dot < 0 ? QString() : name.mid(dot + 1).toUpper();
    }

    qint64 total = 0;
    for (const QString &path : paths) {
        // A folder counts its own entry, not what it holds.
        const QFileInfo info(path);
        if (info.exists())
            total += info.size();
    }
    const QString size = total >= 1 ? ByteCount::file(total) : QString();
    const QString count = QString::number(paths.size()) + u" arquivos"_qs;
    return size.isEmpty() ? count : count + u" · "_qs + size;
}

} // namespace

QString text(const ClipItem &item)
{
    switch (item.kind) {
    case ClipKind::Text:
    case ClipKind::RichText:
        return characters(item);
    case ClipKind::Link:
        return {};
    case ClipKind::Image: {
        // "Imagem 4000 × 3000": the pixel size before the byte size.
        const qsizetype space = item.title.indexOf(u' ');
        const QString rest = space < 0 ? QString() : item.title.mid(space + 1);
        return withSize(rest.contains(u'×') ? rest : QString(), ByteCount::file(item.totalBytes));
    }
    case ClipKind::Pdf: {
        // "PDF · 3 páginas": the page count before the byte size.
        const qsizetype sep = item.title.indexOf(u" · "_qs);
        return withSize(sep < 0 ? QString() : item.title.mid(sep + 3),
                        ByteCount::file(item.totalBytes));
    }
    case ClipKind::Color:
        return item.title;
    case ClipKind::File:
        return fileText(item);
    }
    return {};
}

QString fileName(const ClipItem &item)
{
    const QStringList paths = item.filePaths();
    if (paths.size() != 1)
        return {};
    return paths.first().section(u'/', -1, -1, QString::SectionSkipEmpty);
}

} // namespace CardFooter
