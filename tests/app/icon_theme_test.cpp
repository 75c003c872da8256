#include "widgets/artwork.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace parlumo {
namespace {

const QString kTheme = QStringLiteral(PARLUMO_ICON_THEME);

// Every size of the icon theme is there, square and of its size.
TEST(IconTheme, HoldsThePictureAtEverySize) {
    for (int side : artwork::kApplicationIconSides) {
        const QImage png(QStringLiteral("%1/%2x%2/apps/net.parlumo.Parlumo.png").arg(kTheme).arg(side));
        EXPECT_EQ(png.size(), QSize(side, side)) << side;
    }
}

// The scalable picture is the same drawing: rendered at 64 px it matches the 64 px picture.
TEST(IconTheme, TheScalablePictureIsTheSameDrawing) {
    QSvgRenderer svg(kTheme + QStringLiteral("/scalable/apps/net.parlumo.Parlumo.svg"));
    ASSERT_TRUE(svg.isValid());
    constexpr int kSide = 64;
    QImage rendered(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    rendered.fill(Qt::transparent);
    QPainter painter(&rendered);
    svg.render(&painter);
    painter.end();
    const QImage png = QImage(QStringLiteral("%1/%2x%2/apps/net.parlumo.Parlumo.png").arg(kTheme).arg(kSide))
                           .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int differing = 0;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const QRgb a = rendered.pixel(x, y);
            const QRgb b = png.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) +
                    std::abs(qAlpha(a) - qAlpha(b)) > 96)
                ++differing;
        }
    // Edges are antialiased differently by the two renderers; the drawing itself must agree.
    EXPECT_LT(differing, kSide * kSide / 50);
}

} // namespace
} // namespace parlumo
