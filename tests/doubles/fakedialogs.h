#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QString>
#include <functional>

// Records every dialog the game opens and answers from scripts. `whileOpen` runs while a
// dialog is "open", the way real ticks run inside a dialog's own event loop.
class FakeDialogs : public Dialogs
{
public:
    struct Shown {
        QString text;
        QString title;
        Buttons buttons = Buttons::Ok;
        bool prompt = false;
    };

    int messageBox(const QString &text, const QString &title, Buttons buttons,
                   NameSpan name = {}) override;
    QString inputBox(const QString &prompt, const QString &title) override;

    QList<Shown> shown;
    QList<int> boxAnswers;     // taken in order; OkResult once exhausted
    QStringList promptAnswers; // taken in order; a test that runs out fails
    std::function<void(const Shown &)> whileOpen;
};
