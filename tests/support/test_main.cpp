#include "service/http.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test runs with an offscreen application object, so screens can be built and grabbed.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    parlumo::HttpLibrary http;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
