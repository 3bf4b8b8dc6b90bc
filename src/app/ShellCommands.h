#pragma once
// The shell's side of the strip's commands: pasting and copying cards, removing them, edits
// and tabs. Store work goes through the funnel; the strip learns the outcome from the reload.

#include "strip/model/VaruActions.h"

#include <QPointer>

#include <functional>

class KeyInjector;
class PasteTarget;
class Paster;
class ClipboardMonitor;
class StoreFunnel;
class StripModel;
class StripWindow;
class VaruSound;

class ShellCommands : public VaruActions
{
    Q_OBJECT

public:
    struct Services
    {
        StoreFunnel &funnel;
        StripModel &model;
        Paster &paster;
        PasteTarget &target;
        ClipboardMonitor &monitor;
        VaruSound &sound;
        KeyInjector &keys;
    };

    static constexpr int kKeystrokeDelayMs = 50;

    explicit ShellCommands(Services services, QObject *parent = nullptr);

    // How long after the write the paste keystroke waits; tests send it at zero.
    void setKeystrokeDelay(int ms) { m_keystrokeDelayMs = ms; }
    // The strip's window; without one a paste happens at once.
    void setStrip(StripWindow *strip) { m_strip = strip; }
    // The export flow for one tab (it belongs to the backups).
    void setExportTab(std::function<void(const QString &)> exportTab)
    {
        m_exportTab = std::move(exportTab);
    }

    void paste(const QList<ClipItem> &items, bool plainText) override;
    void copy(const QList<ClipItem> &items) override;
    void add(const QString &itemID, const QString &tabID) override;
    void remove(const QList<ClipItem> &items, const QString &tabID) override;
    void deleteItems(const QList<ClipItem> &items, const Tab &from) override;
    void rename(const ClipItem &item, const std::optional<QString> &to) override;
    void saveText(const ClipItem &item, const QString &text) override;
    void createTab(const QString &name, const QString &color, const QStringList &adding) override;
    void updateTab(const QString &id, const QString &name, const QString &color) override;
    void deleteTab(const QString &id) override;
    QList<Representation> representations(const ClipItem &item) override;
    void exportTab(const QString &id) override;

    // An edited text is a link when, trimmed, it is one line holding an http(s) URL with a
    // host; anything else is text.
    static ClipKind editedTextKind(const QString &text);

private:
    struct Readable
    {
        QStringList ids;
        QList<QList<Representation>> lists;
    };
    // The cards' stored content in order; cards without any are left out.
    Readable readAll(const QList<ClipItem> &items);
    void finishPaste(const Readable &cards, bool plainText);
    void writeCards(const Readable &cards, bool plainText);
    void touch(const QStringList &ids);

    Services m_s;
    StripWindow *m_strip = nullptr;
    std::function<void(const QString &)> m_exportTab;
    bool m_toldNoKeystrokes = false;
    int m_keystrokeDelayMs = kKeystrokeDelayMs;
};
