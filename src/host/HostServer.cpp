// The host's answers to the workbench's calls.
#include "HostServer.h"

#include "RetailSale.h"

#include "Interface/HostControlValues.h"
#include "remote/HostMethods.h"

namespace tkv::host {

using remote::Arg;
using remote::TValues;
namespace method = remote::method;

namespace {

StringArray Texts(const OleVariant& value) {
    StringArray out;
    if (value.IsEmptyOrNull())
        return out;
    for (const OleVariant& v : value.Elements())
        out.push_back(v.AsString());
    return out;
}

VariantArray Values(const OleVariant& value) {
    return value.IsEmptyOrNull() ? VariantArray{} : value.Elements();
}

} // namespace

// The host's user interface, shown by the workbench.
class THostServer::TRemoteUi final : public IHostUi {
public:
    explicit TRemoteUi(remote::TRemoteEnd& end) : end_(end) {}
    void ShowMessage(const std::string& msg, const std::string& title) override {
        end_.Call(method::UiShowMessage, {OleVariant(msg), OleVariant(title)});
    }
    void ShowError(const std::string& msg, const std::string& title) override {
        end_.Call(method::UiShowError, {OleVariant(msg), OleVariant(title)});
    }
    bool Ask(const std::string& msg, const std::string& title) override {
        return Arg(end_.Call(method::UiAsk, {OleVariant(msg), OleVariant(title)}), 0).AsBoolean();
    }
    std::int32_t Box(const std::string& text, const std::string& caption, std::uint32_t flags) override {
        return Arg(end_.Call(method::UiBox,
                             {OleVariant(text), OleVariant(caption), OleVariant::Int64(flags)}),
                   0)
            .AsInteger();
    }
    int ChooseRecord(const std::string& caption, const std::vector<TBasicRecord>& candidates) override {
        const int pick =
            Arg(end_.Call(method::UiChooseRecord, {OleVariant(caption), RecordsToVariant(candidates)}), 0)
                .AsInteger();
        return pick >= 0 && pick < static_cast<int>(candidates.size()) ? pick : -1;
    }
    bool ConfirmPayments(const std::string& summary) override {
        return Arg(end_.Call(method::UiConfirmPayments, {OleVariant(summary)}), 0).AsBoolean();
    }

private:
    remote::TRemoteEnd& end_;
};

// What the host prepares in place of the workbench's control: its kind, class, name and basic
// type, and the handlers the preparation installs.
class THostServer::TControlStandIn final : public TInterfacedObject<IHostControl> {
public:
    TControlStandIn(THostControlKind kind, std::string className, std::string name, TBasicType type)
        : kind_(kind), className_(std::move(className)), name_(std::move(name)), type_(type) {}
    std::int32_t QueryInterface(const TGUID&, void** obj) override {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    THostControlKind Kind() override { return kind_; }
    std::string ClassName() override { return className_; }
    std::string Name() override { return name_; }
    TBasicType BasicType() override { return type_; }
    void SetSelectHandler(IRecordSelectHandler* handler) override { select = handler; }
    void SetBasicLookup(IBasicDataLookup* lookup) override { this->lookup = lookup; }

    ComPtr<IRecordSelectHandler> select;
    ComPtr<IBasicDataLookup> lookup;

private:
    THostControlKind kind_;
    std::string className_, name_;
    TBasicType type_;
};

THostServer::THostServer(remote::TConnection connection, const THostOptions& options)
    : end_(std::move(connection)), ui_(std::make_unique<TRemoteUi>(end_)),
      session_(std::make_unique<THostSession>(options, ui_.get())) {
    RegisterMainintf();
    RegisterHandlers();
}

THostServer::~THostServer() = default;

void THostServer::Serve() {
    end_.Serve();
}

void THostServer::RegisterMainintf() {
    THostMain& h = *session_->Main();
    TPrintManager& printer = session_->Printer();
    auto& e = end_;
    e.Handle(method::AddAction, [&h](const TValues& a) {
        h.AddAction(Arg(a, 0).AsInteger(), Arg(a, 1).AsString());
        return TValues{};
    });
    e.Handle(method::ExecuteProcByNameNames, [&h](const TValues& a) {
        OleVariant out;
        const std::int32_t rc =
            h.ExecuteProcByName(Arg(a, 0).AsString(), Texts(Arg(a, 1)), Values(Arg(a, 2)), out);
        return TValues{OleVariant(rc), out};
    });
    e.Handle(method::ExecuteProcByNamePacket, [&h](const TValues& a) {
        OleVariant out;
        const std::int32_t rc = h.ExecuteProcByName(Arg(a, 0).AsString(), Arg(a, 1), out);
        return TValues{OleVariant(rc), out};
    });
    e.Handle(method::ExecuteSQL,
             [&h](const TValues& a) { return TValues{OleVariant(h.ExecuteSQL(Arg(a, 0).AsString()))}; });
    e.Handle(method::ExecuteSQLConsts, [&h](const TValues& a) {
        return TValues{OleVariant(h.ExecuteSQL(Arg(a, 0).AsString(), Values(Arg(a, 1))))};
    });
    e.Handle(method::GetSettingControlNames, [&h](const TValues& a) {
        return TValues{OleVariant(h.GetSettingControlNames(Arg(a, 0).AsString()))};
    });
    e.Handle(method::SetSettingControlNames, [&h](const TValues& a) {
        h.SetSettingControlNames(Arg(a, 0).AsString(), Arg(a, 1).AsString());
        return TValues{};
    });
    e.Handle(method::HasLimitNo,
             [&h](const TValues& a) { return TValues{OleVariant(h.HasLimit(Arg(a, 0).AsInteger()))}; });
    e.Handle(method::HasLimitName,
             [&h](const TValues& a) { return TValues{OleVariant(h.HasLimit(Arg(a, 0).AsString()))}; });
    e.Handle(method::LastError, [&h](const TValues&) { return TValues{OleVariant(h.LastError())}; });
    e.Handle(method::LockScreen, [&h](const TValues& a) {
        h.LockScreen(Arg(a, 0).AsBoolean());
        return TValues{};
    });
    e.Handle(method::LoginUserID, [&h](const TValues&) { return TValues{OleVariant(h.LoginUserID())}; });
    e.Handle(method::LoginUserName, [&h](const TValues&) { return TValues{OleVariant(h.LoginUserName())}; });
    e.Handle(method::LoginUserREC, [&h](const TValues&) { return TValues{OleVariant(h.LoginUserREC())}; });
    e.Handle(method::LoginPublicPosID,
             [&h](const TValues&) { return TValues{OleVariant(h.LoginPublicPosID())}; });
    e.Handle(method::MessageBox, [&h](const TValues& a) {
        return TValues{OleVariant(h.MessageBox(Arg(a, 0).AsString(), Arg(a, 1).AsString(),
                                               static_cast<std::uint32_t>(Arg(a, 2).AsInt64())))};
    });
    e.Handle(method::OpenProcByNameOutputs, [&h](const TValues& a) {
        OleVariant rs, out;
        const std::int32_t rc =
            h.OpenProcByName(Arg(a, 0).AsString(), Texts(Arg(a, 1)), Values(Arg(a, 2)), rs, out);
        return TValues{OleVariant(rc), rs, out};
    });
    e.Handle(method::OpenProcByNameNames, [&h](const TValues& a) {
        OleVariant rs;
        const std::int32_t rc =
            h.OpenProcByName(Arg(a, 0).AsString(), Texts(Arg(a, 1)), Values(Arg(a, 2)), rs);
        return TValues{OleVariant(rc), rs};
    });
    e.Handle(method::OpenProcByNamePacket, [&h](const TValues& a) {
        OleVariant rs;
        const std::int32_t rc = h.OpenProcByName(Arg(a, 0).AsString(), Arg(a, 1), rs);
        return TValues{OleVariant(rc), rs};
    });
    e.Handle(method::OpenProcByNamePacketOutputs, [&h](const TValues& a) {
        OleVariant rs, out;
        const std::int32_t rc = h.OpenProcByName(Arg(a, 0).AsString(), Arg(a, 1), rs, out);
        return TValues{OleVariant(rc), rs, out};
    });
    e.Handle(method::OpenSQL, [&h](const TValues& a) {
        OleVariant rs;
        const bool ok = h.OpenSQL(Arg(a, 0).AsString(), Values(Arg(a, 1)), rs);
        return TValues{OleVariant(ok), rs};
    });
    e.Handle(method::OpenSql, [&h](const TValues& a) {
        OleVariant rs;
        const bool ok = h.OpenSql(Arg(a, 0).AsString(), rs);
        return TValues{OleVariant(ok), rs};
    });
    e.Handle(method::Question, [&h](const TValues& a) {
        return TValues{OleVariant(h.Question(Arg(a, 0).AsString(), Arg(a, 1).AsString()))};
    });
    e.Handle(method::YesOrNo, [&h](const TValues& a) {
        return TValues{OleVariant(h.YesOrNo(Arg(a, 0).AsString(), Arg(a, 1).AsString()))};
    });
    e.Handle(method::ShowMsg, [&h](const TValues& a) {
        h.ShowMsg(Arg(a, 0).AsString(), Arg(a, 1).AsString());
        return TValues{};
    });
    e.Handle(method::ShowError, [&h](const TValues& a) {
        h.ShowError(Arg(a, 0).AsString(), Arg(a, 1).AsString());
        return TValues{};
    });
    e.Handle(method::RefIniPublicVar, [&h](const TValues&) {
        h.RefIniPublicVar();
        return TValues{};
    });
    e.Handle(method::RefMainCaption, [&h](const TValues&) {
        h.RefMainCaption();
        return TValues{};
    });
    // Each report the print manager writes is named to the workbench, which shows where it lies.
    auto reported = [&e, &printer](std::size_t before) {
        for (std::size_t i = before; i < printer.Printed().size(); ++i)
            e.Call(method::UiReport, {OleVariant(printer.Printed()[i].string())});
        return TValues{};
    };
    e.Handle(method::RunPrintManageData, [&h, &printer, reported](const TValues& a) {
        const std::size_t before = printer.Printed().size();
        h.RunPrintManage(Arg(a, 0).AsString(), nullptr, Arg(a, 1), Arg(a, 2).AsBoolean());
        return reported(before);
    });
    e.Handle(method::RunPrintManageDatas, [&h, &printer, reported](const TValues& a) {
        const std::size_t before = printer.Printed().size();
        h.RunPrintManage(Arg(a, 0).AsString(), nullptr, Values(Arg(a, 1)), Arg(a, 2).AsBoolean());
        return reported(before);
    });
    e.Handle(method::RunPrintManageItems, [&h, &printer, reported](const TValues& a) {
        const std::size_t before = printer.Printed().size();
        h.RunPrintManage(Arg(a, 0).AsString(), nullptr, Arg(a, 1).AsBoolean());
        return reported(before);
    });
    e.Handle(method::SelectBaseic, [&h](const TValues& a) {
        OleVariant selected = Arg(a, 2);
        const bool ok =
            h.SelectBaseic(static_cast<TBasicType>(Arg(a, 0).AsInteger()), Arg(a, 1).AsString(), selected);
        return TValues{OleVariant(ok), selected};
    });
    e.Handle(method::SetSubValue, [&h](const TValues& a) {
        h.SetSubValue(Arg(a, 0).AsString(), Arg(a, 1));
        return TValues{};
    });
    e.Handle(method::SysCfgValue,
             [&h](const TValues& a) { return TValues{h.SysCfgValue(Arg(a, 0).AsString())}; });
    e.Handle(method::ViewBill, [&h, &e](const TValues& a) {
        h.ViewBill(Arg(a, 0).AsInteger(), Arg(a, 1).AsInteger(), Arg(a, 2).AsInteger(),
                   Arg(a, 3).AsBoolean());
        e.Call(method::UiViewBill, {Arg(a, 0), Arg(a, 1)});
        return TValues{};
    });
    e.Handle(method::GetBasicLocalValue, [&h](const TValues& a) {
        return TValues{OleVariant(
            h.GetBasicLocalValue(static_cast<TFieldsList>(Arg(a, 0).AsInteger()), Arg(a, 1).AsString()))};
    });
    e.Handle(method::OpenYBRetail, [&h](const TValues&) {
        h.OpenYBRetail();
        return TValues{};
    });
    e.Handle(method::OpenYBRetailBack, [&h](const TValues&) {
        h.OpenYBRetailBack();
        return TValues{};
    });
    e.Handle(method::OpenCanleRetail, [&h](const TValues&) {
        h.OpenCanleRetail();
        return TValues{};
    });
    e.Handle(method::SelectBilltypeList, [&h](const TValues& a) {
        OleVariant selected = Arg(a, 0);
        const bool ok = h.SelectBilltypeList(selected);
        return TValues{OleVariant(ok), selected};
    });
    e.Handle(method::GetBillTypeList, [&h](const TValues&) { return TValues{h.GetBillTypeList()}; });
    e.Handle(method::SaveImage, [&h](const TValues& a) {
        std::int32_t ord = Arg(a, 1).AsInteger();
        std::string fileName = Arg(a, 2).AsString();
        const bool ok = h.SaveImage(Arg(a, 0), ord, fileName);
        return TValues{OleVariant(ok), OleVariant(ord), OleVariant(fileName)};
    });
    e.Handle(method::DeleteImage, [&h](const TValues& a) {
        h.DeleteImage(Arg(a, 0).AsInteger(), Arg(a, 1).AsString());
        return TValues{};
    });
    e.Handle(method::GetImage, [&h](const TValues& a) {
        OleVariant picture = Arg(a, 0);
        h.GetImage(picture, Arg(a, 1).AsInteger(), Arg(a, 2).AsString());
        return TValues{picture};
    });
}

void THostServer::RegisterHandlers() {
    THostMain& h = *session_->Main();
    end_.Handle(method::RetailNewSale, [this](const TValues&) {
        HostDatabase& db = session_->Database();
        const std::int32_t billId = NextRetailBillId(db);
        const TTillLines till = DemoTillLines();
        return TValues{OleVariant(billId), OleVariant(RetailBillCode(db.Now(), billId)),
                       till.Packet(db.PacketForm()), OleVariant(SaleTotal(till.Shown()))};
    });
    end_.Handle(method::RetailSave, [this](const TValues& a) {
        // The payments come as a flat array: account record, amount, account record, amount, ...
        std::vector<std::pair<std::int32_t, double>> payments;
        const auto& flat = Arg(a, 3).Elements();
        for (std::size_t i = 0; i + 1 < flat.size(); i += 2)
            payments.emplace_back(flat[i].AsInteger(), flat[i + 1].AsDouble());
        HostDatabase& db = session_->Database();
        SaveRetailSale(db, Arg(a, 0).AsInteger(), Arg(a, 1).AsString(), db.Now(), Arg(a, 2).AsDouble(),
                       payments);
        return TValues{};
    });
    end_.Handle(method::PrepareControl, [this, &h](const TValues& a) {
        const std::string how = Arg(a, 0).AsString();
        ComPtr<TControlStandIn> control(
            new TControlStandIn(static_cast<THostControlKind>(Arg(a, 1).AsInteger()), Arg(a, 2).AsString(),
                                Arg(a, 3).AsString(), static_cast<TBasicType>(Arg(a, 4).AsInteger())));
        if (how == "InitGLabelBtnEdit")
            h.InitGLabelBtnEdit(control.Get());
        else if (how == "InitGLabelComBox")
            h.InitGLabelComBox(control.Get());
        else if (how == "InitVchGridClass")
            h.InitVchGridClass(control.Get());
        else if (how == "InitBandGrid")
            h.InitBandGrid(control.Get());
        else if (how == "InitGBitbtn")
            h.InitGBitbtn(control.Get());
        else if (how == "InitxwPanel")
            h.InitxwPanel(control.Get());
        else if (how == "InitLabelEdit")
            h.InitLabelEdit(control.Get());
        else if (how == "SetSysSettingControl")
            h.SetSysSettingControl(control.Get());
        else
            throw remote::ERemoteError("no preparation " + how);
        std::int32_t selectId = 0, lookupId = 0;
        if (control->select) {
            selectId = nextHandler_++;
            selectHandlers_[selectId] = control->select;
        }
        if (control->lookup) {
            lookupId = nextHandler_++;
            lookups_[lookupId] = control->lookup;
        }
        return TValues{OleVariant(selectId), OleVariant(lookupId)};
    });
    end_.Handle(method::SelectRecords, [this](const TValues& a) {
        auto it = selectHandlers_.find(Arg(a, 0).AsInteger());
        if (it == selectHandlers_.end())
            throw remote::ERemoteError("no record selection " + std::to_string(Arg(a, 0).AsInteger()));
        TSelectRequest request;
        request.BasicType = static_cast<TBasicType>(Arg(a, 1).AsInteger());
        request.Mode = static_cast<TSelectMode>(Arg(a, 2).AsInteger());
        request.SearchText = Arg(a, 3).AsString();
        request.SourceField = static_cast<TFieldsList>(Arg(a, 4).AsInteger());
        request.OptInsert = Arg(a, 5).AsBoolean();
        request.OptRemember = Arg(a, 6).AsBoolean();
        const TSelectResult result = it->second->SelectRecords(request);
        return TValues{OleVariant(result.Count), RecordsToVariant(result.Records)};
    });
    end_.Handle(method::FindByRec, [this](const TValues& a) {
        auto it = lookups_.find(Arg(a, 0).AsInteger());
        if (it == lookups_.end())
            throw remote::ERemoteError("no basic-data lookup " + std::to_string(Arg(a, 0).AsInteger()));
        TBasicRecord record;
        const bool found = it->second->FindByRec(static_cast<TBasicType>(Arg(a, 1).AsInteger()),
                                                 Arg(a, 2).AsInteger(), record);
        return TValues{OleVariant(found), found ? RecordToVariant(record) : OleVariant::Null()};
    });
    end_.Handle(method::FieldValue, [this](const TValues& a) {
        auto it = lookups_.find(Arg(a, 0).AsInteger());
        if (it == lookups_.end())
            throw remote::ERemoteError("no basic-data lookup " + std::to_string(Arg(a, 0).AsInteger()));
        std::string value;
        const bool found = it->second->FieldValue(static_cast<TFieldsList>(Arg(a, 1).AsInteger()),
                                                  Arg(a, 2).AsInteger(), value);
        return TValues{OleVariant(found), OleVariant(value)};
    });
    end_.Handle(method::ReleaseHandler, [this](const TValues& a) {
        const std::int32_t id = Arg(a, 0).AsInteger();
        selectHandlers_.erase(id);
        lookups_.erase(id);
        return TValues{};
    });
}

} // namespace tkv::host
