#pragma once

#include <QPoint>

// Mouse clicks sent through the X server with the XTest extension, on a connection of its own:
// the program under test receives them exactly as it would a real mouse's. Kept apart from Qt's
// headers because Xlib's macros clash with Qt's names.
class ClickInjector
{
public:
    ClickInjector(); // opens $DISPLAY
    ~ClickInjector();
    ClickInjector(const ClickInjector &) = delete;
    ClickInjector &operator=(const ClickInjector &) = delete;

    bool isOpen() const { return m_display != nullptr; }
    // Moves the pointer to `global` (screen pixels) and waits until the server has done so.
    void moveTo(QPoint global);
    // Presses and releases the left button where the pointer is, and sends both at once.
    void click();

private:
    void *m_display = nullptr;
};
