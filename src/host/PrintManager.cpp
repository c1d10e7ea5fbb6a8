// Table reports drawn with cairo into PDF pages, in the CJK font of the system's font set.
#include "PrintManager.h"

#include "db/HostDatabase.h"

#include <algorithm>
#include <cairo-pdf.h>
#include <cairo.h>
#include <cstdio>
#include <system_error>

namespace tkv::host {

namespace fs = std::filesystem;

namespace {

constexpr double kA4Short = 595.0, kA4Long = 842.0; // A4 in points
// Tables of more columns than this are printed on landscape pages.
constexpr std::size_t kPortraitColumns = 8;

struct PageSize {
    double Width, Height;
};

PageSize PageFor(std::size_t columns) {
    return columns > kPortraitColumns ? PageSize{kA4Long, kA4Short} : PageSize{kA4Short, kA4Long};
}
constexpr double kMargin = 36.0;
constexpr double kTitleHeight = 40.0, kRowHeight = 18.0, kFooterHeight = 24.0;
constexpr double kTitleSize = 16.0, kTextSize = 9.0, kMinTextSize = 6.0, kCellPad = 3.0;
constexpr const char* kFontFamily = "WenQuanYi Zen Hei";

double TextWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    return ext.x_advance;
}

struct TableLayout {
    double TextSize = kTextSize;
    std::vector<double> Widths;
};

// Each column as wide as its widest text (titles included, one long text capped) at the body text
// size. A table wider than the printable width takes a smaller text size, down to kMinTextSize, so
// that its texts stay whole; the columns then share out what room is left over.
TableLayout LayOut(cairo_t* cr, const TReportTable& t, double pageWidth) {
    cairo_set_font_size(cr, kTextSize);
    const std::size_t n = t.Columns.size();
    std::vector<double> text(n, 14.0);
    for (std::size_t c = 0; c < n; ++c) {
        text[c] = std::max(text[c], TextWidth(cr, t.Columns[c]));
        for (const auto& row : t.Rows)
            if (c < row.size())
                text[c] = std::max(text[c], std::min(TextWidth(cr, row[c]), 214.0));
    }
    double total = 0;
    for (double w : text)
        total += w;
    const double avail = pageWidth - 2 * kMargin;
    const double room = avail - 2 * kCellPad * static_cast<double>(n);
    TableLayout layout;
    if (total > room && room > 0)
        layout.TextSize = std::max(kMinTextSize, kTextSize * room / total * 0.98); // room for rounding
    const double scale = layout.TextSize / kTextSize;
    double wanted = 0;
    for (double w : text) {
        layout.Widths.push_back(w * scale + 2 * kCellPad);
        wanted += layout.Widths.back();
    }
    for (double& w : layout.Widths)
        w = w * avail / (wanted > 0 ? wanted : 1);
    return layout;
}

void Cell(cairo_t* cr, double x, double y, double w, const std::string& text, bool header) {
    cairo_save(cr);
    if (header) {
        cairo_set_source_rgb(cr, 0.88, 0.9, 0.95);
        cairo_rectangle(cr, x, y, w, kRowHeight);
        cairo_fill(cr);
    }
    cairo_set_source_rgb(cr, 0.4, 0.4, 0.4);
    cairo_set_line_width(cr, 0.5);
    cairo_rectangle(cr, x, y, w, kRowHeight);
    cairo_stroke(cr);
    cairo_rectangle(cr, x + 1, y, w - 2, kRowHeight);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_move_to(cr, x + kCellPad, y + kRowHeight - 5.5);
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
}

void Centered(cairo_t* cr, double pageWidth, double y, const std::string& text) {
    cairo_move_to(cr, (pageWidth - TextWidth(cr, text)) / 2, y);
    cairo_show_text(cr, text.c_str());
}

// A name usable as a file name on every system: separators and reserved characters become "_".
std::string PlainName(const std::string& text) {
    std::string out;
    for (unsigned char c : text)
        out.push_back(c < 0x20 || std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) !=
                                      std::string_view::npos
                          ? '_'
                          : static_cast<char>(c));
    return out;
}

} // namespace

TPrintManager::TPrintManager(fs::path outFolder) : outFolder_(std::move(outFolder)) {}

std::string TPrintManager::TitleOf(const std::string& templateName) {
    std::string name = templateName;
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name.empty() ? "报表" : name;
}

double TPrintManager::TextSizeFor(const TReportTable& table) {
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    const double size = LayOut(cr, table, PageFor(table.Columns.size()).Width).TextSize;
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return size;
}

int TPrintManager::RowsPerPage(std::size_t columns) {
    const double body = PageFor(columns).Height - 2 * kMargin - kTitleHeight - kFooterHeight - kRowHeight;
    return static_cast<int>(body / kRowHeight);
}

fs::path TPrintManager::Print(const std::string& templateName, const TReportTable& table) {
    std::error_code ec;
    fs::create_directories(outFolder_, ec);
    const std::string title = TitleOf(templateName);
    // The next number whose file does not exist yet: earlier runs' reports are kept.
    fs::path file;
    do {
        char seq[16];
        std::snprintf(seq, sizeof seq, "%03d", ++sequence_);
        file = outFolder_ / ("print-" + std::string(seq) + "-" + PlainName(title) + ".pdf");
    } while (fs::exists(file, ec));

    const PageSize page = PageFor(table.Columns.size());
    cairo_surface_t* surface = cairo_pdf_surface_create(file.c_str(), page.Width, page.Height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        throw HostError("打印文件无法写入: " + file.string());
    }
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    const TableLayout layout = LayOut(cr, table, page.Width);
    const std::vector<double>& widths = layout.Widths;

    const int perPage = RowsPerPage(table.Columns.size());
    const int rows = static_cast<int>(table.Rows.size());
    const int pages = std::max(1, (rows + perPage - 1) / perPage);
    for (int pageNo = 0; pageNo < pages; ++pageNo) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_font_size(cr, kTitleSize);
        Centered(cr, page.Width, kMargin + kTitleSize + 4, title);
        cairo_set_font_size(cr, layout.TextSize);
        double y = kMargin + kTitleHeight;
        double x = kMargin;
        for (std::size_t c = 0; c < table.Columns.size(); ++c) {
            Cell(cr, x, y, widths[c], table.Columns[c], true);
            x += widths[c];
        }
        y += kRowHeight;
        for (int r = pageNo * perPage; r < std::min(rows, (pageNo + 1) * perPage); ++r) {
            x = kMargin;
            for (std::size_t c = 0; c < table.Columns.size(); ++c) {
                const auto& row = table.Rows[static_cast<std::size_t>(r)];
                Cell(cr, x, y, widths[c], c < row.size() ? row[c] : std::string(), false);
                x += widths[c];
            }
            y += kRowHeight;
        }
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_font_size(cr, kTextSize);
        Centered(cr, page.Width, page.Height - kMargin,
                 "第 " + std::to_string(pageNo + 1) + " 页 / 共 " + std::to_string(pages) + " 页");
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        fs::remove(file, ec);
        throw HostError("打印文件无法写入: " + file.string());
    }
    printed_.push_back(file);
    return file;
}

} // namespace tkv::host
