// JPEG pictures through libjpeg: header reading, scaled and full decoding into RGB, encoding. A
// libjpeg error jumps back to the step that started it and becomes EInvalidGraphic; warnings (a
// damaged scan, a picture cut short) are neither printed nor fatal.
#include "JPEGImage.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <jpeglib.h>
#include <string>

namespace tkv {

namespace {

// libjpeg's error manager, first member so that libjpeg's pointer to it leads back to the rest.
struct JpegErrors {
    jpeg_error_mgr mgr{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

void IgnoreMessage(j_common_ptr, int) {}
void IgnoreOutput(j_common_ptr) {}

jpeg_error_mgr* InstallErrors(JpegErrors& errors) {
    jpeg_std_error(&errors.mgr);
    errors.mgr.error_exit = ErrorExit;
    errors.mgr.emit_message = IgnoreMessage;
    errors.mgr.output_message = IgnoreOutput;
    return &errors.mgr;
}

// Runs libjpeg steps; an error that libjpeg reports jumps back here and is raised. The jump skips
// the frames in between, so the steps own nothing with a destructor: their objects belong to the
// caller.
template <class Steps> void RunJpegSteps(JpegErrors& errors, const Steps& steps) {
    if (setjmp(errors.jump) != 0)
        throw EInvalidGraphic(std::string("不是有效的JPEG图片: ") + errors.message);
    steps();
}

struct Decompressor {
    jpeg_decompress_struct cinfo{};
    JpegErrors errors;
    Decompressor() { cinfo.err = InstallErrors(errors); }
    // Safe before creation too: a zeroed object owns no memory.
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

struct Compressor {
    jpeg_compress_struct cinfo{};
    JpegErrors errors;
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    Compressor() { cinfo.err = InstallErrors(errors); }
    ~Compressor() {
        jpeg_destroy_compress(&cinfo);
        std::free(out);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

void ReadHeader(Decompressor& d, const std::vector<std::uint8_t>& bytes) {
    RunJpegSteps(d.errors, [&] {
        jpeg_create_decompress(&d.cinfo);
        jpeg_mem_src(&d.cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&d.cinfo, TRUE);
    });
}

bool IsCmyk(J_COLOR_SPACE space) {
    return space == JCS_CMYK || space == JCS_YCCK;
}

// One CMYK row to RGB. Adobe's files store the inks inverted, others as they are.
void CmykRowToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = static_cast<std::uint8_t>(ink * k / 255u);
        }
    }
}

} // namespace

TJPEGImage::TJPEGImage(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
    Decompressor d;
    ReadHeader(d, bytes_);
    switch (d.cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
    case JCS_CMYK:
    case JCS_YCCK:
        break;
    default:
        throw EInvalidGraphic("JPEG: unsupported colour space");
    }
    CheckPictureSize(d.cinfo.image_width, d.cinfo.image_height);
    width_ = static_cast<int>(d.cinfo.image_width);
    height_ = static_cast<int>(d.cinfo.image_height);
}

std::shared_ptr<TJPEGImage> TJPEGImage::FromPixels(const TPixelBuffer& pixels) {
    return FromPixels(pixels.Rgb().data(), pixels.Width(), pixels.Height());
}

std::shared_ptr<TJPEGImage> TJPEGImage::FromPixels(const std::uint8_t* rgb, int width, int height) {
    CheckPictureSize(width, height);
    Compressor c;
    RunJpegSteps(c.errors, [&] {
        jpeg_create_compress(&c.cinfo);
        jpeg_mem_dest(&c.cinfo, &c.out, &c.outSize);
        c.cinfo.image_width = static_cast<JDIMENSION>(width);
        c.cinfo.image_height = static_cast<JDIMENSION>(height);
        c.cinfo.input_components = 3;
        c.cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&c.cinfo); // colour (YCbCr), sequential, Huffman
        jpeg_set_quality(&c.cinfo, 90, TRUE);
        jpeg_start_compress(&c.cinfo, TRUE);
        const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
        while (c.cinfo.next_scanline < c.cinfo.image_height) {
            JSAMPROW row = const_cast<JSAMPROW>(rgb + rowBytes * c.cinfo.next_scanline);
            jpeg_write_scanlines(&c.cinfo, &row, 1);
        }
        jpeg_finish_compress(&c.cinfo);
    });
    return std::make_shared<TJPEGImage>(std::vector<std::uint8_t>(c.out, c.out + c.outSize));
}

int TJPEGImage::ThumbnailScale(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight) {
    // libjpeg's output size at n/8 is the size times n / 8, rounded up.
    auto scaled = [](int size, int n) {
        return (static_cast<long long>(size) * n + 7) / 8;
    };
    // A picture smaller than the box stays at its own size: the renderer stretches it.
    for (int n = 1; n < 8; ++n)
        if (scaled(pictureWidth, n) >= boxWidth && scaled(pictureHeight, n) >= boxHeight)
            return n;
    return 8;
}

const TPixelBuffer& TJPEGImage::Thumbnail(int width, int height) const {
    const int scale = ThumbnailScale(width_, height_, width, height);
    if (thumbnail_.Empty() || thumbnailScale_ < scale) {
        thumbnail_ = DecodeAt(scale);
        thumbnailScale_ = scale;
    }
    return thumbnail_;
}

TPixelBuffer TJPEGImage::Decode() const {
    return DecodeAt(8);
}

TPixelBuffer TJPEGImage::DecodeAt(int scaleNum) const {
    Decompressor d;
    ReadHeader(d, bytes_);
    TPixelBuffer out;
    std::vector<std::uint8_t> cmykRow;
    const bool cmyk = IsCmyk(d.cinfo.jpeg_color_space);
    RunJpegSteps(d.errors, [&] {
        d.cinfo.scale_num = static_cast<unsigned>(scaleNum);
        d.cinfo.scale_denom = 8;
        d.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
        jpeg_start_decompress(&d.cinfo);
        const JDIMENSION w = d.cinfo.output_width;
        out = TPixelBuffer(static_cast<int>(w), static_cast<int>(d.cinfo.output_height));
        if (cmyk)
            cmykRow.resize(static_cast<std::size_t>(w) * 4);
        while (d.cinfo.output_scanline < d.cinfo.output_height) {
            std::uint8_t* dest = out.Row(static_cast<int>(d.cinfo.output_scanline));
            JSAMPROW row = cmyk ? cmykRow.data() : dest;
            jpeg_read_scanlines(&d.cinfo, &row, 1);
            if (cmyk)
                CmykRowToRgb(cmykRow.data(), dest, w, d.cinfo.saw_Adobe_marker);
        }
        jpeg_finish_decompress(&d.cinfo);
    });
    return out;
}

TJPEGImage::TGreyPixels TJPEGImage::DecodeGreyAt(int scaleNum) const {
    return DecodeGreyTopLeft(scaleNum, 1.0, 1.0);
}

TJPEGImage::TGreyPixels TJPEGImage::DecodeGreyTopLeft(int scaleNum, double widthPart,
                                                      double heightPart) const {
    TGreyPixels out;
    auto partOf = [](JDIMENSION whole, double part) {
        return std::clamp<JDIMENSION>(static_cast<JDIMENSION>(whole * part), 1, whole);
    };
    Decompressor d;
    ReadHeader(d, bytes_);
    if (IsCmyk(d.cinfo.jpeg_color_space)) {
        // libjpeg gives no brightness of CMYK: the colour decode, brought to grey where the part is.
        const TPixelBuffer rgb = DecodeAt(scaleNum);
        out.Width = static_cast<int>(partOf(static_cast<JDIMENSION>(rgb.Width()), widthPart));
        out.Height = static_cast<int>(partOf(static_cast<JDIMENSION>(rgb.Height()), heightPart));
        out.Values.resize(static_cast<std::size_t>(out.Width) * out.Height);
        std::uint8_t* v = out.Values.data();
        for (int y = 0; y < out.Height; ++y)
            for (const std::uint8_t* p = rgb.Row(y); p < rgb.Row(y) + out.Width * 3; p += 3)
                *v++ = static_cast<std::uint8_t>((p[0] * 77 + p[1] * 150 + p[2] * 29) >> 8);
        return out;
    }
    RunJpegSteps(d.errors, [&] {
        d.cinfo.scale_num = static_cast<unsigned>(scaleNum);
        d.cinfo.scale_denom = 8;
        d.cinfo.out_color_space = JCS_GRAYSCALE;
        jpeg_start_decompress(&d.cinfo);
        const JDIMENSION rows = partOf(d.cinfo.output_height, heightPart);
        JDIMENSION left = 0, width = partOf(d.cinfo.output_width, widthPart);
        if (width < d.cinfo.output_width)
            jpeg_crop_scanline(&d.cinfo, &left, &width); // widens to whole blocks
        out.Width = static_cast<int>(d.cinfo.output_width);
        out.Height = static_cast<int>(rows);
        out.Values.resize(static_cast<std::size_t>(out.Width) * out.Height);
        while (d.cinfo.output_scanline < rows) {
            JSAMPROW row = &out.Values[static_cast<std::size_t>(d.cinfo.output_scanline) * out.Width];
            jpeg_read_scanlines(&d.cinfo, &row, 1);
        }
        // The rows below the part are never decoded.
        jpeg_abort_decompress(&d.cinfo);
    });
    return out;
}

} // namespace tkv
