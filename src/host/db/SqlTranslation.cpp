// Recognising "exec" statements and providing getdate(): the few SQL Server forms that the
// plug-in's texts use, so that they run unchanged against SQLite.
#include "SqlTranslation.h"

#include "HostError.h"

#include <cctype>
#include <charconv>

namespace tkv::host {

namespace {

class ExecParser {
public:
    explicit ExecParser(std::string_view text) : text_(text) {}

    bool Keyword() {
        SkipBlanks();
        const std::string word = Word();
        if (Lower(word) != "exec" && Lower(word) != "execute")
            return false;
        return pos_ >= text_.size() || std::isspace(static_cast<unsigned char>(text_[pos_]));
    }

    std::string ProcedureName() {
        SkipBlanks();
        std::string name = NamePart();
        while (pos_ < text_.size() && text_[pos_] == '.') { // owner prefix such as dbo.
            ++pos_;
            name = NamePart();
        }
        if (name.empty())
            Fail("a procedure name is expected after exec");
        return name;
    }

    void Arguments(ExecStatement& statement) {
        SkipBlanks();
        if (AtEnd())
            return;
        for (;;) {
            SkipBlanks();
            if (pos_ < text_.size() && text_[pos_] == '@') {
                ++pos_;
                std::string name = "@" + Word();
                SkipBlanks();
                if (pos_ >= text_.size() || text_[pos_] != '=')
                    Fail("'=' expected after " + name);
                ++pos_;
                statement.names.push_back(std::move(name));
                statement.values.push_back(Literal());
            } else {
                if (!statement.names.empty())
                    Fail("a positional argument follows a named one");
                statement.positional.push_back(Literal());
            }
            SkipBlanks();
            if (AtEnd())
                return;
            if (text_[pos_] != ',')
                Fail("',' expected between arguments");
            ++pos_;
        }
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw HostError("Cannot run '" + std::string(text_) + "': " + what);
    }

    static std::string Lower(std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }

    void SkipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }

    // The end of the text, a final ";" and blanks allowed.
    bool AtEnd() {
        std::size_t p = pos_;
        while (p < text_.size() && (std::isspace(static_cast<unsigned char>(text_[p])) || text_[p] == ';'))
            ++p;
        if (p < text_.size())
            return false;
        pos_ = p;
        return true;
    }

    std::string Word() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                       text_[pos_] == '_' || text_[pos_] == '#'))
            ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string NamePart() {
        if (pos_ < text_.size() && text_[pos_] == '[') {
            const std::size_t close = text_.find(']', pos_);
            if (close == std::string_view::npos)
                Fail("unclosed '['");
            std::string name(text_.substr(pos_ + 1, close - pos_ - 1));
            pos_ = close + 1;
            return name;
        }
        return Word();
    }

    OleVariant Literal() {
        SkipBlanks();
        if (pos_ >= text_.size())
            Fail("an argument value is expected");
        if ((text_[pos_] == 'N' || text_[pos_] == 'n') && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'')
            ++pos_;
        if (text_[pos_] == '\'')
            return QuotedText();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                       text_[pos_] == '.' || text_[pos_] == '-' || text_[pos_] == '+'))
            ++pos_;
        const std::string_view token = text_.substr(start, pos_ - start);
        if (Lower(std::string(token)) == "null")
            return OleVariant::Null();
        std::int64_t whole = 0;
        auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), whole);
        if (ec == std::errc() && end == token.data() + token.size() && !token.empty()) {
            if (whole >= INT32_MIN && whole <= INT32_MAX)
                return OleVariant(static_cast<std::int32_t>(whole));
            return OleVariant::Int64(whole);
        }
        double real = 0;
        auto [rend, rec] = std::from_chars(token.data(), token.data() + token.size(), real);
        if (rec == std::errc() && rend == token.data() + token.size() && !token.empty())
            return OleVariant(real);
        Fail("'" + std::string(token) + "' is not a literal value");
    }

    OleVariant QuotedText() {
        std::string value;
        ++pos_; // opening quote
        for (;;) {
            if (pos_ >= text_.size())
                Fail("unclosed text literal");
            if (text_[pos_] == '\'') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                    value += '\'';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return OleVariant(value);
            }
            value += text_[pos_++];
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

void GetDate(sqlite3_context* context, int, sqlite3_value**) {
    const auto* clock = static_cast<const std::function<double()>*>(sqlite3_user_data(context));
    sqlite3_result_double(context, (*clock)());
}

} // namespace

bool ParseExecStatement(std::string_view sql, ExecStatement& statement) {
    ExecParser parser(sql);
    if (!parser.Keyword())
        return false;
    statement = ExecStatement{};
    statement.procedure = parser.ProcedureName();
    parser.Arguments(statement);
    return true;
}

void RegisterSqlFunctions(sqlite3* db, const std::function<double()>* clock) {
    // Not deterministic: the value changes between statements.
    if (sqlite3_create_function(db, "getdate", 0, SQLITE_UTF8, const_cast<std::function<double()>*>(clock),
                                GetDate, nullptr, nullptr) != SQLITE_OK)
        throw HostError(std::string("Cannot register getdate(): ") + sqlite3_errmsg(db));
}

} // namespace tkv::host
