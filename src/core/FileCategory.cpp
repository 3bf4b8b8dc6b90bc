#include "FileCategory.h"

#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QMutex>
#include <QSet>

#include <array>

namespace FileCategories {

namespace {

struct CategoryInfo
{
    const char *singular;
    const char *plural;
    const char *symbol;
    float r, g, b;
};

const std::array<CategoryInfo, 13> kInfo{{
    {"Imagem", "imagens", "photo", 0.92f, 0.40f, 0.55f},
    {"Vídeo", "vídeos", "film", 0.62f, 0.38f, 0.95f},
    {"Áudio", "áudios", "waveform", 0.98f, 0.45f, 0.70f},
    {"PDF", "PDFs", "doc.richtext", 0.90f, 0.30f, 0.27f},
    {"Documento", "documentos", "doc.text", 0.25f, 0.50f, 0.95f},
    {"Planilha", "planilhas", "tablecells", 0.20f, 0.70f, 0.40f},
    {"Apresentação", "apresentações", "rectangle.on.rectangle.angled", 0.98f, 0.62f, 0.15f},
    {"Código", "arquivos de código", "chevron.left.forwardslash.chevron.right", 0.40f, 0.75f,
     0.85f},
    {"Arquivo de texto", "arquivos de texto", "doc.plaintext", 0.60f, 0.62f, 0.68f},
    {"Arquivo compactado", "arquivos compactados", "doc.zipper", 0.72f, 0.55f, 0.38f},
    {"Pasta", "pastas", "folder", 0.30f, 0.65f, 0.95f},
    {"App", "apps", "app", 0.50f, 0.50f, 0.95f},
    {"Arquivo", "arquivos", "doc", 0.95f, 0.60f, 0.27f},
}};

const CategoryInfo &info(FileCategory c)
{
    return kInfo[static_cast<size_t>(c)];
}

const QSet<QString> kCodeExtensions{u"json"_qs, u"yml"_qs, u"yaml"_qs,
                                    u"toml"_qs, u"xml"_qs, u"sql"_qs};
const QSet<QString> kArchiveExtensions{u"zip"_qs, u"rar"_qs, u"7z"_qs, u"gz"_qs,
                                       u"tar"_qs, u"dmg"_qs, u"pkg"_qs};

// The MIME type's own name followed by every ancestor's: what "conforms to" means here.
// Aliases are left out on purpose: application/pdf has the alias image/pdf.
QStringList lineage(const QMimeType &mime)
{
    QStringList names{mime.name()};
    names += mime.allAncestors();
    return names;
}

bool anyStartsWith(const QStringList &names, QLatin1String prefix)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const QString &n) { return n.startsWith(prefix); });
}

bool anyIn(const QStringList &names, std::initializer_list<const char *> wanted)
{
    for (const QString &n : names) {
        for (const char *w : wanted) {
            if (n == QLatin1String(w))
                return true;
        }
    }
    return false;
}

bool nameContains(const QString &name, std::initializer_list<const char *> parts)
{
    for (const char *p : parts) {
        if (name.contains(QLatin1String(p)))
            return true;
    }
    return false;
}

bool isSourceCode(const QStringList &names)
{
    // freedesktop scripts descend from both text/plain and application/x-executable; compiled
    // languages are text/x-<lang>src or -hdr. A binary executable is not text, so it is not code.
    const bool text = anyStartsWith(names, QLatin1String("text/"));
    if (!text)
        return false;
    if (anyIn(names, {"application/x-executable",
                      "application/javascript",
                      "text/javascript",
                      "text/css",
                      "text/x-python",
                      "text/x-python3",
                      "text/x-java",
                      "text/x-go",
                      "text/rust",
                      "text/x-rust",
                      "text/x-csharp",
                      "text/x-kotlin",
                      "text/x-swift",
                      "application/x-php",
                      "application/x-ruby",
                      "text/x-makefile",
                      "text/x-cmake",
                      "application/x-perl",
                      "text/x-qml",
                      "application/sql",
                      "application/typescript"}))
        return true;
    return std::any_of(names.begin(), names.end(), [](const QString &n) {
        // PostScript is a page description, not a script.
        return n.endsWith(QLatin1String("src")) || n.endsWith(QLatin1String("hdr")) ||
               (n.contains(QLatin1String("script")) && !n.endsWith(QLatin1String("postscript")));
    });
}

} // namespace

