// TConfigSetFrm: the insurance settings window "医保接口信息设置": the logging switch, the service
// point code and the path of the insurance interface library, with a file chooser for the path.
// "确定" closes with the OK result, "关闭" with cancel; what is saved is GetConfigInfo's business.
#pragma once

#include "../toolkit/ActionButton.h"
#include "../toolkit/CheckBox.h"
#include "../toolkit/Edit.h"
#include "../toolkit/Label.h"
#include "../toolkit/ParentForm.h"

#include <string>

namespace tkv {

// The file-open dialog of the window: its filter and default extension, and the file picked last.
struct TOpenDialog {
    std::string Filter;
    std::string DefaultExt;
    std::string FileName;
    // Asks the runner for one file; false when the user cancels.
    bool Execute(WindowHandle owner);
};

class TConfigSetFrm : public TParentForm {
public:
    TConfigSetFrm();
    std::string ClassName() const override { return "TConfigSetFrm"; }

    TCheckBox* chlLog;
    TLabel* Label1; // "医疗服务机构号："
    TEdit* RzEdit3; // service point code
    TLabel* Label2; // "医保动态库路径："
    TEdit* RzEdit1; // library path
    TActionButton* SpeedButton1;
    TActionButton* BitBtn1; // "确定"
    TActionButton* BitBtn2; // "关闭"
    TOpenDialog OpenDialog1;

    void SpeedButton1Click();
};

} // namespace tkv
