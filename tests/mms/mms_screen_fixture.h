#pragma once

#include "core/account_state.h"
#include "mms/mms_screen.h"
#include "tests/support/login_fixture.h"

#include <QPushButton>
#include <QTest>

namespace parlumo::test {

// The MMS screen of a program pointed at a simulator; logIn() puts the demo account in place.
class MmsScreenTest : public LoginTest {
protected:
    TForm14& form() { return *screens().Form14; }
    template <typename T> T* control(const char* name) { return child<T>(form(), name); }

    void logIn(const QString& money = QStringLiteral("10"), const QString& cdj = QStringLiteral("0.3")) {
        services().account->change([&](AccountFields& a) {
            a.uid = QString::fromLatin1(sim::kDemoAccountId);
            a.pwd = QString::fromLatin1(sim::kDemoAccountPassword);
            a.money = money;
            a.cdj = cdj;
        });
    }
    // Waits, bounded, until the send button is enabled again.
    bool waitForSend() {
        return QTest::qWaitFor([this] { return control<QPushButton>("LbSpeedButton3")->isEnabled(); }, 20000);
    }
};

} // namespace parlumo::test
