#pragma once

// Files that must not be read as files: a FIFO (reading it waits for a writer), a link to an
// endless device. Helpers that keep a test whose code under test does read them from hanging or
// running out of memory, so the test fails instead.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

// While a FifoRescuer lives, whenever a reader waits on the FIFO at path it is let go: the FIFO
// is opened for writing (never waiting) and closed, so the reader sees an empty file. freed()
// tells whether that was ever needed.
class FifoRescuer {
public:
    explicit FifoRescuer(const QString& path) : m_path(QFile::encodeName(path))
    {
        m_thread = std::thread([this] {
            while (!m_stop) {
                const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    m_freed = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        });
    }
    ~FifoRescuer()
    {
        m_stop = true;
        m_thread.join();
    }
    FifoRescuer(const FifoRescuer&) = delete;
    FifoRescuer& operator=(const FifoRescuer&) = delete;

    bool freed() const { return m_freed; }

private:
    QByteArray m_path;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_freed{false};
    std::thread m_thread;
};

// Ends the test program with a failure when it is still alive milliseconds after the guard was
// made: for code that, wrong, would read without end (a link to /dev/zero).
class Deadline {
public:
    Deadline(int milliseconds, const char* what) : m_what(what)
    {
        m_thread = std::thread([this, milliseconds] {
            const auto end =
                std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
            while (!m_done) {
                if (std::chrono::steady_clock::now() > end) {
                    std::fprintf(stderr, "FAIL! still running after the deadline: %s\n", m_what);
                    std::fflush(stderr);
                    ::_exit(1);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
    }
    ~Deadline()
    {
        m_done = true;
        m_thread.join();
    }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

private:
    const char* m_what;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};
