#include "platform/qtdialogs.h"

#include "platform/nametext.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {

// About the game window's width: a box is never wider than the game it belongs to.
constexpr int MaxTextWidth = 440;

QString okText()
{
    return QStringLiteral("ОК");
}

QString cancelText()
{
    return QStringLiteral("Отмена");
}

// A box without an icon still keeps the icon's column, so its text would start three times
// further from the left edge than the buttons end from the right one: give the text the whole
// width instead.
void dropIconColumn(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!grid || !label)
        return;
    grid->addWidget(label, 0, 0, 1, grid->columnCount()); // moves it out of its old cell
}

// A notice names files and folders in «»: a line may break between the words around them, never
// inside one (a path would wrap at its slashes). One too long for a line is shortened in its
// middle. Returns whether anything was shortened.
bool keepQuotedWhole(QString &text, const QFontMetrics &metrics)
{
    static const QRegularExpression quoted(QStringLiteral("«([^«»]*)»"));
    const int room = MaxTextWidth - metrics.horizontalAdvance(QStringLiteral("«»"));
    bool shortened = false;
    QString result;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &match : quoted.globalMatch(text)) {
        QString inner = match.captured(1);
        if (metrics.horizontalAdvance(inner) > room) {
            inner = metrics.elidedText(inner, Qt::ElideMiddle, room);
            shortened = true;
        }
        QString joined;
        for (const QChar c : inner) {
            if (!joined.isEmpty())
                joined += QChar(0x2060); // word joiner: no line break here
            joined += c == u' ' ? QChar(0x00A0) : c;
        }
        result += text.mid(done, match.capturedStart(1) - done) + joined;
        done = match.capturedEnd(1);
    }
    text = result + text.mid(done);
    return shortened;
}

} // namespace

int QtDialogs::messageBox(const QString &text, const QString &title, Buttons buttons,
                          NameText::Span name)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setIcon(QMessageBox::NoIcon);
    // The texts carry the player's nickname: never let it be read as markup.
    box.setTextFormat(Qt::PlainText);
    // However long a name, the box stays readable: the name is shortened on screen (the rest
    // of a line stays whole) and the full text is in the tooltip.
    NameText::Fitted fitted = NameText::fitted(text, name, box.fontMetrics(), MaxTextWidth);
    const bool pathShortened = keepQuotedWhole(fitted.shown, box.fontMetrics());
    box.setText(fitted.shown);
    if (fitted.shortened || pathShortened)
        box.setToolTip(NameText::plainToolTip(text));
    QPushButton *ok = box.addButton(okText(), QMessageBox::AcceptRole);
    QPushButton *cancel = nullptr;
    if (buttons == Buttons::OkCancel)
        cancel = box.addButton(cancelText(), QMessageBox::RejectRole);
    box.setEscapeButton(cancel ? cancel : ok);
    dropIconColumn(box);
    box.exec();
    return box.clickedButton() == ok ? OkResult : CancelResult;
}

QString QtDialogs::inputBox(const QString &prompt, const QString &title)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
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
