#pragma once
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QVariant>
#include <QVector>

#include <memory>

// A reader of Paradox data tables (.DB, with their memos in the .MB file beside them), written
// from the public description of the format and checked against files written by pxlib. The whole
// file is mapped read-only and every offset is checked against its size, so a damaged or cut
// table ends with an error naming what is wrong instead of blank rows.
namespace paradox {

// Field type codes of the table header.
enum Type : int {
    Alpha = 0x01, Date = 0x02, Short = 0x03, Long = 0x04, Money = 0x05, Number = 0x06, Logical = 0x09,
    Memo = 0x0C, Binary = 0x0D, FmtMemo = 0x0E, Ole = 0x0F, Graphic = 0x10, Time = 0x14, Timestamp = 0x15,
    AutoInc = 0x16, Bcd = 0x17, Bytes = 0x18
};

struct Field {
    QString name;
    int type = Alpha;
    int length = 0; // bytes the field takes in a record
    int size = 0;   // alpha: bytes; memo kinds: the leader kept in the record; BCD: decimals
    int offset = 0; // in the record
};

// Whether the reader gives values for fields of this type (binary, OLE, graphic and bytes fields
// are not read).
bool isReadable(int type);
// The name of a field type as Paradox writes it ("A", "M", "#", ...) for messages.
QString typeName(int type);

class Table {
public:
    // Opens the table at path; memoPath is its .MB file (empty when there is none). codePage
    // overrides the one named in the header when not 0. Throws core::Error with the reason.
    Table(const QString &path, const QString &memoPath, int codePage = 0);
    ~Table();
    Table(const Table &) = delete;
    Table &operator=(const Table &) = delete;

    const QVector<Field> &fields() const { return m_fields; }
    int codePage() const { return m_codePage; }
    // The code page named in the header (0 when the header names none).
    int headerCodePage() const { return m_headerCodePage; }
    qint64 rowCount() const { return m_rowCount; }

    // Reads the next row in stored order into values (one per field; null for a blank cell and
    // for the fields that are not read): alpha and memo texts as QString, short, long and
    // autoincrement as int, number and money as double, BCD as its exact decimal text, date as
    // QDate, time as QTime, timestamp as QDateTime, logical as bool. Returns false after the
    // last row; throws core::Error when the table or its memo file is damaged.
    bool next(QVariantList &values);
    // 0-based number of the row next() gave last.
    qint64 rowNumber() const { return m_rowsRead - 1; }

private:
    void readHeader();
    QString text(QByteArrayView bytes);
    QVariant cell(const Field &f, const uchar *at);
    QByteArrayView memo(const Field &f, const uchar *at);
    void enterBlock(int number);
    [[noreturn]] void damaged(const QString &reason) const;

    QFile m_file;
    QFile m_memoFile;
    QByteArrayView m_data;
    QByteArrayView m_memo;
    bool m_hasMemoFile = false;
    QString m_memoName;
    QVector<Field> m_fields;
    int m_codePage = 936;
    int m_headerCodePage = 0;
    std::unique_ptr<QStringDecoder> m_decoder; // for code pages other than 936
    int m_recordSize = 0;
    int m_headerSize = 0;
    int m_blockSize = 0;
    int m_fileBlocks = 0;
    int m_firstBlock = 0;
    qint64 m_rowCount = 0;
    // Walk over the chain of data blocks.
    int m_block = 0;
    int m_blocksSeen = 0;
    qint64 m_recordAt = 0;
    int m_recordsLeft = 0;
    qint64 m_rowsRead = 0;
};

} // namespace paradox
