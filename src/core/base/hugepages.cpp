#include "core/base/hugepages.h"

#include <QtGlobal>

#include <cstdint>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

void preferHugePages(void* data, size_t size)
{
#ifdef Q_OS_LINUX
    constexpr uintptr_t kHuge = uintptr_t(2) << 20;
    const uintptr_t begin = (uintptr_t(data) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t end = (uintptr_t(data) + size) & ~(kHuge - 1);
    if (end > begin)
        madvise(static_cast<char*>(data) + (begin - uintptr_t(data)), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}
