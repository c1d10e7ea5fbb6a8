// The PDF printer: cairo PDF surfaces whose user space is scaled to device units.
#include "PdfPrinter.h"

#include "toolkit/JPEGImage.h"

#include <cairo-pdf.h>
#include <cmath>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>
#include <system_error>

namespace tkv {

namespace fs = std::filesystem;

namespace {

constexpr double kPointsPerInch = 72.0, kMmPerInch = 25.4;
constexpr const char* kCjkFamily = "WenQuanYi Zen Hei";

double Points(double mm) {
    return mm / kMmPerInch * kPointsPerInch;
}

void SetColor(cairo_t* cr, TColor color) {
    const auto value = static_cast<std::uint32_t>(color);
    if (IsSystemColor(color)) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        return;
    }
    cairo_set_source_rgb(cr, (value & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0,
                         ((value >> 16) & 0xFF) / 255.0);
}

// Unhinted outlines and metrics, so that text measured outside a job has the width it is drawn with.
void SetUnhinted(cairo_t* cr) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

struct JpegProbeErrors {
    jpeg_error_mgr mgr{};
    std::jmp_buf jump{};
};

[[noreturn]] void ProbeErrorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegProbeErrors*>(cinfo->err)->jump, 1);
}

void ProbeMessage(j_common_ptr, int) {}

// True for JPEG data that PDF readers decode themselves: Huffman-coded (baseline or progressive),
// 8 bits per sample, grey or YCbCr colour.
bool PdfReadsJpeg(const std::vector<std::uint8_t>& bytes) {
    jpeg_decompress_struct cinfo{};
    JpegProbeErrors errors;
    cinfo.err = jpeg_std_error(&errors.mgr);
    errors.mgr.error_exit = ProbeErrorExit;
    errors.mgr.emit_message = ProbeMessage;
    volatile bool readable = false;
    if (setjmp(errors.jump) == 0) {
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&cinfo, TRUE);
        readable = !cinfo.arith_code && cinfo.data_precision == 8 &&
                   ((cinfo.num_components == 1 && cinfo.jpeg_color_space == JCS_GRAYSCALE) ||
                    (cinfo.num_components == 3 && cinfo.jpeg_color_space == JCS_YCbCr));
    }
    jpeg_destroy_decompress(&cinfo);
    return readable;
}

void DeleteBytes(void* bytes) {
    delete static_cast<std::vector<std::uint8_t>*>(bytes);
}

cairo_surface_t* CheckedImageSurface(int width, int height) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        throw EPrinter("图片无法打印: " + std::to_string(width) + " x " + std::to_string(height));
    }
    return surface;
}

// The stored JPEG data, embedded as it is. A PDF image fills the unit square that the drawing
// scales to the surface's size, so the surface is one pixel: its pixels are never drawn, and there
// are none to allocate or to copy. The image keeps the JPEG's own size.
cairo_surface_t* JpegSurface(const TJPEGImage& picture) {
    cairo_surface_t* surface = CheckedImageSurface(1, 1);
    auto* bytes = new std::vector<std::uint8_t>(picture.Bytes());
    if (cairo_surface_set_mime_data(surface, CAIRO_MIME_TYPE_JPEG, bytes->data(), bytes->size(), DeleteBytes,
                                    bytes) != CAIRO_STATUS_SUCCESS) {
        delete bytes;
        cairo_surface_destroy(surface);
        throw EPrinter("图片无法打印");
    }
    return surface;
}

cairo_surface_t* PixelSurface(const TGraphic& picture) {
    const TPixelBuffer pixels = picture.Decode();
    cairo_surface_t* surface = CheckedImageSurface(pixels.Width(), pixels.Height());
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < pixels.Height(); ++y) {
        const std::uint8_t* in = pixels.Row(y);
        auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(stride) * y);
        for (int x = 0; x < pixels.Width(); ++x, in += 3)
            out[x] = 0xFF000000u | (std::uint32_t{in[0]} << 16) | (std::uint32_t{in[1]} << 8) | in[2];
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

} // namespace

struct TPdfPrinter::Job {
    fs::path File;
    cairo_surface_t* Surface = nullptr;
    cairo_t* Cr = nullptr;
    // The pictures drawn in the job. cairo keeps a record of every picture a document drew until
    // the document is finished; a picture released before then would have its pixels copied for
    // that record (though a stored JPEG's pixels are never drawn), so they are released after it.
    std::vector<cairo_surface_t*> Pictures;

    void ReleasePictures() {
        for (cairo_surface_t* picture : Pictures)
            cairo_surface_destroy(picture);
        Pictures.clear();
    }
};

TPdfPrinter::TPdfPrinter(fs::path folder, std::string stem, TPdfPageSetup setup, int copies)
    : folder_(std::move(folder)), stem_(std::move(stem)), setup_(setup), copies_(copies < 1 ? 1 : copies) {}

TPdfPrinter::~TPdfPrinter() {
    if (job_) {
        try {
            EndDoc();
        } catch (const EPrinter&) {
            // the job's file is gone already; nothing else to release
        }
    }
    if (measure_)
        cairo_destroy(measure_);
}

bool TPdfPrinter::Printing() const {
    return job_ != nullptr;
}

