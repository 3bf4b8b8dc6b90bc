#pragma once
// A history of plain text cards written straight into a database file, for benchmarks that
// need a realistic amount of stored data before they start.

#include "core/TextCut.h"
#include "store/Store.h"

#include <QString>

namespace BenchHistory {

// Text cards of about 120 characters, or of `length` characters when given, newest last. The
// title is cut as captures cut it.
inline void fillTextHistory(const QString &path, int cards, int length = 0)
{
    auto store = Store::open(path);
    Connection &db = store->db();
    db.exec("BEGIN");
    Statement item = db.prepare(
        "INSERT INTO items (id, created_at, kind, title, checksum, total_bytes) VALUES (?, ?, "
        "'text', ?, ?, ?)");
    Statement rep =
        db.prepare("INSERT INTO representations (item_id, idx, uti, data) VALUES (?, 0, "
                   "'public.utf8-plain-text', ?)");
    const double now = Store::currentTime();
    for (int i = 0; i < cards; ++i) {
        const QString id =
            QStringLiteral("00000000-0000-0000-0000-%1").arg(i, 12, 10, QLatin1Char('0'));
        const QByteArray longText = QStringLiteral("Card %1: reunião às %2h, levar o relatório, o "
                                               "contrato revisado e as notas da última conversa.")
                                    .arg(i)
                                    .arg(i % 24)
                                    .toUtf8()
                                    .repeated(length > 0 ? length / 120 + 1 : 1);
        const QByteArray text = length > 0 ? longText.left(length) : longText;
        item.reset();
        item.bindText(1, id);
        item.bindDouble(2, now - (cards - i) * 60.0);
        item.bindText(3, TextCut::leadingCharacters(QString::fromUtf8(text), TextCut::kMaxTitleLength));
        item.bindText(4, QStringLiteral("sum%1").arg(i));
        item.bindInt64(5, text.size());
        item.stepOrThrow();
        rep.reset();
        rep.bindText(1, id);
        rep.bindBlob(2, text);
        rep.stepOrThrow();
    }
    db.exec("COMMIT");
}

} // namespace BenchHistory
