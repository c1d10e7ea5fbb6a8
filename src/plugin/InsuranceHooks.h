// The retail insurance hooks of the transaction object, behind a replaceable object: the insurance
// settlement plugs its implementation in through TPlugParts without touching TVNPlugTrans.
#pragma once

#include "../framework/Variant.h"

#include <string>

namespace tkv {

class TVNPlugTrans;

class IInsuranceHooks {
public:
    virtual ~IInsuranceHooks() = default;

    virtual bool BeforeSave(TVNPlugTrans& trans, OleVariant& Params) = 0;
    virtual bool GetSBCard(TVNPlugTrans& trans, OleVariant& Params) = 0;
    virtual void ShowSBCard(TVNPlugTrans& trans) = 0;
    virtual bool ClearCardInfo(TVNPlugTrans& trans) = 0;
    virtual bool ssEvaluateBalance(TVNPlugTrans& trans) = 0;
    virtual bool ssBalance(TVNPlugTrans& trans) = 0;
    virtual bool ssClearEvaluateBalance(TVNPlugTrans& trans) = 0;
    virtual bool CanelBalance(TVNPlugTrans& trans) = 0;
    virtual OleVariant ssPrintItems(TVNPlugTrans& trans) = 0;
    virtual void ssBalaInfo(TVNPlugTrans& trans, OleVariant& Params) = 0;
    virtual bool ssInit(TVNPlugTrans& trans) = 0;
    // These three need no transaction object: the description's PlugConfig may run before one exists.
    virtual bool CheckCanUseSS() = 0;
    virtual bool ssConfig() = 0;
    virtual std::string GetConfigPostCode() = 0;
};

// The answers of the plug-in without insurance settlement (no settings file): no card is ever
// read, every settlement step fails, nothing is shown, and the figures are the transaction
// object's own (zero after Clear).
class TNoInsuranceHooks : public IInsuranceHooks {
public:
    bool BeforeSave(TVNPlugTrans& trans, OleVariant& Params) override { return false; }
    bool GetSBCard(TVNPlugTrans& trans, OleVariant& Params) override { return false; }
    void ShowSBCard(TVNPlugTrans& trans) override {}
    bool ClearCardInfo(TVNPlugTrans& trans) override { return true; }
    bool ssEvaluateBalance(TVNPlugTrans& trans) override { return false; }
    bool ssBalance(TVNPlugTrans& trans) override { return false; }
    bool ssClearEvaluateBalance(TVNPlugTrans& trans) override { return false; }
    bool CanelBalance(TVNPlugTrans& trans) override { return false; }
    // The three amounts of the receipt.
    OleVariant ssPrintItems(TVNPlugTrans& trans) override;
    // The three amounts and an empty settlement number.
    void ssBalaInfo(TVNPlugTrans& trans, OleVariant& Params) override;
    bool ssInit(TVNPlugTrans& trans) override { return false; }
    bool CheckCanUseSS() override { return false; }
    bool ssConfig() override { return false; }
    std::string GetConfigPostCode() override { return {}; }
};

} // namespace tkv
