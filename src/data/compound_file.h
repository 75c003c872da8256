#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace parlumo {

// The streams of an OLE2 compound file, the container of legacy Office documents such as .xls
// workbooks. Every size, sector number and chain is checked against the file, so a damaged or
// hostile file raises Error instead of reading out of bounds or looping.
class CompoundFile {
public:
    static bool hasSignature(QByteArrayView bytes);

    // Raises Error when the bytes are no compound file or its tables are damaged.
    explicit CompoundFile(QByteArray bytes);

    // The contents of the first stream found under one of the names (compared ignoring case),
    // trying the names in order; a null array when the file holds none of them. Raises Error
    // when the stream's sectors are damaged.
    QByteArray stream(const QStringList& names) const;

private:
    struct Entry {
        QString name;
        quint8 type = 0;
        quint32 start = 0;
        quint32 size = 0;
    };

    QByteArray sector(quint32 id) const;
    QByteArray fatChain(quint32 first, qint64 size) const;
    QByteArray miniChain(quint32 first, qint64 size) const;
    void readFat(quint32 fatSectors, quint32 firstDifatSector, quint32 difatSectors);
    void readDirectory(quint32 firstSector);

    QByteArray bytes_;
    qsizetype sectorSize_ = 512;
    qsizetype sectorCount_ = 0;
    quint32 miniCutoff_ = 4096;
    QList<quint32> fat_;
    QList<quint32> miniFat_;
    QList<Entry> entries_;
};

} // namespace parlumo
