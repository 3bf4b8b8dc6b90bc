#include "FuzzTargets.h"

#include "capture/Classifier.h"
#include "capture/OfferedText.h"
#include "core/ClipboardTypes.h"
#include "settings/ConfigFile.h"

#include <QFile>
#include <QLoggingCategory>

#include <cmath>

namespace FuzzTargets {

namespace {

namespace T = ClipboardTypes;

const QStringList &types()
{
    static const QStringList all{T::plainText, T::html,  T::rtf,
                                 T::fileUrl,   T::png,   T::tiff,
                                 T::jpeg,      T::heic,  T::pdf,
                                 T::color,     u"text/plain;charset=iso-8859-1"_qs,
                                 u"application/x-unknown"_qs};
    return all;
}

// Representations separated by a zero byte; each one's first byte picks its type.
QList<Representation> representations(const QByteArray &data)
{
    QList<Representation> reps;
    qint64 index = 0;
    for (const QByteArray &part : data.split('\0')) {
        if (part.isEmpty()) {
            ++index; // an empty part starts the next item
            continue;
        }
        const QString &type = types()[uchar(part[0]) % types().size()];
        reps << Representation{index, type, part.mid(1)};
    }
    return reps;
}

} // namespace

void classify(const QByteArray &data)
{
    const QList<Representation> reps = representations(data);
    if (reps.isEmpty())
        return;
    qint64 total = 0;
    for (const Representation &rep : reps)
        total += rep.data.size();
    CaptureRules rules;
    const auto color = [&]() -> std::optional<SrgbColor> {
        if (data.size() < 3)
            return std::nullopt;
        // Components outside 0…1, and not numbers at all, reach the title too.
        const double odd[] = {0.5, -1.0, 2.0, std::nan(""), INFINITY, 1e300};
        return SrgbColor{odd[uchar(data[0]) % 6], odd[uchar(data[1]) % 6], uchar(data[2]) / 255.0};
    };
    for (const bool skipSecrets : {true, false}) {
        rules.skipSecrets = skipSecrets;
        const std::optional<CapturedClip> clip = Classifier::classify(reps, total, rules, color);
        if (!clip) {
            if (!skipSecrets)
                qFatal("a copy was refused with the secret rule off");
            continue;
        }
        if (clip->reps != reps || clip->checksum != Representation::checksum(reps) ||
            clip->totalBytes != total)
            qFatal("classification changed the content");
        if (clip->title.isEmpty() && clip->kind != ClipKind::File)
            qFatal("a card without a title");
    }
    for (const Representation &rep : reps) {
        OfferedText::fromHtml(rep.data);
        OfferedText::fromRtf(rep.data);
        Classifier::filePath(rep.data);
    }
}

void decodeConfig(const QByteArray &data)
{
    QString error;
    const std::optional<VaruConfig> config = ConfigFile::decode(data, &error);
    if (!config) {
        if (error.isEmpty())
            qFatal("a refused configuration without a reason");
        return;
    }
    const QByteArray written = ConfigFile::encode(*config);
    const std::optional<VaruConfig> again = ConfigFile::decode(written, &error);
    if (!again || *again != *config)
        qFatal("a configuration does not survive being written: %s", written.constData());
}

QByteArray patched(const QByteArray &base, const QByteArray &patch)
{
    QByteArray out = base;
    constexpr qsizetype kHeader = 100;
    if (out.size() <= kHeader)
        return out;
    for (qsizetype i = 0; i + 2 < patch.size(); i += 3) {
        const qsizetype offset = (uchar(patch[i]) << 8) | uchar(patch[i + 1]);
        out[kHeader + offset % (out.size() - kHeader)] = patch[i + 2];
    }
    return out;
}

ImportScratch::ImportScratch()
{
    // The history whose cards must survive every import.
    m_store = Store::open(m_dir.filePath(u"varu.sqlite"_qs));
    for (const char *text : {"primeiro", "segundo"}) {
        CapturedClip clip;
        clip.reps = {{0, T::plainText, QByteArray(text)}};
        clip.title = QString::fromUtf8(text);
        clip.checksum = Representation::checksum(clip.reps);
        clip.totalBytes = clip.reps[0].data.size();
        m_store->upsert(clip, std::nullopt, 100);
    }
    for (const ClipItem &item : m_store->history(10))
        m_ownIDs << item.id;

    // Another history, exported: the seed.
    const QString other = m_dir.filePath(u"other.sqlite"_qs);
    {
        std::unique_ptr<Store> source = Store::open(other);
        CapturedClip clip;
        clip.reps = {{0, T::plainText, "echo ok"}, {0, T::html, "<b>echo ok</b>"}};
        clip.title = u"echo ok"_qs;
        clip.checksum = Representation::checksum(clip.reps);
        clip.totalBytes = 21;
        source->upsert(clip, QByteArray("thumb"), 50);
        clip.reps = {{0, T::fileUrl, "file:///tmp/a.txt"}, {1, T::fileUrl, "file:///tmp/b"}};
        clip.kind = ClipKind::File;
        clip.title = u"/tmp/a.txt\n/tmp/b"_qs;
        clip.checksum = Representation::checksum(clip.reps);
        source->upsert(clip, std::nullopt, 60);
        const QString tab = source->createTab(u"Trabalho"_qs, u"#FF0000"_qs, 1);
        source->add(source->history(1).first().id, tab, 70);
        source->exportTo(m_dir.filePath(u"seed.varu"_qs), Store::ExportScope::everything());
    }
    QFile seed(m_dir.filePath(u"seed.varu"_qs));
    if (!seed.open(QIODevice::ReadOnly))
        qFatal("no seed backup");
    m_seed = seed.readAll();
}

ImportScratch::~ImportScratch() = default;

QString ImportScratch::seedCopy(const QString &name) const
{
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    QFile::copy(m_dir.filePath(u"seed.varu"_qs), path);
    return path;
}

void ImportScratch::import(const QByteArray &file)
{
    const QString path = m_dir.filePath(u"input.varu"_qs);
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        qFatal("cannot write the input");
    out.close();
    try {
        m_store->importData(path);
    } catch (const StoreError &) {
        // A refused file is a fine outcome; what matters is the history below.
    }
    const std::optional<QString> check = m_store->db().scalarText("PRAGMA integrity_check");
    if (check != u"ok"_qs)
        qFatal("the database is damaged after an import: %s", qPrintable(check.value_or(u"?"_qs)));
    for (const QString &id : m_ownIDs) {
        if (m_store->db().scalarText("SELECT COUNT(*) FROM items WHERE id = ?", {id}) != u"1"_qs)
            qFatal("a card of the history was lost in an import");
    }
}

} // namespace FuzzTargets
