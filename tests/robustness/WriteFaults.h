// Faults injected into file writes: a file size limit that makes writes beyond it fail as a full
// disk does (the process's RLIMIT_FSIZE, with its signal ignored so that the write reports EFBIG),
// and the listing of a folder to show what a failed write left behind.
#pragma once

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace tkv::test {

// Files of this process cannot grow beyond `bytes` while the object lives.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        if (getrlimit(RLIMIT_FSIZE, &saved_) != 0)
            throw std::runtime_error("cannot read the file size limit");
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            throw std::runtime_error("cannot set the file size limit");
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

// The sorted names in the folder.
inline std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace tkv::test
