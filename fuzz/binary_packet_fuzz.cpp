// Binary result-set packets from the host: the input is the packet after its magic, so that every
// run reaches the binary reader and the change-log step behind it.
#include "PacketChecks.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tkv::OleVariant::Bytes packet{0x96, 0x19, 0xE0, 0xBD};
    packet.insert(packet.end(), data, data + size);
    tkv::fuzz::CheckPacket(tkv::OleVariant::ByteArray(std::move(packet)));
    return 0;
}
