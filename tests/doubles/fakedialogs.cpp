#include "fakedialogs.h"

#include <QTest>

int FakeDialogs::messageBox(const QString &text, const QString &title, Buttons buttons, NameSpan)
{
    shown.append({text, title, buttons, false});
    if (whileOpen)
        whileOpen(shown.last());
    return boxAnswers.isEmpty() ? OkResult : boxAnswers.takeFirst();
}

QString FakeDialogs::inputBox(const QString &prompt, const QString &title)
{
    shown.append({prompt, title, Buttons::OkCancel, true});
    if (whileOpen)
        whileOpen(shown.last());
    if (promptAnswers.isEmpty()) {
        // An endless prompt loop would hang the test; fail it loudly instead.
        QTest::qFail("the game asked for a nickname the test did not script", __FILE__, __LINE__);
        return QStringLiteral("?");
    }
    return promptAnswers.takeFirst();
}
