#pragma once
// One stored card as the strip lists it. It never carries its representations: those are
// read on demand by id. Equality covers only what the strip draws from the record.

#include "ClipKind.h"
#include "FileCategory.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

struct ClipItem
{
    QString id;
    double createdAt = 0; // seconds since 1970
    ClipKind kind = ClipKind::Text;
    QString title; // for files: the paths, one per line
    // Records read for the strip keep only the start of a long text's title, with the whole
    // title's length in user-perceived characters here (-1: `title` is whole) and the text
    // the strip searches (folded, UTF-8) worked out before the rest was dropped.
    qsizetype titleCharacters = -1;
    QByteArray searchText;
    std::optional<QString> customTitle;
    std::optional<QString> sourceAppID;
    std::optional<QString> sourceName;
    qint64 totalBytes = 0;
    // The PNG thumbnail. Records read for the strip carry only its size, and the bytes are
    // fetched by id when the card is drawn; records made in memory may carry the bytes.
    std::optional<QByteArray> thumbnail;
    std::optional<qint64> thumbnailBytes;
    bool inHistory = true;
    QSet<QString> tabIDs;

    // Compares id, createdAt, title, customTitle, tabIDs and inHistory only, so that a
    // refreshed thumbnail or source alone does not redraw a card.
    friend bool operator==(const ClipItem &a, const ClipItem &b);

    // For file cards: the title's lines, empty lines dropped. Empty for other kinds.
    QStringList filePaths() const;
    // The category shared by every path of a file card; none when they differ or for
    // other kinds.
    std::optional<FileCategory> fileCategory() const;
    bool isImageLike() const;
    // The thumbnail's size in bytes, from the bytes when the record carries them; none when
    // the card has no thumbnail.
    std::optional<qint64> thumbnailSize() const;

    QString typeLabel() const;  // Portuguese name of the kind, shown on the card
    QString typeSymbol() const; // symbol name of the kind
    QColor typeTint() const;
};

Q_DECLARE_METATYPE(ClipItem)
