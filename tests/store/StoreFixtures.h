#pragma once
// Helpers for the store tests: a real database file in a temporary folder, clips made from
// text, and one-value queries against the file.

#include "store/Store.h"

#include <QTemporaryDir>
#include <QTest>

struct TestStore
{
    QTemporaryDir dir;
    std::unique_ptr<Store> store = Store::open(dir.filePath(QStringLiteral("varu.sqlite")));

    Store &operator*() { return *store; }
    Store *operator->() { return store.get(); }
    QString path() const { return dir.filePath(QStringLiteral("varu.sqlite")); }

    // Column 0 of the first row as text; "<null>" for NULL or no row.
    QString value(const char *sql, const SqlArgs &args = {})
    {
        return store->db().scalarText(sql, args).value_or(QStringLiteral("<null>"));
    }
    int count(const char *table)
    {
        return store->db().scalarText("SELECT COUNT(*) FROM " + QByteArray(table))->toInt();
    }
    // Records `text` (plain and HTML) at `now` and returns the id of its card.
    QString capture(const QString &text, double now, const std::optional<QString> &app = {});
    QString record(const CapturedClip &clip, double now)
    {
        store->upsert(clip, std::nullopt, now);
        return value("SELECT id FROM items WHERE checksum = ?", {clip.checksum});
    }
};

inline CapturedClip textClip(const QString &text, const std::optional<QString> &app = {})
{
    CapturedClip clip;
    clip.reps = {Representation{0, QStringLiteral("public.utf8-plain-text"), text.toUtf8()},
                 Representation{0, QStringLiteral("public.html"), "<b>" + text.toUtf8() + "</b>"}};
    clip.kind = ClipKind::Text;
    clip.title = text;
    clip.checksum = Representation::checksum(clip.reps);
    clip.sourceBundleID = app;
    clip.sourceName = app;
    clip.totalBytes = 0;
    for (const Representation &r : clip.reps)
        clip.totalBytes += r.data.size();
    return clip;
}

// Plain text only: the same content an edit to `text` produces.
inline CapturedClip plainClip(const QString &text)
{
    CapturedClip clip;
    clip.reps = {Representation{0, QStringLiteral("public.utf8-plain-text"), text.toUtf8()}};
    clip.title = text;
    clip.checksum = Representation::checksum(clip.reps);
    clip.totalBytes = clip.reps.first().data.size();
    return clip;
}

inline QString TestStore::capture(const QString &text, double now,
                                  const std::optional<QString> &app)
{
    return record(textClip(text, app), now);
}

// The ids of a list of cards, in order.
template<typename Items> QStringList idsOf(const Items &items)
{
    QStringList ids;
    for (const auto &item : items)
        ids << item.id;
    return ids;
}
