// A printer for tests that records every call as a line of text and can be told to fail at the
// n-th call of any step, as a printer that goes offline or jams does. Text is measured as 10 device units
// per byte and 40 high, on a page of the chosen size.
#pragma once

#include "printing/Printer.h"

#include <string>
#include <vector>

namespace tkv::test {

class TRecordingPrinter : public IPrinter {
public:
    TRecordingPrinter(int width = 1000, int height = 1400) : width_(width), height_(height) {}

    std::vector<std::string> Calls;
    // The step ("BeginDoc", "NewPage", "SetFont", "DrawText", "StretchDraw", "EndDoc") whose n-th call
    // (1-based) raises EPrinter: "paper jam" for a picture, "printer offline" for the others.
    std::string FailStep;
    int FailAt = 0;
    int Pictures = 0;
    int Jobs = 0;      // jobs begun
    int EndedJobs = 0; // jobs ended
    bool InJob = false;

    static std::string RectText(const TRect& r) {
        return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
               std::to_string(r.Bottom);
    }

    int PageWidth() const override { return width_; }
    int PageHeight() const override { return height_; }
    void BeginDoc() override {
        Calls.push_back("BeginDoc");
        Step("BeginDoc");
        ++Jobs;
        InJob = true;
    }
    void NewPage() override {
        Calls.push_back("NewPage");
        Step("NewPage");
    }
    // A job whose end fails is over all the same.
    void EndDoc() override {
        Calls.push_back("EndDoc");
        ++EndedJobs;
        InJob = false;
        Step("EndDoc");
    }
    void SetFont(const TPrinterFont& font) override {
        Calls.push_back("SetFont " + font.Name + " " + std::to_string(font.Size) + " " +
                        std::to_string(static_cast<std::uint32_t>(font.Color)));
        Step("SetFont");
    }
    void SetBrushStyle(TBrushStyle style) override {
        Calls.push_back(style == TBrushStyle::bsClear ? "Brush clear" : "Brush solid");
    }
    TTextSize TextExtent(const std::string& text) override {
        return {static_cast<int>(text.size()) * 10, 40};
    }
    void DrawText(const std::string& text, const TRect& rect) override {
        Calls.push_back("DrawText " + text + " @" + RectText(rect));
        Step("DrawText");
    }
    void StretchDraw(const TRect& rect, const TGraphic& picture) override {
        ++Pictures;
        Step("StretchDraw");
        Calls.push_back("StretchDraw " + std::to_string(picture.Width()) + "x" +
                        std::to_string(picture.Height()) + " @" + RectText(rect));
    }

private:
    void Step(const std::string& step) {
        if (step == FailStep && ++failCount_ == FailAt)
            throw EPrinter(step == "StretchDraw" ? "paper jam" : "printer offline");
    }

    int width_, height_;
    int failCount_ = 0;
};

} // namespace tkv::test
