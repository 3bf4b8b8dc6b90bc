#include "DbProbe.h"

#include <QFile>

#include <sqlite3.h>

DbProbe::DbProbe(const QString &path)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READONLY,
                        nullptr)
        != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
}

DbProbe::~DbProbe()
{
    sqlite3_close(m_db);
}

QList<QVariantList> DbProbe::query(const QString &sql, const QVariantList &args) const
{
    QList<QVariantList> rows;
    if (!m_db)
        return rows;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        return rows;
    for (int i = 0; i < args.size(); ++i) {
        const QVariant &a = args.at(i);
        if (a.isNull()) {
            sqlite3_bind_null(st, i + 1);
        } else if (a.typeId() == QMetaType::QByteArray) {
            const QByteArray b = a.toByteArray();
            sqlite3_bind_blob(st, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        } else if (a.typeId() == QMetaType::Double) {
            sqlite3_bind_double(st, i + 1, a.toDouble());
        } else if (a.typeId() == QMetaType::Int || a.typeId() == QMetaType::LongLong) {
            sqlite3_bind_int64(st, i + 1, a.toLongLong());
        } else {
            const QByteArray t = a.toString().toUtf8();
            sqlite3_bind_text(st, i + 1, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        QVariantList row;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_NULL:
                row << QVariant();
                break;
            case SQLITE_INTEGER:
                row << QVariant(qint64(sqlite3_column_int64(st, c)));
                break;
            case SQLITE_FLOAT:
                row << QVariant(sqlite3_column_double(st, c));
                break;
            case SQLITE_BLOB:
                row << QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(st, c)),
                                           sqlite3_column_bytes(st, c)));
                break;
            default:
                row << QVariant(QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                    sqlite3_column_bytes(st, c)));
            }
        }
        rows << row;
    }
    sqlite3_finalize(st);
    return rows;
}

QVariant DbProbe::scalar(const QString &sql, const QVariantList &args) const
{
    const auto rows = query(sql, args);
    return rows.isEmpty() || rows.first().isEmpty() ? QVariant() : rows.first().first();
}

QStringList DbProbe::columnsOf(const QString &table) const
{
    QStringList names;
    for (const QVariantList &row : query(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        names << row.value(1).toString();
    return names;
}
