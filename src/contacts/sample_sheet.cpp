#include "contacts/sample_sheet.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

namespace parlumo {

namespace {

const QStringList& sampleRows() {
    static const QStringList rows{
        QStringLiteral("手机号码|姓名|其它联系方式|备注"),
        QStringLiteral("13800138001|张三|010-62345678|老客户"),
        QStringLiteral("13912345602|李四||"),
        QStringLiteral("13500135003|王五|021-58881234|"),
        QStringLiteral("15800158004|赵六||供应商"),
        QStringLiteral("18600186005|钱七|0755-26661234|"),
    };
    return rows;
}

const QColor kGridLine(0xc0, 0xc0, 0xc0);
const QColor kHeading(0xec, 0xee, 0xf2);
const QColor kHeaderRow(0xdd, 0xeb, 0xf7);

} // namespace

QPixmap sampleSheetPicture(const QFont& font) {
    const QFontMetrics metrics(font);
    const int rowHeight = metrics.height() + 6;
    const int padding = 6;
    const int numberWidth = metrics.horizontalAdvance(QStringLiteral("00")) + 2 * padding;

    QList<QStringList> cells;
    for (const QString& row : sampleRows())
        cells.append(row.split(QLatin1Char('|')));
    QList<int> widths(cells.first().size(), 0);
    for (const QStringList& row : cells)
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = qMax(widths[c], metrics.horizontalAdvance(row[c]) + 2 * padding);

    int width = numberWidth;
    for (int w : widths)
        width += w;
    const int height = rowHeight * static_cast<int>(cells.size() + 1);
    QPixmap picture(width + 1, height + 1);
    picture.fill(Qt::white);

    QPainter painter(&picture);
    painter.setFont(font);
    // The column letters and the row numbers, shaded like a spreadsheet program's headings.
    painter.fillRect(0, 0, width, rowHeight, kHeading);
    painter.fillRect(0, 0, numberWidth, height, kHeading);
    painter.fillRect(numberWidth, rowHeight, width - numberWidth, rowHeight, kHeaderRow);
    painter.setPen(Qt::darkGray);
    int x = numberWidth;
    for (qsizetype c = 0; c < widths.size(); ++c) {
        painter.drawText(QRect(x, 0, widths[c], rowHeight),
                         Qt::AlignCenter,
                         QString(QChar(static_cast<char16_t>(u'A' + c))));
        x += widths[c];
    }
    for (qsizetype r = 0; r < cells.size(); ++r)
        painter.drawText(QRect(0, rowHeight * static_cast<int>(r + 1), numberWidth, rowHeight),
                         Qt::AlignCenter,
                         QString::number(r + 1));

    painter.setPen(Qt::black);
    for (qsizetype r = 0; r < cells.size(); ++r) {
        const int y = rowHeight * static_cast<int>(r + 1);
        x = numberWidth;
        for (qsizetype c = 0; c < widths.size(); ++c) {
            painter.drawText(QRect(x + padding, y, widths[c] - 2 * padding, rowHeight),
                             Qt::AlignVCenter | Qt::AlignLeft,
                             cells[r].value(c));
            x += widths[c];
        }
    }

    painter.setPen(kGridLine);
    for (int r = 0; r <= cells.size() + 1; ++r)
        painter.drawLine(0, r * rowHeight, width, r * rowHeight);
    x = 0;
    painter.drawLine(x, 0, x, height);
    x = numberWidth;
    for (int w : widths) {
        painter.drawLine(x, 0, x, height);
        x += w;
    }
    painter.drawLine(x, 0, x, height);
    return picture;
}

} // namespace parlumo
