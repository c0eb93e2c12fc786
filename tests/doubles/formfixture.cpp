#include "formfixture.h"

#include "platform/targetpicture.h"
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

void FormFixture::playRound(const QString &nick)
{
    enterNick(nick);
    click(form->Command2);
    for (int hit = 0; hit < 3; ++hit) {
        random.draws = {0.15f, 0.15f}; // both appearance ticks show Image1
        wait(1000);
        random.draws = {0.5f, 0.5f}; // and the hit puts it back where it was
        click(form->Image[0]);
    }
    random.draws = {0.05f, 0.15f, 0.25f, 0.35f, 0.45f, 0.55f, 0.65f, 0.75f, 0.85f, 0.95f};
    wait(10000);
}

void FormFixture::close()
{
    if (form)
        form->close();
}
