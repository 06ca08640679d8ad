#pragma once

#include <cstdint>
#include <cstring>
#include <span>

// A WAV file's 16-bit PCM samples, read in place from its bytes (a resource's, which
// stay mapped for the program's life, and need not be aligned).
struct TWave
{
    int Rate = 0;
    int Channels = 0;
    std::span<const unsigned char> Data;  // the samples, interleaved, little-endian; empty when no such file

    static TWave Read(std::span<const unsigned char> Bytes);
    bool Valid() const { return !Data.empty(); }
    size_t Count() const { return Data.size() / 2; }
    int16_t Sample(size_t I) const
    {
        int16_t S;
        std::memcpy(&S, Data.data() + 2 * I, 2);
        return S;
    }
};
