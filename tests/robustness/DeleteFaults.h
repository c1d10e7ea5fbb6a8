// A fault injected into file deletion: while the object lives, deleting a file whose name ends in
// the given text fails with EACCES, as it does on Windows for a picture a viewer or a virus
// scanner holds open.
#pragma once

#include <string>

namespace tkv::test {

class TDeleteRefused {
public:
    explicit TDeleteRefused(std::string nameEnd);
    ~TDeleteRefused();
    TDeleteRefused(const TDeleteRefused&) = delete;
    TDeleteRefused& operator=(const TDeleteRefused&) = delete;
};

} // namespace tkv::test
