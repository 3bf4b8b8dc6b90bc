#pragma once
// Helpers for the store tests: a real database file in a temporary folder, clips made from
// text, and one-value queries against the file.

#include "store/Store.h"

#include <QTemporaryDir>
#include <QTest>

// A text card's content: plain text and HTML, or plain text alone (what an edit produces).
inline CapturedClip textClip(const QString &text, const std::optional<QString> &app = {},
                             bool html = true)
{
    CapturedClip clip;
    clip.reps = {Representation{0, QStringLiteral("public.utf8-plain-text"), text.toUtf8()}};
    if (html)
        clip.reps << Representation{0, QStringLiteral("public.html"),
                                    "<b>" + text.toUtf8() + "</b>"};
    clip.title = text;
    clip.checksum = Representation::checksum(clip.reps);
    clip.sourceAppID = app;
    clip.sourceName = app;
    for (const Representation &r : clip.reps)
        clip.totalBytes += r.data.size();
    return clip;
}

inline CapturedClip plainClip(const QString &text)
{
    return textClip(text, std::nullopt, false);
}

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
        return value(("SELECT COUNT(*) FROM " + QByteArray(table)).constData()).toInt();
    }
    // Records a clip at `now` and returns the id of its card.
    QString record(const CapturedClip &clip, double now)
    {
        store->upsert(clip, std::nullopt, now);
        return value("SELECT id FROM items WHERE checksum = ?", {clip.checksum});
    }
    QString capture(const QString &text, double now, const std::optional<QString> &app = {})
    {
        return record(textClip(text, app), now);
    }
};

// The ids of a list of cards, in order.
template<typename Items> QStringList idsOf(const Items &items)
{
    QStringList ids;
    for (const auto &item : items)
        ids << item.id;
    return ids;
}
