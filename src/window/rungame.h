#pragma once

class QApplication;
class Files;

// Plays the game in `app` until its window closes, with the desktop's own services and the
// score file in `files`; returns the exit status. Signals and the end of the desktop session
// close the window the normal way, so the table of the run is saved.
int runGame(QApplication &app, Files &files);
