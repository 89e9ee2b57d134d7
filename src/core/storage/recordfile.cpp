#include "core/storage/recordfile.h"

#include "core/storage/disk.h"
#include "core/storage/writeresult.h"

#include <QFileInfo>

#include <cstring>

#include <unistd.h>

RecordFile::RecordFile(const QString& path, int recordSize)
    : m_path(path), m_file(path), m_recordSize(recordSize)
{
}

RecordFile::~RecordFile()
{
    close();
}

bool RecordFile::fail(const QString& why)
{
    m_error = why.isEmpty() ? m_file.errorString() : why;
    qCWarning(lcStorage).noquote() << m_path + QStringLiteral(": ") + m_error;
    return false;
}

bool RecordFile::openOrCreate()
{
    m_position = 0;
    m_error.clear();
    const QFileInfo info(m_path);
    if (info.exists() || info.isSymLink()) {
        if (!info.isFile())
            return fail(QStringLiteral("not a regular file"));
        // An existing file must open as it is: no creation, no truncation.
        if (!m_file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
            return fail(QString());
        m_size = m_file.size();
        return true;
    }
    // A new file, empty: on the disk, name and all, before anyone is told it exists.
    const QString path = m_path;
    int fd = -1;
    if (const int error = disk().create(path, &fd))
        return fail(QStringLiteral("cannot create: ") + diskErrorText(error));
    if (!m_file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered,
                     QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(QString());
    }
    m_size = 0;
    if (const int error = disk().syncFolder(folderOf(path))) {
        m_file.close();
        return fail(QStringLiteral("cannot flush the folder: ") + diskErrorText(error));
    }
    return true;
}

bool RecordFile::openReadOnly()
{
    m_position = 0;
    m_error.clear();
    if (!QFileInfo(m_path).isFile())
        return fail(QStringLiteral("no such file"));
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return fail(QString());
    m_size = m_file.size();
    return true;
}

qint64 RecordFile::count() const
{
    if (!m_file.isOpen())
        return 0;
    return m_size / m_recordSize;
}

bool RecordFile::seek(qint64 index)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    if (index < 0)
        return fail(QStringLiteral("negative record position"));
    m_position = index;
    return true;
}

bool RecordFile::read(QByteArray& buffer)
{
    const char* record = nullptr;
    if (!readInPlace(record))
        return false;
    buffer.resize(m_recordSize);
    std::memcpy(buffer.data(), record, size_t(m_recordSize));
    return true;
}

bool RecordFile::readInPlace(const char*& record)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    if (m_position >= count())
        return fail(QStringLiteral("read past the last record"));
    if (m_position < m_blockFirst || m_position >= m_blockFirst + m_blockCount) {
        if (!readAhead())
            return false;
    }
    record = m_block.constData() + (m_position - m_blockFirst) * m_recordSize;
    ++m_position;
    return true;
}

// Reads the records from the current position on in one block of about 256 kB (at least one
// record): a scan of the file reads it in large pieces, as fast as the device delivers them.
bool RecordFile::readAhead()
{
    m_blockCount = 0;
    const qint64 perBlock = qMax<qint64>(1, (256 * 1024) / m_recordSize);
    const qint64 records = qMin(perBlock, count() - m_position);
    const qint64 bytes = records * m_recordSize;
    if (!m_file.seek(m_position * m_recordSize))
        return fail(QString());
    m_block.resize(bytes);
    qint64 got = 0;
    while (got < bytes) {
        const qint64 n = m_file.read(m_block.data() + got, bytes - got);
        if (n <= 0)
            return fail(n == 0 ? QStringLiteral("short record") : QString());
        got += n;
    }
    m_blockFirst = m_position;
    m_blockCount = records;
    return true;
}

bool RecordFile::write(const QByteArray& buffer)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    if (buffer.size() != m_recordSize)
        return fail(QStringLiteral("buffer is not one record"));
    if (m_position > count())
        return fail(QStringLiteral("write would leave a gap after the last record"));
    const qint64 offset = m_position * m_recordSize;
    const QString path = m_path;
    const int fd = m_file.handle();
    int error = disk().write(path, fd, offset, buffer.constData(), m_recordSize);
    if (!error)
        error = disk().sync(path, fd);
    if (error) {
        fail(diskErrorText(error));
        takeBackFailedAppend();
        return false;
    }
    m_size = qMax(m_size, offset + m_recordSize);
    m_blockCount = 0; // records read ahead may no longer be what the file holds
    ++m_position;
    return true;
}

// A record that could not be written whole (a full device, a file size limit) may have left
// part of itself past the old end of the file. The file is closed, which drops what was still
// waiting to be written, and cut back to its old length, so it holds exactly the bytes it had.
// The action ends here in any case: the file is no longer open.
void RecordFile::takeBackFailedAppend()
{
    const QString path = m_path;
    if (QFileInfo(path).size() > m_size) {
        const int fd = m_file.handle();
        if (!disk().truncate(path, fd, m_size))
            disk().sync(path, fd);
    }
    m_file.close();
}

bool RecordFile::close()
{
    // Every write has reached the disk when it returned: nothing waits here.
    if (m_file.isOpen())
        m_file.close();
    return true;
}
