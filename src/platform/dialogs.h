#pragma once

#include "platform/nametext.h"

#include <QString>

// The modal dialogs the game asks the player with. Both run their own event loop, so timer
// ticks keep being delivered while one is open.
class Dialogs
{
public:
    enum class Buttons { Ok = 0, OkCancel = 1 };
    static constexpr int OkResult = 1;
    static constexpr int CancelResult = 2;

    virtual ~Dialogs() = default;

    // A message box without an icon whose first button ("ОК") is the default.
    // Returns OkResult for "ОК" and CancelResult for "Отмена"; closing the box counts as its
    // last button ("Отмена", or "ОК" when that is the only one).
    // The text is given whole; only its drawing shortens the name in `name`, if any.
    virtual int messageBox(const QString &text, const QString &title, Buttons buttons,
                           NameText::Span name = {}) = 0;

    // A one-line prompt with "ОК" and "Отмена". Returns the typed text, or the empty text on
    // "Отмена" (or when the prompt is closed).
    virtual QString inputBox(const QString &prompt, const QString &title) = 0;
};
