// The gateway log against a plain model of its reference behaviour (a string list that reloads the
// file when it exists, else appends header and rule, adds the line and saves itself whole): the
// same bytes after every line, whatever the lines hold and whatever happens to the file meanwhile.
#include "comm/GatewayLog.h"
#include "platform/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace tkv {
namespace {

namespace fs = std::filesystem;

// The reference: what a string list does with LoadFromFile, Add and SaveToFile.
class TReloadAndRewrite {
public:
    void Add(const fs::path& file, const std::string& line) {
        if (fs::exists(file)) {
            items_.clear();
            const std::string text = test::ReadBytes(file.string());
            std::size_t p = 0;
            while (p < text.size()) {
                const std::size_t start = p;
                while (p < text.size() && text[p] != '\r' && text[p] != '\n')
                    ++p;
                items_.push_back(text.substr(start, p - start));
                if (p < text.size() && text[p] == '\r')
                    ++p;
                if (p < text.size() && text[p] == '\n')
                    ++p;
            }
        } else {
            items_.push_back("\xBC\xC7\xC2\xBC\xB5\xC4\xC8\xD5\xD6\xBE\xCE\xC4\xBC\xFE,"
                             "\xB5\xB1\xCE\xC4\xBC\xFE\xB9\xFD\xB4\xF3\xB5\xC4\xCA\xB1\xBA\xF2"
                             "\xBF\xC9\xD2\xD4\xC9\xBE\xB3\xFD\xD5\xE2\xB8\xF6\xCE\xC4\xBC\xFE");
            items_.push_back(std::string(30, '-'));
        }
        items_.push_back(line);
        std::string text;
        for (const auto& item : items_)
            text += item + "\r\n";
        test::WriteBytes(file.string(), text);
    }

private:
    std::vector<std::string> items_;
};

class GatewayLogTest : public ::testing::Test {
protected:
    test::TTempDir dir;
    fs::path fast = fs::path(dir.Path()) / "fast.log";
    fs::path model = fs::path(dir.Path()) / "model.log";
    TGatewayLog log;
    TReloadAndRewrite reference;

    void Add(const std::string& line) {
        log.Add(fast, line);
        reference.Add(model, line);
        ASSERT_EQ(test::ReadBytes(fast.string()), test::ReadBytes(model.string()));
        ASSERT_EQ(log.Text(), test::ReadBytes(fast.string()));
    }
    // Something done to both files from outside.
    template <class F> void Both(F change) {
        change(fast);
        change(model);
    }
};

TEST_F(GatewayLogTest, NewFileStartsWithTheHeaderAndTheRule) {
    Add("first");
    EXPECT_EQ(test::ReadBytes(fast.string()).substr(0, 6), "\xBC\xC7\xC2\xBC\xB5\xC4");
    EXPECT_NE(test::ReadBytes(fast.string()).find(std::string(30, '-') + "\r\nfirst\r\n"), std::string::npos);
    Add("second");
}

TEST_F(GatewayLogTest, LineBreaksInsideALineAreNormalisedByTheNextLine) {
    Add("a\nb");
    EXPECT_EQ(test::ReadBytes(fast.string()).substr(test::ReadBytes(fast.string()).size() - 5), "a\nb\r\n");
    Add("c\rd");
    Add("e\r");
    Add("");
    Add("\n\n");
    Add("f");
}

TEST_F(GatewayLogTest, DeletedFileIsWrittenAgainWithTheLinesHeld) {
    Add("one");
    Add("two\nhalf");
    Both([](const fs::path& f) { fs::remove(f); });
    Add("three");
    Add("four");
}

TEST_F(GatewayLogTest, FileChangedFromOutsideIsReloaded) {
    Add("one");
    Both([](const fs::path& f) {
        test::WriteBytes(f.string(), test::ReadBytes(f.string()) + "appended\nno end");
    });
    Add("two");
    Both([](const fs::path& f) { test::WriteBytes(f.string(), "short"); });
    Add("three");
    Both([](const fs::path& f) { test::WriteBytes(f.string(), ""); });
    Add("four"); // an empty file exists: no header
}

TEST_F(GatewayLogTest, FileThatExistedBeforeIsReloadedOnce) {
    Both([](const fs::path& f) { test::WriteBytes(f.string(), "old\r\nlines\n"); });
    Add("new");
    Add("newer");
}

TEST_F(GatewayLogTest, RandomLinesDeletionsAndOutsideChanges) {
    std::mt19937 random(20260325);
    const std::vector<std::string> pieces = {"x", "\xD6\xD0", "\r", "\n", "\r\n", "|", " ", ""};
    for (int step = 0; step < 300; ++step) {
        const unsigned what = random() % 20;
        if (what == 0) {
            Both([](const fs::path& f) { fs::remove(f); });
        } else if (what == 1) {
            const std::string extra =
                pieces[random() % pieces.size()] + "ext" + pieces[random() % pieces.size()];
            Both([&](const fs::path& f) {
                if (fs::exists(f))
                    test::WriteBytes(f.string(), test::ReadBytes(f.string()) + extra);
            });
        }
        std::string line;
        for (unsigned n = random() % 4; n > 0; --n)
            line += pieces[random() % pieces.size()];
        Add(line);
        if (HasFailure())
            return;
    }
}

TEST_F(GatewayLogTest, UnwritableFileKeepsTheLineForTheNextWrite) {
    const fs::path folder = fs::path(dir.Path()) / "sub";
    const fs::path file = folder / "x.log";
    log.Add(file, "lost folder"); // the folder does not exist: nothing written
    EXPECT_FALSE(fs::exists(file));
    fs::create_directories(folder);
    log.Add(file, "next");
    const std::string text = test::ReadBytes(file.string());
    EXPECT_NE(text.find("lost folder\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 6), "next\r\n");
}

} // namespace
} // namespace tkv
