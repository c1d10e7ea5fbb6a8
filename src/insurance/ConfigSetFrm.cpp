// The settings window's controls and its file chooser.
#include "ConfigSetFrm.h"

#include "../toolkit/FormRunner.h"

#include <vector>

namespace tkv {

bool TOpenDialog::Execute(WindowHandle owner) {
    TOpenDialogOptions options;
    options.Filter = Filter;
    options.DefaultExt = DefaultExt;
    std::vector<std::string> files;
    if (!FormRunner().OpenFiles(owner, options, files) || files.empty())
        return false;
    FileName = files.front();
    return true;
}

TConfigSetFrm::TConfigSetFrm() {
    SetCaption("医保接口信息设置");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetClientSize(392, 164);
    chlLog = &Make<TCheckBox>("chlLog");
    chlLog->SetCaption("记录日志");
    chlLog->SetChecked(true);
    chlLog->SetBounds(16, 12, 97, 17);
    Label1 = &Make<TLabel>("Label1");
    Label1->SetCaption("医疗服务机构号：");
    Label1->SetBounds(16, 44, 96, 12);
    RzEdit3 = &Make<TEdit>("RzEdit3");
    RzEdit3->SetBounds(116, 40, 180, 20);
    Label2 = &Make<TLabel>("Label2");
    Label2->SetCaption("医保动态库路径：");
    Label2->SetBounds(16, 72, 96, 12);
    RzEdit1 = &Make<TEdit>("RzEdit1");
    RzEdit1->SetBounds(16, 90, 332, 20);
    SpeedButton1 = &Make<TActionButton>("SpeedButton1");
    SpeedButton1->SetCaption("...");
    SpeedButton1->SetTabStop(false);
    SpeedButton1->SetBounds(352, 89, 30, 22);
    SpeedButton1->OnClick = [this](TComponent&) {
        SpeedButton1Click();
    };
    BitBtn1 = &Make<TActionButton>("BitBtn1", XwPanel1);
    BitBtn1->SetCaption("确定");
    BitBtn1->SetModalResult(mrOk);
    BitBtn1->SetBounds(214, 8, 75, 25);
    BitBtn2 = &Make<TActionButton>("BitBtn2", XwPanel1);
    BitBtn2->SetCaption("关闭");
    BitBtn2->SetModalResult(mrCancel);
    BitBtn2->SetBounds(298, 8, 75, 25);
    // The button panel comes last in the tab order.
    XwPanel1->SetTabOrder(static_cast<int>(Children(nullptr).size()) - 1);
    OpenDialog1.Filter = "选择动态库(*.dll)|*.DLL";
    OpenDialog1.DefaultExt = "OutInterD.dll";
    Create();
}

void TConfigSetFrm::SpeedButton1Click() {
    if (OpenDialog1.Execute(OwnerHandle()))
        RzEdit1->SetText(OpenDialog1.FileName);
}

} // namespace tkv
