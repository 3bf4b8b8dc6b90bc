#include "WaylandPipes.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

PipeReader::PipeReader(int fd, std::chrono::milliseconds limit, Done done, QObject *parent)
    : QObject(parent)
    , m_fd(fd)
    , m_notifier(fd, QSocketNotifier::Read)
    , m_done(std::move(done))
{
    connect(&m_notifier, &QSocketNotifier::activated, this, &PipeReader::readAvailable);
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] { finish(false); });
    m_limit.start(limit);
}

PipeReader::~PipeReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void PipeReader::readAvailable()
{
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n > 0) {
            m_bytes.append(chunk, n);
            if (m_bytes.size() > kMaxBytes) {
                m_bytes.clear();
                return finish(false);
            }
            continue;
        }
        if (n == 0)
            return finish(true);
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return;
        return finish(false);
    }
}

void PipeReader::finish(bool complete)
{
    m_notifier.setEnabled(false);
    m_limit.stop();
    ::close(m_fd);
    m_fd = -1;
    // Called last: the owner may delete this reader in it.
    auto done = std::move(m_done);
    if (done)
        done(complete, m_bytes);
}

PipeWriter::PipeWriter(int fd, QByteArray bytes, std::chrono::milliseconds limit, QObject *parent)
    : QObject(parent)
    , m_fd(fd)
    , m_bytes(std::move(bytes))
    , m_notifier(fd, QSocketNotifier::Write)
{
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    connect(&m_notifier, &QSocketNotifier::activated, this, &PipeWriter::writeSome);
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, &QObject::deleteLater);
    m_limit.start(limit);
}

PipeWriter::~PipeWriter()
{
    ::close(m_fd);
}

void PipeWriter::writeSome()
{
    while (m_written < m_bytes.size()) {
        const ssize_t n = ::write(m_fd, m_bytes.constData() + m_written,
                                  size_t(m_bytes.size() - m_written));
        if (n > 0) {
            m_written += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        break; // the reader went away (EPIPE: SIGPIPE is ignored)
    }
    m_notifier.setEnabled(false);
    deleteLater();
}
