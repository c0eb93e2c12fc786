// Round control: the nickname, the start/pause/resume/restart button and the exit button.
// The round's state is the caption of Command2.

#include "game/texts.h"
#include "platform/dialogs.h"
#include "platform/namelabel.h"
#include "window/form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>

namespace {

void showNoNickError(Dialogs &dialogs)
{
    dialogs.messageBox(Texts::NoNick, Texts::NoNickTitle, Dialogs::Buttons::Ok);
}

// A name is one line of the table: a typed or pasted line break becomes a blank.
QString asOneLine(QString answer)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|[\r\n\v\f\u0085\u2028\u2029]"));
    return answer.replace(lineBreak, QStringLiteral(" "));
}

} // namespace

void Form1::command1Click()
{
    for (;;) {
        // Stored before it is checked: while the error box is open the nickname is empty.
        const QString answer = m_dialogs.inputBox(Texts::NickPrompt, Texts::NickTitle);
        if (m_closed)
            return; // the run ended while the prompt was open
        Nick = asOneLine(answer);
        if (!Nick.isEmpty())
            return;
        showNoNickError(m_dialogs);
        if (m_closed)
            return;
    }
}

void Form1::command2Click()
{
    if (Nick.isEmpty()) {
        showNoNickError(m_dialogs);
        return;
    }
    if (Command2->text() == Texts::Restart) {
        Text1->setText(QStringLiteral("0"));
        Text2->setText(QStringLiteral("0"));
        Label2->setText(Texts::ClockAtZero);
        HScroll1->hide();
        Label19->hide();
        PClick->hide();
        setTargetsVisible(false);
        setTargetsEnabled(true);
        Label1->hide();
        Label3->hide();
        Seconds = 0;
        setAllTimersEnabled(true);
        Command2->setText(Texts::Pause);
    } else if (Command2->text() == Texts::Start) {
        HScroll1->hide();
        Label19->hide();
        PClick->hide();
        Command2->setText(Texts::Pause);
        setAllTimersEnabled(true);
    } else if (Command2->text() == Texts::Pause) {
        Command2->setText(Texts::Resume);
        setAllTimersEnabled(false);
        setTargetsEnabled(false);
    } else if (Command2->text() == Texts::Resume) {
        Command2->setText(Texts::Pause);
        setAllTimersEnabled(true);
        setTargetsEnabled(true);
    }
}

void Form1::command3Click()
{
    if (m_dialogs.messageBox(Texts::ExitQuestion, Texts::ExitTitle, Dialogs::Buttons::OkCancel)
            == Dialogs::OkResult
        && !m_closed)
        close();
}
