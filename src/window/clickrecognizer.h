#pragma once

#include <QMouseEvent>

// Tells a click on one control from other mouse traffic: a press and a release of the left
// button, both over the control. A release after forget() completes no click; the second press
// of a double click never gets here, as the controls take it themselves.
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

    // Drops a press in progress: the control was hidden or disabled while the button was held.
    void forget() { m_pressed = false; }

private:
    bool m_pressed = false;
};
