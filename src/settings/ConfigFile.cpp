#include "ConfigFile.h"

#include "platform/Log.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cerrno>
#include <cmath>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ConfigFile {

namespace {

// Thrown inside decoding: one wrong value rejects the whole file.
struct DecodeError {
    QString description;
};

[[noreturn]] void fail(const QString &key, const char *expected)
{
    throw DecodeError{key + QStringLiteral(": esperado ") + QString::fromUtf8(expected)};
}

qint64 readInt(const QJsonValue &v, const QString &key)
{
    if (!v.isDouble())
        fail(key, "um número inteiro");
    const QVariant variant = v.toVariant();
    if (variant.typeId() == QMetaType::LongLong)
        return variant.toLongLong();
    const double d = v.toDouble();
    // 2^63 is exactly representable; anything at or past it does not fit a signed 64-bit value.
    if (std::trunc(d) != d || d < -9223372036854775808.0 || d >= 9223372036854775808.0)
        fail(key, "um número inteiro de 64 bits");
    return static_cast<qint64>(d);
}

bool readBool(const QJsonValue &v, const QString &key)
{
    if (!v.isBool())
        fail(key, "um booleano");
    return v.toBool();
}

QString readString(const QJsonValue &v, const QString &key)
{
    if (!v.isString())
        fail(key, "um texto");
    return v.toString();
}

QStringList readStrings(const QJsonValue &v, const QString &key)
{
    if (!v.isArray())
        fail(key, "uma lista de textos");
    QStringList out;
    const QJsonArray array = v.toArray();
    for (qsizetype i = 0; i < array.size(); ++i)
        out << readString(array.at(i), key + QLatin1Char('[') + QString::number(i) + QLatin1Char(']'));
    return out;
}

HotKeyConfig readHotKey(const QJsonValue &v)
{
    if (!v.isObject())
        fail(QStringLiteral("hotKey"), "um objeto");
    const QJsonObject o = v.toObject();
    // Both members are required: a half-written shortcut is not a shortcut.
    for (const char *member : {"key", "modifiers"}) {
        const QJsonValue m = o.value(QLatin1String(member));
        if (m.isUndefined() || m.isNull())
            throw DecodeError{QStringLiteral("hotKey.") + QLatin1String(member)
                              + QStringLiteral(": valor ausente")};
    }
    return {readString(o.value(QLatin1String("key")), QStringLiteral("hotKey.key")),
            readStrings(o.value(QLatin1String("modifiers")), QStringLiteral("hotKey.modifiers"))};
}

// Absent and null keys keep the default already in `field`.
template<typename T, typename Reader>
void readOptional(const QJsonObject &o, const char *key, T &field, Reader reader)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return;
    field = reader(v, QLatin1String(key));
}

} // namespace

QString path(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("config.json"));
}

FileRead read(const QString &path)
{
    FileRead result;
    // Non-blocking, so that opening a FIFO returns at once instead of waiting for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.missing = errno == ENOENT;
        result.error = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = QStringLiteral("não é um arquivo comum");
    } else if (info.st_size > kMaxBytes) {
        result.error = QStringLiteral("maior que 1 MiB");
    } else {
        // The size may change while reading: never take more than the bound, plus one byte
        // to tell that it grew past it.
        QByteArray bytes(kMaxBytes + 1, Qt::Uninitialized);
        qint64 total = 0;
        while (total < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + total, size_t(bytes.size() - total));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n < 0)
                    result.error = QString::fromLocal8Bit(std::strerror(errno));
                break;
            }
            total += n;
        }
        if (total > kMaxBytes)
            result.error = QStringLiteral("maior que 1 MiB");
        else if (result.error.isEmpty())
            result.bytes = bytes.left(total);
    }
    ::close(fd);
    return result;
}

std::optional<VaruConfig> decode(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = QStringLiteral("JSON ilegível na posição %1: %2")
                         .arg(parseError.offset)
                         .arg(parseError.errorString());
        return std::nullopt;
    }
    if (!doc.isObject()) {
        if (error)
            *error = QStringLiteral("o conteúdo não é um objeto JSON");
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    VaruConfig c;
    try {
        readOptional(o, "historyLimit", c.historyLimit, readInt);
        readOptional(o, "historyRetentionDays", c.historyRetentionDays, readInt);
        readOptional(o, "skipSecrets", c.skipSecrets, readBool);
        readOptional(o, "playSounds", c.playSounds, readBool);
        readOptional(o, "copySound", c.copySound, readString);
        readOptional(o, "hotKey", c.hotKey, [](const QJsonValue &v, const QString &) {
            return readHotKey(v);
        });
        readOptional(o, "ignoredApps", c.ignoredApps, readStrings);
        readOptional(o, "ignoredTypes", c.ignoredTypes, readStrings);
    } catch (const DecodeError &e) {
        if (error)
            *error = e.description;
        return std::nullopt;
    }
    return c;
}

QByteArray encode(const VaruConfig &c)
{
    // QJsonObject keeps its keys sorted, which is the order the file is written in.
    QJsonObject o;
    o.insert(QStringLiteral("historyLimit"), c.historyLimit);
    o.insert(QStringLiteral("historyRetentionDays"), c.historyRetentionDays);
    o.insert(QStringLiteral("skipSecrets"), c.skipSecrets);
    o.insert(QStringLiteral("playSounds"), c.playSounds);
    o.insert(QStringLiteral("copySound"), c.copySound);
    o.insert(QStringLiteral("hotKey"),
             QJsonObject{{QStringLiteral("key"), c.hotKey.key},
                         {QStringLiteral("modifiers"), QJsonArray::fromStringList(c.hotKey.modifiers)}});
    o.insert(QStringLiteral("ignoredApps"), QJsonArray::fromStringList(c.ignoredApps));
    o.insert(QStringLiteral("ignoredTypes"), QJsonArray::fromStringList(c.ignoredTypes));
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

VaruConfig load(const QString &folder)
{
    const FileRead file = read(path(folder));
    if (file.missing) {
        const VaruConfig defaults;
        save(defaults, folder);
        return defaults;
    }
    if (!file.bytes) {
        // An existing file we cannot read is the user's: use the defaults, never replace it.
        qCCritical(lcVaru, "config.json ilegível, usando padrão: %s", qUtf8Printable(file.error));
        return {};
    }
    QString error;
    if (auto config = decode(*file.bytes, &error))
        return *config;
    qCCritical(lcVaru, "config.json inválido, usando padrão: %s", qUtf8Printable(error));
    return {};
}

void save(const VaruConfig &config, const QString &folder)
{
    QSaveFile file(path(folder));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(encode(config));
    file.commit();
}

} // namespace ConfigFile
