// The hooks forwarded to the settings, card, settlement and reversal functions.
#include "RetailInsuranceHooks.h"

#include "../Interface/PlugConsts.h"
#include "../comm/Settings.h"
#include "../framework/PlugParams.h"
#include "../plugin/PlugParts.h"
#include "CardInfo.h"
#include "ConfigInfo.h"
#include "PreSettlement.h"
#include "RetailBill.h"
#include "Reversal.h"
#include "SettleJournal.h"
#include "Settlement.h"

namespace tkv {

bool TRetailInsuranceHooks::BeforeSave(TVNPlugTrans& trans, OleVariant& Params) {
    // The host saves again after its first save failed: the service settled this bill already and
    // would refuse a second settlement, so the bill could never be saved with it.
    if (SettlementPending(YBCard.get()) && YBCard->SettledBill() == CurrentRetailBill()->GetBillCode())
        return true;
    if (KeepPendingSettlement(YBCard.get()))
        return false;
    return tkv::BeforeSave(trans, YBCard.get());
}

bool TRetailInsuranceHooks::GetSBCard(TVNPlugTrans& trans, OleVariant& Params) {
    if (KeepPendingSettlement(YBCard.get()) || GetCard(YBCard) != 0)
        return false;
    TPlugParams params;
    params.Add(C_PLUGSB_CARDNO, OleVariant(YBCard->CardNo()));
    params.Add(C_PLUGSB_CARDNAME, OleVariant(YBCard->CardName()));
    params.Add(C_PLUGSB_CARDBM, OleVariant(YBCard->SHBZH()));
    params.Add(C_PLUGSB_CARDSEX, OleVariant(YBCard->Sex()));
    params.Add(C_PLUGSB_CARDBALA, OleVariant(YBCard->Bala()));
    params.Add(C_PLUGSB_CARDUNIT, OleVariant(YBCard->UnitName()));
    params.Add(C_PLUGSB_CARDAGE, OleVariant(YBCard->Age()));
    Params = params.GetOleParams();
    return true;
}

void TRetailInsuranceHooks::ShowSBCard(TVNPlugTrans& trans) {
    if (YBCard)
        CardShow(YBCard.get());
}

bool TRetailInsuranceHooks::ClearCardInfo(TVNPlugTrans& trans) {
    if (KeepPendingSettlement(YBCard.get()))
        return false;
    if (YBCard)
        YBCard->Clear();
    return true;
}

bool TRetailInsuranceHooks::ssEvaluateBalance(TVNPlugTrans& trans) {
    if (KeepPendingSettlement(YBCard.get()))
        return false;
    return tkv::ssEvaluateBalance(trans, YBCard.get());
}

bool TRetailInsuranceHooks::ssBalance(TVNPlugTrans& trans) {
    return tkv::ssBalance(trans, YBCard.get());
}

bool TRetailInsuranceHooks::ssClearEvaluateBalance(TVNPlugTrans& trans) {
    if (KeepPendingSettlement(YBCard.get()))
        return false;
    return tkv::ssClearEvaluateBalance(trans, YBCard);
}

bool TRetailInsuranceHooks::CanelBalance(TVNPlugTrans& trans) {
    return tkv::CanelBalance(YBCard);
}

OleVariant TRetailInsuranceHooks::ssPrintItems(TVNPlugTrans& trans) {
    return tkv::ssPrintItems(trans, YBCard.get());
}

void TRetailInsuranceHooks::ssBalaInfo(TVNPlugTrans& trans, OleVariant& Params) {
    tkv::ssBalaInfo(trans, YBCard.get(), Params);
}

bool TRetailInsuranceHooks::ssInit(TVNPlugTrans& trans) {
    return tkv::ssInit(trans);
}

bool TRetailInsuranceHooks::CheckCanUseSS() {
    ShowSettleJournalOnce();
    return GetConfigInfo(false);
}

bool TRetailInsuranceHooks::ssConfig() {
    return GetConfigInfo(true);
}

std::string TRetailInsuranceHooks::GetConfigPostCode() {
    return GetConfigValue("PosCode");
}

void InstallInsuranceHooks() {
    PlugParts().CreateInsuranceHooks = [] {
        return std::make_unique<TRetailInsuranceHooks>();
    };
}

} // namespace tkv
