#include "drawing/encode.h"

#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>

#include <csetjmp>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace drawing {

namespace {

// libjpeg reports errors through a callback that must not return: turn them into a longjmp.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->escape, 1);
}

}  // namespace

QByteArray jpeg(const QImage& image, QSize expected, int quality)
{
    if (image.size() != expected)
        throw std::runtime_error("jpeg: image is " + std::to_string(image.width()) + "x" + std::to_string(image.height()) +
                                 ", expected " + std::to_string(expected.width()) + "x" + std::to_string(expected.height()));
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);

    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        throw std::runtime_error(std::string("jpeg: ") + errors.message);
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full colour resolution (4:4:4): subsampled colour smears a coloured ground into
    // the white beside it, and a blank must stay pure white up to its edge.
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    info.optimize_coding = TRUE;
    // One pixel is one screen pixel whatever density the file declares; declare 96 dpi.
    info.density_unit = 1;
    info.X_density = 96;
    info.Y_density = 96;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

}  // namespace drawing