int TPdfPrinter::PageWidth() const {
    return static_cast<int>(std::lround(setup_.WidthMm / kMmPerInch * setup_.Dpi));
}

int TPdfPrinter::PageHeight() const {
    return static_cast<int>(std::lround(setup_.HeightMm / kMmPerInch * setup_.Dpi));
}

std::string TPdfPrinter::FamilyOf(const std::string& faceName) {
    if (faceName.empty() || faceName == "宋体" || faceName == "新宋体" || faceName == "SimSun" ||
        faceName == "NSimSun")
        return kCjkFamily;
    return faceName;
}

void TPdfPrinter::BeginDoc() {
    if (job_)
        throw EPrinter("打印任务已在进行");
    std::error_code ec;
    fs::create_directories(folder_, ec);
    auto job = std::make_unique<Job>();
    for (int n = 1;; ++n) {
        job->File = folder_ / (stem_ + "-" + std::to_string(n) + ".pdf");
        if (!fs::exists(job->File, ec))
            break;
    }
    job->Surface =
        cairo_pdf_surface_create(job->File.c_str(), Points(setup_.WidthMm), Points(setup_.HeightMm));
    if (cairo_surface_status(job->Surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(job->Surface);
        throw EPrinter("打印文件无法创建: " + job->File.string());
    }
    job->Cr = cairo_create(job->Surface);
    const double scale = kPointsPerInch / setup_.Dpi;
    cairo_scale(job->Cr, scale, scale);
    SetUnhinted(job->Cr);
    job_ = std::move(job);
}

cairo_t* TPdfPrinter::Page() {
    if (!job_)
        throw EPrinter("没有进行中的打印任务");
    return job_->Cr;
}

void TPdfPrinter::EmitPage() {
    for (int c = 1; c < copies_; ++c)
        cairo_copy_page(job_->Cr);
    cairo_show_page(job_->Cr);
}

void TPdfPrinter::NewPage() {
    Page();
    EmitPage();
}

void TPdfPrinter::EndDoc() {
    Page();
    EmitPage();
    const std::unique_ptr<Job> job = std::move(job_);
    cairo_status_t status = cairo_status(job->Cr);
    cairo_destroy(job->Cr);
    cairo_surface_finish(job->Surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(job->Surface);
    cairo_surface_destroy(job->Surface);
    job->ReleasePictures();
    if (status != CAIRO_STATUS_SUCCESS) {
        std::error_code ec;
        fs::remove(job->File, ec);
        throw EPrinter("打印文件无法写入: " + job->File.string() + " (" + cairo_status_to_string(status) +
                       ")");
    }
    jobs_.push_back(job->File);
}

void TPdfPrinter::SetFont(const TPrinterFont& font) {
    font_ = font;
}

void TPdfPrinter::SetBrushStyle(TBrushStyle style) {
    brush_ = style;
}

void TPdfPrinter::ApplyFont(cairo_t* cr) const {
    cairo_select_font_face(cr, FamilyOf(font_.Name).c_str(), CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font_.Size * static_cast<double>(setup_.Dpi) / kPointsPerInch);
}

TTextSize TPdfPrinter::TextExtent(const std::string& text) {
    if (!measure_) {
        cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
        measure_ = cairo_create(scratch);
        cairo_surface_destroy(scratch);
        SetUnhinted(measure_);
    }
    ApplyFont(measure_);
    cairo_text_extents_t text_{};
    cairo_text_extents(measure_, text.c_str(), &text_);
    cairo_font_extents_t font{};
    cairo_font_extents(measure_, &font);
    return {static_cast<int>(std::ceil(text_.x_advance)),
            static_cast<int>(std::ceil(font.ascent + font.descent))};
}

void TPdfPrinter::DrawText(const std::string& text, const TRect& rect) {
    cairo_t* cr = Page();
    cairo_save(cr);
    cairo_rectangle(cr, rect.Left, rect.Top, rect.Width(), rect.Height());
    cairo_clip(cr);
    if (brush_ == TBrushStyle::bsSolid) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
    }
    ApplyFont(cr);
    cairo_font_extents_t font{};
    cairo_font_extents(cr, &font);
    SetColor(cr, font_.Color);
    cairo_move_to(cr, rect.Left, rect.Top + font.ascent);
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        throw EPrinter(std::string("文字无法打印: ") + cairo_status_to_string(cairo_status(cr)));
}

void TPdfPrinter::StretchDraw(const TRect& rect, const TGraphic& picture) {
    cairo_t* cr = Page();
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    const auto* jpeg = dynamic_cast<const TJPEGImage*>(&picture);
    cairo_surface_t* source =
        jpeg && PdfReadsJpeg(jpeg->Bytes()) ? JpegSurface(*jpeg) : PixelSurface(picture);
    cairo_save(cr);
    cairo_rectangle(cr, rect.Left, rect.Top, rect.Width(), rect.Height());
    cairo_clip(cr);
    cairo_translate(cr, rect.Left, rect.Top);
    cairo_scale(cr, static_cast<double>(rect.Width()) / cairo_image_surface_get_width(source),
                static_cast<double>(rect.Height()) / cairo_image_surface_get_height(source));
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    job_->Pictures.push_back(source);
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        throw EPrinter(std::string("图片无法打印: ") + cairo_status_to_string(cairo_status(cr)));
}

} // namespace tkv
