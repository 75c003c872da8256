#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

class QPainter;

namespace parlumo {

// The program's own artwork, painted at the device pixel ratio it is shown at, so it stays
// sharp at normal and high DPI.
namespace artwork {

inline constexpr QColor kBrand{0x1f, 0x6f, 0xd1};
inline constexpr QColor kBrandDark{0x15, 0x4e, 0x96};

// The sides at which the application icon is drawn, for windows, the tray and the icon theme.
inline constexpr int kApplicationIconSides[] = {16, 24, 32, 48, 64, 128, 256};
// The application icon: a rounded tile in the brand colour with a speech bubble, `side` wide,
// painted at the painter's origin (a pixmap, an image or a scalable drawing).
void paintApplicationIcon(QPainter& painter, qreal side);
QImage applicationIconImage(int side);
QIcon applicationIcon();
// The login screen's background when no picture file is found.
QPixmap loginBackground(QSize size, qreal dpr);
// The small glyph buttons of a frame: 'x' close, '-' minimise, 'o' size toggle.
QPixmap frameGlyph(char glyph, QSize size, qreal dpr, QColor color = Qt::white);
// A navigation button's picture: a rounded tile with a glyph for feature `index` (0 to 9;
// 9 is "leave the program").
QPixmap navigationTile(int index, QSize size, qreal dpr);
// The images of a category tree's nodes: 0 the root (a drawer of folders), 1 a closed folder,
// 2 an open folder (a selected group).
QPixmap treeNodeImage(int index, QSize size, qreal dpr);

} // namespace artwork
} // namespace parlumo
