#include "StripKeys.h"

#include "strip/model/StripModel.h"

namespace {

bool isReturn(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// XKB key codes (evdev codes plus 8) of the top row's 1 to 9 on PC keyboards, whatever the
// layout prints on them.
constexpr quint32 kTopRowOne = 10;
constexpr quint32 kTopRowNine = 18;

} // namespace

StripKeys::StripKeys(StripModel &model, Host host)
    : m_model(model)
    , m_host(std::move(host))
{}

bool StripKeys::isCommand(Qt::KeyboardModifiers modifiers)
{
    return modifiers & (Qt::MetaModifier | Qt::ControlModifier);
}

int StripKeys::quickPasteDigit(const QKeyEvent &event)
{
    if (event.key() >= Qt::Key_1 && event.key() <= Qt::Key_9)
        return event.key() - Qt::Key_0;
    // Ctrl+Shift+1 types "!" on a US layout: recognise the digit by its key instead.
    const quint32 code = event.nativeScanCode();
    if ((event.modifiers() & Qt::ShiftModifier) && code >= kTopRowOne && code <= kTopRowNine)
        return int(code - kTopRowOne) + 1;
    return 0;
}

bool StripKeys::handle(const QKeyEvent &event)
{
    if (event.type() != QEvent::KeyPress)
        return false;
    return m_model.hasOverlay() ? handleOverlay(event) : handleStrip(event);
}

bool StripKeys::handleOverlay(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Escape) {
        m_model.cancelOverlay();
        return true;
    }
    if (isReturn(event.key()) && isCommand(event.modifiers())) {
        m_model.commitOverlay();
        return true;
    }
    return false; // the overlay's text field types it
}

bool StripKeys::handleStrip(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool command = isCommand(mods);
    const bool noQuery = m_model.query().isEmpty();

    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_model.paste(shift);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
        m_model.move(-1, shift);
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        m_model.move(+1, shift);
        return true;
    case Qt::Key_Tab:
        m_model.cycleTab(shift ? -1 : +1);
        return true;
    case Qt::Key_Backtab: // Shift+Tab arrives as its own key
        m_model.cycleTab(-1);
        return true;
    case Qt::Key_Space:
        if (noQuery && !command) {
            if (m_host.togglePreview)
                m_host.togglePreview();
            return true;
        }
        break; // typed into the search
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        // Ctrl+Backspace deletes a word while there is search text; only Super, or Ctrl on
        // an empty search, deletes cards, so editing the search never removes history.
        if ((mods & Qt::MetaModifier) || ((mods & Qt::ControlModifier) && noQuery)) {
            m_model.deleteSelected();
            return true;
        }
        return false;
    case Qt::Key_Escape:
        escape();
        return true;
    default:
        break;
    }

    if (!command)
        return false;
    switch (event.key()) {
    case Qt::Key_F:
        m_model.requestSearchFocus();
        return true;
    case Qt::Key_E:
        m_model.beginEdit();
        return true;
    case Qt::Key_R:
        m_model.beginRename();
        return true;
    case Qt::Key_T:
        m_model.beginNewTab();
        return true;
    case Qt::Key_C:
        if (!noQuery)
            return false; // the search field copies its text
        m_model.copySelected();
        return true;
    case Qt::Key_A:
        if (!noQuery)
            return false; // the search field selects its text
        m_model.selectAll();
        return true;
    default:
        break;
    }
    if (const int digit = quickPasteDigit(event)) {
        m_model.paste(digit - 1, shift);
        return true;
    }
    return false;
}

void StripKeys::escape()
{
    if (m_host.previewVisible && m_host.previewVisible()) {
        if (m_host.hidePreview)
            m_host.hidePreview();
    } else if (m_model.selectedIDs().size() >= 2) {
        m_model.collapseSelection();
    } else if (!m_model.query().isEmpty()) {
        m_model.setQuery(QString());
    } else if (m_model.kindFilter()) {
        m_model.setKindFilter(std::nullopt);
    } else if (m_host.hideStrip) {
        m_host.hideStrip();
    }
}
