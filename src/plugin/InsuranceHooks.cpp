// The hooks of the plug-in without insurance settlement: the figures it hands to the host.
#include "InsuranceHooks.h"

#include "../Interface/PlugConsts.h"
#include "../framework/PlugParams.h"
#include "VNPlugTrans.h"

namespace tkv {

OleVariant TNoInsuranceHooks::ssPrintItems(TVNPlugTrans& trans) {
    TPlugParams params;
    params.Add("社保支付金额", OleVariant(trans.FTotalYB));
    params.Add("现金支付金额", OleVariant(trans.FTotalCash));
    params.Add("当前社保余额", OleVariant(trans.FAcctBala));
    return params.GetOleParams();
}

void TNoInsuranceHooks::ssBalaInfo(TVNPlugTrans& trans, OleVariant& Params) {
    TPlugParams params;
    params.Add(C_PLUGSB_Balance_SB, OleVariant(trans.FTotalYB));
    params.Add(C_PLUGSB_Balance_Cash, OleVariant(trans.FTotalCash));
    params.Add(C_PLUGSB_Balance_Bala, OleVariant(trans.FAcctBala));
    params.Add(C_PLUGSB_Balance_NO, OleVariant(std::string()));
    Params = params.GetOleParams();
}

} // namespace tkv
