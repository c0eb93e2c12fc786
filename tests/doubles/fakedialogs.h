#pragma once

#include "platform/dialogs.h"

#include <QStringList>
#include <QTest>
#include <functional>

// Records every dialog the game opens as "title: text" and answers from scripts. `whileOpen`
// runs while a dialog is "open", the way real ticks run inside a dialog's own event loop.
class FakeDialogs : public Dialogs
{
public:
    int messageBox(const QString &text, const QString &title, Buttons, NameText::Span) override
    {
        shown.append(title + ": " + text);
        if (whileOpen)
            whileOpen(shown.last());
        return boxAnswer;
    }
    QString inputBox(const QString &prompt, const QString &title) override
    {
        shown.append(title + ": " + prompt);
        if (whileOpen)
            whileOpen(shown.last());
        // An endless prompt loop would hang the test; fail it loudly instead.
        if (promptAnswers.isEmpty())
            QTest::qFail("a nickname the test did not script was asked for", __FILE__, __LINE__);
        return promptAnswers.isEmpty() ? QStringLiteral("?") : promptAnswers.takeFirst();
    }

    QStringList shown;
    QStringList promptAnswers; // taken in order; a test that runs out fails
    int boxAnswer = OkResult;
    std::function<void(const QString &)> whileOpen;
};
