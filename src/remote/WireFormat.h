// The byte format of the messages between the workbench and the reference host: a message is a
// kind, a name and a list of OLE variants, each written as its variant type and its value (integers
// as 64-bit, floating values as IEEE doubles, texts as UTF-8, byte arrays as they are, variant
// arrays element by element), all little-endian with 32-bit lengths.
#pragma once

#include "framework/Variant.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tkv::remote {

enum class TMessageKind : std::uint8_t {
    mkCall = 1,   // Name: the method; Values: its arguments
    mkReturn = 2, // Values: the results
    mkError = 3,  // Name: the error's message
};

struct TMessage {
    TMessageKind Kind = TMessageKind::mkCall;
    std::string Name;
    std::vector<OleVariant> Values;
};

// Raised for bytes that are no message of this format (cut short, unknown kind or type, a length
// beyond the bytes that follow).
class EWireFormat : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string EncodeMessage(const TMessage& message);
TMessage DecodeMessage(const std::string& bytes);

} // namespace tkv::remote
