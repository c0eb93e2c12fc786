#include "formfixture.h"

FormFixture::FormFixture(Files *files)
    : files(files ? *files : memoryFiles)
{
}

FormFixture::~FormFixture() = default;

Form1 &FormFixture::load()
{
    form =
        std::make_unique<Form1>(Form1::Services{dialogs, files, clock, random, numbers, scheduler});
    form->formLoad();
    return *form;
}

void FormFixture::close()
{
    if (form)
        form->close();
}
