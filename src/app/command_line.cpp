#include "app/command_line.h"

#include "core/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstring>

namespace parlumo {

bool asksForInformationOnly(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version", "-?"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

CommandLine readCommandLine() {
    QCoreApplication::setApplicationName(kApplicationName);
    QCoreApplication::setApplicationVersion(kProgramVersion);
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setDesktopFileName(kDesktopFileName);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Parlumo: the desktop client of the messaging service (SMS, MMS, voice, fax).\n"
        "Without --home the program folder is $PARLUMO_HOME, else the per-user data folder of an\n"
        "installed program, else the executable's folder when it is writable."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption home(QStringLiteral("home"),
                                  QStringLiteral("Keep the program's files (db.db, ovarn.ini, samples) in <dir>."),
                                  QStringLiteral("dir"));
    parser.addOption(home);
    parser.process(*QCoreApplication::instance());
    return {parser.value(home)};
}

} // namespace parlumo
