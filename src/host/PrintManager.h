// The host's print manager: renders a report's rows as a paginated table (title, column titles,
// rows, page numbers) into a PDF file in the output folder, and remembers each file it wrote.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tkv::host {

struct TReportTable {
    std::vector<std::string> Columns;
    std::vector<std::vector<std::string>> Rows; // one text per column
};

class TPrintManager {
public:
    // The folder is created at the first report.
    explicit TPrintManager(std::filesystem::path outFolder);

    // Renders the table under the title taken from the template name (its file name without folder
    // and extension) and returns the PDF written. Raises HostError when it cannot be written.
    std::filesystem::path Print(const std::string& templateName, const TReportTable& table);

    const std::vector<std::filesystem::path>& Printed() const { return printed_; }
    const std::filesystem::path& OutFolder() const { return outFolder_; }

    // "reports\发票打印.rpt" -> "发票打印"; an empty name gives "报表".
    static std::string TitleOf(const std::string& templateName);
    // The text size of the table's cells: 9 points, smaller (not under 6) for a table whose texts
    // would not fit the page's width whole.
    static double TextSizeFor(const TReportTable& table);
    // Table rows that fit on one A4 page: portrait up to eight columns, landscape beyond.
    static int RowsPerPage(std::size_t columns);

private:
    std::filesystem::path outFolder_;
    std::vector<std::filesystem::path> printed_;
    int sequence_ = 0;
};

} // namespace tkv::host
