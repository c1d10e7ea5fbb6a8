// The save sequence of the two editing windows: the invoice, each picture stored or unregistered
// and its pool membership, the chosen pictures listed under a fresh save key, the window's link
// step, and the temporary list emptied again whatever the link step did. Nothing runs in a
// transaction: what was written before a failure stays, and a retry passes over pictures stored
// already.
#pragma once

#include "FPImageType.h"
#include "framework/Variant.h"

#include <functional>
#include <string>
#include <vector>

namespace tkv {

struct TFpInvoice {
    std::string VoiceCode; // as typed
    TDateTime VoiceDate = 0;
    std::int32_t brec = 0;
    std::string bfullname; // the supplier's full name as the supplier field shows it
};

// Runs the sequence. False when the invoice or a picture step failed ("failed"; the window shows
// its message); errors of the other calls propagate. Ends with "保存成功" on success. `link` runs the
// window's link step with the save key and the invoice id.
bool SaveData(const TFpInvoice& invoice, TFPImageList& images, const std::vector<std::string>& selection,
              const std::function<void(const std::string& key, std::int32_t voiceid)>& link);

} // namespace tkv
