// Packets that carry pending changes, in both forms: the rows the client dataset shows, where, and
// with which cells, whether the change log places the versions or they follow each other.
#include "framework/RowStates.h"
#include "framework/BinaryPacket.h"
#include "framework/DataPacket.h"

#include <gtest/gtest.h>

#include <string>

using namespace tkv;
namespace rs = tkv::RowState;

namespace {

struct Line {
    std::uint8_t state;
    const char* name; // nullptr: unchanged in a modified version
    double qty;       // < 0: unchanged; 0: cleared
};

// A sale's lines as a till's client dataset holds them while they are edited.
template <typename Writer>
OleVariant Lines(const std::vector<Line>& lines, std::vector<std::uint32_t> log = {}) {
    Writer w;
    w.AddField(TFieldDef{"Name", TFieldType::ftString, 20});
    w.AddField(TFieldDef{"Qty", TFieldType::ftFloat});
    w.SetChangeLog(std::move(log));
    w.BeginRows();
    for (const Line& line : lines) {
        w.BeginRow(line.state);
        line.name ? w.Text(line.name) : w.Unchanged();
        line.qty < 0 ? w.Unchanged() : line.qty == 0 ? w.Null() : w.Float(line.qty);
        w.EndRow();
    }
    return w.Finish();
}

std::string Shown(const OleVariant& packet) {
    TClientDataSet ds;
    ds.SetData(packet);
    std::string out;
    for (ds.First(); !ds.Eof(); ds.Next()) {
        out += ds.FieldByName("Name").AsString() + "=";
        out += ds.FieldByName("Qty").IsNull() ? "null" : std::to_string(ds.FieldByName("Qty").AsInteger());
        out += " ";
    }
    return out + std::to_string(ds.RecordCount());
}

template <typename Writer> void ShowsWhatTheClientDataSetShows() {
    // A kept, B's quantity changed, C deleted, D cleared, E inserted, F inserted and then changed,
    // G inserted and then deleted.
    const std::vector<Line> adjacent = {{0, "A", 1},
                                        {rs::kOriginal, "B", 2},
                                        {rs::kModified, nullptr, 5},
                                        {rs::kDeleted, "C", 3},
                                        {rs::kOriginal, "D", 4},
                                        {rs::kModified, nullptr, 0},
                                        {rs::kInserted, "E", 6},
                                        {rs::kInserted | rs::kOriginal, "F", 7},
                                        {rs::kModified, nullptr, 8},
                                        {rs::kInserted | rs::kDeleted, "G", 9}};
    EXPECT_EQ(Shown(Lines<Writer>(adjacent)), "A=1 B=5 D=null E=6 F=8 5");

    // The same changes where each newer version lies at the end and the change log places it.
    const std::vector<Line> logged = {{0, "A", 1},
                                      {rs::kOriginal, "B", 2},
                                      {rs::kDeleted, "C", 3},
                                      {rs::kInserted | rs::kOriginal, "F", 7},
                                      {rs::kInserted, "E", 6},
                                      {rs::kModified, "F2", -1},
                                      {rs::kModified, nullptr, 5}};
    EXPECT_EQ(Shown(Lines<Writer>(logged, {3, 0, 2, 4, 0, 4, 5, 0, 4, 6, 4, 8, 7, 2, 8})),
              "A=1 B=5 F2=7 E=6 4");

    // A record changed twice: each version replaces the one before it.
    EXPECT_EQ(Shown(Lines<Writer>({{rs::kOriginal, "X", 1},
                                   {rs::kModified | rs::kOriginal, nullptr, 2},
                                   {rs::kModified, "Y", -1}})),
              "Y=2 1");
    // Without changes the rows load as they are.
    EXPECT_EQ(Shown(Lines<Writer>({{0, "A", 1}, {0, "B", 2}})), "A=1 B=2 2");
}

template <typename Writer>
std::string Refusal(const std::vector<Line>& lines, std::vector<std::uint32_t> log) {
    TClientDataSet ds;
    try {
        ds.SetData(Lines<Writer>(lines, std::move(log)));
    } catch (const EDatabaseError& e) {
        EXPECT_FALSE(ds.Active());
        return e.what();
    }
    return "accepted";
}

template <typename Writer> void RefusesChangeLogsThatDoNotFit() {
    const std::vector<Line> two = {{rs::kOriginal, "A", 1}, {rs::kModified, nullptr, 2}};
    EXPECT_NE(Refusal<Writer>(two, {3, 1, 8}).find("names row 3 of 2"), std::string::npos);
    EXPECT_NE(Refusal<Writer>(two, {2, 1}).find("not triples"), std::string::npos);
    EXPECT_NE(Refusal<Writer>(two, {1, 2, 8, 2, 1, 8}).find("in a circle"), std::string::npos);
    EXPECT_NE(Refusal<Writer>({{rs::kModified, nullptr, 2}}, {}).find("keeps cells of an earlier version"),
              std::string::npos);
}

} // namespace

TEST(RowStates, XmlShowsWhatTheClientDataSetShows) {
    ShowsWhatTheClientDataSetShows<DataPacketWriter>();
}
TEST(RowStates, BinaryShowsWhatTheClientDataSetShows) {
    ShowsWhatTheClientDataSetShows<BinaryPacketWriter>();
}
TEST(RowStates, XmlRefusesChangeLogsThatDoNotFit) {
    RefusesChangeLogsThatDoNotFit<DataPacketWriter>();
}
TEST(RowStates, BinaryRefusesChangeLogsThatDoNotFit) {
    RefusesChangeLogsThatDoNotFit<BinaryPacketWriter>();
}
