// The reference host's main interface: data calls go to the host database, pictures to the
// picture store, reports to the print manager, messages and questions to the host's user
// interface, and selector edits receive the host's record selection and basic-data lookup when
// they are prepared. A failed data call raises HostError with the host's message, which the
// plug-in's data functions pass on to the window that made the call.
#pragma once

#include "BasicData.h"
#include "HostUi.h"
#include "Interface/IVNMainintf.h"
#include "PictureStore.h"
#include "PrintManager.h"

#include <map>
#include <string>
#include <vector>

namespace tkv::host {

class HostDatabase;

// What the host did on the plug-in's behalf, for the headless run and the tests.
struct TViewedBill {
    std::int32_t BillType, BillId, UserRec;
    bool ReadOnly;
};

class THostMain : public TInterfacedObject<IVNMainintf> {
public:
    THostMain(HostDatabase& db, TPictureStore& pictures, TPrintManager& printer, IHostUi& ui);

    void SetLogin(std::string userId, std::string userName, std::int32_t userRec);
    void SetAppHandle(WindowHandle handle) { appHandle_ = handle; }
    void SetSysCfgValue(const std::string& name, const OleVariant& value) { sysCfg_[name] = value; }

    const TBasicData& BasicData() const { return basic_; }
    const std::vector<TViewedBill>& ViewedBills() const { return viewed_; }
    // Kinds of the controls prepared, in order ("InitGLabelBtnEdit:edtSupplier", ...).
    const std::vector<std::string>& PreparedControls() const { return prepared_; }
    const std::vector<std::string>& HostActions() const { return actions_; }

    // IInterface
    std::int32_t QueryInterface(const TGUID& iid, void** obj) override;

    // IVNMainintf
    void AddAction(std::int32_t actionId, const std::string& caption) override;
    WindowHandle AppHandle() override { return appHandle_; }
    std::int32_t ExecuteProcByName(const std::string& procName, const StringArray& names,
                                   const VariantArray& values, OleVariant& outParams) override;
    std::int32_t ExecuteProcByName(const std::string& procName, const OleVariant& params,
                                   OleVariant& outParams) override;
    bool ExecuteSQL(const std::string& sql) override;
    bool ExecuteSQL(const std::string& sql, const VariantArray& constants) override;
    std::string GetSettingControlNames(const std::string& formName) override;
    bool HasLimit(std::int32_t limitNo) override { return true; }
    bool HasLimit(const std::string& limitName) override { return true; }
    std::string LastError() override { return lastError_; }
    void LockScreen(bool lock) override;
    std::string LoginUserID() override { return userId_; }
    std::string LoginUserName() override { return userName_; }
    std::int32_t LoginUserREC() override { return userRec_; }
    std::int32_t LoginPublicPosID() override { return 1; }
    std::int32_t MessageBox(const std::string& text, const std::string& caption,
                            std::uint32_t flags) override;
    std::int32_t OpenProcByName(const std::string& procName, const StringArray& names,
                                const VariantArray& values, OleVariant& resultSet,
                                OleVariant& outParams) override;
    std::int32_t OpenProcByName(const std::string& procName, const StringArray& names,
                                const VariantArray& values, OleVariant& resultSet) override;
    std::int32_t OpenProcByName(const std::string& procName, const OleVariant& params,
                                OleVariant& resultSet) override;
    std::int32_t OpenProcByName(const std::string& procName, const OleVariant& params, OleVariant& resultSet,
                                OleVariant& outParams) override;
    bool OpenSQL(const std::string& sql, const VariantArray& constants, OleVariant& resultSet) override;
    bool OpenSql(const std::string& sql, OleVariant& resultSet) override;
    bool Question(const std::string& msg, const std::string& title) override { return ui_.Ask(msg, title); }
    void RefIniPublicVar() override;
    void RefMainCaption() override;
    void RunPrintManage(const std::string& templateName, TPrintItemList* items, const OleVariant& data,
                        bool preview) override;
    void RunPrintManage(const std::string& templateName, TPrintItemList* items, const VariantArray& datas,
                        bool preview) override;
    void RunPrintManage(const std::string& templateName, TPrintItemList* items, bool preview) override;
    bool SelectBaseic(TBasicType type, const std::string& searchText, OleVariant& selected) override;
    void SetSettingControlNames(const std::string& formName, const std::string& names) override;
    void SetSubValue(const std::string& name, const OleVariant& value) override;
    void SetSysSettingControl(IHostControl* control) override;
    OleVariant SysCfgValue(const std::string& name) override;
    void ViewBill(std::int32_t billType, std::int32_t billId, std::int32_t userRec, bool readOnly) override;
    void ShowMsg(const std::string& msg, const std::string& title) override { ui_.ShowMessage(msg, title); }
    void ShowError(const std::string& msg, const std::string& title) override { ui_.ShowError(msg, title); }
    bool YesOrNo(const std::string& msg, const std::string& title) override { return ui_.Ask(msg, title); }
    void InitGLabelBtnEdit(IHostControl* control) override { Prepare("InitGLabelBtnEdit", control); }
    void InitGLabelComBox(IHostControl* control) override { Prepare("InitGLabelComBox", control); }
    void InitVchGridClass(IHostControl* control) override { Prepare("InitVchGridClass", control); }
    void InitBandGrid(IHostControl* control) override { Prepare("InitBandGrid", control); }
    void InitGBitbtn(IHostControl* control) override { Prepare("InitGBitbtn", control); }
    void InitxwPanel(IHostControl* control) override { Prepare("InitxwPanel", control); }
    void InitLabelEdit(IHostControl* control) override { Prepare("InitLabelEdit", control); }
    bool UpdataSQLFromFile(const std::string& fileName) override;
    std::string GetBasicLocalValue(TFieldsList field, const std::string& typeId) override;
    void OpenYBRetail() override { actions_.push_back("OpenYBRetail"); }
    void OpenYBRetailBack() override { actions_.push_back("OpenYBRetailBack"); }
    void OpenCanleRetail() override { actions_.push_back("OpenCanleRetail"); }
    bool SelectBilltypeList(OleVariant& selected) override;
    OleVariant GetBillTypeList() override;
    bool SaveImage(const OleVariant& jpeg, std::int32_t& ordinal, std::string& fileName) override;
    void DeleteImage(std::int32_t ordinal, const std::string& fileName) override;
    void GetImage(OleVariant& picture, std::int32_t ordinal, const std::string& fileName) override;

private:
    // Runs a call that may raise HostError, keeping its message as the last error.
    template <class F> auto Guard(F&& call) -> decltype(call());
    void Prepare(const char* how, IHostControl* control);
    void PrintPacket(const std::string& templateName, const OleVariant& data);

    HostDatabase& db_;
    TPictureStore& pictures_;
    TPrintManager& printer_;
    IHostUi& ui_;
    TBasicData basic_;
    WindowHandle appHandle_ = 0x00010001;
    std::string userId_ = "00001", userName_ = "管理员";
    std::int32_t userRec_ = 1;
    std::string lastError_;
    std::map<std::string, OleVariant> sysCfg_;
    std::map<std::string, std::string> settingControlNames_;
    std::vector<TViewedBill> viewed_;
    std::vector<std::string> prepared_;
    std::vector<std::string> actions_;
};

} // namespace tkv::host
