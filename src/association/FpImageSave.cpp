// The save sequence shared by the new and the edit association windows.
#include "FpImageSave.h"

#include "FpImageCalls.h"
#include "comm/Messages.h"
#include "comm/ModuleState.h"
#include "platform/Platform.h"
#include "toolkit/JPEGImage.h"

namespace tkv {

namespace {

// Stores a new picture: its encoded bytes into the host's picture store, then its registration.
// False when either failed. The record keeps its new id only when both succeeded, so that a retry
// stores a picture again whose bytes the store did not take.
bool StoreNewPicture(TFPImageType& image) {
    std::int32_t ord = 0;
    std::string fileName;
    const bool stored = MainIntf().SaveImage(OleVariant::ByteArray(image.Image->Bytes()), ord, fileName);
    const std::int32_t id = zk_TkNewSaveImage(ord, fileName);
    if (!stored || id <= 0)
        return false;
    image.ImageId = id;
    image.ord = ord;
    image.ImageName = fileName;
    return true;
}

bool StoreOrUnregister(TFPImageType& image) {
    if (image.ImageId == 0 && image.Delete == 0)
        return StoreNewPicture(image);
    if (image.Delete == 1 && (image.ImageId == 0 || image.ImageName.empty())) {
        try {
            zk_DelFpImage(image.ImageId);
        } catch (const std::exception&) {
            return false;
        }
    }
    return true;
}

} // namespace

bool SaveData(const TFpInvoice& invoice, TFPImageList& images, const std::vector<std::string>& selection,
              const std::function<void(const std::string& key, std::int32_t voiceid)>& link) {
    const std::int32_t voiceid =
        zk_SaveTkVoice(invoice.VoiceCode, invoice.VoiceDate, invoice.brec, invoice.bfullname);
    if (voiceid <= 0)
        return false;
    for (auto& image : images) {
        if (!StoreOrUnregister(*image))
            return false;
        zk_saveTkVoiceImage(voiceid, image->ImageId, image->ImageName, image->Delete);
    }
    // The temporary list of this save's key is emptied before and after, also when listing or
    // linking raised, so no rows of a failed attempt stay behind under a key nobody will use again.
    const std::string key = Platform().NewGuid();
    DeleteTempVoiceLink(key);
    try {
        for (const std::string& number : selection) {
            const TFPImageType& image = *images.at(std::stoul(number) - 1);
            if (image.Delete == 0)
                zk_savetempVoiceLink(key, image.ImageId);
        }
        link(key, voiceid);
    } catch (...) {
        try {
            DeleteTempVoiceLink(key);
        } catch (...) {
            // The window reports the listing or link error, not this one.
        }
        throw;
    }
    DeleteTempVoiceLink(key);
    ShowMsg("保存成功", "提示");
    return true;
}

} // namespace tkv
