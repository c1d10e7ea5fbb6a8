// The association's stored procedures and the temporary-list statement, through the data functions.
#include "FpImageCalls.h"

#include "comm/DataAccess.h"
#include "framework/DateTime.h"
#include "framework/Params.h"

namespace tkv {

namespace {

std::int32_t Execute(const char* procedure, const StringArray& names, const VariantArray& values) {
    return ExecuteProcByName(procedure, names, values);
}

} // namespace

void Zk_TkGetJobLink(const TJobLinkFilter& f, TClientDataSet& links) {
    OpenProcByName("Zk_TkGetJobLink", {"@brec", "@prec", "@jobname", "@VoiceCode", "@begindate", "@enddate"},
                   {f.brec, f.prec, f.jobname, f.VoiceCode, f.begindate, f.enddate}, links);
}

void zk_deleteJobLink(std::int32_t id) {
    Execute("zk_deleteJobLink", {"@id"}, {id});
}

void ZK_FpSelBillIndex(std::int32_t brec, TDateTime begindate, TDateTime enddate, TClientDataSet& bills) {
    OpenProcByName("ZK_FpSelBillIndex", {"@brec", "@begindate", "@enddate"},
                   {brec, DateOf(begindate), DateOf(enddate)}, bills);
}

void ZK_FpSelBillMX(std::int32_t brec, TDateTime begindate, TDateTime enddate, TClientDataSet& rows) {
    OpenProcByName("ZK_FpSelBillMX", {"@brec", "@begindate", "@enddate"},
                   {brec, DateOf(begindate), DateOf(enddate)}, rows);
}

void zk_TkGetJobInfo(std::int32_t id, TClientDataSet& item) {
    OpenProcByName("zk_TkGetJobInfo", {"@id"}, {id}, item);
}

void zk_TkGetJobLinkImage(std::int32_t id, TClientDataSet& images) {
    OpenProcByName("zk_TkGetJobLinkImage", {"@id"}, {id}, images);
}

TVoiceLookup zk_TkGetVoiceCodeImage(const std::string& voicecode, std::int32_t voiceid, TDateTime today,
                                    TClientDataSet& pictures) {
    TParams out;
    OpenProcByName("zk_TkGetVoiceCodeImage", {"@voicecode", "@brec", "@voiceid", "@voicedate", "@bfullname"},
                   {voicecode, 0, voiceid, OleVariant::Date(today), std::string()}, pictures, &out);
    TVoiceLookup found;
    const auto value = [&out](const char* name) {
        const TParam* p = out.FindParam(name);
        return p ? p->Value : OleVariant();
    };
    found.voiceid = value("@voiceid").IsEmptyOrNull() ? 0 : value("@voiceid").AsInteger();
    if (found.voiceid <= 0)
        return found;
    found.voicecode = value("@voicecode").IsEmptyOrNull() ? std::string() : value("@voicecode").AsString();
    found.brec = value("@brec").IsEmptyOrNull() ? 0 : value("@brec").AsInteger();
    found.voicedate = value("@voicedate").IsEmptyOrNull() ? today : value("@voicedate").AsDateTime();
    return found;
}

std::int32_t zk_SaveTkVoice(const std::string& VoiceCode, TDateTime VoiceDate, std::int32_t brec,
                            const std::string& bfullname) {
    return Execute("zk_SaveTkVoice", {"@VoiceCode", "@VoiceDate", "@brec", "@bfullname"},
                   {VoiceCode, DateOf(VoiceDate), brec, bfullname});
}

std::int32_t zk_TkNewSaveImage(std::int32_t ord, const std::string& filname) {
    return Execute("zk_TkNewSaveImage", {"@ord", "@filname"}, {ord, filname});
}

void zk_DelFpImage(std::int32_t imageId) {
    Execute("zk_DelFpImage", {"@imageId"}, {imageId});
}

void zk_saveTkVoiceImage(std::int32_t Voiceid, std::int32_t ImageId, const std::string& ImageName,
                         std::int32_t deleted) {
    Execute("zk_saveTkVoiceImage", {"@Voiceid", "@ImageId", "@ImageName", "@delete"},
            {Voiceid, ImageId, ImageName, deleted});
}

void DeleteTempVoiceLink(const std::string& uid) {
    ExecuteSQL("delete from t_tempVoiceLink where uid='" + uid + "'");
}

void zk_savetempVoiceLink(const std::string& Uid, std::int32_t imageId) {
    Execute("zk_savetempVoiceLink", {"@Uid", "@imageId"}, {Uid, imageId});
}

void zk_SaveJobLink(std::int32_t billid, std::int32_t buyid, const std::string& uid, std::int32_t voiceid) {
    Execute("zk_SaveJobLink", {"@billid", "@buyid", "@uid", "@voiceid"}, {billid, buyid, uid, voiceid});
}

void zk_TkSaveJobLinkImag(std::int32_t id, const std::string& uid, std::int32_t voiceId) {
    Execute("zk_TkSaveJobLinkImag", {"@id", "@uid", "@voiceId"}, {id, uid, voiceId});
}

} // namespace tkv
