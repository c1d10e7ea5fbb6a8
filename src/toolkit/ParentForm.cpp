// Base dialog: control preparation through the host, Enter and F1 handling.
#include "ParentForm.h"

#include "BandGrid.h"

namespace tkv {

TParentForm::TParentForm() {
    SetKeyPreview(true);
    SetPosition(TPosition::poScreenCenter);
    SetOwnerHandle(CurrentFormEnvironment().OwnerHandle);
    XwPanel1 = &Make<TFramePanel>("XwPanel1");
    XwPanel1->SetAlign(TAlign::alBottom);
    XwPanel1->SetBounds(0, 0, 0, 41);
    XwPanel1->SetBevelOuter(TBevelCut::bvNone);
    XwPanel1->SetTabOrder(0);
}

void TParentForm::DoCreate() {
    InitialAllComponent();
}

void TParentForm::InitialAllComponent() {
    const TFormEnvironment env = CurrentFormEnvironment();
    IVNMainintf* host = env.MainIntf;
    if (!host)
        return; // no host to prepare the controls: they keep their own defaults
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(&Components(i));
        if (!control)
            continue;
        switch (control->HostKind()) {
        case THostControlKind::ckSelectorEdit:
            host->InitGLabelBtnEdit(control->HostControl());
            break;
        case THostControlKind::ckBandGrid:
            PrepareGrid(static_cast<TBandGrid&>(*control), env);
            break;
        case THostControlKind::ckActionButton:
            host->InitGBitbtn(control->HostControl());
            break;
        case THostControlKind::ckFramePanel:
            host->InitxwPanel(control->HostControl());
            break;
        case THostControlKind::ckOther:
            break;
        }
    }
}

void TParentForm::PrepareGrid(TBandGrid& grid, const TFormEnvironment& env) {
    env.MainIntf->InitBandGrid(grid.HostControl());
    IExistForm* exist = env.ExistForm;
    if (!exist)
        return;
    grid.SetBasicDataLocal(exist->GetGBasicDataLocalClass1());
    grid.SetBasicRecordAll_C(exist->GetBasicRecordAll_C1());
    grid.SetGridFieldConfigClass(exist->GetGGridFieldConfigClass1());
    grid.SetLimitData(exist->GetLimitData1());
    grid.FVchtypeSelectData = exist->GetSelectVchtypeClass1();
    grid.FDateDBHelper = exist->GetFDateDBHelper();
    grid.FFavoriteHander = exist->GetFavoriteStockHandler1();
    grid.SetFuncRelateHandler(exist->GetxwFuncRelateHandler1());
    grid.FSelfBasicTypeAccess = exist->GetXwSelfBasicTypeAccess1();
    grid.FToolsPanel = exist->GetxwGridToolsPanelHelper1();
    grid.FAssistHelper = exist->GetxwAssitDataHelper1();
}

void TParentForm::KeyDown(std::uint16_t& key, TShiftState shift) {
    TForm::KeyDown(key, shift);
    if (key == VK_RETURN) {
        // The key reaches the focused control first (a selector's Enter search sees its typed
        // text); the focus moves on afterwards.
        TControl* from = ActiveControl();
        Post([this, from] { SelectNext(from, true); });
    } else if (key == VK_F1) {
        OpenHelp();
    }
}

void TParentForm::OpenHelp() {
    const TFormEnvironment env = CurrentFormEnvironment();
    if (env.ShowHelp)
        env.ShowHelp(env.MainIntf ? env.MainIntf->AppHandle() : 0, std::string(), 0, 0);
}

} // namespace tkv
