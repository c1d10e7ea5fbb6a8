// The calls behind invoice pictures and their links to purchased items: each stored procedure of
// the association with its parameters in order, their letter case and value types, as the host
// database expects them. Dates of the "day" kind travel as plain numbers (OLE automation dates),
// whole-day ones with the time cut off; the invoice lookup sends its date as a date value.
#pragma once

#include "framework/DataSet.h"

#include <cstdint>
#include <string>

namespace tkv {

// Filters of the management list; record ids are 0 and texts empty when a filter is blank.
struct TJobLinkFilter {
    std::int32_t brec = 0;
    std::int32_t prec = 0;
    std::string jobname;
    std::string VoiceCode;
    TDateTime begindate = 0;
    TDateTime enddate = 0;
};

// The invoice values that the lookup answers in its in-out parameters; voiceid <= 0 means that no
// such invoice exists.
struct TVoiceLookup {
    std::string voicecode;
    std::int32_t brec = 0;
    std::int32_t voiceid = 0;
    TDateTime voicedate = 0;
};

void Zk_TkGetJobLink(const TJobLinkFilter& filter, TClientDataSet& links);
void zk_deleteJobLink(std::int32_t id);
// Purchase bills (bill mode) or purchase-detail rows (detail mode) of a supplier in a date range,
// both dates cut to whole days.
void ZK_FpSelBillIndex(std::int32_t brec, TDateTime begindate, TDateTime enddate, TClientDataSet& bills);
void ZK_FpSelBillMX(std::int32_t brec, TDateTime begindate, TDateTime enddate, TClientDataSet& rows);
void zk_TkGetJobInfo(std::int32_t id, TClientDataSet& item);
void zk_TkGetJobLinkImage(std::int32_t id, TClientDataSet& images);
// Looks an invoice up by number (voiceid 0) or by id (empty number); its picture pool comes back
// in the rows ("ord", "imgname", "ImageId").
TVoiceLookup zk_TkGetVoiceCodeImage(const std::string& voicecode, std::int32_t voiceid, TDateTime today,
                                    TClientDataSet& pictures);
// The invoice id, > 0 on success.
std::int32_t zk_SaveTkVoice(const std::string& VoiceCode, TDateTime VoiceDate, std::int32_t brec,
                            const std::string& bfullname);
// The new picture id, > 0 on success.
std::int32_t zk_TkNewSaveImage(std::int32_t ord, const std::string& filname);
void zk_DelFpImage(std::int32_t imageId);
void zk_saveTkVoiceImage(std::int32_t Voiceid, std::int32_t ImageId, const std::string& ImageName,
                         std::int32_t deleted);
// Empties the temporary picture list of one save key.
void DeleteTempVoiceLink(const std::string& uid);
void zk_savetempVoiceLink(const std::string& Uid, std::int32_t imageId);
void zk_SaveJobLink(std::int32_t billid, std::int32_t buyid, const std::string& uid, std::int32_t voiceid);
void zk_TkSaveJobLinkImag(std::int32_t id, const std::string& uid, std::int32_t voiceId);

} // namespace tkv
