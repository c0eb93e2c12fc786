// The help panel's buttons: the rules, the table of best results and the credits.

#include "game/texts.h"
#include "platform/namelabel.h"
#include "window/form1.h"

#include <QLabel>

namespace {

// Shows or hides the table row by row: place, name, score. Place is the row counter, as in
// every loop over the table.
void setTableShown(Form1 &form, bool shown)
{
    for (form.Place = 0; form.Place < Form1::Rows; ++form.Place) {
        form.Mesto[form.Place]->setVisible(shown);
        form.NameP[form.Place]->setVisible(shown);
        form.ScoresP[form.Place]->setVisible(shown);
    }
}

} // namespace

void Form1::writeLines(QLabel *label, const QStringList &lines)
{
    label->setText(QString());
    for (const QString &line : lines)
        label->setText(label->text() + line + lineBreak());
}

void Form1::command5Click()
{
    setTableShown(*this, false);
    writeLines(Label7, Texts::rulesLines());
}

void Form1::command6Click()
{
    Label7->setText(QString());
    setTableShown(*this, true);
}

void Form1::command7Click()
{
    setTableShown(*this, false);
    writeLines(Label7, Texts::creditLines());
}
