// The toolkit's global field-functions object.
#include "FieldFunctions.h"

namespace tkv {

namespace {
TFieldFunctions* globalFieldFuncs = nullptr;
}

TFieldFunctions* GlobalFieldFuncs() {
    return globalFieldFuncs;
}

void SetGlobalFieldFuncs(TFieldFunctions* funcs) {
    globalFieldFuncs = funcs;
}

} // namespace tkv
