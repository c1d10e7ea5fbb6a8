// The demo invoice pages, laid out in millimetres on the 240 x 140 mm form.
#include "InvoicePage.h"

#include "framework/DateTime.h"
#include "sim/SimJpeg.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <cairo.h>
#include <cmath>
#include <cstdio>
#include <memory>

namespace tkv::host {

namespace {

constexpr double kPageWidth = 240, kPageHeight = 140; // mm
constexpr double kTaxRate = 0.13;
constexpr const char* kFont = "WenQuanYi Zen Hei";

double Cents(double amount) {
    return std::round(amount * 100) / 100;
}

std::string Money(double amount) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", amount);
    return text;
}

// A line's amount before tax and its tax, each rounded to the cent as the invoice prints them.
TInvoiceTotals AmountsOf(const TDemoInvoiceLine& line) {
    const double amount = Cents(line.Qty * line.TaxPrice / (1 + kTaxRate));
    return {amount, Cents(amount * kTaxRate)};
}

// A repeatable stream of numbers for the page's made-up details (tax numbers, cipher area).
struct Lcg {
    std::uint32_t State;
    std::uint32_t Next() { return State = State * 1664525u + 1013904223u; }
};

std::uint32_t Seed(const std::string& text) {
    std::uint32_t h = 2166136261u; // FNV-1a
    for (unsigned char c : text)
        h = (h ^ c) * 16777619u;
    return h;
}

// An 18-character unified social credit code of a Chongqing enterprise, the same for the same name.
std::string TaxNumber(const std::string& name) {
    static constexpr char kChars[] = "0123456789ABCDEFGHJKLMNPQRTUWXY";
    Lcg rng{Seed(name)};
    std::string code = "915001";
    while (code.size() < 18)
        code += kChars[(rng.Next() >> 16) % (sizeof kChars - 1)];
    return code;
}

std::vector<std::string> Characters(const std::string& utf8) {
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        chars.push_back(utf8.substr(i, n));
        i += n;
    }
    return chars;
}

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

struct Rgb {
    double R, G, B;
};
constexpr Rgb kForm{0.55, 0.30, 0.16}; // the printed form's brown
constexpr Rgb kInk{0.08, 0.08, 0.10};  // what the tax system's printer adds
constexpr Rgb kSeal{0.86, 0.10, 0.12};

class TPage {
public:
    TPage(cairo_t* cr) : cr_(cr) {}

    void Colour(Rgb c, double alpha = 1) { cairo_set_source_rgba(cr_, c.R, c.G, c.B, alpha); }
    void Font(double size, bool bold = false) {
        cairo_select_font_face(cr_, kFont, CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr_, size);
    }
    double Width(const std::string& text) {
        cairo_text_extents_t ext;
        cairo_text_extents(cr_, text.c_str(), &ext);
        return ext.x_advance;
    }
    // align: 0 left at x, 0.5 centred on x, 1 right-aligned to x; y is the baseline.
    void Text(const std::string& text, double x, double y, double align = 0) {
        cairo_move_to(cr_, x - Width(text) * align, y);
        cairo_show_text(cr_, text.c_str());
    }
    // Characters one below the other, centred in the band from top to bottom.
    void Vertical(const std::string& text, double x, double top, double bottom, double size) {
        const std::vector<std::string> chars = Characters(text);
        const double step = (bottom - top) / static_cast<double>(chars.size());
        for (std::size_t i = 0; i < chars.size(); ++i)
            Text(chars[i], x, top + step * (static_cast<double>(i) + 0.5) + size * 0.38, 0.5);
    }
    void Line(double x1, double y1, double x2, double y2, double width = 0.25) {
        cairo_set_line_width(cr_, width);
        cairo_move_to(cr_, x1, y1);
        cairo_line_to(cr_, x2, y2);
        cairo_stroke(cr_);
    }
    void Box(double x, double y, double w, double h, double width = 0.3) {
        cairo_set_line_width(cr_, width);
        cairo_rectangle(cr_, x, y, w, h);
        cairo_stroke(cr_);
    }
    cairo_t* Cr() const { return cr_; }

private:
    cairo_t* cr_;
};

