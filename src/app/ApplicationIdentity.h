#pragma once

class QApplication;

// Answers --help and --version, before any window system is needed, and ends
// the process for them as command-line programs do. Every other argument is
// left to Qt (such as -platform), as before.
void processCommandLine(int& argc, char** argv);

// Names the program to the desktop: its name and version, its desktop entry
// and the icon of every window that has none of its own.
void setApplicationIdentity(QApplication& app);
