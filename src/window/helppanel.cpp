// Help mode and the help panel: freezing the game, and the rules, the table of best results and
// the credits on the panel.

#include "core/texts.h"
#include "window/form1.h"
#include "window/namelabel.h"

#include <QGroupBox>
#include <QLabel>
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
        if (roundState() == RoundState::Running)
            setAllTimersEnabled(true);
        Command4->setText(Texts::HelpOn);
        Command2->setEnabled(true);
    }
}

// Shows or hides the table row by row: place, name, score. Place is the row counter, as in every
// loop over the table.
void Form1::setTableShown(bool shown)
{
    for (Place = 0; Place < Rows; ++Place) {
        Mesto[Place]->setVisible(shown);
        NameP[Place]->setVisible(shown);
        ScoresP[Place]->setVisible(shown);
    }
}

void Form1::writeLines(QLabel *label, const QStringList &lines)
{
    label->setText(QString());
    for (const QString &line : lines)
        label->setText(label->text() + line + lineBreak());
}

void Form1::command5Click()
{
    setTableShown(false);
    writeLines(Label7, Texts::rulesLines());
}

void Form1::command6Click()
{
    Label7->setText(QString());
    setTableShown(true);
}

void Form1::command7Click()
{
    setTableShown(false);
    writeLines(Label7, Texts::creditLines());
}
