#include "app/wiring.h"

#include "account/maintenance_screen.h"
#include "account/registration_dialog.h"
#include "app/screens.h"
#include "contacts/address_book_screen.h"
#include "contacts/import_dialog.h"
#include "core/account_state.h"
#include "fax/fax_progress_dialog.h"
#include "fax/fax_screen.h"
#include "login/login_screen.h"
#include "main_window/application_tray.h"
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

namespace {

void wireMainWindow(const Screens& s) {
    TForm2* main = s.Form2;
    main->setButtonScreen(QStringLiteral("Image30"), s.Form3);
    main->setButtonScreen(QStringLiteral("Image5"), s.Form14);
    main->setButtonScreen(QStringLiteral("Image29"), s.f_fax);
    main->setButtonScreen(QStringLiteral("Image59"), s.Form12);
    main->setButtonScreen(QStringLiteral("Image28"), s.Form4);
    main->setButtonScreen(QStringLiteral("Image27"), s.Form8);
    main->setButtonScreen(QStringLiteral("Image26"), s.Form5);
    main->setButtonScreen(QStringLiteral("Image25"), s.Form6);
    main->setButtonScreen(QStringLiteral("Image24"), s.Form7);
    // Leaving the program saves the message text of the send-SMS screen.
    TForm3* compose = s.Form3;
    main->setMessageTextSource([compose] { return compose->messageText(); });
    main->setSendingSource([compose] { return compose->sending(); });
    QObject::connect(main, &TForm2::closed, s.Form1, &QWidget::close);
    // The fax button always opens the fax screen on its new task.
    Tf_fax* fax = s.f_fax;
    QObject::connect(main, &TForm2::navigationClicked, fax, [fax](QWidget* screen) {
        if (screen == fax)
            fax->showFirstPage();
    });
}

// The voice and fax records open their task's progress dialog.
void wireProgress(const Screens& s) {
    QObject::connect(s.Form12, &TForm12::progressRequested, s.Form13, &TForm13::openFor);
    QObject::connect(s.f_fax, &Tf_fax::progressRequested, s.FAX_log, &TFAX_log::openFor);
}

void wireTray(const Screens& s, Services& services) {
    auto* tray = new ApplicationTray(services, s.Form1, s.Form2);
    QObject::connect(s.Form1, &TForm1::bannerRead, tray, &ApplicationTray::setBanner);
    QObject::connect(s.Form1, &TForm1::loggedIn, tray, &ApplicationTray::setLoggedIn);
    QObject::connect(s.Form1, &TForm1::closed, tray, &ApplicationTray::hideIcon);
    QObject::connect(s.Form2, &TForm2::minimiseRequested, tray, &ApplicationTray::toggleApplication);
    QObject::connect(s.Form2, &TForm2::minimised, tray, &ApplicationTray::minimiseApplication);
}

void wireLogin(const Screens& s) {
    TForm1* login = s.Form1;
    QObject::connect(login, &TForm1::bannerRead, s.Form2, &TForm2::setBanner);
    QObject::connect(login, &TForm1::scheduleRightRead, s.Form3, &TForm3::setScheduleVisible);
    QObject::connect(login, &TForm1::lastTextRestored, s.Form3, &TForm3::setMessageText);
    QObject::connect(login, &TForm1::accountChanged, s.Form3, &TForm3::showAccount);
    // After a login the main window shows, then the message text is counted at the account's rate.
    QObject::connect(login, &TForm1::loggedIn, s.Form2, &TForm2::showAfterLogin);
    QObject::connect(login, &TForm1::loggedIn, s.Form3, &TForm3::txtChange);
    QObject::connect(login, &TForm1::registrationRequested, s.Form11, &TForm11::openFor);
    QObject::connect(s.Form11, &TForm11::registered, login, &TForm1::fillCredentials);
}

// A screen's request brings another screen to the front of the main window.
template <typename Sender, typename Request>
void bringToFront(Sender* sender, Request request, TForm2* main, QWidget* screen) {
    QObject::connect(sender, request, main, [main, screen] { main->showScreen(screen); });
}

void wireCompose(const Screens& s) {
    TForm3* compose = s.Form3;
    TForm2* main = s.Form2;
    bringToFront(compose, &TForm3::addressBookRequested, main, s.Form4);
    bringToFront(compose, &TForm3::phrasesRequested, main, s.Form5);
    QObject::connect(compose, &TForm3::spreadsheetImportRequested, s.Form9, &TForm9::openFor);
    QObject::connect(compose, &TForm3::balanceRefreshRequested, s.Form1, &TForm1::Reshmoney);
}

// The voice screen brings the address book or the phrase library to the front, and shows the
// balance its accepted tasks lowered in the account panel.
void wireVoice(const Screens& s) {
    TForm12* voice = s.Form12;
    TForm2* main = s.Form2;
    bringToFront(voice, &TForm12::addressBookRequested, main, s.Form4);
    bringToFront(voice, &TForm12::phrasesRequested, main, s.Form5);
    QObject::connect(voice, &TForm12::accountChanged, s.Form3, &TForm3::showAccount);
}

// "插入短语" of the MMS screen shows the phrase library; its sends lower the balance shown on the
// send-SMS screen.
void wireMms(const Screens& s) {
    bringToFront(s.Form14, &TForm14::phrasesRequested, s.Form2, s.Form5);
    QObject::connect(s.Form14, &TForm14::accountChanged, s.Form3, &TForm3::showAccount);
}

// The sent log, the replies and the address book hand numbers to the send-SMS and MMS screens and bring them
// to the front.
void wireRecords(const Screens& s) {
    TForm2* main = s.Form2;
    TForm3* compose = s.Form3;
    TForm14* mms = s.Form14;
    const auto showCompose = [main, compose] { main->showScreen(compose); };
    QObject::connect(s.Form8, &TForm8::smsRequested, compose, &TForm3::appendNumbers);
    QObject::connect(s.Form8, &TForm8::smsRequested, main, showCompose);
    QObject::connect(s.Form8, &TForm8::mmsRequested, mms, &TForm14::appendNumbers);
    QObject::connect(s.Form8, &TForm8::mmsRequested, main, [main, mms] { main->showScreen(mms); });
    QObject::connect(s.Form6, &TForm6::smsRequested, compose, &TForm3::appendNumbers);
    QObject::connect(s.Form6, &TForm6::smsRequested, main, showCompose);
    QObject::connect(s.Form4, &TForm4::smsRequested, compose, &TForm3::appendNumbers);
    QObject::connect(s.Form4, &TForm4::smsRequested, main, showCompose);
    QObject::connect(s.Form4, &TForm4::mmsRequested, mms, &TForm14::appendNumbers);
    QObject::connect(s.Form4, &TForm4::mmsRequested, main, [main, mms] { main->showScreen(mms); });
}

// The spreadsheet import opens for each screen's mode word and hands its rows back to that screen.
void wireSpreadsheetImport(const Screens& s) {
    TForm9* import = s.Form9;
    QObject::connect(s.Form4, &TForm4::spreadsheetImportRequested, import, &TForm9::openFor);
    QObject::connect(s.Form12, &TForm12::spreadsheetImportRequested, import, &TForm9::openFor);
    QObject::connect(import, &TForm9::smsNumbersImported, s.Form3, &TForm3::appendNumbers);
    QObject::connect(import, &TForm9::voiceNumbersImported, s.Form12, &TForm12::appendNumbers);
    // Direct: the import waits for the address book to store the rows before it reports.
    QObject::connect(
        import, &TForm9::contactsImported, s.Form4, &TForm4::appendContacts, Qt::DirectConnection);
}

// The phrase library puts a phrase into the text of the SMS, MMS or voice screen and shows that
// screen; its "新增" opens the phrase dialog, whose stored phrases refresh the list.
void wirePhrases(const Screens& s) {
    TForm5* phrases = s.Form5;
    TForm2* main = s.Form2;
    TForm3* compose = s.Form3;
    TForm14* mms = s.Form14;
    TForm12* voice = s.Form12;
    QObject::connect(phrases, &TForm5::phraseForSms, main, [main, compose](const QString& text) {
        compose->setMessageText(text);
        main->showScreen(compose);
    });
    QObject::connect(phrases, &TForm5::phraseForMms, main, [main, mms](const QString& text) {
        mms->setMessageText(text);
        main->showScreen(mms);
    });
    QObject::connect(phrases, &TForm5::phraseForVoice, main, [main, voice](const QString& text) {
        voice->setSpokenText(text);
        main->showScreen(voice);
    });
    QObject::connect(phrases, &TForm5::phraseEditRequested, s.Form10, &TForm10::openFor);
    QObject::connect(s.Form10, &TForm10::phraseAdded, phrases, &TForm5::refreshList);
}

// The fax screen's lowered balance shows in the account panel of the send-SMS screen.
void wireFax(const Screens& s) {
    QObject::connect(s.f_fax, &Tf_fax::accountChanged, s.Form3, &TForm3::showAccount);
}

} // namespace

void wireScreens(const Screens& screens, Services& services) {
    wireMainWindow(screens);
    wireTray(screens, services);
    wireLogin(screens);
    wireCompose(screens);
    wireVoice(screens);
    wireMms(screens);
    wireRecords(screens);
    wireSpreadsheetImport(screens);
    wirePhrases(screens);
    wireFax(screens);
    wireProgress(screens);
}

} // namespace parlumo
