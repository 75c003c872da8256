#include "bench/record_fixtures.h"
#include "service/http.h"

#include <QApplication>
#include <benchmark/benchmark.h>

// The widgets measured here need an application object; offscreen unless told otherwise.
// "--write-fixtures=<folder>" writes the fixture files and the lists' statements for the
// anchors (bench/anchors.py) instead of measuring.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    parlumo::HttpLibrary http;
    QApplication app(argc, argv);
    const QString fixturesOption = QStringLiteral("--write-fixtures=");
    if (argc == 2 && QString::fromLocal8Bit(argv[1]).startsWith(fixturesOption)) {
        parlumo::bench::writeFixtures(QString::fromLocal8Bit(argv[1]).mid(fixturesOption.size()));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
