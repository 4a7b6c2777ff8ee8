#pragma once

// What the grid benchmarks share: the account list's row texts, made without
// formatting calls, and the process's memory figures.

#include <malloc.h>
#include <unistd.h>

#include <cstdio>

#include "platform/core/Forward.h"

namespace bench {

// The resident size of the whole process, from /proc/self/statm.
inline double ResidentBytes()
{
    long size = 0, resident = 0;
    if (FILE* file = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(file, "%ld %ld", &size, &resident) != 2)
            resident = 0;
        std::fclose(file);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

inline double HeapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// "Account 0000123" and "db_123".
inline core::AnsiString Number(const char* prefix, int value, int digits)
{
    char text[32];
    int length = 0;
    while (*prefix)
        text[length++] = *prefix++;
    char reversed[12];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 || count < digits);
    while (count > 0)
        text[length++] = reversed[--count];
    return core::AnsiString(text, static_cast<size_t>(length));
}

}  // namespace bench
