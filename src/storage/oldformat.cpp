#include "oldformat.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace storage {

bool isParadoxHeader(QByteArrayView head)
{
    if (head.size() < 0x58)
        return false;
    const auto *h = reinterpret_cast<const uchar *>(head.data());
    const unsigned recordSize = qFromLittleEndian<quint16>(h + 0x00);
    const unsigned headerSize = qFromLittleEndian<quint16>(h + 0x02);
    const unsigned fileType = h[0x04];   // 0 indexed, 2 non-indexed data file
    const unsigned blockKiB = h[0x05];   // data block size in KiB
    const unsigned fieldCount = qFromLittleEndian<quint16>(h + 0x21);
    const unsigned version = h[0x39];    // 3 (Paradox 3.0) to 12 (Paradox 7)
    return recordSize > 0 && headerSize >= 0x58 && (fileType == 0 || fileType == 2) && blockKiB >= 1 &&
           blockKiB <= 32 && fieldCount >= 1 && fieldCount <= 255 && version >= 3 && version <= 15;
}

bool isParadoxTable(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && isParadoxHeader(file.read(0x58));
}

QString paradoxTableNotice(const QString &path)
{
    return QStringLiteral("%1 是旧格式（Paradox）的数据表，本手册不能直接打开。\n"
                          "请先用命令 handbook-import 转换整个数据目录：\nhandbook-import 旧数据目录 新数据目录")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace storage
