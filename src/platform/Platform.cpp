// Which platform the core talks to: the built-in one of this build, unless a test installed another.
#include "Platform.h"

#include "NativePlatform.h"

namespace tkv {

namespace {
IPlatform* installedPlatform = nullptr;
}

IPlatform& Platform() {
    return installedPlatform ? *installedPlatform : NativePlatform();
}

void SetPlatform(IPlatform* platform) {
    installedPlatform = platform;
}

IPlatform& NativePlatform() {
    static const std::unique_ptr<IPlatform> native = CreateNativePlatform();
    return *native;
}

} // namespace tkv
