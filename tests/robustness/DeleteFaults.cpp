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

template <class F> F Next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int remove(const char* path) noexcept {
    if (Refused(path)) {
        errno = EACCES;
        return -1;
    }
    static const auto next = Next<int (*)(const char*)>("remove");
    return next(path);
}

extern "C" int unlink(const char* path) noexcept {
    if (Refused(path)) {
        errno = EACCES;
        return -1;
    }
    static const auto next = Next<int (*)(const char*)>("unlink");
    return next(path);
}

namespace tkv::test {

TDeleteRefused::TDeleteRefused(std::string nameEnd) {
    RefusedEnd() = std::move(nameEnd);
}

TDeleteRefused::~TDeleteRefused() {
    RefusedEnd().clear();
}

} // namespace tkv::test
