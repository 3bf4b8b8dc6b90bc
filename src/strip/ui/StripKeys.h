#pragma once
// The strip's keyboard: which key presses become model operations while the strip is shown, and
// which go on to the search field or an editor. The shortcuts take Ctrl, or Super where the desktop lets it through.

#include <QKeyEvent>

#include <functional>

class StripModel;

class StripKeys
{
public:
    // What the keys reach beyond the model: the quick preview and hiding the strip.
    struct Host
    {
        std::function<bool()> previewVisible;
        std::function<void()> hidePreview;
        std::function<void()> togglePreview;
        std::function<void()> hideStrip;
    };

    StripKeys(StripModel &model, Host host);

    // True when the press was used and must not reach the focused control.
    bool handle(const QKeyEvent &event);

    static bool isCommand(Qt::KeyboardModifiers modifiers);
    // 1 to 9 for Ctrl+1 to Ctrl+9 (also with Shift, which on most layouts types a symbol on that key);
    // 0 otherwise.
    static int quickPasteDigit(const QKeyEvent &event);

private:
    bool handleOverlay(const QKeyEvent &event);
    bool handleStrip(const QKeyEvent &event);
    void escape();

    StripModel &m_model;
    Host m_host;
};
