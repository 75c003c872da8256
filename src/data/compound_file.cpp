#include "data/compound_file.h"

#include "text/error.h"

#include <QtEndian>

namespace parlumo {

namespace {

constexpr char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr qsizetype kHeaderSize = 512;
constexpr qsizetype kHeaderFatEntries = 109;
constexpr qsizetype kEntrySize = 128;
constexpr qsizetype kMiniSectorSize = 64;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint8 kStreamEntry = 2;

[[noreturn]] void damaged(const char* what) {
    throw Error(QStringLiteral("复合文档已损坏：%1").arg(QLatin1String(what)));
}

quint32 u32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

QList<quint32> u32s(const QByteArray& bytes) {
    QList<quint32> values;
    values.reserve(bytes.size() / 4);
    for (qsizetype at = 0; at + 4 <= bytes.size(); at += 4)
        values.append(u32(bytes, at));
    return values;
}

// Follows a chain of sector numbers through its allocation table and joins the sectors. A
// negative size reads to the end of the chain. A sector met twice means the chain runs in a circle.
template <typename ReadSector>
QByteArray readChain(const QList<quint32>& table, quint32 first, qint64 size, qsizetype sectorSize,
                     qsizetype available, ReadSector readSector) {
    if (size > static_cast<qint64>(available) * sectorSize)
        damaged("stream larger than the file");
    QByteArray data;
    QList<bool> visited(available, false);
    for (quint32 id = first; size < 0 ? id != kEndOfChain : data.size() < size; id = table[id]) {
        if (id >= static_cast<quint32>(qMin(table.size(), available)) || visited[id])
            damaged("broken sector chain");
        visited[id] = true;
        data += readSector(id);
    }
    if (size >= 0)
        data.truncate(size);
    return data;
}

} // namespace

bool CompoundFile::hasSignature(QByteArrayView bytes) {
    return bytes.startsWith(QByteArrayView(kSignature, 8));
}

CompoundFile::CompoundFile(QByteArray bytes) : bytes_(std::move(bytes)) {
    if (!hasSignature(bytes_) || bytes_.size() < kHeaderSize)
        damaged("header");
    const quint16 sectorShift = qFromLittleEndian<quint16>(bytes_.constData() + 0x1E);
    if (sectorShift != 9 && sectorShift != 12)
        damaged("sector size");
    sectorSize_ = qsizetype(1) << sectorShift;
    // Sector n starts at (n + 1) * sector size; a last sector cut short still counts.
    sectorCount_ = (bytes_.size() - 1) / sectorSize_;
    miniCutoff_ = u32(bytes_, 0x38);
    readFat(u32(bytes_, 0x2C), u32(bytes_, 0x44), u32(bytes_, 0x48));
    readDirectory(u32(bytes_, 0x30));
    const quint32 miniFatSectors = u32(bytes_, 0x40);
    if (miniFatSectors > 0)
        miniFat_ = u32s(fatChain(u32(bytes_, 0x3C), static_cast<qint64>(miniFatSectors) * sectorSize_));
}

QByteArray CompoundFile::sector(quint32 id) const {
    if (id >= static_cast<quint32>(sectorCount_))
        damaged("sector beyond the end of the file");
    return bytes_.mid((static_cast<qsizetype>(id) + 1) * sectorSize_, sectorSize_);
}

QByteArray CompoundFile::fatChain(quint32 first, qint64 size) const {
    return readChain(fat_, first, size, sectorSize_, sectorCount_, [this](quint32 id) { return sector(id); });
}

QByteArray CompoundFile::miniChain(quint32 first, qint64 size) const {
    const QByteArray miniStream = fatChain(entries_[0].start, entries_[0].size);
    const qsizetype available = miniStream.size() / kMiniSectorSize;
    return readChain(miniFat_, first, size, kMiniSectorSize, available,
                     [&miniStream](quint32 id) { return miniStream.mid(id * kMiniSectorSize, kMiniSectorSize); });
}

// The allocation table's own sectors are listed in the header and, past the first 109, in a
// chain of list sectors whose last entry points to the next one.
void CompoundFile::readFat(quint32 fatSectors, quint32 firstDifatSector, quint32 difatSectors) {
    if (fatSectors > static_cast<quint32>(sectorCount_) || difatSectors > static_cast<quint32>(sectorCount_))
        damaged("allocation table larger than the file");
    const qsizetype wanted = fatSectors;
    QList<quint32> fatSectorIds;
    for (qsizetype i = 0; i < kHeaderFatEntries && fatSectorIds.size() < wanted; ++i)
        fatSectorIds.append(u32(bytes_, 0x4C + 4 * i));
    quint32 next = firstDifatSector;
    for (quint32 i = 0; i < difatSectors && fatSectorIds.size() < wanted; ++i) {
        const QList<quint32> ids = u32s(sector(next));
        if (ids.size() < 2)
            damaged("allocation table list");
        fatSectorIds.append(ids.first(ids.size() - 1));
        next = ids.last();
    }
    if (fatSectorIds.size() < wanted)
        damaged("allocation table list");
    QByteArray table;
    for (qsizetype i = 0; i < wanted; ++i)
        table += sector(fatSectorIds[i]);
    fat_ = u32s(table);
}

void CompoundFile::readDirectory(quint32 firstSector) {
    const QByteArray directory = fatChain(firstSector, -1);
    for (qsizetype at = 0; at + kEntrySize <= directory.size(); at += kEntrySize) {
        const quint16 nameBytes = qFromLittleEndian<quint16>(directory.constData() + at + 64);
        Entry entry;
        if (nameBytes >= 2 && nameBytes <= 64)
            entry.name = QString::fromUtf16(reinterpret_cast<const char16_t*>(directory.constData() + at),
                                            nameBytes / 2 - 1);
        entry.type = static_cast<quint8>(directory[at + 66]);
        entry.start = u32(directory, at + 116);
        entry.size = u32(directory, at + 120); // the high half is unused in version 3 files
        entries_.append(entry);
    }
    if (entries_.isEmpty())
        damaged("directory");
}

QByteArray CompoundFile::stream(const QStringList& names) const {
    for (const QString& name : names)
        for (const Entry& entry : entries_)
            if (entry.type == kStreamEntry && entry.name.compare(name, Qt::CaseInsensitive) == 0) {
                const QByteArray data = entry.size < miniCutoff_ ? miniChain(entry.start, entry.size)
                                                                 : fatChain(entry.start, entry.size);
                return data.isNull() ? QByteArray("") : data;
            }
    return {};
}

} // namespace parlumo
