// The host's main interface, in table order (overloads in declared order). Every database call,
// message box and host service of the plug-in goes through it.
#pragma once

#include "../framework/BasicTypes.h"
#include "../framework/Variant.h"
#include "HostControl.h"
#include "Unknown.h"

#include <string>
#include <vector>

namespace tkv {

class TPrintItemList;
using WindowHandle = std::uintptr_t;
using StringArray = std::vector<std::string>;
using VariantArray = std::vector<OleVariant>;

struct IVNMainintf : IInterface {
    virtual void AddAction(std::int32_t actionId, const std::string& caption) = 0;
    virtual WindowHandle AppHandle() = 0;
    // Names/values form: return value of the procedure; output parameters as a parameter packet.
    virtual std::int32_t ExecuteProcByName(const std::string& procName, const StringArray& names,
                                           const VariantArray& values, OleVariant& outParams) = 0;
    // Packet form: the parameters as a parameter packet.
    virtual std::int32_t ExecuteProcByName(const std::string& procName, const OleVariant& params,
                                           OleVariant& outParams) = 0;
    virtual bool ExecuteSQL(const std::string& sql) = 0;
    virtual bool ExecuteSQL(const std::string& sql, const VariantArray& constants) = 0;
    virtual std::string GetSettingControlNames(const std::string& formName) = 0;
    virtual bool HasLimit(std::int32_t limitNo) = 0;
    virtual bool HasLimit(const std::string& limitName) = 0;
    virtual std::string LastError() = 0;
    virtual void LockScreen(bool lock) = 0;
    virtual std::string LoginUserID() = 0;
    virtual std::string LoginUserName() = 0;
    virtual std::int32_t LoginUserREC() = 0;
    virtual std::int32_t LoginPublicPosID() = 0;
    virtual std::int32_t MessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) = 0;
    virtual std::int32_t OpenProcByName(const std::string& procName, const StringArray& names,
                                        const VariantArray& values, OleVariant& resultSet, OleVariant& outParams) = 0;
    virtual std::int32_t OpenProcByName(const std::string& procName, const StringArray& names,
                                        const VariantArray& values, OleVariant& resultSet) = 0;
    virtual std::int32_t OpenProcByName(const std::string& procName, const OleVariant& params,
                                        OleVariant& resultSet) = 0;
    virtual std::int32_t OpenProcByName(const std::string& procName, const OleVariant& params, OleVariant& resultSet,
                                        OleVariant& outParams) = 0;
    // Text with constants bound in order.
    virtual bool OpenSQL(const std::string& sql, const VariantArray& constants, OleVariant& resultSet) = 0;
    virtual bool OpenSql(const std::string& sql, OleVariant& resultSet) = 0;
    virtual bool Question(const std::string& msg, const std::string& title) = 0;
    virtual void RefIniPublicVar() = 0;
    virtual void RefMainCaption() = 0;
    // Data packet form first.
    virtual void RunPrintManage(const std::string& templateName, TPrintItemList* items, const OleVariant& data,
                                bool preview) = 0;
    virtual void RunPrintManage(const std::string& templateName, TPrintItemList* items, const VariantArray& datas,
                                bool preview) = 0;
    virtual void RunPrintManage(const std::string& templateName, TPrintItemList* items, bool preview) = 0;
    virtual bool SelectBaseic(TBasicType type, const std::string& searchText, OleVariant& selected) = 0;
    virtual void SetSettingControlNames(const std::string& formName, const std::string& names) = 0;
    virtual void SetSubValue(const std::string& name, const OleVariant& value) = 0;
    virtual void SetSysSettingControl(IHostControl* control) = 0;
    virtual OleVariant SysCfgValue(const std::string& name) = 0;
    virtual void ViewBill(std::int32_t billType, std::int32_t billId, std::int32_t userRec, bool readOnly) = 0;
    virtual void ShowMsg(const std::string& msg, const std::string& title) = 0;
    virtual void ShowError(const std::string& msg, const std::string& title) = 0;
    virtual bool YesOrNo(const std::string& msg, const std::string& title) = 0;
    virtual void InitGLabelBtnEdit(IHostControl* control) = 0;
    virtual void InitGLabelComBox(IHostControl* control) = 0;
    virtual void InitVchGridClass(IHostControl* control) = 0;
    virtual void InitBandGrid(IHostControl* control) = 0;
    virtual void InitGBitbtn(IHostControl* control) = 0;
    virtual void InitxwPanel(IHostControl* control) = 0;
    virtual void InitLabelEdit(IHostControl* control) = 0;
    virtual bool UpdataSQLFromFile(const std::string& fileName) = 0;
    virtual std::string GetBasicLocalValue(TFieldsList field, const std::string& typeId) = 0;
    virtual void OpenYBRetail() = 0;
    virtual void OpenYBRetailBack() = 0;
    virtual void OpenCanleRetail() = 0;
    virtual bool SelectBilltypeList(OleVariant& selected) = 0;
    virtual OleVariant GetBillTypeList() = 0;
    // Stores the JPEG bytes; the store fills ordinal and file name.
    virtual bool SaveImage(const OleVariant& jpeg, std::int32_t& ordinal, std::string& fileName) = 0;
    virtual void DeleteImage(std::int32_t ordinal, const std::string& fileName) = 0;
    // Leaves picture as it is (null) when the store has no such picture.
    virtual void GetImage(OleVariant& picture, std::int32_t ordinal, const std::string& fileName) = 0;
};

extern const TGUID IID_IVNMainintf;

} // namespace tkv