FileCategory classifyExtension(const QString &ext, bool package)
{
    const FileCategory none = package ? FileCategory::Folder : FileCategory::Other;
    static const QMimeDatabase db;
    const QMimeType mime =
        db.mimeTypeForFile(QStringLiteral("x.") + ext, QMimeDatabase::MatchExtension);
    if (!mime.isValid() || mime.isDefault())
        return none;
    const QStringList names = lineage(mime);
    const QString id = mime.name().toLower();

    if (anyStartsWith(names, QLatin1String("image/")))
        return FileCategory::Image;
    if (anyStartsWith(names, QLatin1String("video/")))
        return FileCategory::Video;
    if (anyStartsWith(names, QLatin1String("audio/")))
        return FileCategory::Audio;
    if (anyIn(names, {"application/pdf"}))
        return FileCategory::Pdf;
    if (mime.genericIconName() == QLatin1String("x-office-presentation") ||
        nameContains(id, {"keynote", "presentationml", "powerpoint", "presentation"}))
        return FileCategory::Presentation;
    if (mime.genericIconName() == QLatin1String("x-office-spreadsheet") ||
        nameContains(id, {"numbers", "spreadsheetml", "excel", "spreadsheet"}) ||
        ext == QLatin1String("csv"))
        return FileCategory::Spreadsheet;
    if (kCodeExtensions.contains(ext) || isSourceCode(names))
        return FileCategory::Code;
    if (anyIn(names, {"text/rtf", "application/rtf"}) ||
        nameContains(id, {"word", "pages", "opendocument.text"}))
        return FileCategory::Document;
    if (anyStartsWith(names, QLatin1String("text/")))
        return FileCategory::Text;
    if (kArchiveExtensions.contains(ext) ||
        anyIn(names, {"application/zip", "application/x-tar", "application/gzip",
                      "application/x-7z-compressed", "application/vnd.rar", "application/x-rar",
                      "application/x-bzip", "application/x-bzip2", "application/x-xz",
                      "application/zstd", "application/x-compressed-tar", "application/x-archive",
                      "application/x-cpio", "application/x-apple-diskimage", "application/x-xar",
                      "application/vnd.debian.binary-package", "application/x-rpm"}))
        return FileCategory::Archive;
    if (anyIn(names, {"application/x-executable", "application/x-pie-executable",
                      "application/vnd.appimage", "application/x-ms-dos-executable",
                      "application/vnd.flatpak", "application/vnd.snap", "application/x-desktop"}))
        return FileCategory::App;
    return none;
}

FileCategory classify(const QString &path)
{
    const QFileInfo info(path);
    const QString ext = info.fileName().contains(QLatin1Char('.'))
                            ? info.fileName().section(QLatin1Char('.'), -1).toLower()
                            : QString();
    if (info.isDir()) {
        if (ext == QLatin1String("app"))
            return FileCategory::App;
        if (ext.isEmpty())
            return FileCategory::Folder;
        return classifyExtension(ext, true);
    }
    if (ext.isEmpty())
        return FileCategory::Other;
    return classifyExtension(ext, false);
}

FileCategory of(const QString &path)
{
    static QMutex mutex;
    static QHash<QString, FileCategory> cache;
    QMutexLocker lock(&mutex);
    const auto it = cache.constFind(path);
    if (it != cache.constEnd())
        return *it;
    const FileCategory category = classify(path);
    cache.insert(path, category);
    return category;
}

QString singular(FileCategory c)
{
    return QString::fromUtf8(info(c).singular);
}

QString plural(FileCategory c)
{
    return QString::fromUtf8(info(c).plural);
}

QString symbol(FileCategory c)
{
    return QString::fromUtf8(info(c).symbol);
}

QColor tint(FileCategory c)
{
    const CategoryInfo &i = info(c);
    return QColor::fromRgbF(i.r, i.g, i.b, 1.0f);
}

} // namespace FileCategories
