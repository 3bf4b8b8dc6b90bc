#include "ShellCommands.h"

#include "StoreFunnel.h"
#include "StripWindow.h"

#include "capture/Classifier.h"
#include "paste/PasteTarget.h"
#include "capture/ClipboardMonitor.h"
#include "paste/Paster.h"
#include "platform/KeyInjector.h"
#include "platform/Log.h"
#include "settings/VaruSound.h"
#include "store/Store.h"
#include "strip/model/StripModel.h"

#include <QTimer>

namespace {

QStringList idsOf(const QList<ClipItem> &items)
{
    QStringList ids;
    ids.reserve(items.size());
    for (const ClipItem &item : items)
        ids << item.id;
    return ids;
}

} // namespace

ShellCommands::ShellCommands(Services services, QObject *parent)
    : VaruActions(parent)
    , m_s(services)
{}

ClipKind ShellCommands::editedTextKind(const QString &text)
{
    // QString::trimmed takes Unicode's white space, line and paragraph separators included.
    return Classifier::isWebLink(text.trimmed()) ? ClipKind::Link : ClipKind::Text;
}

ShellCommands::Readable ShellCommands::readAll(const QList<ClipItem> &items)
{
    Readable cards;
    for (const ClipItem &item : items) {
        QList<Representation> reps = m_s.funnel.representations(item);
        if (reps.isEmpty())
            continue;
        cards.ids << item.id;
        cards.lists << std::move(reps);
    }
    return cards;
}

void ShellCommands::paste(const QList<ClipItem> &items, bool plainText)
{
    const Readable cards = readAll(items);
    if (cards.ids.isEmpty())
        return;
    QPointer<ShellCommands> self(this);
    auto afterHiding = [self, cards, plainText] {
        if (self)
            self->finishPaste(cards, plainText);
    };
    if (m_strip)
        m_strip->hide(std::move(afterHiding));
    else
        afterHiding();
}

void ShellCommands::finishPaste(const Readable &cards, bool plainText)
{
    // The keystroke must reach the window the user was in, not whatever took the focus
    // when the strip went away.
    m_s.target.restore();
    writeCards(cards, plainText);
    m_s.sound.play(VaruSound::pasteSound(), false);
    touch(cards.ids);
    if (m_s.keys.trusted()) {
        QTimer::singleShot(m_keystrokeDelayMs, this, [this] {
            // Reopened meanwhile, the strip has the keyboard: the keystroke would paste into
            // its search field. The card stays on the clipboard instead.
            if (m_strip && m_strip->isVisible() && !m_strip->isHiding())
                return;
            m_s.paster.sendPasteKeystroke();
        });
    } else if (!m_toldNoKeystrokes) {
        m_toldNoKeystrokes = true;
        qCInfo(lcVaru, "Este desktop não deixa enviar a tecla de colar; o card ficou no "
                       "clipboard para colar à mão");
    }
}

void ShellCommands::copy(const QList<ClipItem> &items)
{
    const Readable cards = readAll(items);
    if (cards.ids.isEmpty())
        return;
    writeCards(cards, false);
    m_s.sound.copied();
    touch(cards.ids);
}

void ShellCommands::writeCards(const Readable &cards, bool plainText)
{
    // A copy still waiting to be recorded is taken first; our own write is not a copy.
    m_s.monitor.flushPending();
    m_s.paster.write(cards.lists, plainText);
    m_s.monitor.markOwnWrite();
}

void ShellCommands::touch(const QStringList &ids)
{
    m_s.funnel.onStore([ids](Store &store) { store.touch(ids, Store::currentTime()); });
}

void ShellCommands::add(const QString &itemID, const QString &tabID)
{
    m_s.funnel.onStore([itemID, tabID](Store &store) { store.add(itemID, tabID); });
}

void ShellCommands::remove(const QList<ClipItem> &items, const QString &tabID)
{
    m_s.funnel.onStore(
        [ids = idsOf(items), tabID](Store &store) { store.removeFromTab(tabID, ids); });
}

void ShellCommands::deleteItems(const QList<ClipItem> &items, const Tab &from)
{
    if (from.isUserTab()) {
        remove(items, from.tabID());
        return;
    }
    m_s.funnel.onStore([ids = idsOf(items)](Store &store) { store.removeFromHistory(ids); });
}

void ShellCommands::rename(const ClipItem &item, const std::optional<QString> &to)
{
    m_s.funnel.onStore([id = item.id, to](Store &store) { store.rename(id, to); });
}

void ShellCommands::saveText(const ClipItem &item, const QString &text)
{
    const ClipKind kind = editedTextKind(text);
    m_s.funnel.onStore(
        [id = item.id, text, kind](Store &store) { store.updateText(id, text, kind); });
}

void ShellCommands::createTab(const QString &name, const QString &color,
                                const QStringList &adding)
{
    auto created = std::make_shared<QString>();
    auto body = [name, color, adding, created](Store &store) {
        *created = store.createTab(name, color);
        const double now = Store::currentTime();
        for (const QString &itemID : adding)
            store.add(itemID, *created, now);
    };
    if (!adding.isEmpty()) {
        m_s.funnel.onStore(std::move(body));
        return;
    }
    // An empty tab opens at once, once the reload has brought it.
    QPointer<StripModel> model(&m_s.model);
    m_s.funnel.onStore(std::move(body), [model, created] {
        if (model && !created->isEmpty())
            model->setTab(Tab::userTab(*created));
    });
}

void ShellCommands::updateTab(const QString &id, const QString &name, const QString &color)
{
    m_s.funnel.onStore([id, name, color](Store &store) { store.updateTab(id, name, color); });
}

void ShellCommands::deleteTab(const QString &id)
{
    if (m_s.model.tab() == Tab::userTab(id))
        m_s.model.setTab(Tab::history());
    m_s.funnel.onStore([id](Store &store) { store.deleteTab(id); });
}

QList<Representation> ShellCommands::representations(const ClipItem &item)
{
    return m_s.funnel.representations(item);
}

void ShellCommands::exportTab(const QString &id)
{
    if (m_exportTab)
        m_exportTab(id);
}
