#pragma once

#include "doubles/fakeclock.h"
#include "doubles/fakedialogs.h"
#include "doubles/fakefiles.h"
#include "doubles/fakerandom.h"
#include "game/numberformat.h"
#include "platform/qtscheduler.h"
#include "window/form1.h"

#include <memory>

// A window wired to test doubles. Files default to an in-memory directory; pass another
// Files (a DiskFiles over a temporary directory, say) to test what reaches the disk.
struct FormFixture {
    explicit FormFixture(Files *files = nullptr);
    ~FormFixture();

    // Creates the window and runs its load handler, as the program does before showing it.
    Form1 &load();
    // Closes the window the way the window manager does (runs the closing handler).
    void close();

    FakeDialogs dialogs;
    FakeFiles memoryFiles;
    Files &files;
    FakeClock clock;
    FakeRandom random;
    NumberFormat numbers{QLocale::c()};
    QtScheduler scheduler;
    std::unique_ptr<Form1> form;
};
