// Importing a backup file: a staged private copy is attached read-only and merged card by
// card, each taken by its content as if it had just been copied, into one transaction.

#include "Store.h"

#include "core/ClipboardTypes.h"
#include "core/TextCut.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStorageInfo>
#include <QUrl>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

namespace {

// Room left on the disk after an import, for the captures that follow it.
constexpr qint64 kDiskMargin = 128LL * 1024 * 1024;
// Ids we make are 36 characters; a file's id is kept only when it looks like one of ours.
constexpr qsizetype kMaxIdLength = 64;

const QStringList kBackupTables{QStringLiteral("items"), QStringLiteral("representations"),
                                QStringLiteral("boards"), QStringLiteral("board_items")};

QString notABackup()
{
    return QStringLiteral("Este arquivo não é um backup do Varu.");
}

// Every row of `st`, one call of `row` each; a damaged file must not pass for a shorter one.
template<typename Row> void eachRow(Connection &db, Statement &st, Row row)
{
    int rc = SQLITE_ROW;
    while ((rc = st.step()) == SQLITE_ROW)
        row();
    if (rc != SQLITE_DONE)
        throw StoreError::sql(db.errorMessage());
}

// A stored text value; none for NULL and for values of any other type.
std::optional<QString> textValue(const Statement &st, int column)
{
    if (sqlite3_column_type(st.handle(), column) != SQLITE_TEXT)
        return std::nullopt;
    return st.text(column);
}

// A stored number that is a usable time (NaN is read back as NULL, infinities as numbers).
std::optional<double> timeValue(const Statement &st, int column, double now)
{
    const int type = sqlite3_column_type(st.handle(), column);
    if (type != SQLITE_INTEGER && type != SQLITE_FLOAT)
        return std::nullopt;
    const double t = st.real(column);
    if (!std::isfinite(t))
        return std::nullopt;
    // A time in the future would keep a card above every new copy (and make each new copy
    // the first to be pruned); before 1970 is no time a copy was made.
    return std::clamp(t, 0.0, now);
}

Store::Recognized plainRecognition(const QList<Representation> &reps)
{
    for (const Representation &rep : reps) {
        if (rep.type == ClipboardTypes::plainText)
            return {ClipKind::Text,
                    TextCut::leadingCharacters(QString::fromUtf8(rep.data).trimmed(),
                                               TextCut::kMaxTitleLength),
                    std::nullopt};
    }
    return {ClipKind::Text, QStringLiteral("Conteúdo: ") + reps.value(0).type, std::nullopt};
}

// Only plain tables whose every column is stored in the file: a virtual table runs a module's
// code on each read, and a generated column can produce any amount of data from a few bytes.
void checkSchema(Connection &db)
{
    Statement tables = db.prepare(
        "SELECT name FROM pragma_table_list WHERE schema = 'src' AND type = 'table' AND wr = 0");
    QStringList plain;
    eachRow(db, tables, [&] { plain << tables.text(0); });
    for (const QString &name : kBackupTables) {
        if (!plain.contains(name))
            throw StoreError::sql(notABackup());
        const std::optional<QString> hidden = db.scalarText(
            "SELECT COUNT(*) FROM pragma_table_xinfo(?, 'src') WHERE hidden <> 0", {name});
        if (hidden.value_or(QString()) != QLatin1String("0"))
            throw StoreError::sql(notABackup());
    }
}

struct Membership
{
    QString boardID;
    double addedAt = 0;
};

struct FileTab
{
    QString id;
    QString name;
    std::optional<QString> color;
};

} // namespace

QString Store::stagingFolder() const
{
    if (m_path == QLatin1String(":memory:"))
        return QDir::tempPath();
    return QFileInfo(m_path).absolutePath();
}

qint64 Store::stagingLimit(const QString &folder)
{
    // The copy, then the imported content twice over (the log, then the database file).
    const qint64 available = QStorageInfo(folder).bytesAvailable();
    return std::max<qint64>(0, (available - kDiskMargin) / 3);
}

Store::ImportResult Store::importData(const QString &path, const Recognizer &recognize, double now)
{
    const QString folder = stagingFolder();
    const StagedBackup staged = StagedBackup::stage(path, folder, stagingLimit(folder));
    return importStaged(staged, recognize, now);
}

