#include "cli/send_arguments.h"
#include "cli/send_command.h"
#include "core/translations.h"
#include "service/http.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[]) {
    using namespace parlumo;
    HttpLibrary http;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("parlumo-send"));
    installChineseTranslations(app);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const auto parsed = parseSendArguments(QCoreApplication::arguments());
    if (const auto* help = std::get_if<SendHelp>(&parsed)) {
        out << help->text;
        return 0;
    }
    if (const auto* wrong = std::get_if<SendUsageError>(&parsed)) {
        err << wrong->problem << '\n' << wrong->usage;
        return static_cast<int>(SendExit::BadArguments);
    }
    QFile standardInput;
    if (!standardInput.open(stdin, QIODevice::ReadOnly))
        return static_cast<int>(SendExit::Failed);
    return static_cast<int>(runSend(std::get<SendArguments>(parsed), out, err, standardInput));
}
