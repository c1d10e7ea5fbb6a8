// The test executable's own remove and unlink come before the C library's, so that the standard
// library's file removal reaches them; every other deletion goes on to the C library.
#include "DeleteFaults.h"

#include <cerrno>
#include <cstdio>
#include <dlfcn.h>
#include <string_view>

namespace {

std::string& RefusedEnd() {
    static std::string end;
    return end;
}

bool Refused(const char* path) {
    const std::string& end = RefusedEnd();
    const std::string_view name(path ? path : "");
    return !end.empty() && name.size() >= end.size() && name.substr(name.size() - end.size()) == end;
}

// The refused deletion, or the C library's own.
int DeleteOrRefuse(const char* path, const char* libraryFunction) {
    if (Refused(path)) {
        errno = EACCES;
        return -1;
    }
    return reinterpret_cast<int (*)(const char*)>(dlsym(RTLD_NEXT, libraryFunction))(path);
}

} // namespace

extern "C" int remove(const char* path) noexcept {
    return DeleteOrRefuse(path, "remove");
}

extern "C" int unlink(const char* path) noexcept {
    return DeleteOrRefuse(path, "unlink");
}

namespace tkv::test {

TDeleteRefused::TDeleteRefused(std::string nameEnd) {
    RefusedEnd() = std::move(nameEnd);
}

TDeleteRefused::~TDeleteRefused() {
    RefusedEnd().clear();
}

} // namespace tkv::test
