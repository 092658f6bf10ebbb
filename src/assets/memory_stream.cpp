// MemoryStream: the bounds-checked read cursor over a block of memory.
#include "assets/memory_stream.h"

#include <cstring>

MemoryStream::MemoryStream(const unsigned char* data, int byte_count)
    : base(data), cursor(data), size(byte_count > 0 && data != nullptr ? byte_count : 0),
      position(0) {}

int MemoryStream::getc() {
    if (position >= size) return -1;
    ++position;
    return *cursor++;
}

int MemoryStream::read(void* destination, int element_size, int count) {
    if (element_size < 0 || count < 0) return 0;
    const long long wanted = static_cast<long long>(element_size) * count;
    const int remaining = size - position;
    const int copied = wanted < remaining ? static_cast<int>(wanted) : remaining;
    if (copied <= 0) return 0;
    std::memcpy(destination, cursor, static_cast<size_t>(copied));
    cursor += copied;
    position += copied;
    return copied;
}

int MemoryStream::eof() const { return position < size ? 0 : -1; }

int MemoryStream::seek(int offset, int origin) {
    long long target;
    if (origin == 0) {
        target = offset;
    } else if (origin == 1) {
        target = static_cast<long long>(position) + offset;
    } else {
        return -1;
    }
    if (target < 0 || target > size) return -1;
    position = static_cast<int>(target);
    cursor = base + position;
    return 0;
}
