#pragma once
// A private copy of a backup file, made before SQLite opens it: only a regular file is read,
// nobody can change the copy while it is imported, and nothing is ever written beside the
// user's file. The copy is removed when the object goes.

#include <QString>

class StagedBackup
{
public:
    // Copies `path` into `folder`. Refuses (StoreError::sql, with a message for the user)
    // anything but a regular file, and a file larger than `maxBytes`. A file in write-ahead
    // log mode is marked as a plain one in the copy, so a read-only open of it needs no
    // shared-memory file.
    static StagedBackup stage(const QString &path, const QString &folder, qint64 maxBytes);
    // Removes the copies in `folder` of imports that never finished (the process was killed).
    static void removeLeftovers(const QString &folder);

    StagedBackup(StagedBackup &&other) noexcept;
    StagedBackup &operator=(StagedBackup &&) = delete;
    StagedBackup(const StagedBackup &) = delete;
    ~StagedBackup();

    const QString &path() const { return m_path; }
    qint64 size() const { return m_size; }

private:
    StagedBackup(QString path, qint64 size)
        : m_path(std::move(path))
        , m_size(size)
    {}

    QString m_path;
    qint64 m_size = 0;
};
