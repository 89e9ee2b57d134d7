#include "core/storage/recordfile.h"

#include "core/storage/disk.h"
#include "core/storage/writeresult.h"

#include <QFileInfo>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

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
    const qint64 records = qMin(recordsPerBlock(), count() - m_position);
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

namespace {

// Reads blocks of whole records front to back on a thread of its own, a few blocks ahead of
// whoever takes them, from a file descriptor that stays open while it lives (pread, so the
// file's own position is left alone). What fits in one block, or without a thread to be had,
// it reads each block when it is asked for.
class BlockReader {
public:
    static constexpr int kBlocks = 4;

    BlockReader(int fd, qint64 offset, qint64 bytes, qint64 blockBytes)
        : m_fd(fd), m_next(offset), m_end(offset + bytes), m_blockBytes(std::min(blockBytes, bytes))
    {
        // What fits in one block is read when asked for: no thread, one buffer of its size.
        if (bytes <= blockBytes) {
            m_buffers[0].resize(size_t(m_blockBytes));
            m_alone = true;
            return;
        }
        for (int i = 0; i < kBlocks; ++i) {
            m_buffers[i].resize(size_t(m_blockBytes));
            m_free.push_back(i);
        }
        try {
            m_thread = std::thread([this] { readAll(); });
        } catch (const std::system_error&) {
            m_alone = true;
        }
    }

    ~BlockReader()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    // The next block, its bytes at data: good until the next call. False at the end or after a
    // failed read (failed() tells which).
    bool next(const char*& data, qint64& bytes)
    {
        if (m_alone)
            return nextAlone(data, bytes);
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_held >= 0) {
            m_free.push_back(m_held);
            m_held = -1;
            m_changed.notify_all();
        }
        m_changed.wait(lock, [this] { return !m_filled.empty() || m_done; });
        if (m_filled.empty())
            return false;
        m_held = m_filled.front().buffer;
        bytes = m_filled.front().bytes;
        m_filled.pop_front();
        data = m_buffers[m_held].data();
        return true;
    }

    bool failed() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_failed;
    }
    // Why a read failed.
    QString error() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_error;
    }

private:
    struct Filled {
        int buffer;
        qint64 bytes;
    };

    // Reads [from, from + bytes) into buffer, through interruptions and short reads; on a
    // failure, error says why.
    bool readBlock(char* buffer, qint64 from, qint64 bytes, QString& error) const
    {
        qint64 got = 0;
        while (got < bytes) {
            const ssize_t n = ::pread(m_fd, buffer + got, size_t(bytes - got), from + got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                // A read error, or the file cut short under the scan.
                error = n == 0 ? QStringLiteral("short record") : qt_error_string(errno);
                return false;
            }
            got += n;
        }
        return true;
    }

    void readAll()
    {
        for (;;) {
            int buffer = -1;
            qint64 from = 0;
            qint64 bytes = 0;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_changed.wait(lock, [this] { return !m_free.empty() || m_stop; });
                if (m_stop || m_next >= m_end) {
                    m_done = true;
                    m_changed.notify_all();
                    return;
                }
                buffer = m_free.front();
                m_free.pop_front();
                from = m_next;
                bytes = std::min(m_blockBytes, m_end - m_next);
                m_next += bytes;
            }
            QString error;
            const bool read = readBlock(m_buffers[buffer].data(), from, bytes, error);
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (!read) {
                m_failed = true;
                m_error = error;
                m_done = true;
                m_changed.notify_all();
                return;
            }
            m_filled.push_back({buffer, bytes});
            m_changed.notify_all();
        }
    }

    bool nextAlone(const char*& data, qint64& bytes)
    {
        if (m_failed || m_next >= m_end)
            return false;
        bytes = std::min(m_blockBytes, m_end - m_next);
        if (!readBlock(m_buffers[0].data(), m_next, bytes, m_error)) {
            m_failed = true;
            return false;
        }
        m_next += bytes;
        data = m_buffers[0].data();
        return true;
    }

    const int m_fd;
    qint64 m_next;
    const qint64 m_end;
    const qint64 m_blockBytes;
    std::vector<char> m_buffers[kBlocks];
    std::deque<int> m_free;
    std::deque<Filled> m_filled;
    int m_held = -1;
    bool m_stop = false;
    bool m_done = false;
    bool m_failed = false;
    bool m_alone = false;
    QString m_error;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;
};

} // namespace

bool RecordFile::scanBlocks(const std::function<bool(const char* records, qint64 count)>& visit)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    m_blockCount = 0; // the read-ahead block of readInPlace is not kept up to date here
    const qint64 records = count() - m_position;
    if (records <= 0)
        return true;
    BlockReader reader(m_file.handle(), m_position * m_recordSize, records * m_recordSize,
                       recordsPerBlock() * m_recordSize);
    const char* data = nullptr;
    qint64 bytes = 0;
    while (reader.next(data, bytes)) {
        const qint64 inBlock = bytes / m_recordSize;
        m_position += inBlock;
        if (!visit(data, inBlock))
            return false;
    }
    if (reader.failed())
        return fail(reader.error());
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
