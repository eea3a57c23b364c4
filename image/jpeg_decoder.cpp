// JPEG through libjpeg. libjpeg reports errors by calling error_exit, which
// must not return; it longjmps back into DecodeJpegInto. That function owns
// no C++ object whose state changes after setjmp: the picture it fills is
// the caller's, reached through a pointer that never changes.
// jpeglib.h needs size_t and FILE declared before it.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <cstdlib>
#include <new>
#include <cstring>

#include "image/picture.h"
#include "image/picture_internal.h"

namespace tovane {
namespace {

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

extern "C" void JpegErrorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->jump, 1);
}

extern "C" void JpegSilentMessage(j_common_ptr, int) {}
extern "C" void JpegSilentOutput(j_common_ptr) {}

// Corrupt progressive files can hold thousands of tiny scans; a skin
// picture never has more than a handful.
constexpr int kMaxScans = 256;

extern "C" void JpegProgress(j_common_ptr cinfo) {
    if (cinfo->is_decompressor) {
        auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
        if (d->input_scan_number > kMaxScans) JpegErrorExit(cinfo);
    }
}

bool DecodeJpegInto(const uint8_t* data, size_t size, size_t maxPixels, Picture* out, JSAMPLE* volatile* rowBuffer) {
    jpeg_decompress_struct cinfo;
    JpegErrorManager err;
    jpeg_progress_mgr progress;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = JpegErrorExit;
    err.base.emit_message = JpegSilentMessage;
    err.base.output_message = JpegSilentOutput;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    progress.progress_monitor = JpegProgress;
    cinfo.progress = &progress;
    cinfo.mem->max_memory_to_use = 256L << 20;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK ||
        !detail::PictureSizeAllowed(cinfo.image_width, cinfo.image_height, maxPixels)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    int components = cinfo.output_components;
    if ((components != 3 && components != 4) ||
        !detail::PictureSizeAllowed(cinfo.output_width, cinfo.output_height, maxPixels)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    try {
        detail::AllocatePicture(*out, static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    *rowBuffer = static_cast<JSAMPLE*>(std::malloc(static_cast<size_t>(cinfo.output_width) * components));
    if (!*rowBuffer) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = *rowBuffer;
        uint8_t* dst = out->pixels.data() + static_cast<size_t>(cinfo.output_scanline) * cinfo.output_width * 4;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) break;
        for (JDIMENSION x = 0; x < cinfo.output_width; ++x, dst += 4) {
            const JSAMPLE* s = row + x * components;
            if (cmyk) {
                // Adobe writes inverted CMYK: the values are already 255 - ink.
                unsigned k = s[3];
                dst[0] = static_cast<uint8_t>(s[2] * k / 255);
                dst[1] = static_cast<uint8_t>(s[1] * k / 255);
                dst[2] = static_cast<uint8_t>(s[0] * k / 255);
            } else {
                dst[0] = s[2];
                dst[1] = s[1];
                dst[2] = s[0];
            }
            dst[3] = 255;
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

Picture DecodeJpeg(const uint8_t* data, size_t size, size_t maxPixels) {
    Picture picture;
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8) return picture;
    JSAMPLE* volatile rowBuffer = nullptr;
    bool ok = DecodeJpegInto(data, size, maxPixels, &picture, &rowBuffer);
    std::free(rowBuffer);
    if (!ok) return Picture();
    return picture;
}

}  // namespace tovane
