// The drugs the simulated service knows for the demo pharmacy: each insurance code as the pharmacy
// registered it, with its name, pack size (规格), dosage form, units and reference price. A regional
// service checks every uploaded sale line against such a catalogue, so a line whose fields moved,
// or whose quantity is in another unit than its name says, is refused.
#pragma once

#include <string>
#include <vector>

namespace tkv::sim {

struct TCatalogueUnit {
    std::string Name;
    double Smallest; // how many of the smallest unit one of this unit holds
};

struct TCatalogueDrug {
    std::string Code, Name, Standard, Form;
    std::vector<TCatalogueUnit> Units; // the first is the unit the reference price is for
    double ReferencePrice;
};

const TCatalogueDrug* FindCatalogueDrug(const std::string& code);

// The refusal text for a sale line that does not match its catalogue entry, or an empty text.
// The price of the line's unit, brought to the smallest unit, must lie within two thirds and three
// halves of the reference price: a quantity stated in the wrong unit is off by a whole factor.
std::string CheckAgainstCatalogue(const TCatalogueDrug& drug, const std::string& name,
                                  const std::string& standard, const std::string& form,
                                  const std::string& unit, double price);

} // namespace tkv::sim
