// The insurance hooks of the transaction object with the settlement behind them: settings, card
// reading, pre-settlement, settlement and its record, reversal. The hooks object holds the card
// object YBCard, which lives as long as the one transaction object of the library.
#pragma once

#include "../plugin/InsuranceHooks.h"
#include "YBCard.h"

#include <memory>

namespace tkv {

class TRetailInsuranceHooks : public IInsuranceHooks {
public:
    bool BeforeSave(TVNPlugTrans& trans, OleVariant& Params) override;
    bool GetSBCard(TVNPlugTrans& trans, OleVariant& Params) override;
    void ShowSBCard(TVNPlugTrans& trans) override;
    bool ClearCardInfo(TVNPlugTrans& trans) override;
    bool ssEvaluateBalance(TVNPlugTrans& trans) override;
    bool ssBalance(TVNPlugTrans& trans) override;
    bool ssClearEvaluateBalance(TVNPlugTrans& trans) override;
    bool CanelBalance(TVNPlugTrans& trans) override;
    OleVariant ssPrintItems(TVNPlugTrans& trans) override;
    void ssBalaInfo(TVNPlugTrans& trans, OleVariant& Params) override;
    bool ssInit(TVNPlugTrans& trans) override;
    bool CheckCanUseSS() override;
    bool ssConfig() override;
    std::string GetConfigPostCode() override;

    // Empty until the first card reading.
    TYBCard* Card() const { return YBCard.get(); }

private:
    std::unique_ptr<TYBCard> YBCard;
};

// Makes the transaction objects created from now on use TRetailInsuranceHooks.
void InstallInsuranceHooks();

} // namespace tkv
