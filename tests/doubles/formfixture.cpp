#include "formfixture.h"

#include <QPushButton>
#include <QTest>
#include <QWindow>

FormFixture::FormFixture(Files *files, RandomGenerator *draws, const QLocale &locale)
    : files(files ? *files : memoryFiles)
    , draws(draws ? *draws : random)
    , numbers(locale)
{
}

FormFixture::~FormFixture() = default;

Form1 &FormFixture::load()
{
    form =
        std::make_unique<Form1>(Form1::Services{dialogs, files, clock, draws, numbers, scheduler});
    form->formLoad();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        QTest::qFail("the window was never shown", __FILE__, __LINE__);
    return *form;
}

void FormFixture::click(const QWidget *control)
{
    clickAt(control->mapTo(form.get(), control->rect().center()));
}

void FormFixture::clickAt(QPoint at)
{
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at);
}

void FormFixture::enterNick(const QString &nick)
{
    dialogs.promptAnswers.append(nick);
    click(form->Command1);
}

void FormFixture::close()
{
    if (form)
        form->close();
}
