#pragma once
// The facts line at the bottom of a card: characters, pixel and byte sizes, pages, a colour's
// code, and for files their size and count, a folder's items or that the file is gone.

#include "core/ClipItem.h"

#include <QString>

namespace CardFooter {

// Reads the file system for file cards (sizes, existence, folder listing).
QString text(const ClipItem &item);

// For a file card with exactly one path: that file's name, shown before the footer text.
// Empty otherwise.
QString fileName(const ClipItem &item);

} // namespace CardFooter