// The QR code in whole device pixels per module, so that its edges stay sharp in the scan.
void DrawQr(cairo_t* cr, const std::string& text, double xMm, double yMm, double sizeMm, double pxPerMm) {
    const ZXing::BitMatrix bits =
        ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode).setMargin(0).encode(text, 0, 0);
    const double module = std::max(2.0, std::floor(sizeMm * pxPerMm / bits.width()));
    const double x0 = std::round(xMm * pxPerMm), y0 = std::round(yMm * pxPerMm);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, x0 - 2 * module, y0 - 2 * module, (bits.width() + 4) * module,
                    (bits.height() + 4) * module);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, kInk.R, kInk.G, kInk.B);
    for (int y = 0; y < bits.height(); ++y)
        for (int x = 0; x < bits.width(); ++x)
            if (bits.get(x, y))
                cairo_rectangle(cr, x0 + x * module, y0 + y * module, module, module);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Name, tax number, address and bank of a party in the block from top to bottom, and the area at
// its right (the cipher area or the remarks) under its side label.
void DrawParty(TPage& page, const char* label, const char* sideLabel, const std::string& name, double top,
               double bottom, const std::string& address, const std::string& bank) {
    page.Colour(kForm);
    page.Font(3.0);
    page.Vertical(label, 13.5, top, bottom, 3.0);
    page.Vertical(sideLabel, 149, top, bottom, 3.0);
    for (double x : {17.0, 146.0, 152.0})
        page.Line(x, top, x, bottom);
    const char* fields[] = {"名        称:", "纳税人识别号:", "地 址、电 话:", "开户行及账号:"};
    const std::string values[] = {name, TaxNumber(name), address, bank};
    const double step = (bottom - top) / 4;
    for (int i = 0; i < 4; ++i) {
        const double y = top + step * (i + 0.5) + 1.1;
        page.Colour(kForm);
        page.Font(2.8);
        page.Text(fields[i], 19, y);
        page.Colour(kInk);
        page.Font(i == 0 ? 3.2 : 2.9);
        page.Text(values[i], 44, y);
    }
}

void DrawSeal(TPage& page, const std::string& seller, double cx, double cy) {
    constexpr double a = 20, b = 15; // the 40 x 30 mm oval of an invoice seal
    cairo_t* cr = page.Cr();
    page.Colour(kSeal, 0.85);
    cairo_save(cr);
    cairo_new_path(cr); // no line from where the last text ended
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, a, b);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // The seller's name along the upper arc, each character upright towards the rim.
    const std::vector<std::string> chars = Characters(seller);
    const double from = M_PI + 0.35, to = 2 * M_PI - 0.35;
    page.Font(3.4, true);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const double t = chars.size() == 1 ? (from + to) / 2
                                           : from + (to - from) * static_cast<double>(i) /
                                                        static_cast<double>(chars.size() - 1);
        cairo_save(cr);
        cairo_translate(cr, cx + (a - 4.2) * std::cos(t), cy + (b - 4.2) * std::sin(t));
        cairo_rotate(cr, std::atan2(b * std::cos(t), -a * std::sin(t))); // along the rim
        page.Text(chars[i], 0, 1.2, 0.5);
        cairo_restore(cr);
    }
    page.Font(2.6, true);
    page.Text(TaxNumber(seller), cx, cy + 1.5, 0.5);
    page.Font(3.6, true);
    page.Text("发票专用章", cx, cy + 8.5, 0.5);
}

