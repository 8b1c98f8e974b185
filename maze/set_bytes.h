#pragma once

#include <cstdint>
#include <cstring>

// Calls visit(i) for every non-zero byte of bytes[0 ... count), looking at
// eight at a time: in a maze's wall arrays before it is made, nearly all
// are zero, and a word of zeros is passed over at once.
template <typename Visit>
void forEachSetByte(const std::uint8_t* bytes, int count, Visit&& visit)
{
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + i, sizeof word);
        if (word == 0)
            continue;
        for (int j = i; j < i + 8; ++j)
            if (bytes[j] != 0)
                visit(j);
    }
    for (; i < count; ++i)
        if (bytes[i] != 0)
            visit(i);
}
