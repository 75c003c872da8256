#pragma once

#include "core/account_state.h"
#include "data/database.h"
#include "tests/support/login_fixture.h"
#include "voice/voice_screen.h"

#include <QApplication>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace parlumo::test {

// The voice screen of a whole program against a simulator, logged in as the demo account.
class VoiceScreenTest : public ProgramWithSimulatorTest {
protected:
    TForm12& form() { return *screens().Form12; }

    void logIn(const QString& money = QStringLiteral("100"), const QString& vdj = QStringLiteral("0.2")) {
        services().account->change([&](AccountFields& a) {
            a.uid = QStringLiteral("demo");
            a.pwd = QStringLiteral("demo2026");
            a.money = money;
            a.vdj = vdj;
        });
    }
    QString money() { return services().account->get().money; }

    // Shows the screen as the active window, so focus moves as the user would see it.
    void showActive() {
        form().show();
        QApplication::setActiveWindow(&form());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    }

    // Clicks a button that is disabled while its exchange runs, and waits until it is enabled.
    bool clickAndWait(const char* buttonName) {
        auto* button = child<QPushButton>(form(), buttonName);
        button->click();
        return QTest::qWaitFor([button] { return button->isEnabled(); }, 30000);
    }

    QStringList shown() const {
        QStringList lines;
        for (const MessageRequest& m : messages->shown)
            lines << describe(m);
        return lines;
    }

    // The rows of `vlist`, one list of texts per row, oldest first.
    QList<QStringList> vlistRows() {
        QSqlQuery rows = services().database->execute(
            SqlText(QStringLiteral("select uid,snum,mode,fcount,vno,tmoney,vtxt,vfile,tag from vlist order by vid")));
        QList<QStringList> result;
        while (rows.next()) {
            QStringList row;
            for (int i = 0; i < 9; ++i)
                row << rows.value(i).toString();
            result << row;
        }
        return result;
    }
};

} // namespace parlumo::test