void DrawInvoice(TPage& page, const TDemoInvoice& invoice, int copy, double pxPerMm) {
    cairo_t* cr = page.Cr();
    cairo_set_source_rgb(cr, 0.99, 0.98, 0.95);
    cairo_paint(cr);
    DrawQr(cr, InvoiceQrText(invoice), 12, 6, 20, pxPerMm);

    page.Colour(kForm);
    page.Font(7.0, true);
    page.Text("重庆增值税专用发票", kPageWidth / 2, 15, 0.5);
    page.Line(84, 18.2, 156, 18.2, 0.35);
    page.Line(84, 19.2, 156, 19.2, 0.35);
    page.Font(3.6);
    page.Text(copy == 0 ? "发  票  联" : "抵  扣  联", kPageWidth / 2, 25, 0.5);

    const DateParts d = DecodeDateTime(invoice.Date);
    char date[48];
    std::snprintf(date, sizeof date, "%04d年%02d月%02d日", d.year, d.month, d.day);
    const std::pair<const char*, std::string> heads[] = {
        {"发票代码:", invoice.Code}, {"发票号码:", invoice.Number}, {"开票日期:", date}};
    for (int i = 0; i < 3; ++i) {
        page.Colour(kForm);
        page.Font(3.0);
        page.Text(heads[i].first, 172, 11 + 5.5 * i);
        page.Colour(kInk);
        page.Font(i == 1 ? 4.0 : 3.2);
        page.Text(heads[i].second, 188, 11 + 5.5 * i);
    }

    // The form: buyer and cipher area, the lines, the totals, seller and remarks.
    constexpr double left = 10, right = 230, top = 30, linesTop = 48, linesHead = 53, sumTop = 90,
                     totalTop = 96, sellerTop = 103, bottom = 119;
    page.Colour(kForm);
    page.Box(left, top, right - left, bottom - top, 0.45);
    for (double y : {linesTop, sumTop, totalTop, sellerTop})
        page.Line(left, y, right, y);
    DrawParty(page, "购买方", "密码区", invoice.Buyer, top, linesTop, "重庆市渝中区民族路168号 023-63701234",
              "中国工商银行重庆解放碑支行 3100021809024567891");
    Lcg cipher{Seed(invoice.Number)};
    page.Colour(kInk);
    page.Font(3.1);
    for (int row = 0; row < 4; ++row) {
        std::string text;
        for (int i = 0; i < 27; ++i)
            text += "0123456789+-*/<>"[(cipher.Next() >> 16) % 16];
        page.Text(text, 154, top + 4.2 + 4.3 * row);
    }

    struct Column {
        const char* Title;
        double Left, Right;
    };
    const Column cols[] = {{"货物或应税劳务、服务名称", 10, 72},
                           {"规格型号", 72, 98},
                           {"单位", 98, 108},
                           {"数 量", 108, 125},
                           {"单 价", 125, 148},
                           {"金 额", 148, 178},
                           {"税率", 178, 190},
                           {"税 额", 190, 230}};
    page.Font(2.8);
    for (const Column& c : cols) {
        page.Colour(kForm);
        page.Text(c.Title, (c.Left + c.Right) / 2, linesTop + 3.6, 0.5);
    }
    page.Colour(kInk);
    page.Font(2.9);
    double y = linesHead + 4;
    for (const TDemoInvoiceLine& line : invoice.Lines) {
        const TInvoiceTotals amounts = AmountsOf(line);
        page.Text(line.Name, cols[0].Left + 1.5, y);
        page.Text(line.Standard, cols[1].Left + 1, y);
        page.Text(line.Unit, (cols[2].Left + cols[2].Right) / 2, y, 0.5);
        char qty[32], price[32];
        std::snprintf(qty, sizeof qty, "%g", line.Qty);
        std::snprintf(price, sizeof price, "%.6f", line.TaxPrice / (1 + kTaxRate));
        page.Text(qty, cols[3].Right - 1, y, 1);
        page.Text(price, cols[4].Right - 1, y, 1);
        page.Text(Money(amounts.Amount), cols[5].Right - 1, y, 1);
        page.Text("13%", (cols[6].Left + cols[6].Right) / 2, y, 0.5);
        page.Text(Money(amounts.Tax), cols[7].Right - 1, y, 1);
        y += 4.6;
    }

    const TInvoiceTotals totals = TotalsOf(invoice);
    page.Colour(kForm);
    page.Font(3.0);
    page.Text("合        计", (cols[0].Left + cols[0].Right) / 2, sumTop + 4.2, 0.5);
    page.Text("价税合计(大写)", cols[0].Left + 1.5, totalTop + 4.7);
    page.Text("(小写)", 172, totalTop + 4.7);
    page.Colour(kInk);
    page.Font(3.2);
    page.Text("¥" + Money(totals.Amount), cols[5].Right - 1, sumTop + 4.2, 1);
    page.Text("¥" + Money(totals.Tax), cols[7].Right - 1, sumTop + 4.2, 1);
    page.Text(AmountInCapitals(totals.Total()), 62, totalTop + 4.7);
    // The circled cross that closes the capital figures off to the left.
    constexpr double r = 1.4, cx = 59.5, cy = totalTop + 3.6;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_line_width(cr, 0.25);
    cairo_stroke(cr);
    page.Line(cx - r * 0.7, cy - r * 0.7, cx + r * 0.7, cy + r * 0.7);
    page.Line(cx - r * 0.7, cy + r * 0.7, cx + r * 0.7, cy - r * 0.7);
    page.Text("¥" + Money(totals.Total()), 186, totalTop + 4.7);

    DrawParty(page, "销售方", "备注", invoice.Seller, sellerTop, bottom,
              "重庆市两江新区金渝大道99号 023-67881234", "中国建设银行重庆两江分行 50001083600050212345");
    page.Colour(kForm);
    page.Font(3.0);
    page.Text("收款人: 周丽", 20, 127);
    page.Text("复核: 何军", 75, 127);
    page.Text("开票人: 陈晓", 125, 127);
    page.Text("销售方: (章)", 180, 127);
    DrawSeal(page, invoice.Seller, 198, 122);
}

} // namespace