Store::ImportResult Store::importStaged(const StagedBackup &file, const Recognizer &recognize,
                                        double now)
{
    Connection &db = *m_db;
    {
        const QString uri = QUrl::fromLocalFile(QFileInfo(file.path()).absoluteFilePath())
                                .toString(QUrl::FullyEncoded) +
                            QStringLiteral("?mode=ro");
        Statement attach = db.prepare("ATTACH DATABASE ? AS src");
        attach.bindText(1, uri);
        if (attach.step() != SQLITE_DONE)
            throw StoreError::sql(QStringLiteral("Não foi possível abrir o arquivo"));
    }
    // The backup is let go, and the log gives back what the import wrote into it (also what
    // a failed import wrote before it was rolled back), whatever happened.
    const auto finish = [&] {
        try {
            db.exec("DETACH DATABASE src");
        } catch (const StoreError &) {
        }
        try {
            scrubLog();
        } catch (const StoreError &) {
        }
    };
    ImportResult result;
    try {
        checkSchema(db);
        transaction([&] { mergeFile(recognize ? recognize : plainRecognition, now, result); });
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return result;
}

void Store::mergeFile(const Recognizer &recognize, double now, ImportResult &result)
{
    Connection &db = *m_db;

    // Tabs with a name, and their memberships with a usable time.
    QList<FileTab> fileTabs;
    {
        Statement st =
            db.prepare("SELECT id, name, color FROM src.boards ORDER BY position, created_at");
        eachRow(db, st, [&] {
            const std::optional<QString> id = textValue(st, 0);
            const std::optional<QString> name = textValue(st, 1);
            if (id && name && !name->trimmed().isEmpty())
                fileTabs.append({*id, *name, textValue(st, 2)});
        });
    }
    QHash<QString, QList<Membership>> memberships; // by the file's card id
    {
        Statement st = db.prepare("SELECT board_id, item_id, added_at FROM src.board_items");
        eachRow(db, st, [&] {
            const std::optional<QString> board = textValue(st, 0);
            const std::optional<QString> item = textValue(st, 1);
            const std::optional<double> added = timeValue(st, 2, now);
            const bool known = board && std::any_of(fileTabs.cbegin(), fileTabs.cend(),
                                                    [&](const FileTab &t) { return t.id == *board; });
            if (known && item && added)
                memberships[*item].append({*board, *added});
        });
    }
    // Where each card's representations are, and how large it is, before reading any.
    QHash<QString, QList<qint64>> repRows;
    QHash<QString, qint64> cardBytes;
    {
        Statement st = db.prepare(
            "SELECT rowid, item_id, length(data) FROM src.representations ORDER BY rowid");
        eachRow(db, st, [&] {
            if (const std::optional<QString> item = textValue(st, 1)) {
                repRows[*item].append(st.int64(0));
                cardBytes[*item] += st.int64(2);
            }
        });
    }

    Statement readRep = db.prepare("SELECT idx, uti, data FROM src.representations WHERE rowid = ?");
    const auto readReps = [&](const QString &fileID) -> std::optional<QList<Representation>> {
        QList<Representation> reps;
        for (const qint64 row : repRows.value(fileID)) {
            readRep.reset();
            readRep.bindInt64(1, row);
            if (readRep.step() != SQLITE_ROW)
                throw StoreError::sql(db.errorMessage());
            const std::optional<QString> type = textValue(readRep, 1);
            if (sqlite3_column_type(readRep.handle(), 0) != SQLITE_INTEGER || !type ||
                sqlite3_column_type(readRep.handle(), 2) != SQLITE_BLOB)
                return std::nullopt;
            reps.append({readRep.int64(0), *type, readRep.blob(2).value_or(QByteArray())});
        }
        if (reps.isEmpty())
            return std::nullopt;
        return reps;
    };

    Statement known = db.prepare("SELECT id, in_history FROM items WHERE checksum = ?");
    Statement bringBack = db.prepare(
        "UPDATE items SET in_history = 1, created_at = MAX(created_at, ?) WHERE id = ?");
    Statement idTaken = db.prepare("SELECT 1 FROM items WHERE id = ?");
    Statement insert =
        db.prepare("INSERT INTO items (id, created_at, kind, title, checksum, source_bundle, "
                   "source_name, total_bytes, thumbnail, in_history, custom_title)\n"
                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    QHash<QString, QString> liveIDs; // the file's card id → the card it became or merged into

    Statement cards = db.prepare("SELECT id, created_at, in_history = 1, custom_title, "
                                 "source_bundle, source_name FROM src.items");
    int rc = SQLITE_ROW;
    while ((rc = cards.step()) == SQLITE_ROW) {
        const std::optional<QString> fileID = textValue(cards, 0);
        const std::optional<double> createdAt = timeValue(cards, 1, now);
        if (!fileID || !createdAt)
            continue;
        const bool inHistory = cards.int64(2) == 1;
        // A card in neither the history nor a tab could never be seen.
        if (!inHistory && !memberships.contains(*fileID))
            continue;
        // What a capture could never have kept is not taken from a file either.
        if (cardBytes.value(*fileID) > kMaxCardBytes)
            continue;
        const std::optional<QList<Representation>> reps = readReps(*fileID);
        if (!reps)
            continue;
        const QString checksum = Representation::checksum(*reps);

        known.reset();
        known.bindText(1, checksum);
        if (known.step() == SQLITE_ROW) {
            const QString id = known.text(0);
            if (inHistory && known.int64(1) != 1) {
                bringBack.reset();
                bringBack.bindDouble(1, *createdAt);
                bringBack.bindText(2, id);
                bringBack.stepOrThrow();
            }
            liveIDs.insert(*fileID, id);
            continue;
        }

        QString id = *fileID;
        idTaken.reset();
        idTaken.bindText(1, id);
        if (id.isEmpty() || id.size() > kMaxIdLength || idTaken.step() == SQLITE_ROW)
            id = newID();
        const Recognized seen = recognize(*reps);
        std::optional<QString> customTitle = textValue(cards, 3);
        if (customTitle && customTitle->trimmed().isEmpty())
            customTitle.reset();
        qint64 total = 0;
        for (const Representation &rep : *reps)
            total += rep.data.size();
        insert.reset();
        insert.bindText(1, id);
        insert.bindDouble(2, *createdAt);
        insert.bindText(3, ClipKinds::rawName(seen.kind));
        insert.bindText(4, seen.title);
        insert.bindText(5, checksum);
        insert.bindText(6, textValue(cards, 4));
        insert.bindText(7, textValue(cards, 5));
        insert.bindInt64(8, total);
        insert.bindBlob(9, seen.thumbnail);
        insert.bindInt64(10, inHistory ? 1 : 0);
        insert.bindText(11, customTitle);
        insert.stepOrThrow();
        insertReps(*reps, id);
        liveIDs.insert(*fileID, id);
        ++result.items;
    }
    // A damaged file must not pass for a shorter one.
    if (rc != SQLITE_DONE)
        throw StoreError::sql(db.errorMessage());

    QList<UserTab> local = tabs();
    Statement join = db.prepare(
        "INSERT OR IGNORE INTO board_items (board_id, item_id, added_at) VALUES (?, ?, ?)");
    for (const FileTab &fileTab : fileTabs) {
        const auto match = std::find_if(local.cbegin(), local.cend(), [&](const UserTab &t) {
            return t.name.compare(fileTab.name, Qt::CaseInsensitive) == 0;
        });
        QString targetID;
        if (match != local.cend()) {
            targetID = match->id;
        } else {
            // A missing colour gets the one every reader gives it.
            targetID = createTab(fileTab.name, fileTab.color.value_or(UserTab::defaultColor()));
            local = tabs();
            ++result.tabs;
        }
        for (auto it = memberships.cbegin(); it != memberships.cend(); ++it) {
            const QString liveID = liveIDs.value(it.key());
            if (liveID.isEmpty())
                continue;
            for (const Membership &m : it.value()) {
                if (m.boardID != fileTab.id)
                    continue;
                join.reset();
                join.bindText(1, targetID);
                join.bindText(2, liveID);
                join.bindDouble(3, m.addedAt);
                join.stepOrThrow();
            }
        }
    }
}
