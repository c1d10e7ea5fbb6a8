// A printer that prints into PDF files with cairo: each print job becomes one file, each page one
// PDF page of the chosen paper size, and device units are pixels of the chosen resolution. The
// faces of the Chinese system fonts ("宋体" and its kin) are drawn in the CJK font of the system's
// font set. JPEG pictures whose form PDF readers decode themselves are embedded as they are stored;
// any other picture is decoded and embedded as pixels. The reference host and the tests print here
// so that a person can look at every page.
#pragma once

#include "printing/Printer.h"

#include <cairo.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tkv {

struct TPdfPageSetup {
    double WidthMm = 210, HeightMm = 297; // A4 portrait
    int Dpi = 300;
};

class TPdfPrinter : public IPrinter {
public:
    // Jobs are written into the folder (created when missing) as stem-1.pdf, stem-2.pdf, ..., each
    // taking the first number whose file does not exist yet. Every page is emitted `copies` times.
    TPdfPrinter(std::filesystem::path folder, std::string stem, TPdfPageSetup setup = {}, int copies = 1);
    ~TPdfPrinter() override;
    TPdfPrinter(const TPdfPrinter&) = delete;
    TPdfPrinter& operator=(const TPdfPrinter&) = delete;

    const TPdfPageSetup& Setup() const { return setup_; }
    int Copies() const { return copies_; }
    // The files of the jobs ended so far, in order.
    const std::vector<std::filesystem::path>& Jobs() const { return jobs_; }
    bool Printing() const;

    int PageWidth() const override;
    int PageHeight() const override;
    // Raises EPrinter when a job is running already or the file cannot be created.
    void BeginDoc() override;
    // Raises EPrinter outside a job.
    void NewPage() override;
    // Raises EPrinter outside a job or when the file could not be written whole (it is removed).
    void EndDoc() override;
    void SetFont(const TPrinterFont& font) override;
    void SetBrushStyle(TBrushStyle style) override;
    TTextSize TextExtent(const std::string& text) override;
    void DrawText(const std::string& text, const TRect& rect) override;
    void StretchDraw(const TRect& rect, const TGraphic& picture) override;

    // The font family that draws a face name.
    static std::string FamilyOf(const std::string& faceName);

private:
    struct Job;
    void EmitPage();
    // The context to draw on: the job's page; raises EPrinter outside a job.
    cairo_t* Page();
    void ApplyFont(cairo_t* cr) const;

    std::filesystem::path folder_;
    std::string stem_;
    TPdfPageSetup setup_;
    int copies_;
    TPrinterFont font_;
    TBrushStyle brush_ = TBrushStyle::bsSolid;
    std::unique_ptr<Job> job_;
    cairo_t* measure_ = nullptr; // measures text outside a job too
    std::vector<std::filesystem::path> jobs_;
};

} // namespace tkv
