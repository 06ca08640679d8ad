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

namespace painter {

bool writePng(const QImage& img, const QString& file, QString* error)
{
    QImageWriter w(file, "png");
    w.setQuality(0); // Qt maps PNG quality 0 to the strongest deflate; no time stamp is written
    if (w.write(img))
        return true;
    *error = w.errorString();
    return false;
}

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpegFail(j_common_ptr info)
{
    auto* e = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, e->message);
    std::longjmp(e->jump, 1);
}

int gifWrite(GifFileType* gif, const GifByteType* data, int len)
{
    return int(static_cast<QFile*>(gif->UserData)->write(reinterpret_cast<const char*>(data), len));
}

} // namespace

bool writeJpeg(const QImage& img, const QString& file, int quality, QString* error)
{
    const QImage rgb = img.convertToFormat(QImage::Format_RGB888);
    FILE* f = std::fopen(QFile::encodeName(file).constData(), "wb");
    if (!f) {
        *error = QStringLiteral("cannot open %1").arg(file);
        return false;
    }
    jpeg_compress_struct info{};
    JpegError err{};
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegFail;
    if (setjmp(err.jump)) {
        *error = QString::fromLocal8Bit(err.message);
        jpeg_destroy_compress(&info);
        std::fclose(f);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;
    // full-resolution colour keeps the thin gold lines and the blue lettering sharp
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    if (std::fclose(f) != 0) {
        *error = QStringLiteral("cannot write %1").arg(file);
        return false;
    }
    return true;
}

bool writeGif(const QImage& indexed, const QString& file, int transparentIndex, QString* error)
{
    if (indexed.format() != QImage::Format_Indexed8) {
        *error = QStringLiteral("GIF needs an indexed picture");
        return false;
    }
    // always a full 256-entry global table; unused entries are black
    std::vector<GifColorType> colours(256, GifColorType{0, 0, 0});
    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < table.size() && i < 256; ++i)
        colours[size_t(i)] = GifColorType{GifByteType(qRed(table[i])), GifByteType(qGreen(table[i])),
                                          GifByteType(qBlue(table[i]))};
    // through QFile, so the file gets the usual permissions rather than giflib's 0600
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = out.errorString();
        return false;
    }
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    int code = 0;
    GifFileType* gif = EGifOpen(&out, gifWrite, &code);
    if (!gif) {
        GifFreeMapObject(map);
        *error = QString::fromLatin1(GifErrorString(code));
        return false;
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8,
                                transparentIndex >= 0 ? transparentIndex : 0, map) == GIF_OK;
    if (ok && transparentIndex >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = transparentIndex;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(len), ext) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < indexed.height(); ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(indexed.constScanLine(y)), indexed.width()) == GIF_OK;
    if (!ok)
        *error = QString::fromLatin1(GifErrorString(gif->Error));
    if (EGifCloseFile(gif, &code) != GIF_OK && ok) {
        *error = QString::fromLatin1(GifErrorString(code));
        ok = false;
    }
    GifFreeMapObject(map);
    return ok;
}

} // namespace painter
