#pragma once

#include "core/account_state.h"
#include "core/settings.h"
#include "login/login_screen.h"
#include "tests/support/sim_fixture.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QStringList>

namespace parlumo::test {

inline constexpr const char* kLoginPath = "/webservice/public/softlogin.asp";
inline constexpr const char* kSoapPath = "/Service.asmx";

// A message box as one line, "caption | text | icon", so a list of them reads well in a failure.
inline QString describe(const MessageRequest& m) {
    return m.caption + QStringLiteral(" | ") + m.text + QStringLiteral(" | ") + messageIconName(m.icon);
}
// Every message box shown, one line each.
inline QStringList describeAll(const QList<MessageRequest>& shown) {
    QStringList lines;
    for (const MessageRequest& m : shown)
        lines << describe(m);
    return lines;
}
inline QString informed(const QString& caption, const QString& text) {
    return describe(MessageRequest{caption, text, MessageIcon::Information});
}
// The plain message box: the application title as caption, no icon.
inline QString plain(const QString& text) {
    return describe(MessageRequest{kApplicationTitle, text});
}

inline sim::ScriptedReply body(std::string text) {
    sim::ScriptedReply reply;
    reply.body = std::move(text);
    return reply;
}
inline sim::ScriptedReply dropped() {
    sim::ScriptedReply reply;
    reply.drop = true;
    return reply;
}
inline sim::ScriptedReply soapResult(std::string text) {
    sim::ScriptedReply reply;
    reply.soapResult = std::move(text);
    return reply;
}

// The account state as one list, in the order uid, pwd, money, dj, MaxSmsChars, vdj, fdj,
// service_url, cdj, CanSchedule.
inline QStringList stateOf(const AccountFields& a) {
    return {a.uid,
            a.pwd,
            a.money,
            a.dj,
            a.MaxSmsChars,
            a.vdj,
            a.fdj,
            a.service_url,
            a.cdj,
            a.CanSchedule ? QStringLiteral("true") : QStringLiteral("false")};
}

// A program against a simulator, with the login screen at hand.
class LoginTest : public ProgramWithSimulatorTest {
protected:
    TForm1& login() { return *screens().Form1; }

    // Writes a setting; before program() it is what the program starts with.
    void writeSetting(const QString& section, const QString& key, const QString& value) const {
        Settings(file(QStringLiteral("ovarn.ini"))).WriteSetting(section, key, value);
    }
    QString readSetting(const QString& section, const QString& key) const {
        return Settings(file(QStringLiteral("ovarn.ini")))
            .ReadSetting(section, key, QStringLiteral("<absent>"));
    }

    // Shows the login screen as the program's start does, with a background picture in place.
    void showLogin() {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::white);
        ASSERT_TRUE(picture.save(file(QStringLiteral("loginbg.bmp")), "BMP"));
        login().show();
    }

    QStringList state() { return stateOf(services().account->get()); }
    // The state before any login, with the SOAP endpoint of the simulator.
    QStringList initialState() const {
        AccountFields initial;
        initial.service_url = soapUrl();
        return stateOf(initial);
    }
    QString soapUrl() const { return QString::fromStdString(sim.soapUrl()); }

    void enter(const QString& u, const QString& p) {
        child<QLineEdit>(login(), "uid")->setText(u);
        child<QLineEdit>(login(), "pwd")->setText(p);
    }

    // The HTTP login of the simulator's demo account.
    void logInAsDemo() {
        enter(QString::fromLatin1(sim::kDemoAccountId), QString::fromLatin1(sim::kDemoAccountPassword));
        login().LbSpeedButton2Click();
    }

    QStringList shown() const { return describeAll(messages->shown); }
};

} // namespace parlumo::test
