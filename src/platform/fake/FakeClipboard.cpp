#include "FakeClipboard.h"

void FakeClipboard::simulateCopy(const QList<ClipboardItem> &items)
{
    m_items = items;
    m_unavailable.clear();
    m_color.reset();
    ++m_changeCount;
    if (m_changed)
        m_changed();
}

bool FakeClipboard::setChangeHandler(std::function<void()> handler)
{
    if (!m_notifying)
        return false;
    m_changed = std::move(handler);
    return true;
}

void FakeClipboard::setUnavailable(int item, const QString &type)
{
    m_unavailable.append({item, type});
}

QStringList FakeClipboard::types(int item)
{
    QStringList out;
    if (item < 0 || item >= m_items.size())
        return out;
    for (const auto &[type, bytes] : m_items.at(item).entries)
        out << type;
    return out;
}

std::optional<QByteArray> FakeClipboard::data(int item, const QString &type)
{
    if (item < 0 || item >= m_items.size() || m_unavailable.contains(std::pair(item, type)))
        return std::nullopt;
    for (const auto &[t, bytes] : m_items.at(item).entries) {
        if (t == type)
            return bytes;
    }
    return std::nullopt;
}

void FakeClipboard::writeItems(const QList<ClipboardItem> &items)
{
    m_items = items;
    m_unavailable.clear();
    ++m_changeCount;
    ++m_writes;
    if (m_changed)
        m_changed();
}
