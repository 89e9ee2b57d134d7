#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

// A headerless file of fixed-size records addressed by 0-based index. Every operation reports
// failure as a false result (the reason is in errorString()); nothing throws. The file is
// closed by close() or, on every other path, by the destructor.
class RecordFile {
public:
    RecordFile(const QString& path, int recordSize);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens the existing file for reading and writing at record 0; a file that does not exist
    // is created empty, and its name is flushed to the disk with its folder before this
    // returns. An existing file that cannot be opened is left as it is.
    bool openOrCreate();
    // Opens an existing file for reading only; a missing file is a failure and nothing is
    // created. For readers that must never change the folder.
    bool openReadOnly();

    QString fileName() const { return m_path; }
    bool isOpen() const { return m_file.isOpen(); }
    int recordSize() const { return m_recordSize; }
    // Whole records in the file; a trailing part shorter than a record does not count.
    qint64 count() const;
    // The next read or write concerns record index. Positions past the end are allowed here,
    // but a write there fails rather than leave a gap of undefined records.
    bool seek(qint64 index);
    qint64 position() const { return m_position; }
    bool atEnd() const { return m_position >= count(); }

    // Reads the record at the current position into buffer (resized to the record size) and
    // advances by one. Fails when no whole record is there.
    bool read(QByteArray& buffer);
    // As read, but record is pointed at the record where it lies in the read-ahead block, for
    // a reader that only looks at it: the pointer is good until the next call on this file
    // (any read, seek, write or close) and until the file is destroyed.
    bool readInPlace(const char*& record);
    // Reads every record from the current position to the last, block by block of about
    // 256 kB, and hands each block to visit (its first record, the number of records in it):
    // the blocks are good until visit returns. The next blocks are read on a thread of its own
    // while visit looks at the current one, so that a scan takes about the longer of the
    // reading and the looking rather than both. A visit that returns false stops the reading,
    // and so does a failed read; either way the result is false. The position is past the
    // last record read.
    bool scanBlocks(const std::function<bool(const char* records, qint64 count)>& visit);
    // Writes buffer (exactly one record) at the current position, replacing that record or
    // appending when the position equals the count, and advances by one. The bytes are on
    // stable storage (flushed) before this returns, so a full device or a failed flush is
    // reported here; a failed write leaves no part of the record past the old end of the
    // file, and closes the file. A record is written with one call, but a power cut during it
    // may still leave it partly written: whoever needs it whole keeps a journal (Registry).
    bool write(const QByteArray& buffer);
    // Closes the file. Every write was already flushed, so nothing can fail here.
    bool close();

    QString errorString() const { return m_error; }

private:
    bool fail(const QString& why);
    bool readAhead();
    // Whole records in one block read at once: about 256 kB, at least one record.
    qint64 recordsPerBlock() const { return qMax<qint64>(1, (256 * 1024) / m_recordSize); }
    void takeBackFailedAppend();

    QString m_path;
    QFile m_file;
    int m_recordSize;
    qint64 m_size = 0; // bytes in the file; only this object changes them while it is open
    qint64 m_position = 0;
    // Records read ahead for the reads that follow: m_blockCount records from m_blockFirst.
    QByteArray m_block;
    qint64 m_blockFirst = 0;
    qint64 m_blockCount = 0;
    QString m_error;
};
