#include "app/login_screen.h"

#include "app/screens.h"
#include "data/database.h"
#include "data/database_startup.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm1::TForm1(Screens& screens, QWidget* parent) : QWidget(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm1"), QStringLiteral("Parlumo"));
    // Created first of all screens, so the database is ready before any other screen uses it.
    prepareDatabaseFiles(screens_.services.programFolder);
    // Without a database or a spare copy the program starts on a fresh, empty database.
    try {
        screens_.services.database->createIfMissing();
    } catch (const DatabaseError& error) {
        qWarning("%s", qPrintable(error.reason()));
    }
}

} // namespace parlumo
