#pragma once

#include <QString>
#include <optional>
#include <variant>

// What the command line asks of the game.
struct StartOptions {
    // The folder that keeps "Scores.dat"; nullopt for the current directory at every moment.
    std::optional<QString> scoreFolder;
    // Open only the statistics window, no game.
    bool statistics = false;
};

// Reads the command line without a QCoreApplication, so that it needs no display. Returns the
// options to start the game with, or the status to exit with at once: 0 after --help, --version
// or --scores (answered on standard output), 2 for an unknown option or a stray argument, 1 when
// the per-user data folder cannot be created or --scores cannot read or print the table (both
// told on standard error). --scores reads "Scores.dat" where the game would keep it and makes
// nothing on disk. Call it after QCoreApplication::setApplicationName: the name names the data
// folder.
std::variant<StartOptions, int> readCommandLine(int argc, char *argv[]);
