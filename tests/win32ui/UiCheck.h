// A minimal case runner for the renderer tests under wine: named cases, checks that report file,
// line and the values compared, and the closing line "N passed, M failed".
#pragma once

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace uitest {

struct Case {
    const char* name;
    std::function<void()> body;
};

std::vector<Case>& Cases();
void Fail(const char* file, int line, const std::string& what);
// Runs the cases whose name contains the filter (all for an empty one); answers the exit code.
int RunAll(const std::string& filter);

struct Register {
    Register(const char* name, std::function<void()> body) { Cases().push_back({name, std::move(body)}); }
};

template <class A, class B> std::string Describe(const A& a, const B& b) {
    std::ostringstream out;
    out << "[" << a << "] vs [" << b << "]";
    return out.str();
}

} // namespace uitest

#define UI_CAT2(a, b) a##b
#define UI_CAT(a, b) UI_CAT2(a, b)
#define UI_TEST(name)                                                                                        \
    static void UI_CAT(test_, __LINE__)();                                                                   \
    static uitest::Register UI_CAT(reg_, __LINE__)(name, UI_CAT(test_, __LINE__));                           \
    static void UI_CAT(test_, __LINE__)()
#define CHECK(cond)                                                                                          \
    do {                                                                                                     \
        if (!(cond))                                                                                         \
            uitest::Fail(__FILE__, __LINE__, #cond);                                                         \
    } while (0)
#define CHECK_EQ(a, b)                                                                                       \
    do {                                                                                                     \
        const auto& va_ = (a);                                                                               \
        const auto& vb_ = (b);                                                                               \
        if (!(va_ == vb_))                                                                                   \
            uitest::Fail(__FILE__, __LINE__, #a " == " #b " " + uitest::Describe(va_, vb_));                 \
    } while (0)
