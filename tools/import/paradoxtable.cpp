#include "paradoxtable.h"

#include "core/error.h"
#include "core/text.h"
#include "storage/oldformat.h"

#include <QDateTime>
#include <QFileInfo>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace paradox {

namespace {

unsigned u8(QByteArrayView b, qint64 at)
{
    return static_cast<unsigned char>(b[at]);
}

unsigned le16(QByteArrayView b, qint64 at)
{
    return qFromLittleEndian<quint16>(b.data() + at);
}

quint32 le32(QByteArrayView b, qint64 at)
{
    return qFromLittleEndian<quint32>(b.data() + at);
}

// Julian day of 1 January of year 1 minus one: Paradox dates count that day as 1.
constexpr qint64 dayZero = 1721425;
constexpr qint64 msPerDay = 86400000;

QString decoderName(int codePage)
{
    if (codePage >= 1250 && codePage <= 1258)
        return QStringLiteral("windows-%1").arg(codePage);
    if (codePage == 950)
        return QStringLiteral("Big5");
    if (codePage == 932)
        return QStringLiteral("Shift_JIS");
    return QStringLiteral("IBM%1").arg(codePage);
}

} // namespace

bool isReadable(int type)
{
    switch (type) {
    case Alpha:
    case Date:
    case Short:
    case Long:
    case Money:
    case Number:
    case Logical:
    case Memo:
    case FmtMemo:
    case Time:
    case Timestamp:
    case AutoInc:
    case Bcd: return true;
    default: return false;
    }
}

QString typeName(int type)
{
    switch (type) {
    case Alpha: return QStringLiteral("A");
    case Date: return QStringLiteral("D");
    case Short: return QStringLiteral("S");
    case Long: return QStringLiteral("I");
    case Money: return QStringLiteral("$");
    case Number: return QStringLiteral("N");
    case Logical: return QStringLiteral("L");
    case Memo: return QStringLiteral("M");
    case Binary: return QStringLiteral("B");
    case FmtMemo: return QStringLiteral("F");
    case Ole: return QStringLiteral("O");
    case Graphic: return QStringLiteral("G");
    case Time: return QStringLiteral("T");
    case Timestamp: return QStringLiteral("@");
    case AutoInc: return QStringLiteral("+");
    case Bcd: return QStringLiteral("#");
    case Bytes: return QStringLiteral("Y");
    default: return QStringLiteral("0x%1").arg(type, 2, 16, QLatin1Char('0'));
    }
}

Table::Table(const QString &path, const QString &memoPath, int codePage) : m_file(path)
{
    // Read-only, so a table the user may not write opens all the same.
    if (!m_file.open(QIODevice::ReadOnly))
        throw core::Error(QStringLiteral("无法读取：%1").arg(m_file.errorString()));
    if (m_file.size() > 0) {
        const uchar *p = m_file.map(0, m_file.size());
        if (!p)
            throw core::Error(QStringLiteral("无法读取：%1").arg(m_file.errorString()));
        m_data = QByteArrayView(p, m_file.size());
    }
    if (!memoPath.isEmpty()) {
        m_memoFile.setFileName(memoPath);
        m_memoName = QFileInfo(memoPath).fileName();
        if (!m_memoFile.open(QIODevice::ReadOnly))
            throw core::Error(QStringLiteral("无法读取备注文件 %1：%2").arg(m_memoName, m_memoFile.errorString()));
        if (m_memoFile.size() > 0) {
            const uchar *p = m_memoFile.map(0, m_memoFile.size());
            if (!p)
                throw core::Error(QStringLiteral("无法读取备注文件 %1：%2").arg(m_memoName, m_memoFile.errorString()));
            m_memo = QByteArrayView(p, m_memoFile.size());
        }
        m_hasMemoFile = true;
    }
    readHeader();
    if (codePage != 0)
        m_codePage = codePage;
    else if (m_headerCodePage != 0)
        m_codePage = m_headerCodePage;
    if (m_codePage != 936) {
        m_decoder = std::make_unique<QStringDecoder>(decoderName(m_codePage).toLatin1().constData());
        if (!m_decoder->isValid())
            throw core::Error(QStringLiteral("不认识表头所写的代码页 %1").arg(m_codePage));
    }
    for (Field &f : m_fields)
        f.name = text(QByteArrayView(f.name.toLatin1()));
}

Table::~Table() = default;

void Table::damaged(const QString &reason) const
{
    throw core::Error(reason);
}

