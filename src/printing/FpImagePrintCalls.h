// The calls behind invoice picture printing and export: each stored procedure with its parameters
// in order, their letter case and value types, as the host database expects them, and the supplier
// name query. Dates of the bill list travel as plain day numbers cut to whole days; the print date
// of the printed-picture records travels as a date value.
#pragma once

#include "framework/DataSet.h"

#include <cstdint>
#include <string>

namespace tkv {

// Filters of the bill list; record ids are 0 when a filter is blank.
struct TBillImageFilter {
    std::int32_t brec = 0;
    std::int32_t erec = 0;
    std::int32_t billerec = 0;
    std::int32_t krec = 0;
    std::int32_t billstatus = 0; // 0 all, 1 posted, 2 checked, 3 not checked
    std::string PrintTJ = ">=";  // the print count relation: >=, >, =, <, <=, <>
    std::int32_t printcount = 0;
    TDateTime begindate = 0;
    TDateTime enddate = 0;
    std::int32_t loginuser = 0;
};

void Zk_TkGetBillImageData(const TBillImageFilter& filter, TClientDataSet& bills);
// The pictures linked to a bill ("imageid", "ord", "imgname").
void zk_TkGetOneBillImage(std::int32_t billid, std::int32_t billtype, TClientDataSet& pictures);
// The pictures of the supplier already printed on that day ("imageid").
void zk_TkGetBPirntImage(std::int32_t brec, TDateTime printdate, TClientDataSet& printed);
// Records that the picture was printed for the supplier on that day.
void zk_TkSaveBPirntImage(std::int32_t brec, TDateTime printdate, const std::string& imageid);
// Counts one more picture print of the bill.
void zk_TkSaveBillprinttimes(const std::string& Uid);
// The supplier's full name; empty when no supplier has that record id.
std::string GetBfullname(std::int32_t brec);

} // namespace tkv
