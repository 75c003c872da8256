#include "app/startup_timing.h"

#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace parlumo {
namespace {

// A screen wholly covered by a child that paints its own background, as the login screen's
// picture covers it; shown with the timing hook, then given three seconds.
int showCoveredScreen() {
    QWidget screen;
    auto* layout = new QVBoxLayout(&screen);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* cover = new QLabel(QStringLiteral("登录"), &screen);
    cover->setAutoFillBackground(true);
    layout->addWidget(cover);
    reportFirstPaintIfAsked(&screen);
    QTimer unreported;
    unreported.setSingleShot(true);
    QObject::connect(&unreported, &QTimer::timeout, [] { QApplication::exit(7); });
    unreported.start(3000);
    screen.show();
    return QApplication::exec();
}

TEST(StartupTiming, TheScreensFirstPaintReportsAndEndsTheProgramOnlyWhenAsked) {
    qunsetenv("PARLUMO_STARTUP_TIMING");
    testing::internal::CaptureStdout();
    EXPECT_EQ(showCoveredScreen(), 7);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    qputenv("PARLUMO_STARTUP_TIMING", "1");
    testing::internal::CaptureStdout();
    EXPECT_EQ(showCoveredScreen(), 0);
    const QString printed = QString::fromStdString(testing::internal::GetCapturedStdout());
    qunsetenv("PARLUMO_STARTUP_TIMING");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^shown \\d+\\.\\d\\n$")).match(printed).hasMatch())
        << printed.toStdString();
}

} // namespace
} // namespace parlumo
