#include "sound/Wave.h"

namespace {
uint32_t Word(const unsigned char* At) { return At[0] | At[1] << 8 | At[2] << 16 | uint32_t(At[3]) << 24; }
uint16_t Half(const unsigned char* At) { return uint16_t(At[0] | At[1] << 8); }
}

TWave TWave::Read(std::span<const unsigned char> Bytes)
{
    TWave Wave;
    const unsigned char* B = Bytes.data();
    const size_t Size = Bytes.size();
    if (Size < 12 || std::memcmp(B, "RIFF", 4) != 0 || std::memcmp(B + 8, "WAVE", 4) != 0)
        return {};
    bool Format = false;
    for (size_t At = 12; At + 8 <= Size;) {
        const uint32_t Length = Word(B + At + 4);
        const unsigned char* Body = B + At + 8;
        if (Length > Size - At - 8)
            return {};
        if (std::memcmp(B + At, "fmt ", 4) == 0 && Length >= 16) {
            // PCM, 16 bits
            if (Half(Body) != 1 || Half(Body + 14) != 16)
                return {};
            Wave.Channels = Half(Body + 2);
            Wave.Rate = int(Word(Body + 4));
            Format = Wave.Channels > 0 && Wave.Rate > 0;
        } else if (std::memcmp(B + At, "data", 4) == 0 && Format) {
            Wave.Data = {Body, Length & ~1u};
            return Wave;
        }
        At += 8 + Length + (Length & 1);
    }
    return {};
}
