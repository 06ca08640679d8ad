// libFuzzer target: any bytes given to the JPEG decoder end in a picture or an error,
// never a crash, a hang or a sanitizer report.
#include <cstddef>
#include <cstdint>

#include "imaging/JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const QByteArray Bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(Data), qsizetype(Size));
    const TDecoded Result = DecodeJpeg(Bytes);
    // The decoder's promise: an error carries no half-decoded picture.
    if (!Result.Error.isEmpty() && !Result.Image.isNull())
        __builtin_trap();
    if (Result.Ok() && (Result.Image.format() != QImage::Format_ARGB32 || Result.Image.width() > 8192 || Result.Image.height() > 8192))
        __builtin_trap();
    return 0;
}