TInvoiceTotals TotalsOf(const TDemoInvoice& invoice) {
    TInvoiceTotals totals;
    for (const TDemoInvoiceLine& line : invoice.Lines) {
        const TInvoiceTotals amounts = AmountsOf(line);
        totals.Amount += amounts.Amount;
        totals.Tax += amounts.Tax;
    }
    totals.Amount = Cents(totals.Amount);
    totals.Tax = Cents(totals.Tax);
    return totals;
}

std::string InvoiceQrText(const TDemoInvoice& invoice) {
    const DateParts d = DecodeDateTime(invoice.Date);
    char date[16], check[8];
    std::snprintf(date, sizeof date, "%04d%02d%02d", d.year, d.month, d.day);
    std::snprintf(check, sizeof check, "%04X", Seed(invoice.Code + invoice.Number) & 0xFFFF);
    return "01,01," + invoice.Code + "," + invoice.Number + "," + Money(TotalsOf(invoice).Amount) + "," +
           date + ",," + check + ",";
}

std::string AmountInCapitals(double amount) {
    static const char* const kDigits[] = {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};
    static const char* const kPlaces[] = {"", "拾", "佰", "仟"};
    static const char* const kGroups[] = {"", "万", "亿"};
    const auto cents = static_cast<long long>(std::llround(std::fabs(amount) * 100));
    long long yuan = cents / 100;
    const int jiao = static_cast<int>(cents / 10 % 10), fen = static_cast<int>(cents % 10);
    std::string text;
    // Groups of four digits from the highest; zeros inside or between groups read as one 零.
    std::vector<int> groups;
    for (; yuan > 0; yuan /= 10000)
        groups.push_back(static_cast<int>(yuan % 10000));
    bool zero = false;
    for (std::size_t g = groups.size(); g-- > 0;) {
        const int group = groups[g];
        if (group == 0) {
            zero = !text.empty();
            continue;
        }
        for (int place = 3, unit = 1000; place >= 0; --place, unit /= 10) {
            const int digit = group / unit % 10;
            if (digit == 0) {
                zero = !text.empty();
                continue;
            }
            if (zero)
                text += kDigits[0];
            zero = false;
            text += std::string(kDigits[digit]) + kPlaces[place];
        }
        text += kGroups[g];
    }
    if (!text.empty())
        text += "圆";
    if (jiao == 0 && fen == 0)
        return (amount < 0 ? "负" : "") + (text.empty() ? std::string("零圆") : text) + "整";
    if (jiao > 0)
        text += std::string(kDigits[jiao]) + "角";
    else if (!text.empty())
        text += kDigits[0];
    text += fen > 0 ? std::string(kDigits[fen]) + "分" : std::string("整");
    return (amount < 0 ? "负" : "") + text;
}

std::vector<std::uint8_t> InvoicePageJpeg(const TDemoInvoice& invoice, int copy, int width) {
    const int height = static_cast<int>(std::lround(width * kPageHeight / kPageWidth));
    const double pxPerMm = width / kPageWidth;
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), &cairo_surface_destroy);
    {
        Context cr(cairo_create(surface.get()), &cairo_destroy);
        cairo_scale(cr.get(), pxPerMm, pxPerMm);
        TPage page(cr.get());
        DrawInvoice(page, invoice, copy, pxPerMm);
    }
    cairo_surface_flush(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            p[0] = static_cast<std::uint8_t>(row[x] >> 16);
            p[1] = static_cast<std::uint8_t>(row[x] >> 8);
            p[2] = static_cast<std::uint8_t>(row[x]);
        }
    }
    return sim::EncodeJpeg(rgb, width, height, 85);
}

} // namespace tkv::host
