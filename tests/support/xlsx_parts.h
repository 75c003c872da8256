#pragma once

#include <QByteArray>
#include <QString>

namespace parlumo::test {

// The raw XML of one part of an .xlsx package, for checks that the reader does not expose.
QByteArray xlsxPart(const QString& path, const QString& part);

} // namespace parlumo::test
