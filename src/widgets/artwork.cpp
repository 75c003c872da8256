#include "widgets/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace parlumo::artwork {

namespace {

QPixmap canvas(QSize size, qreal dpr) {
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A simple line glyph for each feature, drawn in a 24 x 24 box.
void drawFeatureGlyph(QPainter& p, int index) {
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (index) {
    case 0: // SMS: a speech bubble
        p.drawRoundedRect(QRectF(3, 4, 18, 13), 3, 3);
        p.drawLine(QPointF(8, 17), QPointF(6, 21));
        p.drawLine(QPointF(6, 21), QPointF(12, 17));
        break;
    case 1: // MMS: a picture
        p.drawRoundedRect(QRectF(3, 5, 18, 14), 2, 2);
        p.drawPolyline(
            QPolygonF({QPointF(5, 17), QPointF(10, 11), QPointF(14, 15), QPointF(16, 13), QPointF(19, 17)}));
        p.drawEllipse(QPointF(16, 9), 1.5, 1.5);
        break;
    case 2: // fax: a sheet coming out of a machine
        p.drawRect(QRectF(4, 10, 16, 9));
        p.drawPolyline(QPolygonF({QPointF(7, 10), QPointF(7, 4), QPointF(17, 4), QPointF(17, 10)}));
        p.drawLine(QPointF(8, 14), QPointF(16, 14));
        break;
    case 3: // voice: a handset
        p.drawArc(QRectF(4, 4, 16, 16), 200 * 16, 140 * 16);
        p.drawRoundedRect(QRectF(3, 11, 5, 8), 2, 2);
        p.drawRoundedRect(QRectF(16, 11, 5, 8), 2, 2);
        break;
    case 4: // address book: a person
        p.drawEllipse(QPointF(12, 8), 4, 4);
        p.drawArc(QRectF(4, 13, 16, 14), 0, 180 * 16);
        break;
    case 5: // sent log: a list
        for (int row = 0; row < 3; ++row) {
            p.drawPoint(QPointF(5, 7 + row * 5));
            p.drawLine(QPointF(9, 7 + row * 5), QPointF(20, 7 + row * 5));
        }
        break;
    case 6: // phrases: a pen on a line
        p.drawLine(QPointF(6, 18), QPointF(18, 6));
        p.drawLine(QPointF(4, 20), QPointF(20, 20));
        break;
    case 7: // received replies: an envelope
        p.drawRect(QRectF(3, 6, 18, 13));
        p.drawPolyline(QPolygonF({QPointF(3, 6), QPointF(12, 13), QPointF(21, 6)}));
        break;
    case 8: // maintenance: a gear
        p.drawEllipse(QPointF(12, 12), 4, 4);
        for (int spoke = 0; spoke < 8; ++spoke) {
            p.save();
            p.translate(12, 12);
            p.rotate(spoke * 45);
            p.drawLine(QPointF(0, -6), QPointF(0, -9));
            p.restore();
        }
        break;
    default: // leave: a door with an arrow
        p.drawPolyline(QPolygonF({QPointF(13, 4), QPointF(5, 4), QPointF(5, 20), QPointF(13, 20)}));
        p.drawLine(QPointF(10, 12), QPointF(21, 12));
        p.drawPolyline(QPolygonF({QPointF(17, 8), QPointF(21, 12), QPointF(17, 16)}));
        break;
    }
}

} // namespace

void paintApplicationIcon(QPainter& painter, qreal side) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBrand);
    painter.drawRoundedRect(QRectF(0, 0, side, side), side * 0.22, side * 0.22);
    painter.scale(side / 24.0, side / 24.0);
    drawFeatureGlyph(painter, 0);
    painter.restore();
}

QImage applicationIconImage(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintApplicationIcon(painter, side);
    return image;
}

QIcon applicationIcon() {
    QIcon icon;
    for (int side : kApplicationIconSides)
        icon.addPixmap(QPixmap::fromImage(applicationIconImage(side)));
    return icon;
}

