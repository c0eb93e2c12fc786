#pragma once

#include <QMouseEvent>

// Tells a click on one control from other mouse traffic: a press and a release of the left
// button, both over the control. The second press of a quick double click is no click, and
// neither is a release after forget().
class ClickRecognizer
{
public:
    // `over`: the press lies on the control itself.
    void press(const QMouseEvent &event, bool over)
    {
        m_pressed = over && event.button() == Qt::LeftButton;
    }

    // True when this release completes a click; `over`: the release lies on the control.
    bool release(const QMouseEvent &event, bool over)
    {
        const bool click = m_pressed && over && event.button() == Qt::LeftButton;
        m_pressed = false;
        return click;
    }

    // Drops a press in progress: the second press of a double click, or a control that was
    // hidden or disabled while the button was held.
    void forget() { m_pressed = false; }

private:
    bool m_pressed = false;
};
