#include "StagedBackup.h"

#include "StoreError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kChunk = 1 << 20;
const QString kPrefix = QStringLiteral(".varu-import-");
// The database header's write and read format versions: 2 means write-ahead log mode.
constexpr qint64 kFormatOffset = 18;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes the descriptor whatever happens.
struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

QString tooLarge()
{
    return QStringLiteral("Não há espaço em disco para importar este arquivo.");
}

void writeAll(QFile &out, const char *data, qint64 size)
{
    if (out.write(data, size) != size)
        throw StoreError::sql(out.errorString());
}

} // namespace

StagedBackup StagedBackup::stage(const QString &path, const QString &folder, qint64 maxBytes)
{
    Descriptor in;
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    in.fd = ::open(QFile::encodeName(path).constData(),
                   O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (in.fd < 0)
        throw StoreError::sql(QStringLiteral("Não foi possível abrir o arquivo: ") +
                              systemError(errno));
    struct stat st
    {};
    if (::fstat(in.fd, &st) != 0)
        throw StoreError::sql(systemError(errno));
    if (!S_ISREG(st.st_mode))
        throw StoreError::sql(QStringLiteral("Este arquivo não é um backup do Varu."));
    if (st.st_size > maxBytes)
        throw StoreError::sql(tooLarge());

    QTemporaryFile out(folder + QLatin1Char('/') + kPrefix + QStringLiteral("XXXXXX"));
    out.setAutoRemove(false);
    if (!out.open())
        throw StoreError::sql(out.errorString());
    StagedBackup staged(out.fileName(), 0);

    QByteArray chunk(kChunk, Qt::Uninitialized);
    bool header = true;
    for (;;) {
        const ssize_t n = ::read(in.fd, chunk.data(), size_t(chunk.size()));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw StoreError::sql(systemError(errno));
        }
        if (n == 0)
            break;
        // The file may grow while it is read.
        if (staged.m_size + n > maxBytes)
            throw StoreError::sql(tooLarge());
        // The first read of a regular file returns at least the 100-byte header.
        if (header && n > kFormatOffset + 1 && chunk[kFormatOffset] == 2 &&
            chunk[kFormatOffset + 1] == 2) {
            chunk[kFormatOffset] = 1;
            chunk[kFormatOffset + 1] = 1;
        }
        header = false;
        writeAll(out, chunk.constData(), n);
        staged.m_size += n;
    }
    if (!out.flush())
        throw StoreError::sql(out.errorString());
    return staged;
}

void StagedBackup::removeLeftovers(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name :
         dir.entryList({kPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(dir.filePath(name));
}

StagedBackup::StagedBackup(StagedBackup &&other) noexcept
    : m_path(std::exchange(other.m_path, QString()))
    , m_size(other.m_size)
{}

StagedBackup::~StagedBackup()
{
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}
