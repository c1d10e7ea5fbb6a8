// A gmock stand-in for the host main interface, reference-counted like the host's object so that
// tests can check what the plug-in holds. Create it with `new` and hold it in a ComPtr.
#pragma once

#include "Interface/IVNMainintf.h"

#include <gmock/gmock.h>

namespace tkv::test {

class TMockMainIntf : public TInterfacedObject<IVNMainintf> {
public:
    std::int32_t QueryInterface(const TGUID& iid, void** obj) override {
        if (iid == IID_IUnknown || iid == IID_IVNMainintf) {
            *obj = static_cast<IVNMainintf*>(this);
            AddRef();
            return S_OK;
        }
        *obj = nullptr;
        return E_NOINTERFACE;
    }

    MOCK_METHOD(void, AddAction, (std::int32_t, const std::string&), (override));
    MOCK_METHOD(WindowHandle, AppHandle, (), (override));
    MOCK_METHOD(std::int32_t, ExecuteProcByName,
                (const std::string&, const StringArray&, const VariantArray&, OleVariant&), (override));
    MOCK_METHOD(std::int32_t, ExecuteProcByName, (const std::string&, const OleVariant&, OleVariant&),
                (override));
    MOCK_METHOD(bool, ExecuteSQL, (const std::string&), (override));
    MOCK_METHOD(bool, ExecuteSQL, (const std::string&, const VariantArray&), (override));
    MOCK_METHOD(std::string, GetSettingControlNames, (const std::string&), (override));
    MOCK_METHOD(bool, HasLimit, (std::int32_t), (override));
    MOCK_METHOD(bool, HasLimit, (const std::string&), (override));
    MOCK_METHOD(std::string, LastError, (), (override));
    MOCK_METHOD(void, LockScreen, (bool), (override));
    MOCK_METHOD(std::string, LoginUserID, (), (override));
    MOCK_METHOD(std::string, LoginUserName, (), (override));
    MOCK_METHOD(std::int32_t, LoginUserREC, (), (override));
    MOCK_METHOD(std::int32_t, LoginPublicPosID, (), (override));
    MOCK_METHOD(std::int32_t, MessageBox, (const std::string&, const std::string&, std::uint32_t),
                (override));
    MOCK_METHOD(std::int32_t, OpenProcByName,
                (const std::string&, const StringArray&, const VariantArray&, OleVariant&, OleVariant&),
                (override));
    MOCK_METHOD(std::int32_t, OpenProcByName,
                (const std::string&, const StringArray&, const VariantArray&, OleVariant&), (override));
    MOCK_METHOD(std::int32_t, OpenProcByName, (const std::string&, const OleVariant&, OleVariant&),
                (override));
    MOCK_METHOD(std::int32_t, OpenProcByName,
                (const std::string&, const OleVariant&, OleVariant&, OleVariant&), (override));
    MOCK_METHOD(bool, OpenSQL, (const std::string&, const VariantArray&, OleVariant&), (override));
    MOCK_METHOD(bool, OpenSql, (const std::string&, OleVariant&), (override));
    MOCK_METHOD(bool, Question, (const std::string&, const std::string&), (override));
    MOCK_METHOD(void, RefIniPublicVar, (), (override));
    MOCK_METHOD(void, RefMainCaption, (), (override));
    MOCK_METHOD(void, RunPrintManage, (const std::string&, TPrintItemList*, const OleVariant&, bool),
                (override));
    MOCK_METHOD(void, RunPrintManage, (const std::string&, TPrintItemList*, const VariantArray&, bool),
                (override));
    MOCK_METHOD(void, RunPrintManage, (const std::string&, TPrintItemList*, bool), (override));
    MOCK_METHOD(bool, SelectBaseic, (TBasicType, const std::string&, OleVariant&), (override));
    MOCK_METHOD(void, SetSettingControlNames, (const std::string&, const std::string&), (override));
    MOCK_METHOD(void, SetSubValue, (const std::string&, const OleVariant&), (override));
    MOCK_METHOD(void, SetSysSettingControl, (IHostControl*), (override));
    MOCK_METHOD(OleVariant, SysCfgValue, (const std::string&), (override));
    MOCK_METHOD(void, ViewBill, (std::int32_t, std::int32_t, std::int32_t, bool), (override));
    MOCK_METHOD(void, ShowMsg, (const std::string&, const std::string&), (override));
    MOCK_METHOD(void, ShowError, (const std::string&, const std::string&), (override));
    MOCK_METHOD(bool, YesOrNo, (const std::string&, const std::string&), (override));
    MOCK_METHOD(void, InitGLabelBtnEdit, (IHostControl*), (override));
    MOCK_METHOD(void, InitGLabelComBox, (IHostControl*), (override));
    MOCK_METHOD(void, InitVchGridClass, (IHostControl*), (override));
    MOCK_METHOD(void, InitBandGrid, (IHostControl*), (override));
    MOCK_METHOD(void, InitGBitbtn, (IHostControl*), (override));
    MOCK_METHOD(void, InitxwPanel, (IHostControl*), (override));
    MOCK_METHOD(void, InitLabelEdit, (IHostControl*), (override));
    MOCK_METHOD(bool, UpdataSQLFromFile, (const std::string&), (override));
    MOCK_METHOD(std::string, GetBasicLocalValue, (TFieldsList, const std::string&), (override));
    MOCK_METHOD(void, OpenYBRetail, (), (override));
    MOCK_METHOD(void, OpenYBRetailBack, (), (override));
    MOCK_METHOD(void, OpenCanleRetail, (), (override));
    MOCK_METHOD(bool, SelectBilltypeList, (OleVariant&), (override));
    MOCK_METHOD(OleVariant, GetBillTypeList, (), (override));
    MOCK_METHOD(bool, SaveImage, (const OleVariant&, std::int32_t&, std::string&), (override));
    MOCK_METHOD(void, DeleteImage, (std::int32_t, const std::string&), (override));
    MOCK_METHOD(void, GetImage, (OleVariant&, std::int32_t, const std::string&), (override));
};

} // namespace tkv::test
