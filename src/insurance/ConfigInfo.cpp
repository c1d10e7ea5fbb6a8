// The settings switch and the settings window's load and save.
#include "ConfigInfo.h"

#include "../comm/ModuleState.h"
#include "../comm/Settings.h"
#include "ConfigSetFrm.h"

namespace tkv {

bool GetConfigInfo(bool ShowSet) {
    TNameValueLines lines;
    const bool exists = LoadSettings(lines);
    if (!ShowSet)
        return exists;
    TConfigSetFrm form;
    if (lines.Count() > 0) {
        form.RzEdit1->SetText(lines.Value("FileName"));
        form.RzEdit3->SetText(lines.Value("PosCode"));
        form.chlLog->SetChecked(lines.Value("YBLog") == "1");
    }
    if (form.ShowModal() != mrOk)
        return false;
    lines.SetValue("FileName", form.RzEdit1->Text());
    lines.SetValue("PosCode", form.RzEdit3->Text());
    lines.SetValue("YBLog", form.chlLog->Checked() ? "1" : "0");
    SaveSettings(lines);
    ModuleState().ShowLog = form.chlLog->Checked();
    return true;
}

} // namespace tkv
