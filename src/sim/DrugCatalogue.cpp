// The demo pharmacy's registered drugs.
#include "DrugCatalogue.h"

namespace tkv::sim {

namespace {

const std::vector<TCatalogueDrug>& Catalogue() {
    static const std::vector<TCatalogueDrug> drugs = {
        {"XJ01CAA040E001010100254",
         "阿莫西林胶囊",
         "0.25g*24粒",
         "胶囊剂",
         {{"盒", 24}, {"板", 12}, {"中盒", 240}, {"粒", 1}},
         12.5},
        {"ZA01BAB0010010102339", "板蓝根颗粒", "10g*20袋", "颗粒剂", {{"袋", 1}}, 18.0},
        {"XM01AEB033E001020101443", "布洛芬缓释胶囊", "0.3g*20粒", "胶囊剂", {{"盒", 1}}, 22.8},
        // Registered as the pharmacy sends it: its own pack size (规格) holds a "|".
        {"ZA01AAG0150010100107", "感冒灵颗粒", "10g｜9袋", "颗粒剂", {{"盒", 1}}, 15.5},
        {"XA11GAV008A001010104532", "维生素C片", "0.1g*100片", "片剂", {{"瓶", 1}}, 4.2},
        {"XR05CAF072A001010103611", "复方甘草片", "100片", "片剂", {{"瓶", 1}}, 6.8},
        {"ZA04AAH0370030101339", "藿香正气水", "10ml*10支", "酊剂", {{"盒", 1}}, 9.9},
        {"ZA09FAL0080050100112", "六味地黄丸", "200丸", "丸剂", {{"瓶", 1}}, 25.0},
        {"XB05AAR017B002010100009", "人血白蛋白", "10g(20%,50ml)", "注射剂", {{"瓶", 1}}, 1000.0},
    };
    return drugs;
}

} // namespace

const TCatalogueDrug* FindCatalogueDrug(const std::string& code) {
    for (const TCatalogueDrug& d : Catalogue())
        if (d.Code == code)
            return &d;
    return nullptr;
}

std::string CheckAgainstCatalogue(const TCatalogueDrug& drug, const std::string& name,
                                  const std::string& standard, const std::string& form,
                                  const std::string& unit, double price) {
    const std::string which = "药品[" + name + "]";
    if (name != drug.Name)
        return which + "与医保目录名称[" + drug.Name + "]不符";
    if (standard != drug.Standard)
        return which + "规格[" + standard + "]与医保目录规格[" + drug.Standard + "]不符";
    if (form != drug.Form)
        return which + "剂型[" + form + "]与医保目录剂型[" + drug.Form + "]不符";
    const TCatalogueUnit* found = nullptr;
    for (const TCatalogueUnit& u : drug.Units)
        if (u.Name == unit)
            found = &u;
    if (!found)
        return which + "单位[" + unit + "]不是医保目录单位";
    const double reference = drug.ReferencePrice / drug.Units.front().Smallest;
    const double perSmallest = price / found->Smallest;
    if (perSmallest < reference * 2 / 3 || perSmallest > reference * 3 / 2)
        return which + "按" + unit + "计的单价与医保目录参考价相差过大";
    return {};
}

} // namespace tkv::sim
