#pragma once

#include "app/screens.h"
#include "core/account_state.h"
#include "core/services.h"
#include "core/settings.h"
#include "data/database.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/message_box.h"
#include "toolkit/shell.h"

#include <QList>
#include <memory>

class QWidget;

namespace parlumo {

// The seams a program runs with; tests put recorders in their place.
struct Seams {
    std::unique_ptr<MessageBoxes> messages;
    std::unique_ptr<FileDialogs> fileDialogs;
    std::unique_ptr<Shell> shell;
};

// Qt's dialogs and the desktop shell, or the unattended message log when PARLUMO_MESSAGE_LOG is set.
Seams productionSeams();

// One running program: its services and every screen, created once in the fixed order with the
// login screen first, and wired to each other. Nothing is global, so two programs can live in
// one process.
class Program {
public:
    Program(const QString& programFolder, Seams seams);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Screens& screens() { return screens_; }
    Services& services() { return services_; }
    Seams& seams() { return seams_; }

private:
    template <typename T> T* create();

    void stopWorkers();

    Seams seams_;
    Settings settings_;
    Database database_;
    std::unique_ptr<AccountState> account_;
    Services services_;
    Screens screens_;
    QList<QWidget*> created_;
};

} // namespace parlumo
