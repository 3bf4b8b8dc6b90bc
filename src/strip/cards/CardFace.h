#pragma once
// What one card shows, worked out from its record: header title and colour, the content by
// kind, the footer. The views only lay these out.

#include "core/ClipItem.h"

#include <QColor>
#include <QString>
#include <QVariantList>

class AppColors;
class RelativeTime;

// Image sources name the strip's image providers ("image://varu/…", "image://varuthumbs/…").
struct CardFace
{
    QString headerTitle; // custom title, else the type label
    QString headerSource;
    QString body; // text of text and link cards, the code of a colour
    QString linkHost;
    QString thumbSource; // image and PDF cards with a thumbnail
    // File cards: up to three maps {thumb, icon, badge, badgeColor}.
    QVariantList files;
    QString moreLabel; // "+N" over the third file preview
    QColor swatch;
    QString footer;
    QString fileName;
};

class CardPresenter
{
public:
    CardPresenter(AppColors &colors, RelativeTime &times);

    // Reads the file system for file cards.
    CardFace face(const ClipItem &item) const;
    // "há 3 minutos", after the type label when the card has its own title.
    QString timeLine(const ClipItem &item, double now) const;

    // Image ids, safe for any text: components are base64url-encoded.
    static QString encode(const QString &text);
    static QString decode(const QString &text);
    static QString fileThumbSource(const QString &path);
    static QString fileIconSource(const QString &path);

    // The longest text a card's content area can show; longer titles are cut for layout.
    static constexpr qsizetype kBodyCharacters = 700;

private:
    AppColors &m_colors;
    RelativeTime &m_times;
};