void Table::readHeader()
{
    const QByteArrayView d = m_data;
    if (!storage::isParadoxHeader(d))
        damaged(d.size() < 0x58 ? QStringLiteral("文件太短，不是 Paradox 数据表（%1 字节）").arg(d.size())
                                : QStringLiteral("不是 Paradox 数据表（表头不对）"));
    m_recordSize = int(le16(d, 0x00));
    m_headerSize = int(le16(d, 0x02));
    m_blockSize = int(u8(d, 0x05)) * 1024;
    m_rowCount = qint32(le32(d, 0x06));
    m_fileBlocks = int(le16(d, 0x0C));
    m_firstBlock = int(le16(d, 0x0E));
    const int fieldCount = int(le16(d, 0x21));
    const int version = int(u8(d, 0x39));
    if (d.size() < m_headerSize)
        damaged(QStringLiteral("表文件不完整（被截断）：表头应有 %1 字节，文件只有 %2 字节").arg(m_headerSize).arg(d.size()));
    if (m_rowCount < 0)
        damaged(QStringLiteral("表头的行数不对（%1）").arg(m_rowCount));
    // Paradox 4 and later keep the encryption code at 0x5C and mark 0x25 with FF00FF00.
    quint32 encryption = le32(d, 0x25);
    if (encryption == 0xFF00FF00u && version >= 5)
        encryption = le32(d, 0x5C);
    if (encryption != 0)
        damaged(QStringLiteral("表设有密码（加密），请先在 Paradox 中去掉密码"));
    // Paradox 4 and later: a data header at 0x58, the field list from 0x78.
    qint64 at = version >= 5 ? 0x78 : 0x58;
    if (version >= 5)
        m_headerCodePage = int(le16(d, 0x6A));
    auto need = [&](qint64 bytes) {
        if (at + bytes > m_headerSize)
            damaged(QStringLiteral("表头不完整：字段说明超出 %1 字节的表头").arg(m_headerSize));
    };
    need(2 * qint64(fieldCount));
    int offset = 0;
    for (int i = 0; i < fieldCount; ++i) {
        Field f;
        f.type = int(u8(d, at));
        f.size = int(u8(d, at + 1));
        f.length = f.type == Bcd ? 17 : f.size;
        if ((f.type == Memo || f.type == FmtMemo || f.type == Binary || f.type == Ole || f.type == Graphic)) {
            if (f.length < 10)
                damaged(QStringLiteral("第 %1 个字段（%2 类）的长度 %3 不足 10 字节").arg(i + 1).arg(typeName(f.type)).arg(f.length));
            f.size = f.length - 10;
        }
        f.offset = offset;
        offset += f.length;
        m_fields << f;
        at += 2;
    }
    if (offset != m_recordSize)
        damaged(QStringLiteral("字段长度合计 %1 字节，与表头的记录长度 %2 字节不符").arg(offset).arg(m_recordSize));
    if (m_blockSize < 6 + m_recordSize)
        damaged(QStringLiteral("数据块（%1 字节）放不下一条 %2 字节的记录").arg(m_blockSize).arg(m_recordSize));
    // The table name pointer, one pointer per field name, then the table name itself.
    at += 4 + 4 * qint64(fieldCount) + (version >= 12 ? 261 : 79);
    for (Field &f : m_fields) {
        need(1);
        qint64 end = at;
        while (end < m_headerSize && d[end] != '\0')
            ++end;
        if (end == m_headerSize)
            damaged(QStringLiteral("表头不完整：字段名超出 %1 字节的表头").arg(m_headerSize));
        // Kept as Latin-1 until the code page is known (each byte one character).
        f.name = QString::fromLatin1(d.sliced(at, end - at));
        at = end + 1;
    }
    m_block = m_fileBlocks > 0 ? m_firstBlock : 0;
    if (m_block == 0 && m_rowCount > 0)
        damaged(QStringLiteral("表头记有 %1 行，但没有数据块").arg(m_rowCount));
}

QString Table::text(QByteArrayView bytes)
{
    return m_decoder ? m_decoder->decode(bytes) : core::fromCp936(bytes.toByteArray());
}

