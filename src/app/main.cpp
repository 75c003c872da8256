#include "app/command_line.h"
#include "app/program.h"
#include "app/program_folder.h"
#include "app/single_instance.h"
#include "app/startup_timing.h"
#include "core/translations.h"
#include "login/login_screen.h"
#include "service/http.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    using namespace parlumo;
    if (asksForInformationOnly(argc, argv)) {
        QCoreApplication information(argc, argv);
        readCommandLine();
        return 0;
    }
    HttpLibrary http;
    QApplication app(argc, argv);
    const CommandLine commandLine = readCommandLine();
    // The program ends when the login screen closes, not when the last visible window does:
    // the main window may be hidden in the tray while a message box comes and goes.
    QApplication::setQuitOnLastWindowClosed(false);
    Seams seams = productionSeams();

    SingleInstance instance;
    if (!instance.acquired()) {
        seams.messages->show(nullptr,
                             MessageRequest{QStringLiteral("温馨提示"),
                                            QStringLiteral("软件正在运行！"),
                                            MessageIcon::None,
                                            {MessageButton::Ok}});
        return 0;
    }
    installChineseTranslations(app);

    const QString folder = resolveProgramFolder(commandLine.home);
    if (const QString shared = sharedFilesFolder(); !shared.isEmpty())
        for (const QString& missing : seedProgramFolder(shared, folder))
            qWarning("parlumo: could not copy %s into the program folder", qPrintable(missing));
    Program program(folder, std::move(seams));
    reportFirstPaintIfAsked(program.screens().Form1);
    program.screens().Form1->show();
    return QApplication::exec();
}
