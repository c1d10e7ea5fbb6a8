// Writing and reading messages.
#include "WireFormat.h"

#include <cstring>

namespace tkv::remote {

namespace {

// Deeper nesting than any packet has; a message nesting deeper is refused instead of recursing.
constexpr int kMaxDepth = 32;

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutU64(std::string& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutBytes(std::string& out, const void* data, std::size_t size) {
    if (size > 0xFFFFFFFFu)
        throw EWireFormat("value too large for a message");
    PutU32(out, static_cast<std::uint32_t>(size));
    out.append(static_cast<const char*>(data), size);
}

void PutVariant(std::string& out, const OleVariant& v) {
    const std::uint16_t vt = v.VarType();
    out.push_back(static_cast<char>(vt & 0xFF));
    out.push_back(static_cast<char>(vt >> 8));
    switch (vt) {
    case varEmpty:
    case varNull:
        break;
    case varSmallint:
    case varInteger:
    case varInt64:
        PutU64(out, static_cast<std::uint64_t>(v.AsInt64()));
        break;
    case varDouble:
    case varCurrency:
    case varDate: {
        const double d = v.AsDouble();
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        PutU64(out, bits);
        break;
    }
    case varBoolean:
        out.push_back(v.AsBoolean() ? 1 : 0);
        break;
    case varOleStr: {
        const std::string text = v.AsString();
        PutBytes(out, text.data(), text.size());
        break;
    }
    case varArray | varByte:
        PutBytes(out, v.AsBytes().data(), v.AsBytes().size());
        break;
    case varArray | varVariant:
        PutU32(out, static_cast<std::uint32_t>(v.Elements().size()));
        for (const OleVariant& e : v.Elements())
            PutVariant(out, e);
        break;
    default:
        throw EWireFormat("variant type " + OleVariant::TypeName(vt) + " cannot be sent");
    }
}

class TReader {
public:
    explicit TReader(const std::string& bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ == bytes_.size(); }
    std::uint8_t U8() {
        Need(1);
        return static_cast<std::uint8_t>(bytes_[pos_++]);
    }
    std::uint32_t U32() {
        Need(4);
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes_[pos_ + i])) << (8 * i);
        pos_ += 4;
        return v;
    }
    std::uint64_t U64() {
        Need(8);
        std::uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(bytes_[pos_ + i])) << (8 * i);
        pos_ += 8;
        return v;
    }
    std::string Bytes() {
        const std::uint32_t n = U32();
        Need(n);
        std::string out = bytes_.substr(pos_, n);
        pos_ += n;
        return out;
    }
    OleVariant Variant(int depth) {
        if (depth > kMaxDepth)
            throw EWireFormat("variant arrays nested too deep");
        const std::uint16_t vt = static_cast<std::uint16_t>(U8() | (U8() << 8));
        switch (vt) {
        case varEmpty:
            return OleVariant();
        case varNull:
            return OleVariant::Null();
        case varSmallint:
            return OleVariant::Smallint(static_cast<std::int16_t>(U64()));
        case varInteger:
            return OleVariant(static_cast<std::int32_t>(U64()));
        case varInt64:
            return OleVariant::Int64(static_cast<std::int64_t>(U64()));
        case varDouble:
        case varCurrency:
        case varDate: {
            const std::uint64_t bits = U64();
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return vt == varDouble     ? OleVariant(d)
                   : vt == varCurrency ? OleVariant::Currency(d)
                                       : OleVariant::Date(d);
        }
        case varBoolean:
            return OleVariant(U8() != 0);
        case varOleStr:
            return OleVariant(Bytes());
        case varArray | varByte: {
            const std::string b = Bytes();
            return OleVariant::ByteArray(OleVariant::Bytes(b.begin(), b.end()));
        }
        case varArray | varVariant: {
            const std::uint32_t n = U32();
            // Each element takes at least its two type bytes.
            Need(static_cast<std::size_t>(n) * 2);
            OleVariant::Array elements;
            elements.reserve(n);
            for (std::uint32_t i = 0; i < n; ++i)
                elements.push_back(Variant(depth + 1));
            return OleVariant::VarArray(std::move(elements));
        }
        default:
            throw EWireFormat("unknown variant type " + std::to_string(vt));
        }
    }

private:
    void Need(std::size_t n) const {
        if (bytes_.size() - pos_ < n)
            throw EWireFormat("message cut short");
    }
    const std::string& bytes_;
    std::size_t pos_ = 0;
};

} // namespace

std::string EncodeMessage(const TMessage& message) {
    std::string out;
    out.push_back(static_cast<char>(message.Kind));
    PutBytes(out, message.Name.data(), message.Name.size());
    PutU32(out, static_cast<std::uint32_t>(message.Values.size()));
    for (const OleVariant& v : message.Values)
        PutVariant(out, v);
    return out;
}

TMessage DecodeMessage(const std::string& bytes) {
    TReader in(bytes);
    TMessage m;
    const std::uint8_t kind = in.U8();
    if (kind < 1 || kind > 3)
        throw EWireFormat("unknown message kind " + std::to_string(kind));
    m.Kind = static_cast<TMessageKind>(kind);
    m.Name = in.Bytes();
    const std::uint32_t n = in.U32();
    for (std::uint32_t i = 0; i < n; ++i)
        m.Values.push_back(in.Variant(0));
    if (!in.AtEnd())
        throw EWireFormat("bytes after the message");
    return m;
}

} // namespace tkv::remote
