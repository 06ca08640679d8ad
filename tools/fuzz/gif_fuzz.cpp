// libFuzzer target: any bytes given to the GIF decoder end in a picture or an error,
// never a crash, a hang or a sanitizer report.
#include <cstddef>
#include <cstdint>

#include "imaging/GifDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const QByteArray Bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(Data), qsizetype(Size));
    const TDecoded Result = DecodeGif(Bytes);
    // The decoder's promise: an error carries no half-decoded picture, and a see-through
    // index, when there is one, is a palette index.
    if (!Result.Error.isEmpty() && !Result.Image.isNull())
        __builtin_trap();
    if (Result.Ok() && (Result.Image.format() != QImage::Format_ARGB32 || Result.TransparentIndex > 255))
        __builtin_trap();
    return 0;
}
