#pragma once
// What the shell needs of the strip's window: show it, hide it (with something to do once it
// is gone), and whether it is on screen or sliding out.

#include <functional>

class StripWindow
{
public:
    virtual ~StripWindow() = default;

    virtual void show() = 0;
    // `completion` runs on the main thread once the strip is gone; at once when it is not
    // shown.
    virtual void hide(std::function<void()> completion = {}) = 0;
    virtual bool isVisible() const = 0;
    virtual bool isHiding() const = 0;

    // The hotkey and `varu toggle`: hide when shown, show when hidden or sliding out.
    void toggle()
    {
        if (isVisible() && !isHiding())
            hide();
        else
            show();
    }
};
