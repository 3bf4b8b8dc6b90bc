#pragma once
// One typed piece of data of one clipboard item, exactly as it was offered. `index` is the
// item's position at capture time; representations of the same item share it.

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

struct Representation
{
    qint64 index = 0;
    QString type;
    QByteArray data;

    friend bool operator==(const Representation &, const Representation &) = default;

    // The identity of a card's content: SHA-256 over "<index>|<type>|" and the bytes of each
    // representation in order, as 64 lower-case hex digits. Stored in every database and
    // backup file, so the byte layout is fixed.
    static QString checksum(const QList<Representation> &reps);
};

Q_DECLARE_METATYPE(Representation)
