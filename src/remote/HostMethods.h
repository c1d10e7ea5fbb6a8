// The names of the calls between the workbench and the reference host: the host's main interface,
// the selector edits' record selection and lookup, and the host's user interface, which the host
// asks the workbench to show.
#pragma once

namespace tkv::remote::method {

// IVNMainintf, one name per overload; answered by the host.
constexpr const char* AddAction = "AddAction";
constexpr const char* ExecuteProcByNameNames = "ExecuteProcByName.Names";
constexpr const char* ExecuteProcByNamePacket = "ExecuteProcByName.Packet";
constexpr const char* ExecuteSQL = "ExecuteSQL";
constexpr const char* ExecuteSQLConsts = "ExecuteSQL.Consts";
constexpr const char* GetSettingControlNames = "GetSettingControlNames";
constexpr const char* HasLimitNo = "HasLimit.No";
constexpr const char* HasLimitName = "HasLimit.Name";
constexpr const char* LastError = "LastError";
constexpr const char* LockScreen = "LockScreen";
constexpr const char* LoginUserID = "LoginUserID";
constexpr const char* LoginUserName = "LoginUserName";
constexpr const char* LoginUserREC = "LoginUserREC";
constexpr const char* LoginPublicPosID = "LoginPublicPosID";
constexpr const char* MessageBox = "MessageBox";
constexpr const char* OpenProcByNameOutputs = "OpenProcByName.Outputs";
constexpr const char* OpenProcByNameNames = "OpenProcByName.Names";
constexpr const char* OpenProcByNamePacket = "OpenProcByName.Packet";
constexpr const char* OpenProcByNamePacketOutputs = "OpenProcByName.PacketOutputs";
constexpr const char* OpenSQL = "OpenSQL";
constexpr const char* OpenSql = "OpenSql";
constexpr const char* Question = "Question";
constexpr const char* RefIniPublicVar = "RefIniPublicVar";
constexpr const char* RefMainCaption = "RefMainCaption";
constexpr const char* RunPrintManageData = "RunPrintManage.Data";
constexpr const char* RunPrintManageDatas = "RunPrintManage.Datas";
constexpr const char* RunPrintManageItems = "RunPrintManage.Items";
constexpr const char* SelectBaseic = "SelectBaseic";
constexpr const char* SetSettingControlNames = "SetSettingControlNames";
constexpr const char* SetSubValue = "SetSubValue";
constexpr const char* SysCfgValue = "SysCfgValue";
constexpr const char* ViewBill = "ViewBill";
constexpr const char* ShowMsg = "ShowMsg";
constexpr const char* ShowError = "ShowError";
constexpr const char* YesOrNo = "YesOrNo";
// The Init... preparations and SetSysSettingControl: the preparation's name and the control.
constexpr const char* PrepareControl = "PrepareControl";
constexpr const char* GetBasicLocalValue = "GetBasicLocalValue";
constexpr const char* OpenYBRetail = "OpenYBRetail";
constexpr const char* OpenYBRetailBack = "OpenYBRetailBack";
constexpr const char* OpenCanleRetail = "OpenCanleRetail";
constexpr const char* SelectBilltypeList = "SelectBilltypeList";
constexpr const char* GetBillTypeList = "GetBillTypeList";
constexpr const char* SaveImage = "SaveImage";
constexpr const char* DeleteImage = "DeleteImage";
constexpr const char* GetImage = "GetImage";

// The workbench's retail window: a new sale (bill id, bill number, detail packet, total) and saving
// it with its payments, as the host's retail window does.
constexpr const char* RetailNewSale = "Retail.NewSale";
constexpr const char* RetailSave = "Retail.Save";

// The record selection and lookup that a preparation installed, by the number the host gave them.
constexpr const char* SelectRecords = "SelectHandler.SelectRecords";
constexpr const char* FindByRec = "BasicLookup.FindByRec";
constexpr const char* FieldValue = "BasicLookup.FieldValue";
constexpr const char* ReleaseHandler = "Handler.Release";

// The host's user interface; answered by the workbench.
constexpr const char* UiShowMessage = "Ui.ShowMessage";
constexpr const char* UiShowError = "Ui.ShowError";
constexpr const char* UiAsk = "Ui.Ask";
constexpr const char* UiBox = "Ui.Box";
constexpr const char* UiChooseRecord = "Ui.ChooseRecord";
constexpr const char* UiConfirmPayments = "Ui.ConfirmPayments";
// Things the host did that the workbench shows in its status line: a report written, a bill shown.
constexpr const char* UiReport = "Ui.Report";
constexpr const char* UiViewBill = "Ui.ViewBill";

} // namespace tkv::remote::method
