#pragma once
// What the fuzz drivers feed with arbitrary bytes: classification of a copy, decoding of
// config.json, and import of a backup file. Each checks what must hold whatever the input
// and stops the process (qFatal) when it does not, so that every driver reports it.

#include "store/Store.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <memory>

namespace FuzzTargets {

// The bytes become representations (see FuzzTargets.cpp for the layout) and are classified.
void classify(const QByteArray &data);
// Decoded as config.json; a configuration that decodes survives writing and reading again.
void decodeConfig(const QByteArray &data);

// `base` with `patch` applied: each three bytes are an offset (two bytes, wrapping) and a
// byte to write there; the first 100 bytes, SQLite's header, are left alone.
QByteArray patched(const QByteArray &base, const QByteArray &patch);

// A scratch history with a few cards, and a small valid backup of another to mutate.
class ImportScratch
{
public:
    ImportScratch();
    ~ImportScratch();

    // The bytes of a valid backup file: two cards, one in a tab.
    const QByteArray &seed() const { return m_seed; }
    // The path of the seed file, for drivers that change it through SQLite.
    QString seedCopy(const QString &name) const;
    // Writes `file`, imports it; the import either succeeds or throws StoreError, and the
    // history that was there before stays whole.
    void import(const QByteArray &file);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Store> m_store;
    QStringList m_ownIDs;
    QByteArray m_seed;
};

} // namespace FuzzTargets
