#include "platform/qtdialogs.h"

#include "platform/namelabel.h"

#include <QAbstractButton>
#include <QIcon>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// About the game window's width: a box is never wider than the game it belongs to.
constexpr int MaxTextWidth = 440;

} // namespace

QString QtDialogs::okText()
{
    return QStringLiteral("ОК");
}

QString QtDialogs::cancelText()
{
    return QStringLiteral("Отмена");
}

int QtDialogs::messageBox(const QString &text, const QString &title, Buttons buttons, NameSpan name)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setIcon(QMessageBox::NoIcon);
    // The texts carry the player's nickname: never let it be read as markup.
    box.setTextFormat(Qt::PlainText);
    // However long a name, the box stays readable: the name is shortened on screen (the rest
    // of a line stays whole) and the full text is in the tooltip.
    const QString shown =
        NameLabel::fitted(text, name.from, name.length, box.fontMetrics(), MaxTextWidth);
    box.setText(shown);
    if (shown != text)
        box.setToolTip(text);
    QPushButton *ok = box.addButton(okText(), QMessageBox::AcceptRole);
    QPushButton *cancel = nullptr;
    if (buttons == Buttons::OkCancel)
        cancel = box.addButton(cancelText(), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel ? cancel : ok);
    box.exec();
    return box.clickedButton() == ok ? OkResult : CancelResult;
}

QString QtDialogs::inputBox(const QString &prompt, const QString &title)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(okText());
    dialog.setCancelButtonText(cancelText());
    // Styles such as KDE's and GNOME's put stock icons on standard buttons; the game's buttons
    // are plain words, as in its message boxes.
    for (QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
        button->setIcon(QIcon());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}
