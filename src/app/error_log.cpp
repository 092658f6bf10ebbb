// The error log: failures after the window exists, one line each, shown once at exit.
#include "app/error_log.h"

void ErrorLog::append(const char* text) {
    if (text == nullptr) return;
    while (*text != '\0' && length_ + 1 < kCapacity) buffer_[length_++] = *text++;
    buffer_[length_] = '\0';
}
