#include "tests/support/xlsx_parts.h"

#include "data/zip_archive.h"

namespace parlumo::test {

QByteArray xlsxPart(const QString& path, const QString& part) {
    return ZipArchive(path).entry(part);
}

} // namespace parlumo::test
