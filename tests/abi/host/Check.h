// A minimal assertion runner for the boundary test host: named cases, checks that report their
// file and line, and the closing line "N passed, M failed".
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace abitest {

struct Case {
    const char* name;
    std::function<void()> body;
};

std::vector<Case>& Cases();
// Records a failed check of the running case.
void Fail(const char* file, int line, const std::string& what);
int RunAll();

struct Register {
    Register(const char* name, std::function<void()> body) { Cases().push_back({name, std::move(body)}); }
};

} // namespace abitest

#define ABI_CAT2(a, b) a##b
#define ABI_CAT(a, b) ABI_CAT2(a, b)
#define TEST_CASE(name)                                                                                      \
    static void ABI_CAT(test_, __LINE__)();                                                                  \
    static abitest::Register ABI_CAT(reg_, __LINE__)(name, ABI_CAT(test_, __LINE__));                        \
    static void ABI_CAT(test_, __LINE__)()
#define CHECK(cond)                                                                                          \
    do {                                                                                                     \
        if (!(cond))                                                                                         \
            abitest::Fail(__FILE__, __LINE__, #cond);                                                        \
    } while (0)
#define CHECK_EQ(a, b)                                                                                       \
    do {                                                                                                     \
        const auto& va_ = (a);                                                                               \
        const auto& vb_ = (b);                                                                               \
        if (!(va_ == vb_))                                                                                   \
            abitest::Fail(__FILE__, __LINE__, #a " == " #b);                                                 \
    } while (0)
