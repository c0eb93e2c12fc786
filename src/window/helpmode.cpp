// Help mode: shows the help panel and freezes the game while it is shown.

#include "game/texts.h"
#include "window/form1.h"

#include <QGroupBox>
#include <QPushButton>

void Form1::command4Click()
{
    if (Command4->text() == Texts::HelpOn) {
        Frame2->show();
        Frame2->raise();
        setAllTimersEnabled(false);
        Command4->setText(Texts::HelpOff);
        Command2->setEnabled(false);
    } else {
        Frame2->hide();
        const QString state = Command2->text();
        if (state != Texts::Restart && state != Texts::Start && state != Texts::Resume)
            setAllTimersEnabled(true);
        Command4->setText(Texts::HelpOn);
        Command2->setEnabled(true);
    }
}
