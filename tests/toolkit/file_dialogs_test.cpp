#include "toolkit/file_dialogs.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(QtFileFilter, TurnsPipeFiltersIntoQtFilters) {
    EXPECT_EQ(qtFileFilter(QString::fromUtf8("txt|*.txt|text|*.text|所有文件|*.*")),
              QString::fromUtf8("txt (*.txt);;text (*.text);;所有文件 (*)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("Excel(*.xls)|*.xls")), QStringLiteral("Excel(*.xls) (*.xls)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("Sheets|*.xls;*.xlsx")), QStringLiteral("Sheets (*.xls *.xlsx)"));
    EXPECT_EQ(qtFileFilter(QString()), QString());
}

} // namespace
} // namespace parlumo
