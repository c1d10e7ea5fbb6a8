// The installed form environment provider.
#include "FormEnvironment.h"

namespace tkv {

namespace {
TFormEnvironmentProvider& Provider() {
    static TFormEnvironmentProvider provider;
    return provider;
}
} // namespace

TFormEnvironment CurrentFormEnvironment() {
    auto& provider = Provider();
    return provider ? provider() : TFormEnvironment{};
}

void SetFormEnvironmentProvider(TFormEnvironmentProvider provider) {
    Provider() = std::move(provider);
}

} // namespace tkv
