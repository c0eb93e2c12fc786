#pragma once

#include <QLabel>

// A one-line label whose text holds a player's name. When the text is too wide, only the drawing
// shortens the name in its middle with "…", so that what stands around it (a number, a "%", a
// level tag) always stays visible; text() stays whole, and the tooltip then shows it all. The
// drawing also keeps the name's writing direction to itself: a right-to-left override in a name
// cannot reverse the words around it. It draws no frame and takes no margin or indent: the text
// fills the label.
class NameLabel : public QLabel
{
    Q_OBJECT

public:
    explicit NameLabel(QWidget *parent = nullptr);

    // Sets the text; the name is `nameLength` characters from `nameFrom` on.
    void setTextWithName(const QString &text, qsizetype nameFrom, qsizetype nameLength);

    // The text as drawn: the text itself when it holds no name.
    QString shownText() const { return m_shown; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void refit();

    qsizetype m_nameFrom = 0;
    qsizetype m_nameLength = 0;
    QString m_shown;
};
