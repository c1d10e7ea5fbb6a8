// The recording host of the association tests.
#include "RecordingHost.h"

#include "framework/Params.h"

#include <stdexcept>

namespace tkv::test {

using ::testing::_;
using ::testing::Invoke;

std::string DescribeValue(const OleVariant& v) {
    switch (v.VarType()) {
    case varInteger:
        return "i:" + std::to_string(v.AsInteger());
    case varOleStr:
        return "s:" + v.AsString();
    case varDouble: {
        std::string text = std::to_string(v.AsDouble());
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
        return "d:" + text;
    }
    case varDate:
        return "t:" + std::to_string(static_cast<long>(v.AsDateTime()));
    case varNull:
        return "n:";
    default:
        return v.IsByteArray() ? "b:" + std::to_string(v.AsBytes().size())
                               : "?:" + std::to_string(v.VarType());
    }
}

namespace {

std::string Line(const std::string& name, const StringArray& names, const VariantArray& values) {
    std::string line = name;
    for (std::size_t i = 0; i < names.size() && i < values.size(); ++i)
        line += " " + names[i] + "=" + DescribeValue(values[i]);
    return line;
}

} // namespace

TRecordingHost::TRecordingHost() {
    using ::testing::A;
    ON_CALL(*this, ExecuteProcByName(_, A<const StringArray&>(), _, _))
        .WillByDefault(Invoke([this](const std::string& name, const StringArray& names,
                                     const VariantArray& values, OleVariant&) {
            log.push_back(Line(name, names, values));
            MaybeRaise(name);
            auto& queue = returns[name];
            if (queue.empty())
                return 0;
            const std::int32_t r = queue.front();
            queue.pop_front();
            return r;
        }));
    ON_CALL(*this, OpenProcByName(_, A<const StringArray&>(), _, _))
        .WillByDefault(Invoke([this](const std::string& name, const StringArray& names,
                                     const VariantArray& values, OleVariant& result) {
            log.push_back(Line(name, names, values));
            MaybeRaise(name);
            result = resultPacket;
            return 0;
        }));
    ON_CALL(*this, OpenProcByName(_, A<const StringArray&>(), _, _, _))
        .WillByDefault(Invoke([this](const std::string& name, const StringArray& names,
                                     const VariantArray& values, OleVariant& result, OleVariant& params) {
            log.push_back(Line(name, names, values));
            MaybeRaise(name);
            result = resultPacket;
            params = outputPacket;
            return 0;
        }));
    ON_CALL(*this, ExecuteSQL(A<const std::string&>())).WillByDefault(Invoke([this](const std::string& sql) {
        log.push_back("SQL " + sql);
        MaybeRaise("SQL");
        return true;
    }));
    ON_CALL(*this, SaveImage(_, _, _))
        .WillByDefault(Invoke([this](const OleVariant& bytes, std::int32_t& ord, std::string& name) {
            log.push_back("SaveImage " + DescribeValue(bytes));
            MaybeRaise("SaveImage");
            if (!saveImageResult)
                return false;
            ord = nextOrd++;
            name = "IMG" + std::to_string(ord) + ".jpg";
            return true;
        }));
    ON_CALL(*this, GetImage(_, _, _))
        .WillByDefault(Invoke([this](OleVariant& picture, std::int32_t ord, const std::string& name) {
            log.push_back("GetImage " + std::to_string(ord) + " " + name);
            MaybeRaise("GetImage");
            const auto it = store.find(name);
            if (it != store.end())
                picture = OleVariant::ByteArray(it->second);
        }));
    ON_CALL(*this, ShowMsg(_, _))
        .WillByDefault(Invoke([this](const std::string& msg, const std::string& title) {
            log.push_back("ShowMsg " + msg + " (" + title + ")");
        }));
    ON_CALL(*this, Question(_, _))
        .WillByDefault(Invoke([this](const std::string& msg, const std::string& title) {
            log.push_back("Question " + msg + " (" + title + ")");
            return true;
        }));
}

void TRecordingHost::MaybeRaise(const std::string& name) {
    const int n = ++counts_[name];
    const auto it = raiseOn.find(name);
    if (it != raiseOn.end() && (it->second == 0 || it->second == n))
        throw std::runtime_error(name + " failed");
}

std::vector<std::string> TRecordingHost::Calls(const std::string& name) const {
    std::vector<std::string> out;
    for (const auto& line : log)
        if (line.rfind(name + " ", 0) == 0 || line == name)
            out.push_back(line);
    return out;
}

} // namespace tkv::test
