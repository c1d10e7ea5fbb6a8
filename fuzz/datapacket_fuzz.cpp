// Result-set packets from the host, in whichever form the input's first bytes give.
#include "PacketChecks.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tkv::fuzz::CheckPacket(tkv::PacketToVariant(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
