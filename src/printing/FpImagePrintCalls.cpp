// The printing part's stored procedures and SQL, through the data functions.
#include "FpImagePrintCalls.h"

#include "comm/DataAccess.h"
#include "framework/DateTime.h"

namespace tkv {

void Zk_TkGetBillImageData(const TBillImageFilter& f, TClientDataSet& bills) {
    OpenProcByName("Zk_TkGetBillImageData",
                   {"@brec", "@erec", "@billerec", "@krec", "@billstatus", "@PrintTJ", "@printcount",
                    "@begindate", "@enddate", "@loginuser"},
                   {f.brec, f.erec, f.billerec, f.krec, f.billstatus, f.PrintTJ, f.printcount,
                    DateOf(f.begindate), DateOf(f.enddate), f.loginuser},
                   bills);
}

void zk_TkGetOneBillImage(std::int32_t billid, std::int32_t billtype, TClientDataSet& pictures) {
    OpenProcByName("zk_TkGetOneBillImage", {"@billid", "@billtype"}, {billid, billtype}, pictures);
}

void zk_TkGetBPirntImage(std::int32_t brec, TDateTime printdate, TClientDataSet& printed) {
    OpenProcByName("zk_TkGetBPirntImage", {"@brec", "@printdate"},
                   {brec, OleVariant::Date(DateOf(printdate))}, printed);
}

void zk_TkSaveBPirntImage(std::int32_t brec, TDateTime printdate, const std::string& imageid) {
    ExecuteProcByName("zk_TkSaveBPirntImage", {"@brec", "@printdate", "@imageid"},
                      {brec, OleVariant::Date(DateOf(printdate)), imageid});
}

void zk_TkSaveBillprinttimes(const std::string& Uid) {
    ExecuteProcByName("zk_TkSaveBillprinttimes", {"@Uid"}, {Uid});
}

std::string GetBfullname(std::int32_t brec) {
    TClientDataSet ds;
    OpenSQL("select fullname from btype where rec=" + std::to_string(brec), ds);
    if (ds.RecordCount() < 1)
        return std::string();
    ds.First();
    return ds.FieldByName("fullname").AsString();
}

} // namespace tkv