QPixmap loginBackground(QSize size, qreal dpr) {
    QPixmap pixmap = canvas(size, dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, kBrand);
    sky.setColorAt(1, kBrandDark);
    p.fillRect(QRect(QPoint(), size), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 22));
    p.drawEllipse(
        QPointF(size.width() * 0.15, size.height() * 1.05), size.height() * 0.8, size.height() * 0.8);
    p.drawEllipse(
        QPointF(size.width() * 0.95, -size.height() * 0.1), size.height() * 0.5, size.height() * 0.5);
    p.setBrush(QColor(255, 255, 255, 245));
    p.drawRoundedRect(QRectF(size.width() * 0.42, 56, size.width() * 0.54, size.height() - 80), 10, 10);
    p.save();
    p.translate(24, 24);
    p.scale(1.6, 1.6);
    p.setBrush(QColor(255, 255, 255, 40));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, 24, 24), 5, 5);
    drawFeatureGlyph(p, 0);
    p.restore();
    QFont title = p.font();
    title.setPixelSize(26);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(72, 22, size.width(), 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Parlumo"));
    QFont subtitle = p.font();
    subtitle.setPixelSize(15);
    subtitle.setBold(false);
    p.setFont(subtitle);
    p.drawText(QRectF(24, 110, size.width() * 0.36, 90),
               Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("短信 · 彩信 · 语音 · 传真\n一个窗口，全部送达"));
    return pixmap;
}

QPixmap frameGlyph(char glyph, QSize size, qreal dpr, QColor color) {
    QPixmap pixmap = canvas(size, dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap));
    const QRectF box =
        QRectF(QPointF(), size)
            .adjusted(size.width() * 0.3, size.height() * 0.3, -size.width() * 0.3, -size.height() * 0.3);
    switch (glyph) {
    case 'x':
        p.drawLine(box.topLeft(), box.bottomRight());
        p.drawLine(box.topRight(), box.bottomLeft());
        break;
    case '-':
        p.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
        break;
    default:
        p.drawRect(box);
        break;
    }
    return pixmap;
}

QPixmap navigationTile(int index, QSize size, qreal dpr) {
    static const QColor colours[] = {{0x1f, 0x6f, 0xd1},
                                     {0xd9, 0x5b, 0x8a},
                                     {0x5a, 0x6b, 0x7d},
                                     {0x2e, 0x9e, 0x6b},
                                     {0xe0, 0x8a, 0x1e},
                                     {0x4a, 0x5f, 0xc1},
                                     {0x8e, 0x5b, 0xc9},
                                     {0x1a, 0x9c, 0xb0},
                                     {0x6b, 0x75, 0x80},
                                     {0xc9, 0x4a, 0x4a}};
    QPixmap pixmap = canvas(size, dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = colours[qBound(0, index, 9)];
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, base.lighter(118));
    fill.setColorAt(1, base);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    const qreal side = qMin(size.width(), size.height());
    p.drawRoundedRect(
        QRectF((size.width() - side) / 2, (size.height() - side) / 2, side, side), side * 0.22, side * 0.22);
    p.translate((size.width() - side) / 2 + side * 0.2, (size.height() - side) / 2 + side * 0.2);
    p.scale(side * 0.6 / 24.0, side * 0.6 / 24.0);
    drawFeatureGlyph(p, index);
    return pixmap;
}

QPixmap treeNodeImage(int index, QSize size, qreal dpr) {
    QPixmap pixmap = canvas(size, dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / 16.0, size.height() / 16.0);
    const QColor folder(0xf2, 0xb1, 0x3c);
    const QColor folderDark(0xc8, 0x86, 0x1a);
    p.setPen(QPen(index == 0 ? kBrandDark : folderDark, 1.0));
    switch (index) {
    case 0: // the root: a drawer with a tab
        p.setBrush(kBrand);
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(5.5, 7.5, 5, 2), 0.8, 0.8);
        break;
    case 1: { // a closed folder
        QPainterPath shape;
        shape.moveTo(1.5, 3.5);
        shape.lineTo(6, 3.5);
        shape.lineTo(7.5, 5);
        shape.lineTo(14.5, 5);
        shape.lineTo(14.5, 13.5);
        shape.lineTo(1.5, 13.5);
        shape.closeSubpath();
        p.setBrush(folder);
        p.drawPath(shape);
        break;
    }
    default: { // an open folder: the front flap tilted forward
        QPainterPath back;
        back.moveTo(1.5, 3.5);
        back.lineTo(6, 3.5);
        back.lineTo(7.5, 5);
        back.lineTo(13.5, 5);
        back.lineTo(13.5, 7.5);
        back.lineTo(1.5, 13.5);
        back.closeSubpath();
        p.setBrush(folderDark.lighter(130));
        p.drawPath(back);
        QPainterPath front;
        front.moveTo(3.5, 7.5);
        front.lineTo(15.5, 7.5);
        front.lineTo(13, 13.5);
        front.lineTo(1.5, 13.5);
        front.closeSubpath();
        p.setBrush(folder.lighter(110));
        p.drawPath(front);
        break;
    }
    }
    return pixmap;
}

} // namespace parlumo::artwork
