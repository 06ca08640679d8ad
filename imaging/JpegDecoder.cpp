#include "imaging/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

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

// With a Stride of 0 every row goes to the same memory, and Row is told of each.
bool ReadPixels(jpeg_decompress_struct& Info, TJpegErrors& Errors, uchar* Bits, qsizetype Stride,
                const TJpegRow* Row)
{
    if (setjmp(Errors.Jump))
        return false;
    jpeg_start_decompress(&Info);
    while (Info.output_scanline < Info.output_height)
    {
        const int Y = static_cast<int>(Info.output_scanline);
        JSAMPROW Into = Bits + Stride * Y;
        jpeg_read_scanlines(&Info, &Into, 1);
        if (Row)
            (*Row)(Y, reinterpret_cast<const QRgb*>(Into));
    }
    jpeg_finish_decompress(&Info);
    return true;
}

// Where the rows go, once the size is known: the memory and the stride, or null to stop.
using TTarget = std::function<std::pair<uchar*, qsizetype>(QSize)>;

QString Decode(const QByteArray& Data, const TTarget& Target, const TJpegRow* Row)
{
    if (Data.isEmpty())
        return QStringLiteral("JPEG: no data");

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
        return QStringLiteral("JPEG: %1").arg(QString::fromLocal8Bit(Errors.Message));
    };

    if (!ReadHeader(Info, Errors, Data))
        return LibraryError();

    const J_COLOR_SPACE Source = Info.jpeg_color_space;
    if (Source != JCS_GRAYSCALE && Source != JCS_RGB && Source != JCS_YCbCr)
        return QStringLiteral("JPEG: unsupported colour space (CMYK or unknown)");
    if (Info.image_width > MaxJpegSide || Info.image_height > MaxJpegSide)
        return QStringLiteral("JPEG: picture too large (%1x%2, at most %3 a side)")
            .arg(Info.image_width).arg(Info.image_height).arg(MaxJpegSide);

    // libjpeg-turbo writes straight into QImage's ARGB32 layout, with opaque alpha.
    Info.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

    const auto [Bits, Stride] = Target(QSize(static_cast<int>(Info.image_width), static_cast<int>(Info.image_height)));
    if (!Bits)
        return QStringLiteral("JPEG: out of memory");

    if (!ReadPixels(Info, Errors, Bits, Stride, Row))
        return LibraryError();
    // A truncated or corrupt stream is only a warning to libjpeg, with grey filled in.
    if (Errors.Manager.num_warnings > 0)
        return LibraryError();
    return {};
}

} // namespace

TDecoded DecodeJpeg(const QByteArray& Data)
{
    QImage Image;
    const QString Error = Decode(
        Data,
        [&Image](QSize Size) {
            Image = QImage(Size, QImage::Format_ARGB32);
            return std::pair<uchar*, qsizetype>(Image.isNull() ? nullptr : Image.bits(), Image.bytesPerLine());
        },
        nullptr);
    if (!Error.isEmpty())
        return Failure(Error);
    TDecoded Result;
    Result.Image = std::move(Image);
    return Result;
}

QSize JpegSize(const QByteArray& Data)
{
    QSize Size;
    Decode(
        Data, [&Size](QSize Read) { Size = Read; return std::pair<uchar*, qsizetype>(nullptr, 0); }, nullptr);
    return Size;
}

QString DecodeJpegRows(const QByteArray& Data, const std::function<bool(QSize)>& Start, const TJpegRow& Row)
{
    std::vector<QRgb> Line;
    return Decode(
        Data,
        [&](QSize Size) {
            if (!Start(Size))
                return std::pair<uchar*, qsizetype>(nullptr, 0);
            Line.resize(size_t(Size.width()));
            return std::pair<uchar*, qsizetype>(reinterpret_cast<uchar*>(Line.data()), 0);
        },
        &Row);
}
