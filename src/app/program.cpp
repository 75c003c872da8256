#include "app/program.h"

#include "account/maintenance_screen.h"
#include "account/registration_dialog.h"
#include "app/wiring.h"
#include "contacts/address_book_screen.h"
#include "contacts/import_dialog.h"
#include "core/program_file.h"
#include "core/service_config.h"
#include "fax/fax_progress_dialog.h"
#include "fax/fax_screen.h"
#include "login/login_screen.h"
#include "main_window/main_window.h"
#include "mms/mms_screen.h"
#include "sms/compose_screen.h"
#include "sms/phrase_edit_dialog.h"
#include "sms/phrase_screen.h"
#include "sms/replies_screen.h"
#include "sms/sent_log_screen.h"
#include "voice/voice_progress_dialog.h"
#include "voice/voice_screen.h"

namespace parlumo {

Seams productionSeams() {
    Seams seams;
    const QString log = qEnvironmentVariable("PARLUMO_MESSAGE_LOG");
    if (log.isEmpty())
        seams.messages = std::make_unique<DialogMessageBoxes>();
    else
        seams.messages =
            std::make_unique<LoggingMessageBoxes>(log, qEnvironmentVariable("PARLUMO_MESSAGE_ANSWERS"));
    seams.fileDialogs = std::make_unique<QtFileDialogs>();
    seams.shell = std::make_unique<DesktopShell>();
    return seams;
}

Program::Program(const QString& programFolder, Seams seams)
    : seams_(std::move(seams)), settings_(programFile(programFolder, QStringLiteral("ovarn.ini"))),
      database_(programFile(programFolder, QStringLiteral("db.db"))) {
    const ServiceAddresses addresses = readServiceAddresses(settings_);
    account_ = std::make_unique<AccountState>(addresses.soap);
    Services& services = services_;
    services.programFolder = programFolder;
    services.settings = &settings_;
    services.database = &database_;
    services.account = account_.get();
    services.addresses = addresses;
    services.messages = seams_.messages.get();
    services.fileDialogs = seams_.fileDialogs.get();
    services.shell = seams_.shell.get();
    screens_.Form1 = create<TForm1>();
    screens_.Form2 = create<TForm2>();
    screens_.Form3 = create<TForm3>();
    screens_.Form5 = create<TForm5>();
    screens_.Form6 = create<TForm6>();
    screens_.Form7 = create<TForm7>();
    screens_.Form4 = create<TForm4>();
    screens_.Form8 = create<TForm8>();
    screens_.Form9 = create<TForm9>();
    screens_.Form10 = create<TForm10>();
    screens_.Form11 = create<TForm11>();
    screens_.f_fax = create<Tf_fax>();
    screens_.FAX_log = create<TFAX_log>();
    screens_.Form12 = create<TForm12>();
    screens_.Form13 = create<TForm13>();
    screens_.Form14 = create<TForm14>();
    wireScreens(screens_, services_);
}

template <typename T> T* Program::create() {
    auto* screen = new T(services_);
    created_.append(screen);
    return screen;
}

void Program::stopWorkers() {
    screens_.Form1->stopUpdateCheck();
    screens_.Form3->stopWorkers();
    screens_.Form6->stopWorkers();
    screens_.Form5->stopWorkers();
    screens_.Form4->stopWorkers();
    screens_.FAX_log->stopWorkers();
    screens_.Form13->stopWorkers();
    screens_.Form14->stopWorkers();
}

// Workers stop first; then the screens go in the reverse order of their creation, so the
// feature screens that the main window hosts are gone before it.
Program::~Program() {
    stopWorkers();
    while (!created_.isEmpty())
        delete created_.takeLast();
}

} // namespace parlumo
