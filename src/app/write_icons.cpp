// parlumo-icons: writes the application icon into an icon theme folder, drawn by the program's
// own artwork code: <folder>/<N>x<N>/apps/<name>.png for every size, and
// <folder>/scalable/apps/<name>.svg. Used by the build for the installed icon theme.
#include "widgets/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: parlumo-icons <theme folder> <icon name>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    using namespace parlumo::artwork;
    for (int side : kApplicationIconSides) {
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(side);
        if (!QDir().mkpath(apps) || !applicationIconImage(side).save(apps + QLatin1Char('/') + name + ".png")) {
            std::fprintf(stderr, "parlumo-icons: cannot write into %s\n", qPrintable(apps));
            return 1;
        }
    }
    const QString scalable = folder + QStringLiteral("/scalable/apps");
    QDir().mkpath(scalable);
    constexpr int kSvgSide = 256;
    QSvgGenerator svg;
    svg.setFileName(scalable + QLatin1Char('/') + name + ".svg");
    svg.setSize(QSize(kSvgSide, kSvgSide));
    svg.setViewBox(QRect(0, 0, kSvgSide, kSvgSide));
    svg.setTitle(QStringLiteral("Parlumo"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        std::fprintf(stderr, "parlumo-icons: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    paintApplicationIcon(painter, kSvgSide);
    painter.end();
    return 0;
}
