#include "StripChrome.h"

#include "strip/cards/HexColor.h"
#include "strip/model/KindFilter.h"
#include "strip/model/StripModel.h"
#include "strip/model/TabPalette.h"

#include <QVariantMap>

StripChrome::StripChrome(StripModel &model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{
    for (auto signal : {&StripModel::queryChanged, &StripModel::kindFilterChanged,
                        &StripModel::tabChanged, &StripModel::tabsChanged})
        connect(&m_model, signal, this, &StripChrome::textsChanged);
}

void StripChrome::setTranslucent(bool translucent)
{
    if (translucent == m_translucent)
        return;
    m_translucent = translucent;
    Q_EMIT translucentChanged();
}

void StripChrome::setMenuOpen(bool open)
{
    if (open == m_menuOpen)
        return;
    m_menuOpen = open;
    Q_EMIT menuOpenChanged();
}

QString StripChrome::searchPlaceholder() const
{
    if (m_model.tab().isHistory())
        return QStringLiteral("Buscar no histórico");
    const std::optional<UserTab> userTab = m_model.currentTab();
    return u"Buscar em "_qs + (userTab ? userTab->name : u"tab"_qs);
}

bool StripChrome::searching() const
{
    // Untrimmed on purpose: a search of spaces still counts as searching.
    return !m_model.query().isEmpty() || m_model.kindFilter().has_value();
}

QString StripChrome::emptySymbol() const
{
    if (searching())
        return QStringLiteral("magnifyingglass");
    return m_model.tab().isHistory() ? QStringLiteral("doc.on.clipboard") : QStringLiteral("pin");
}

QString StripChrome::emptyTitle() const
{
    if (searching())
        return QStringLiteral("Nada encontrado");
    return m_model.tab().isHistory() ? QStringLiteral("Nada copiado ainda")
                                     : QStringLiteral("Esta tab está vazia");
}

QString StripChrome::emptySubtitle() const
{
    if (searching())
        return QStringLiteral("Tente outra busca ou tire o filtro.");
    // The shortcut is named as Super+Shift+V whatever is configured.
    return m_model.tab().isHistory()
               ? QStringLiteral("Copie algo em qualquer app e volte aqui com Super+Shift+V.")
               : QStringLiteral("Arraste cards até a tab ou use “Fixar em” no menu do card.");
}

QVariantList StripChrome::filters() const
{
    QVariantList list;
    for (const KindFilter filter : KindFilters::all())
        list.append(QVariantMap{{u"label"_qs, KindFilters::label(filter)},
                                {u"symbol"_qs, KindFilters::symbol(filter)}});
    return list;
}

QStringList StripChrome::tabColors() const
{
    return TabPalette::colors();
}

QColor StripChrome::color(const QString &hex) const
{
    return HexColor::parseOrGray(hex);
}
