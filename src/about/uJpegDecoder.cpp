#include "uJpegDecoder.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "uError.h"

namespace telmora {
namespace {

const QString kSource = QStringLiteral("JpegDecoder");

// libjpeg's error manager, with the place to jump back to and the message of the failure.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failWithMessage(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

extern "C" void onJpegError(j_common_ptr cinfo) {
    failWithMessage(cinfo);
}

// Warnings (level -1) mean corrupt or missing data that libjpeg would paper over: a damaged
// logo is reported instead of being shown half grey. Trace messages are ignored.
extern "C" void onJpegMessage(j_common_ptr cinfo, int level) {
    if (level < 0) failWithMessage(cinfo);
}

// The two steps that may jump back hold only C objects, so the jump skips no destructor.
bool startDecoding(jpeg_decompress_struct* cinfo, ErrorManager* err, const unsigned char* data,
                   unsigned long size) {
    if (setjmp(err->jump) != 0) return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, data, size);
    jpeg_read_header(cinfo, TRUE);
    cinfo->out_color_space = JCS_RGB;
    jpeg_start_decompress(cinfo);
    return true;
}

bool readRows(jpeg_decompress_struct* cinfo, ErrorManager* err, unsigned char* bits,
              std::size_t stride) {
    if (setjmp(err->jump) != 0) return false;
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = bits + static_cast<std::size_t>(cinfo->output_scanline) * stride;
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

[[noreturn]] void fail(const QString& detail) {
    throw Error(kSource, QStringLiteral("Impossibile decodificare l'immagine JPEG: ") + detail);
}

}  // namespace

QImage decodeJpeg(const QByteArray& data) {
    if (data.isEmpty()) fail(QStringLiteral("il file è vuoto"));
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.emit_message = onJpegMessage;

    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    if (!startDecoding(&cinfo, &err, bytes, static_cast<unsigned long>(data.size()))) {
        jpeg_destroy_decompress(&cinfo);
        fail(QString::fromLocal8Bit(err.message));
    }
    if (cinfo.output_components != 3) {
        jpeg_destroy_decompress(&cinfo);
        fail(QStringLiteral("formato dei colori non gestito"));
    }
    QImage image(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                 QImage::Format_RGB888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        fail(QStringLiteral("immagine troppo grande"));
    }
    const bool read =
        readRows(&cinfo, &err, image.bits(), static_cast<std::size_t>(image.bytesPerLine()));
    jpeg_destroy_decompress(&cinfo);
    if (!read) fail(QString::fromLocal8Bit(err.message));
    return image;
}

QImage decodeJpegFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("impossibile leggere ") + path);
    }
    return decodeJpeg(file.readAll());
}

}  // namespace telmora
