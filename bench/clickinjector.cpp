#include "clickinjector.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

Display *display(void *handle)
{
    return static_cast<Display *>(handle);
}

} // namespace

ClickInjector::ClickInjector()
{
    Display *opened = XOpenDisplay(nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    if (opened && !XTestQueryExtension(opened, &event, &error, &major, &minor)) {
        XCloseDisplay(opened);
        opened = nullptr;
    }
    m_display = opened;
}

ClickInjector::~ClickInjector()
{
    if (m_display)
        XCloseDisplay(display(m_display));
}

void ClickInjector::moveTo(QPoint global)
{
    XTestFakeMotionEvent(display(m_display), -1, global.x(), global.y(), CurrentTime);
    XSync(display(m_display), False);
}

void ClickInjector::click()
{
    XTestFakeButtonEvent(display(m_display), 1, True, CurrentTime);
    XTestFakeButtonEvent(display(m_display), 1, False, CurrentTime);
    XFlush(display(m_display));
}
