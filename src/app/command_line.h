#pragma once

#include <QString>

namespace parlumo {

// The identity the desktop knows the program by: the window class, the desktop entry and the
// icon are all named after it.
inline const QString kApplicationName = QStringLiteral("Parlumo");
inline const QString kDesktopFileName = QStringLiteral("net.parlumo.Parlumo");

struct CommandLine {
    QString home; // --home DIR: the program folder, as $PARLUMO_HOME gives it
};

// True when the arguments ask only for --help or --version: these are answered without a
// window system, before the application object of the windows is made.
bool asksForInformationOnly(int argc, char* argv[]);

// Names the application, reads the options of the running application object and answers
// --help, --version and mistakes (printing, then ending the process, as QCommandLineParser does).
CommandLine readCommandLine();

} // namespace parlumo
