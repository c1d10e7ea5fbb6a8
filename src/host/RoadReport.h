// The summary of a tkvhost run: numbered steps and indented lines, printed and written to the
// summary file in the output folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace tkv::host {

class TRoadReport {
public:
    explicit TRoadReport(const std::filesystem::path& file) : file_(file) {}
    void Step(const std::string& title, const std::string& text) {
        const std::string line = "[" + std::to_string(++n_) + "] " + title + ": " + text + "\n";
        std::cout << line;
        file_ << line;
    }
    void Line(const std::string& text) {
        std::cout << "    " << text << "\n";
        file_ << "    " << text << "\n";
    }

    // One line per non-empty line of the text (menu descriptions end their lines with CR LF).
    void Lines(const std::string& label, const std::string& text) {
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                Line(label + line);
        }
    }

private:
    std::ofstream file_;
    int n_ = 0;
};

} // namespace tkv::host
