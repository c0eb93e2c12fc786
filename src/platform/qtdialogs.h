#pragma once

#include "platform/dialogs.h"

#include <QPointer>
#include <QWidget>

// The real dialogs: QMessageBox and QInputDialog with the game's Russian buttons.
class QtDialogs : public Dialogs
{
public:
    // Dialogs open over `parent` (which may be set later, once the window exists).
    explicit QtDialogs(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    void setParent(QWidget *parent) { m_parent = parent; }

    int messageBox(const QString &text, const QString &title, Buttons buttons,
                   NameText::Span name = {}) override;
    QString inputBox(const QString &prompt, const QString &title) override;

private:
    QPointer<QWidget> m_parent;
};
