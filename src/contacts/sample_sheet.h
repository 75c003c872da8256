#pragma once

#include <QPixmap>

class QFont;

namespace parlumo {

// A small picture of the sheet layout that the import reads: the header row "手机号码", "姓名",
// "其它联系方式", "备注" in columns A to D and five sample contacts below it, drawn like a
// spreadsheet with column letters and row numbers.
QPixmap sampleSheetPicture(const QFont& font);

} // namespace parlumo