void Table::enterBlock(int number)
{
    if (++m_blocksSeen > m_fileBlocks)
        damaged(QStringLiteral("数据块链比表头记的 %1 块长（表已损坏）").arg(m_fileBlocks));
    const qint64 at = m_headerSize + qint64(number - 1) * m_blockSize;
    if (number < 1 || at + 6 > m_data.size())
        damaged(QStringLiteral("表文件不完整（被截断）：第 %1 个数据块应在 %2 字节处，文件只有 %3 字节")
                    .arg(number).arg(at).arg(m_data.size()));
    m_block = int(le16(m_data, at));
    const int more = qint16(le16(m_data, at + 4)); // bytes in use beyond the first record
    int records = 0;
    if (more >= 0) {
        if (more % m_recordSize != 0)
            damaged(QStringLiteral("第 %1 个数据块的数据长度 %2 不是记录长度的整数倍").arg(number).arg(more));
        records = more / m_recordSize + 1;
        if (6 + qint64(records) * m_recordSize > m_blockSize)
            records = 0; // a block marked as larger than it is holds only deleted records
    }
    if (at + 6 + qint64(records) * m_recordSize > m_data.size())
        damaged(QStringLiteral("表文件不完整（被截断）：第 %1 个数据块的 %2 条记录超出文件末尾（文件 %3 字节）")
                    .arg(number).arg(records).arg(m_data.size()));
    m_recordAt = at + 6;
    m_recordsLeft = records;
}

bool Table::next(QVariantList &values)
{
    while (m_recordsLeft == 0) {
        if (m_block == 0) {
            if (m_rowsRead != m_rowCount)
                damaged(QStringLiteral("表头记有 %1 行，数据块中有 %2 行（表已损坏）").arg(m_rowCount).arg(m_rowsRead));
            return false;
        }
        enterBlock(m_block);
    }
    if (m_rowsRead >= m_rowCount)
        damaged(QStringLiteral("数据块中的行比表头记的 %1 行多（表已损坏）").arg(m_rowCount));
    const auto *record = reinterpret_cast<const uchar *>(m_data.data()) + m_recordAt;
    values.resize(m_fields.size());
    for (qsizetype i = 0; i < m_fields.size(); ++i)
        values[i] = cell(m_fields[i], record + m_fields[i].offset);
    m_recordAt += m_recordSize;
    --m_recordsLeft;
    ++m_rowsRead;
    return true;
}

QVariant Table::cell(const Field &f, const uchar *at)
{
    // Numbers are stored big-endian with the sign bit flipped, so that all zero bytes are blank.
    switch (f.type) {
    case Alpha: {
        const auto *end = static_cast<const uchar *>(std::memchr(at, 0, f.length));
        const qsizetype n = end ? end - at : f.length;
        return n == 0 ? QVariant() : QVariant(text(QByteArrayView(at, n)));
    }
    case Memo:
    case FmtMemo: {
        const QByteArrayView bytes = memo(f, at);
        return bytes.isEmpty() ? QVariant() : QVariant(text(bytes));
    }
    case Short: {
        const auto raw = qFromBigEndian<quint16>(at);
        return raw == 0 ? QVariant() : QVariant(int(qint16(raw ^ 0x8000)));
    }
    case Long:
    case AutoInc:
    case Date:
    case Time: {
        const auto raw = qFromBigEndian<quint32>(at);
        if (raw == 0)
            return QVariant();
        const qint32 v = qint32(raw ^ 0x80000000u);
        if (f.type == Date)
            return QDate::fromJulianDay(dayZero + v);
        if (f.type == Time) {
            if (v < 0 || v >= msPerDay)
                damaged(QStringLiteral("第 %1 行“%2”的时间值 %3 超出一天").arg(m_rowsRead + 1).arg(f.name).arg(v));
            return QTime::fromMSecsSinceStartOfDay(v);
        }
        return int(v);
    }
    case Number:
    case Money:
    case Timestamp: {
        quint64 raw = qFromBigEndian<quint64>(at);
        if (raw == 0)
            return QVariant();
        raw = (raw & 0x8000000000000000ull) ? raw & 0x7FFFFFFFFFFFFFFFull : ~raw;
        double v;
        std::memcpy(&v, &raw, sizeof v);
        if (f.type != Timestamp)
            return v;
        // Milliseconds since the start of day 1, as a wall-clock date and time.
        const qint64 ms = std::isfinite(v) && std::abs(v) < 1e17 ? std::llround(v) : -1;
        const QDate date = QDate::fromJulianDay(dayZero + ms / msPerDay);
        if (ms < 0 || !date.isValid())
            damaged(QStringLiteral("第 %1 行“%2”的时间戳 %3 不对").arg(m_rowsRead + 1).arg(f.name).arg(v));
        return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms % msPerDay)));
    }
    case Logical: return at[0] == 0 ? QVariant() : QVariant((at[0] & 0x7F) != 0);
    case Bcd: {
        if (at[0] == 0)
            return QVariant();
        // Byte 0: sign bit (set when positive) and the decimals; then 32 digits, one per nibble,
        // the last `decimals` of them after the point; a negative number has every digit inverted.
        const bool positive = at[0] & 0x80;
        const int decimals = at[0] & 0x3F;
        if (decimals != f.size || decimals > 32)
            damaged(QStringLiteral("第 %1 行“%2”的 BCD 值有 %3 位小数，字段定义为 %4 位").arg(m_rowsRead + 1).arg(f.name).arg(decimals).arg(f.size));
        QString digits;
        for (int i = 2; i < 34; ++i) {
            int nibble = (i % 2 ? at[i / 2] : at[i / 2] >> 4) & 0x0F;
            if (!positive)
                nibble ^= 0x0F;
            if (nibble > 9)
                damaged(QStringLiteral("第 %1 行“%2”的 BCD 值不是十进制数").arg(m_rowsRead + 1).arg(f.name));
            digits += QChar(u'0' + nibble);
        }
        QString whole = digits.left(32 - decimals);
        while (whole.size() > 1 && whole.startsWith(u'0'))
            whole.remove(0, 1);
        if (whole.isEmpty())
            whole = QStringLiteral("0");
        QString out = (positive ? QString() : QStringLiteral("-")) + whole;
        if (decimals > 0)
            out += u'.' + digits.right(decimals);
        return out;
    }
    default: return QVariant();
    }
}

