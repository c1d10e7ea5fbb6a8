// Memory streams and their byte-array variants: how picture bytes cross the host boundary.
#include "Streams.h"

#include <algorithm>
#include <cstring>

namespace tkv {

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    if (pos_ >= bytes_.size())
        return 0;
    const std::size_t n = std::min(count, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
}

void TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0)
        return;
    if (pos_ + count > bytes_.size())
        bytes_.resize(pos_ + count); // a gap after the old end reads as zeros
    std::memcpy(bytes_.data() + pos_, buffer, count);
    pos_ += count;
}

OleVariant StreamToVariant(TMemoryStream& Stream) {
    OleVariant::Bytes bytes(Stream.Size());
    Stream.SetPosition(0);
    const std::size_t n = Stream.Read(bytes.data(), bytes.size());
    bytes.resize(n);
    return OleVariant::ByteArray(std::move(bytes));
}

std::unique_ptr<TMemoryStream> OleVariantToStream(const OleVariant& OV) {
    if (!OV.IsByteArray())
        return nullptr;
    auto stream = std::make_unique<TMemoryStream>();
    const OleVariant::Bytes& bytes = OV.AsBytes();
    stream->Write(bytes.data(), bytes.size());
    return stream;
}

} // namespace tkv
