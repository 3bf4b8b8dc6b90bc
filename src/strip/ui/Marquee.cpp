#include "Marquee.h"

#include "strip/model/StripModel.h"

#include <algorithm>
#include <cmath>

namespace {

// Overlap that also counts a band with no height: a sideways drag covers what it crosses. A
// band that is a single point (a click) covers nothing.
bool covers(const QRectF &band, const QRectF &card)
{
    if (band.width() <= 0 && band.height() <= 0)
        return false;
    return band.left() <= card.right() && band.right() >= card.left() &&
           band.top() <= card.bottom() && band.bottom() >= card.top();
}

} // namespace

Marquee::Marquee(StripModel &model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{}

void Marquee::begin(QPointF at, bool additive)
{
    const bool wasActive = active();
    m_start = at;
    m_base = additive ? m_model.selectedIDs() : QSet<QString>();
    m_hitSoFar.clear();
    if (!wasActive)
        Q_EMIT activeChanged();
}

void Marquee::update(QPointF to, qreal visibleFrom, qreal visibleTo)
{
    if (!m_start)
        return;
    m_band = QRectF(*m_start, to).normalized();
    Q_EMIT bandChanged();

    const QList<ClipItem> cards = m_model.filtered();
    constexpr qreal pitch = kCardWidth + kSpacing;
    const auto first = qsizetype(std::max(0.0, std::floor((visibleFrom - kCardWidth) / pitch)));
    const auto last = std::min(cards.size() - 1, qsizetype(std::floor(visibleTo / pitch)));
    for (qsizetype i = first; i <= last; ++i) {
        const QRectF card(qreal(i) * pitch, kCardTop, kCardWidth, kCardHeight);
        if (card.right() <= visibleFrom || card.left() >= visibleTo)
            continue;
        if (covers(m_band, card))
            m_hitSoFar.insert(cards.at(i).id);
        else
            m_hitSoFar.remove(cards.at(i).id);
    }

    QSet<QString> selection = m_base | m_hitSoFar;
    std::optional<QString> focus = m_model.selectedID();
    const auto hit = std::find_if(cards.cbegin(), cards.cend(), [&](const ClipItem &card) {
        return m_hitSoFar.contains(card.id);
    });
    if (hit != cards.cend())
        focus = hit->id;
    if (selection.isEmpty() && focus)
        selection.insert(*focus);
    m_model.applyMarquee(selection, focus);
}

void Marquee::end()
{
    if (!m_start)
        return;
    m_start.reset();
    m_band = QRectF();
    Q_EMIT bandChanged();
    Q_EMIT activeChanged();
}
