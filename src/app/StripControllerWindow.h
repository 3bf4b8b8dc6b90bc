#pragma once
// The strip's real window for the shell: the strip controller behind the narrow interface the
// shell uses.

#include "StripWindow.h"

#include "paste/PasteTarget.h"
#include "strip/ui/StripController.h"

class StripControllerWindow : public StripWindow
{
public:
    StripControllerWindow(StripModel &model, PasteTarget &target, ImageCache &images,
                          Desktop &desktop)
        : m_controller(model, &target, images, desktop)
    {}

    void show() override { m_controller.show(); }
    void hide(std::function<void()> completion) override
    {
        m_controller.hide(std::move(completion));
    }
    bool isVisible() const override { return m_controller.isVisible(); }
    bool isHiding() const override { return m_controller.isHiding(); }

    StripController &controller() { return m_controller; }

private:
    StripController m_controller;
};
