#include "imaging/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace
{

constexpr JDIMENSION MaxJpegSide = 8192;

// libjpeg's own handler calls exit(); ours jumps back and keeps the message.
struct TJpegErrors
{
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void JumpOnError(j_common_ptr Info)
{
    auto* Errors = reinterpret_cast<TJpegErrors*>(Info->err);
    Errors->Manager.format_message(Info, Errors->Message);
    std::longjmp(Errors->Jump, 1);
}

// Warnings (truncation, corrupt entropy data) would go to stderr; keep the first one instead.
void KeepFirstWarning(j_common_ptr Info)
{
    auto* Errors = reinterpret_cast<TJpegErrors*>(Info->err);
    if (Errors->Message[0] == '\0')
        Errors->Manager.format_message(Info, Errors->Message);
}

// setjmp guards only these two functions, whose frames hold nothing with a destructor,
// so a longjmp out of libjpeg skips no C++ clean-up.
bool ReadHeader(jpeg_decompress_struct& Info, TJpegErrors& Errors, const QByteArray& Data)
{
    if (setjmp(Errors.Jump))
        return false;
    jpeg_mem_src(&Info, reinterpret_cast<const unsigned char*>(Data.constData()),
                 static_cast<unsigned long>(Data.size()));
    jpeg_read_header(&Info, TRUE);
    return true;
}

bool ReadPixels(jpeg_decompress_struct& Info, TJpegErrors& Errors, uchar* Bits, qsizetype Stride)
{
    if (setjmp(Errors.Jump))
        return false;
    jpeg_start_decompress(&Info);
    while (Info.output_scanline < Info.output_height)
    {
        JSAMPROW Row = Bits + Stride * Info.output_scanline;
        jpeg_read_scanlines(&Info, &Row, 1);
    }
    jpeg_finish_decompress(&Info);
    return true;
}

} // namespace

TDecoded DecodeJpeg(const QByteArray& Data)
{
    if (Data.isEmpty())
        return Failure(QStringLiteral("JPEG: no data"));

    jpeg_decompress_struct Info{};
    TJpegErrors Errors;
    Info.err = jpeg_std_error(&Errors.Manager);
    Errors.Manager.error_exit = JumpOnError;
    Errors.Manager.output_message = KeepFirstWarning;
    jpeg_create_decompress(&Info);

    // Runs on every way out; libjpeg allows destroying a half-used decompressor.
    struct TCleanup
    {
        jpeg_decompress_struct& Info;
        ~TCleanup() { jpeg_destroy_decompress(&Info); }
    } Cleanup{Info};

    const auto LibraryError = [&Errors] {
        return Failure(QStringLiteral("JPEG: %1").arg(QString::fromLocal8Bit(Errors.Message)));
    };

    if (!ReadHeader(Info, Errors, Data))
        return LibraryError();

    const J_COLOR_SPACE Source = Info.jpeg_color_space;
    if (Source != JCS_GRAYSCALE && Source != JCS_RGB && Source != JCS_YCbCr)
        return Failure(QStringLiteral("JPEG: unsupported colour space (CMYK or unknown)"));
    if (Info.image_width > MaxJpegSide || Info.image_height > MaxJpegSide)
        return Failure(QStringLiteral("JPEG: picture too large (%1x%2, at most %3 a side)")
                           .arg(Info.image_width).arg(Info.image_height).arg(MaxJpegSide));

    // libjpeg-turbo writes straight into QImage's ARGB32 layout, with opaque alpha.
    Info.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

    QImage Image(static_cast<int>(Info.image_width), static_cast<int>(Info.image_height),
                 QImage::Format_ARGB32);
    if (Image.isNull())
        return Failure(QStringLiteral("JPEG: out of memory"));

    if (!ReadPixels(Info, Errors, Image.bits(), Image.bytesPerLine()))
        return LibraryError();
    // A truncated or corrupt stream is only a warning to libjpeg, with grey filled in.
    if (Errors.Manager.num_warnings > 0)
        return LibraryError();

    TDecoded Result;
    Result.Image = std::move(Image);
    return Result;
}
