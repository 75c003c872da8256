#pragma once

#include "core/account_state.h"
#include "fax/fax_screen.h"
#include "tests/support/login_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>

namespace parlumo::test {

// The fax screen of a program against a simulator, with the account logged in by hand.
class FaxScreenTest : public test::ProgramWithSimulatorTest {
protected:
    Tf_fax& fax() { return *screens().f_fax; }
    template <typename T> T* control(const char* name) { return child<T>(fax(), name); }

    void logIn(const QString& fdj = QStringLiteral("0.3")) {
        services().account->change([&](AccountFields& a) {
            a.uid = QStringLiteral("demo");
            a.pwd = QStringLiteral("demo2026");
            a.fdj = fdj;
        });
    }
    void showScreen() {
        fax().resize(900, 620);
        fax().show();
        QApplication::setActiveWindow(&fax());
    }
    void selectNode(const QString& caption) {
        auto* tree = control<QTreeWidget>("tv1");
        const QList<QTreeWidgetItem*> found = tree->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << caption.toStdString();
        tree->setCurrentItem(found.first());
    }
    QString currentPage() { return control<QStackedWidget>("ppc")->currentWidget()->objectName(); }
    QString numbers() { return control<QPlainTextEdit>("faxno")->toPlainText(); }
    void type(const char* name, const QString& keys) {
        auto* box = control<QWidget>(name);
        box->setFocus();
        QTest::keyClicks(box, keys);
    }
    QStringList shown() const { return describeAll(messages->shown); }
};

} // namespace parlumo::test
