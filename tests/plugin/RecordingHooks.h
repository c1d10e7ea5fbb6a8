// Insurance hooks that record which hook ran and answer what the test sets.
#pragma once

#include "plugin/InsuranceHooks.h"

#include <string>
#include <vector>

namespace tkv::test {

class TRecordingHooks : public IInsuranceHooks {
public:
    explicit TRecordingHooks(std::vector<std::string>& log, bool answer = true)
        : log_(log), answer_(answer) {}

    bool BeforeSave(TVNPlugTrans&, OleVariant& Params) override { return Note("BeforeSave", Params); }
    bool GetSBCard(TVNPlugTrans&, OleVariant& Params) override { return Note("GetSBCard", Params); }
    void ShowSBCard(TVNPlugTrans&) override { Note("ShowSBCard"); }
    bool ClearCardInfo(TVNPlugTrans&) override { return Note("ClearCardInfo"); }
    bool ssEvaluateBalance(TVNPlugTrans&) override { return Note("ssEvaluateBalance"); }
    bool ssBalance(TVNPlugTrans&) override { return Note("ssBalance"); }
    bool ssClearEvaluateBalance(TVNPlugTrans&) override { return Note("ssClearEvaluateBalance"); }
    bool CanelBalance(TVNPlugTrans&) override { return Note("CanelBalance"); }
    OleVariant ssPrintItems(TVNPlugTrans&) override {
        Note("ssPrintItems");
        return OleVariant("items");
    }
    void ssBalaInfo(TVNPlugTrans&, OleVariant& Params) override { Note("ssBalaInfo", Params); }
    bool ssInit(TVNPlugTrans&) override { return Note("ssInit"); }
    bool CheckCanUseSS() override { return Note("CheckCanUseSS"); }
    bool ssConfig() override { return Note("ssConfig"); }
    std::string GetConfigPostCode() override {
        Note("GetConfigPostCode");
        return "H001";
    }

private:
    bool Note(const std::string& name) {
        log_.push_back(name);
        return answer_;
    }
    bool Note(const std::string& name, OleVariant& params) {
        params = OleVariant(name);
        return Note(name);
    }

    std::vector<std::string>& log_;
    bool answer_;
};

} // namespace tkv::test
