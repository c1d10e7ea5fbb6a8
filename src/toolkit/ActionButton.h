// The push button of the plug-in windows. A click runs the window's handler, then sets the form's
// modal result when the button has one. No picture and no access restriction with the settings the
// windows use.
#pragma once

#include "Control.h"
#include "FormRunner.h"

namespace tkv {

enum class TBtnType : std::uint8_t { btNone };
enum class TBtnLimitType : std::uint8_t { ltNone };

class TActionButton : public TControl {
public:
    TActionButton() { SetTabStop(true); }
    std::string ClassName() const override { return "TActionButton"; }
    THostControlKind HostKind() const override { return THostControlKind::ckActionButton; }
    bool Focusable() const override { return true; }

    TBtnType BtnType() const { return btnType_; }
    void SetBtnType(TBtnType type) { btnType_ = type; }
    TBtnLimitType BtnLimitType() const { return btnLimitType_; }
    void SetBtnLimitType(TBtnLimitType type) { btnLimitType_ = type; }
    bool UseBtnLimit() const { return useBtnLimit_; }
    void SetUseBtnLimit(bool use) { useBtnLimit_ = use; }
    bool UseBtnBackJpeg() const { return useBtnBackJpeg_; }
    void SetUseBtnBackJpeg(bool use) { useBtnBackJpeg_ = use; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }

    void Click() override;

private:
    TBtnType btnType_ = TBtnType::btNone;
    TBtnLimitType btnLimitType_ = TBtnLimitType::ltNone;
    bool useBtnLimit_ = false;
    bool useBtnBackJpeg_ = false;
    TModalResult modalResult_ = mrNone;
};

} // namespace tkv