QByteArrayView Table::memo(const Field &f, const uchar *at)
{
    // The leader holds the first bytes of the memo; the 10 bytes after it, little-endian: where
    // the memo lies in the .MB file (offset, its low byte an index), its length, a change count.
    const int leader = f.size;
    const QByteArrayView tail(at + leader, 10);
    const quint32 where = le32(tail, 0);
    const qint64 length = le32(tail, 4);
    if (length == 0)
        return {};
    if (length <= leader)
        return QByteArrayView(at, length);
    const auto place = [&] { return QStringLiteral("第 %1 行“%2”").arg(m_rowsRead + 1).arg(f.name); };
    if (!m_hasMemoFile)
        damaged(QStringLiteral("备注文件（.MB）不见了：%1 的备注有 %2 字节，存在备注文件里").arg(place()).arg(length));
    const unsigned index = where & 0xFF;
    const qint64 block = where & 0xFFFFFF00u;
    const QByteArrayView mb = m_memo;
    if (block == 0 || block + 12 > mb.size())
        damaged(QStringLiteral("备注文件 %1 不完整：%2 的备注应在 %3 字节处，文件只有 %4 字节").arg(m_memoName, place()).arg(block).arg(mb.size()));
    const unsigned kind = u8(mb, block);
    if (kind == 2) {
        // A block of its own: type, 4 KiB count, length, change count, then the memo.
        if (index != 0xFF || le32(mb, block + 3) != length)
            damaged(QStringLiteral("备注文件 %1 已损坏：%2 的备注块与表中所记的长度不符").arg(m_memoName, place()));
        if (block + 9 + length > mb.size())
            damaged(QStringLiteral("备注文件 %1 不完整（被截断）：%2 的备注超出文件末尾").arg(m_memoName, place()));
        return mb.sliced(block + 9, length);
    }
    if (kind == 3) {
        // A shared 4 KiB block: 12 header bytes, then 64 entries of 5 bytes pointing into it.
        if (index >= 64)
            damaged(QStringLiteral("备注文件 %1 已损坏：%2 的备注编号 %3 不对").arg(m_memoName, place()).arg(index));
        const qint64 entry = block + 12 + 5 * qint64(index);
        if (entry + 5 > mb.size())
            damaged(QStringLiteral("备注文件 %1 不完整（被截断）：%2 的备注超出文件末尾").arg(m_memoName, place()));
        const qint64 start = block + 16 * qint64(u8(mb, entry));
        const qint64 stored = (qint64(u8(mb, entry + 1)) - 1) * 16 + u8(mb, entry + 4);
        if (u8(mb, entry) == 0 || u8(mb, entry + 4) == 0 || stored != length)
            damaged(QStringLiteral("备注文件 %1 已损坏：%2 的备注已删除或长度不符").arg(m_memoName, place()));
        if (start + length > block + 4096 || start + length > mb.size())
            damaged(QStringLiteral("备注文件 %1 不完整（被截断）：%2 的备注超出文件末尾").arg(m_memoName, place()));
        return mb.sliced(start, length);
    }
    damaged(QStringLiteral("备注文件 %1 已损坏：%2 的备注指向类型为 %3 的块").arg(m_memoName, place()).arg(kind));
}

} // namespace paradox
