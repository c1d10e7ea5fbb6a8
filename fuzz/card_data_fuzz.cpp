// The card data text the insurance service answers for a card reading: its lines read into the
// card's fields, and "code|name" special-disease entries added to the card's list.
#include "FuzzInput.h"
#include "insurance/YBCard.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Input: one special-disease entry LF the card data text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> f = tkv::fuzz::SplitFields(data, size, 1);
    const std::string &tsb = f[0], &cardText = f[1];
    tkv::TYBCard card;
    card.GetData(cardText);
    if (card.CardInfo() != cardText)
        std::abort();
    card.AddTSB(tsb);
    for (int i = 0; i < card.TSBList().Count(); ++i)
        if (card.TSBList().Strings(i) != card.TSBList().Objects(i).Name)
            std::abort();
    card.Clear();
    if (card.TSBList().Count() != 0 || !card.CardNo().empty())
        std::abort();
    return 0;
}
