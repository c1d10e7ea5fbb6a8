// Picture byte streams and the byte-array variants that carry them across the host boundary.
#pragma once

#include "Variant.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tkv {

// A growable in-memory byte stream with a position, as the framework's memory stream.
class TMemoryStream {
public:
    std::vector<std::uint8_t>& Bytes() { return bytes_; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }
    std::size_t Position() const { return pos_; }
    void SetPosition(std::size_t pos) { pos_ = pos; }
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// The whole stream as a byte array with bounds 0..size-1; the stream is left at its end.
OleVariant StreamToVariant(TMemoryStream& Stream);
// A new stream holding the array's bytes, positioned at its end; nullptr when the value is not a
// byte array (the failure is not reported further).
std::unique_ptr<TMemoryStream> OleVariantToStream(const OleVariant& OV);

} // namespace tkv
