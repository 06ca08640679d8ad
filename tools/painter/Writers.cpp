#include "Painter.h"

#include <QFile>
#include <QImageWriter>

#include <csetjmp>
#include <cstdio>
#include <vector>

extern "C" {
#include <gif_lib.h>
#include <jpeglib.h>
}

bool WritePng(const QImage& Img, const QString& File, QString* Error)
{
    QImageWriter W(File, "png");
    W.setQuality(0); // Qt maps PNG quality 0 to the strongest deflate; no time stamp is written
    if (W.write(Img))
        return true;
    *Error = W.errorString();
    return false;
}

namespace {

struct TJpegError {
    jpeg_error_mgr Mgr;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void JpegFail(j_common_ptr Info)
{
    auto* E = reinterpret_cast<TJpegError*>(Info->err);
    (*Info->err->format_message)(Info, E->Message);
    std::longjmp(E->Jump, 1);
}

int GifWrite(GifFileType* Gif, const GifByteType* Data, int Len)
{
    return int(static_cast<QFile*>(Gif->UserData)->write(reinterpret_cast<const char*>(Data), Len));
}

} // namespace

bool WriteJpeg(const QImage& Img, const QString& File, int Quality, QString* Error)
{
    const QImage Rgb = Img.convertToFormat(QImage::Format_RGB888);
    FILE* F = std::fopen(QFile::encodeName(File).constData(), "wb");
    if (!F) {
        *Error = QStringLiteral("cannot open %1").arg(File);
        return false;
    }
    jpeg_compress_struct Info{};
    TJpegError Err{};
    Info.err = jpeg_std_error(&Err.Mgr);
    Err.Mgr.error_exit = JpegFail;
    if (setjmp(Err.Jump)) {
        *Error = QString::fromLocal8Bit(Err.Message);
        jpeg_destroy_compress(&Info);
        std::fclose(F);
        return false;
    }
    jpeg_create_compress(&Info);
    jpeg_stdio_dest(&Info, F);
    Info.image_width = JDIMENSION(Rgb.width());
    Info.image_height = JDIMENSION(Rgb.height());
    Info.input_components = 3;
    Info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, Quality, TRUE);
    Info.optimize_coding = TRUE;
    // full-resolution colour keeps the thin gold lines and the blue lettering sharp
    for (int C = 0; C < Info.num_components; ++C) {
        Info.comp_info[C].h_samp_factor = 1;
        Info.comp_info[C].v_samp_factor = 1;
    }
    jpeg_start_compress(&Info, TRUE);
    while (Info.next_scanline < Info.image_height) {
        JSAMPROW Row = const_cast<JSAMPROW>(Rgb.constScanLine(int(Info.next_scanline)));
        jpeg_write_scanlines(&Info, &Row, 1);
    }
    jpeg_finish_compress(&Info);
    jpeg_destroy_compress(&Info);
    if (std::fclose(F) != 0) {
        *Error = QStringLiteral("cannot write %1").arg(File);
        return false;
    }
    return true;
}

bool WriteGif(const QImage& Indexed, const QString& File, int TransparentIndex, QString* Error)
{
    if (Indexed.format() != QImage::Format_Indexed8) {
        *Error = QStringLiteral("GIF needs an indexed picture");
        return false;
    }
    // always a full 256-entry global table; unused entries are black
    std::vector<GifColorType> Colours(256, GifColorType{0, 0, 0});
    const QList<QRgb> Table = Indexed.colorTable();
    for (int I = 0; I < Table.size() && I < 256; ++I)
        Colours[size_t(I)] = GifColorType{GifByteType(qRed(Table[I])), GifByteType(qGreen(Table[I])),
                                          GifByteType(qBlue(Table[I]))};
    // through QFile, so the file gets the usual permissions rather than giflib's 0600
    QFile Out(File);
    if (!Out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *Error = Out.errorString();
        return false;
    }
    ColorMapObject* Map = GifMakeMapObject(256, Colours.data());
    int Code = 0;
    GifFileType* Gif = EGifOpen(&Out, GifWrite, &Code);
    if (!Gif) {
        GifFreeMapObject(Map);
        *Error = QString::fromLatin1(GifErrorString(Code));
        return false;
    }
    EGifSetGifVersion(Gif, true);
    bool Ok = EGifPutScreenDesc(Gif, Indexed.width(), Indexed.height(), 8,
                                TransparentIndex >= 0 ? TransparentIndex : 0, Map) == GIF_OK;
    if (Ok && TransparentIndex >= 0) {
        GraphicsControlBlock Gcb{};
        Gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        Gcb.UserInputFlag = false;
        Gcb.DelayTime = 0;
        Gcb.TransparentColor = TransparentIndex;
        GifByteType Ext[4];
        const size_t Len = EGifGCBToExtension(&Gcb, Ext);
        Ok = EGifPutExtension(Gif, GRAPHICS_EXT_FUNC_CODE, int(Len), Ext) == GIF_OK;
    }
    Ok = Ok && EGifPutImageDesc(Gif, 0, 0, Indexed.width(), Indexed.height(), false, nullptr) == GIF_OK;
    for (int Y = 0; Ok && Y < Indexed.height(); ++Y)
        Ok = EGifPutLine(Gif, const_cast<GifPixelType*>(Indexed.constScanLine(Y)), Indexed.width()) == GIF_OK;
    if (!Ok)
        *Error = QString::fromLatin1(GifErrorString(Gif->Error));
    if (EGifCloseFile(Gif, &Code) != GIF_OK && Ok) {
        *Error = QString::fromLatin1(GifErrorString(Code));
        Ok = false;
    }
    GifFreeMapObject(Map);
    return Ok;
}
