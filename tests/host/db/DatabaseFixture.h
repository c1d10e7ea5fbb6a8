// A host database in a temporary folder with a small fixed set of records, and a short way to call
// procedures with name/value pairs.
#pragma once

#include "HostDatabase.h"
#include "TempFolder.h"
#include "framework/DateTime.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tkv::host::testing {

using Args = std::vector<std::pair<std::string, OleVariant>>;

class DatabaseFixture : public ::testing::Test {
protected:
    void SetUp() override;

    ProcedureResult Call(const std::string& procedure, const Args& args);
    // The message of the HostError the call raises; fails the test when it raises none.
    std::string CallError(const std::string& procedure, const Args& args);
    // The integer of the first column of the first row of a query.
    std::int64_t Scalar(const std::string& sql);

    // Fixture records: suppliers 1 and 2, products 1 and 2, employees 1 and 2, stores 1 and 2.
    // Bill 100 (supplier 1, 10 March 2026, posted) with detail rows 1001 and 1002; bill 200
    // (supplier 2, 20 March 2026 14:00, not audited) with row 2001; bill 300 (supplier 1,
    // 2 April 2026, audited) with row 3001.
    static TDateTime March(int day) { return EncodeDate(2026, 3, day); }

    // Registers a picture and returns its id.
    std::int32_t NewImage(int ord, const std::string& name);
    // Saves an invoice and returns its id.
    std::int32_t NewInvoice(const std::string& code, TDateTime date, int brec = 1);

    TempFolder folder_;
    std::unique_ptr<HostDatabase> db_;
};

} // namespace tkv::host::testing
