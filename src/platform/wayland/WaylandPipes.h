#pragma once
// The two ends of a clipboard transfer on the protocol thread: reading an offer's bytes from
// a pipe until its writer closes it, and writing our bytes into a pipe another client reads.
// Both give up after a time limit, so a client that never answers cannot hold the thread.

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <functional>

class PipeReader : public QObject
{
public:
    // Past the largest copy the history keeps: a bigger offer is not read on, whatever it is.
    static constexpr qsizetype kMaxBytes = qsizetype(512) << 20;

    // Takes `fd` (non-blocking). `done` gets whether the writer finished in time (and within
    // kMaxBytes), and the bytes; it runs once, from the event loop, and the reader may be
    // deleted in it.
    using Done = std::function<void(bool complete, const QByteArray &bytes)>;
    PipeReader(int fd, std::chrono::milliseconds limit, Done done, QObject *parent);
    ~PipeReader() override;

private:
    void readAvailable();
    void finish(bool complete);

    int m_fd;
    QByteArray m_bytes;
    QSocketNotifier m_notifier;
    QTimer m_limit;
    Done m_done;
};

class PipeWriter : public QObject
{
public:
    // Takes `fd`, writes `bytes` into it and deletes itself when done, refused or out of time.
    PipeWriter(int fd, QByteArray bytes, std::chrono::milliseconds limit, QObject *parent);
    ~PipeWriter() override;

private:
    void writeSome();

    int m_fd;
    QByteArray m_bytes;
    qsizetype m_written = 0;
    QSocketNotifier m_notifier;
    QTimer m_limit;
};
