#pragma once
// A keyboard layout for unit tests: tests say which character each key code types, and
// which key code the paste falls back to.

#include "platform/KeyboardLayout.h"

#include <QHash>

class FakeKeyboardLayout : public KeyboardLayout
{
public:
    void setKey(const QString &character, quint16 code) { m_codes.insert(character, code); }
    void clear() { m_codes.clear(); }
    void setFallback(quint16 code) { m_fallback = code; }

    std::optional<quint16> keyCode(const QString &name) override
    {
        const auto it = m_codes.constFind(name.toLower());
        return it == m_codes.constEnd() ? std::nullopt : std::optional<quint16>(*it);
    }
    std::optional<QString> character(quint32 keyCode) override
    {
        for (auto it = m_codes.cbegin(); it != m_codes.cend(); ++it) {
            if (it.value() == keyCode)
                return it.key();
        }
        return std::nullopt;
    }
    quint16 fallbackPasteKeyCode() override { return m_fallback; }

private:
    QHash<QString, quint16> m_codes;
    quint16 m_fallback = 55;
};
