// The workbench's side of the boundary: the raw tables of the host's main interface, framework-
// object interface and report interface that the plug-in receives, made over core objects; the
// plug-in's raw control tables seen as core controls; and the host's record selection and lookup
// as raw tables a control keeps. A host error inside a slot never unwinds into the plug-in: it is
// shown by the error display and the slot answers its failure value.
#pragma once

#include "Interface/IVNMainintf.h"
#include "PluginContract.h"

#include <exception>
#include <functional>
#include <string>

namespace tkv::workbench {

using TErrorDisplay = std::function<void(const std::string& message)>;

// Runs a slot's body; a failure goes to the error display and the slot answers `failure`.
template <class F, class R> R Hosted(const TErrorDisplay& showError, F&& body, R failure) noexcept {
    try {
        return body();
    } catch (const std::exception& e) {
        try {
            if (showError)
                showError(e.what());
        } catch (...) {
        }
    } catch (...) {
    }
    return failure;
}

template <class F> void Hosted(const TErrorDisplay& showError, F&& body) noexcept {
    Hosted(
        showError,
        [&] {
            body();
            return 0;
        },
        0);
}

// Each answers a new table with one reference, which the caller owns.
abi::RawMainintf* NewMainintfTable(const ComPtr<IVNMainintf>& core, TErrorDisplay showError);
// Each getter answers its own stable framework object (the plug-in only hands them on).
abi::RawExistForm* NewExistFormTable();
// Its calls do nothing: the plug-in keeps the report interface and never calls it.
abi::RawReportIntf* NewReportTable();

void ReleaseTable(void* table);

} // namespace tkv::workbench
