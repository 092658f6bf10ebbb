// Stands in for the user's browser in the end-to-end tests: appends its whole command line, as
// the system passed it, and a newline to the file named by its first argument, then ends.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 2) return 2;
    std::FILE* record = std::fopen(__argv[1], "ab");
    if (record == nullptr) return 3;
    const char* line = GetCommandLineA();
    const bool written = std::fwrite(line, 1, std::strlen(line), record) == std::strlen(line) &&
                         std::fputc('\n', record) != EOF;
    return std::fclose(record) == 0 && written ? 0 : 4;
}
