// Help mode: shows the help panel and freezes the game while it is shown.

#include "app/form1.h"

#include <QGroupBox>
#include <QPushButton>

void Form1::command4Click()
{
    if (Command4->text() == QStringLiteral("Вкл. помощь")) {
        Frame2->show();
        Frame2->raise();
        setAllTimersEnabled(false);
        Command4->setText(QStringLiteral("Выкл. помощь"));
        Command2->setEnabled(false);
    } else {
        Frame2->hide();
        const QString state = Command2->text();
        if (state != QStringLiteral("Заново") && state != QStringLiteral("Начать")
            && state != QStringLiteral("Продолжить"))
            setAllTimersEnabled(true);
        Command4->setText(QStringLiteral("Вкл. помощь"));
        Command2->setEnabled(true);
    }
}
