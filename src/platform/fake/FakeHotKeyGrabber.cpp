#include "FakeHotKeyGrabber.h"

class FakeHotKeyGrabber::Grab : public HotKeyGrab
{
public:
    Grab(std::weak_ptr<QList<std::shared_ptr<Entry>>> entries, std::shared_ptr<Entry> entry)
        : m_entries(std::move(entries))
        , m_entry(std::move(entry))
    {}
    ~Grab() override
    {
        if (auto entries = m_entries.lock())
            entries->removeAll(m_entry);
    }

private:
    std::weak_ptr<QList<std::shared_ptr<Entry>>> m_entries;
    std::shared_ptr<Entry> m_entry;
};

FakeHotKeyGrabber::FakeHotKeyGrabber()
    : m_entries(std::make_shared<QList<std::shared_ptr<Entry>>>())
{}

QList<FakeHotKeyGrabber::Combination> FakeHotKeyGrabber::held() const
{
    QList<Combination> out;
    for (const auto &entry : *m_entries)
        out << entry->combination;
    return out;
}

bool FakeHotKeyGrabber::press(Combination combination)
{
    for (const auto &entry : std::as_const(*m_entries)) {
        if (entry->combination == combination) {
            entry->pressed();
            return true;
        }
    }
    return false;
}

HotKeyGrabber::Result FakeHotKeyGrabber::grab(quint16 keyCode, KeyModifiers modifiers,
                                              std::function<void()> pressed)
{
    const Combination combination{keyCode, modifiers};
    if (m_taken.contains(combination) || held().contains(combination))
        return {nullptr, 10};
    auto entry = std::make_shared<Entry>(Entry{combination, std::move(pressed)});
    m_entries->append(entry);
    return {std::make_unique<Grab>(m_entries, entry), 0};
}
