// Reading printed PDF files back with poppler's command-line tools: page count and page size
// (pdfinfo), text and the boxes of its words (pdftotext), the embedded images (pdfimages) and one
// page rendered to pixels (pdftoppm).
#pragma once

#include "toolkit/PixelBuffer.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tkv::test {

inline std::string Quoted(const std::string& path) {
    std::string out = "'";
    for (char c : path)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The command's standard output; raises when it cannot be run or fails.
inline std::string RunCommand(const std::string& command) {
    std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    if (pclose(pipe) != 0)
        throw std::runtime_error("failed: " + command);
    return out;
}

// The value of one "Name: value" line of pdfinfo.
inline std::string PdfInfo(const std::string& file, const std::string& name) {
    std::istringstream in(RunCommand("pdfinfo " + Quoted(file)));
    for (std::string line; std::getline(in, line);)
        if (line.rfind(name + ":", 0) == 0) {
            const std::size_t start = line.find_first_not_of(' ', name.size() + 1);
            return start == std::string::npos ? std::string() : line.substr(start);
        }
    return {};
}

inline int PdfPageCount(const std::string& file) {
    return std::stoi(PdfInfo(file, "Pages"));
}

// The text of one page (1-based), or of all pages for page 0.
inline std::string PdfText(const std::string& file, int page = 0) {
    const std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return RunCommand("pdftotext -layout" + range + " " + Quoted(file) + " -");
}

struct TPdfWord {
    double XMin = 0, YMin = 0, XMax = 0, YMax = 0; // points from the page's top-left corner
    std::string Text;
};

// The words of one page (1-based) with their boxes, in reading order.
inline std::vector<TPdfWord> PdfWords(const std::string& file, int page) {
    const std::string xml = RunCommand("pdftotext -bbox -f " + std::to_string(page) + " -l " +
                                       std::to_string(page) + " " + Quoted(file) + " -");
    std::vector<TPdfWord> words;
    const auto attribute = [](const std::string& tag, const std::string& name) {
        const std::size_t at = tag.find(name + "=\"");
        return at == std::string::npos ? 0.0 : std::stod(tag.substr(at + name.size() + 2));
    };
    for (std::size_t at = xml.find("<word "); at != std::string::npos; at = xml.find("<word ", at + 1)) {
        const std::size_t close = xml.find('>', at), end = xml.find("</word>", at);
        const std::string tag = xml.substr(at, close - at);
        words.push_back({attribute(tag, "xMin"), attribute(tag, "yMin"), attribute(tag, "xMax"),
                         attribute(tag, "yMax"), xml.substr(close + 1, end - close - 1)});
    }
    return words;
}

// The first line of a page as it was drawn: its words joined by as many spaces as the gaps between
// them hold, the narrowest gap of the line counting as one space.
inline std::string PdfFirstLine(const std::string& file, int page) {
    const std::vector<TPdfWord> words = PdfWords(file, page);
    if (words.empty())
        return {};
    std::vector<TPdfWord> line;
    for (const TPdfWord& w : words)
        if (std::abs(w.YMin - words[0].YMin) < 1)
            line.push_back(w);
    double unit = 0;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const double gap = line[i].XMin - line[i - 1].XMax;
        if (unit == 0 || gap < unit)
            unit = gap;
    }
    std::string out = line[0].Text;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const double gap = line[i].XMin - line[i - 1].XMax;
        out += std::string(static_cast<std::size_t>(std::lround(gap / unit)), ' ') + line[i].Text;
    }
    return out;
}

// pdfimages -list without its two title lines.
inline std::string PdfImages(const std::string& file) {
    const std::string all = RunCommand("pdfimages -list " + Quoted(file));
    std::size_t start = 0;
    for (int skip = 0; skip < 2 && start != std::string::npos; ++skip)
        start = all.find('\n', start) + 1;
    return all.substr(start);
}

// The page (1-based) rendered at the resolution, as RGB pixels.
inline TPixelBuffer RenderPdfPage(const std::string& file, int page, int dpi,
                                  const std::string& scratchPrefix) {
    RunCommand("pdftoppm -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " +
               std::to_string(page) + " -singlefile " + Quoted(file) + " " + Quoted(scratchPrefix));
    std::ifstream in(scratchPrefix + ".ppm", std::ios::binary);
    std::string magic;
    int width = 0, height = 0, max = 0;
    in >> magic >> width >> height >> max;
    in.get();
    if (magic != "P6" || max != 255)
        throw std::runtime_error("not a rendered page: " + scratchPrefix + ".ppm");
    TPixelBuffer pixels(width, height);
    for (int y = 0; y < height; ++y)
        in.read(reinterpret_cast<char*>(pixels.Row(y)), static_cast<std::streamsize>(pixels.RowBytes()));
    return pixels;
}

} // namespace tkv::test
