#pragma once
// Translation between the stored clipboard type names and the MIME names X11 applications
// offer, in both directions, and the uri-list formats that carry copied files.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace X11MimeTypes {

// Names in a target list that describe the transfer, not the content.
bool isBookkeeping(const QString &mime);
// Every MIME name under which plain text is offered (UTF-8 or via Qt's conversion).
bool isPlainText(const QString &mime);
// text/uri-list and x-special/gnome-copied-files.
bool isFileList(const QString &mime);

// The targets that carry the copy's content, in the owner's order. Bookkeeping targets go,
// and of the image formats an owner converts one picture into on request (Qt and GTK offer a
// dozen, 180 MB for one screenshot) only one is kept: PNG when offered, else the first of
// TIFF, JPEG and HEIC, else the first image target.
QStringList contentTargets(const QStringList &formats);

// The stored name of a MIME name; anything unknown keeps its MIME name.
QString storedType(const QString &mime);
// The MIME name to offer for a stored name.
QString mimeType(const QString &storedType);

// The file: URIs of a text/uri-list (comments, blank lines and other schemes skipped) or of
// x-special/gnome-copied-files (its first line is the action).
QList<QByteArray> parseFileList(const QString &mime, const QByteArray &data);
QByteArray uriList(const QList<QByteArray> &uris);          // CRLF after each
QByteArray gnomeCopiedFiles(const QList<QByteArray> &uris); // "copy", then one per line

} // namespace X11MimeTypes
