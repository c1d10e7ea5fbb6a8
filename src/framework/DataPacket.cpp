// Reading and writing client-dataset XML datapackets. Rows are parsed in chunks of whole ROW
// elements, so that a large result set never exists as one XML document tree in memory; only
// packets of unusual shape fall back to parsing the whole document.
#include "DataPacket.h"

#include "DataSetColumn.h"
#include "DateTime.h"
#include "RowStates.h"
#include "TextCase.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace tkv {

namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;
constexpr unsigned kParseOptions = pugi::parse_default;

[[noreturn]] void PacketError(const std::string& what) {
    throw EDatabaseError("Invalid data packet: " + what);
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    return s;
}

// Position of the start tag open ("<NAME", followed by a space, '>' or '/') at or after from.
std::size_t FindTag(std::string_view text, std::string_view open, std::size_t from) {
    for (std::size_t p = text.find(open, from); p != std::string_view::npos; p = text.find(open, p + 1)) {
        const std::size_t after = p + open.size();
        if (after < text.size() && (IsSpace(text[after]) || text[after] == '>' || text[after] == '/'))
            return p;
    }
    return std::string_view::npos;
}

std::string Quoted(std::string_view value) {
    constexpr std::size_t kMax = 40;
    std::size_t cut = value.size();
    if (cut > kMax) {
        cut = kMax;
        while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
            --cut; // keep whole UTF-8 characters
    }
    std::string out;
    out.reserve(cut + 5);
    out += '\'';
    out.append(value.data(), cut);
    out += cut < value.size() ? "...'" : "'";
    return out;
}

// ---- value texts ----

bool ParseInt(std::string_view s, std::int64_t lo, std::int64_t hi, std::int64_t& out) {
    if (s.empty())
        return false;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && ptr == s.data() + s.size() && out >= lo && out <= hi;
}

bool ParseFloat(std::string_view s, double& out) {
    if (s.empty())
        return false;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && ptr == s.data() + s.size();
}

bool Digits(std::string_view s, std::size_t pos, std::size_t count, int& out) {
    if (pos + count > s.size())
        return false;
    out = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        out = out * 10 + (s[i] - '0');
    }
    return true;
}

// "YYYYMMDD"
bool ParseDatePart(std::string_view s, DateParts& p) {
    return s.size() == 8 && Digits(s, 0, 4, p.year) && Digits(s, 4, 2, p.month) && Digits(s, 6, 2, p.day);
}

// "HH:MM:SS" with optional milliseconds "mmm"
bool ParseTimePart(std::string_view s, DateParts& p) {
    if (s.size() != 8 && s.size() != 11)
        return false;
    if (s[2] != ':' || s[5] != ':' || !Digits(s, 0, 2, p.hour) || !Digits(s, 3, 2, p.minute) ||
        !Digits(s, 6, 2, p.second))
        return false;
    return s.size() == 8 || Digits(s, 8, 3, p.millisecond);
}

bool ParseDateTime(std::string_view s, TFieldType type, double& out) {
    DateParts p;
    bool ok;
    if (type == TFieldType::ftDate)
        ok = ParseDatePart(s, p);
    else if (type == TFieldType::ftTime)
        ok = ParseTimePart(s, p);
    else
        ok = ParseDatePart(s.substr(0, 8), p) &&
             (s.size() == 8 || (s[8] == 'T' && ParseTimePart(s.substr(9), p)));
    if (!ok)
        return false;
    try {
        out = type == TFieldType::ftTime ? EncodeTime(p.hour, p.minute, p.second, p.millisecond)
                                         : EncodeDateTime(p);
    } catch (const std::invalid_argument&) {
        return false;
    }
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ParseHex(std::string_view s, std::string& out) {
    if (s.size() % 2 != 0)
        return false;
    out.resize(s.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int hi = HexValue(s[2 * i]), lo = HexValue(s[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        out[i] = static_cast<char>(hi * 16 + lo);
    }
    return true;
}

// Writes value as exactly width decimal digits (value is known to fit).
char* PutDigits(char* at, int value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10)
        at[i] = static_cast<char>('0' + value % 10);
    return at + width;
}

// "YYYYMMDD"; years outside 0..9999 keep the printf form ("-001", "10000").
void AppendDate(PacketText& out, const DateParts& p) {
    char buf[16];
    if (p.year < 0 || p.year > 9999) {
        std::snprintf(buf, sizeof buf, "%04d%02d%02d", p.year, p.month, p.day);
        out += buf;
        return;
    }
    char* end = PutDigits(buf, p.year, 4);
    end = PutDigits(end, p.month, 2);
    end = PutDigits(end, p.day, 2);
    out.append(buf, end);
}

// "HH:MM:SSmmm"; the parts come from DecodeDateTime, so each is within its range.
void AppendTime(PacketText& out, const DateParts& p) {
    char buf[16];
    char* end = PutDigits(buf, p.hour, 2);
    *end++ = ':';
    end = PutDigits(end, p.minute, 2);
    *end++ = ':';
    end = PutDigits(end, p.second, 2);
    end = PutDigits(end, p.millisecond, 3);
    out.append(buf, end);
}

template <typename T> void AppendNumber(PacketText& out, T v) {
    char buf[32];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, ptr);
}

void AppendFixed(PacketText& out, double v, int decimals) {
    if (decimals <= 0 || decimals > 15 || !std::isfinite(v)) {
        AppendNumber(out, v);
        return;
    }
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    if (n > 0 && n < static_cast<int>(sizeof buf))
        out.append(buf, n);
    else
        AppendNumber(out, v);
}

// Attribute text with everything escaped that a reader would otherwise change: markup characters,
// quotes, and line breaks and other control characters (which attribute normalisation would turn
// into spaces).
void AppendEscaped(PacketText& out, std::string_view text) {
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const char* rep = nullptr;
        char num[8];
        if (c == '&')
            rep = "&amp;";
        else if (c == '<')
            rep = "&lt;";
        else if (c == '>')
            rep = "&gt;";
        else if (c == '"')
            rep = "&quot;";
        else if (c < 0x20) {
            std::snprintf(num, sizeof num, "&#%u;", c);
            rep = num;
        }
        if (rep) {
            out.append(text.substr(plain, i - plain));
            out.append(rep);
            plain = i + 1;
        }
    }
    out.append(text.substr(plain));
}

void AppendHex(PacketText& out, std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
}

bool IsXmlName(std::string_view name) {
    if (name.empty())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
        const bool other = (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!letter && !(i > 0 && other))
            return false;
    }
    return true;
}

} // namespace

// ---- field type names ----

const char* DataPacketTypeName(TFieldType type) {
    switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
        return "string";
    case TFieldType::ftWideString:
        return "string.uni";
    case TFieldType::ftSmallint:
        return "i2";
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
        return "i4";
    case TFieldType::ftWord:
        return "ui2";
    case TFieldType::ftLargeint:
        return "i8";
    case TFieldType::ftBoolean:
        return "boolean";
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        return "r8";
    case TFieldType::ftBCD:
        return "fixed";
    case TFieldType::ftDate:
        return "date";
    case TFieldType::ftTime:
        return "time";
    case TFieldType::ftDateTime:
        return "dateTime";
    case TFieldType::ftBytes:
    case TFieldType::ftVarBytes:
    case TFieldType::ftBlob:
    case TFieldType::ftMemo:
        return "bin.hex";
    default:
        return "";
    }
}

static const char* DataPacketSubtype(TFieldType type) {
    switch (type) {
    case TFieldType::ftFixedChar:
        return "FixedChar";
    case TFieldType::ftAutoInc:
        return "Autoinc";
    case TFieldType::ftCurrency:
        return "Money";
    case TFieldType::ftBytes:
        return "Bytes";
    case TFieldType::ftVarBytes:
        return "VarBytes";
    case TFieldType::ftBlob:
        return "Binary";
    case TFieldType::ftMemo:
        return "Text";
    default:
        return nullptr;
    }
}

TFieldType DataPacketFieldType(std::string_view name, bool& known) {
    return DataPacketFieldType(name, {}, known);
}

TFieldType DataPacketFieldType(std::string_view name, std::string_view subtype, bool& known) {
    known = true;
    if (SameText(name, "string"))
        return SameText(subtype, "FixedChar") ? TFieldType::ftFixedChar : TFieldType::ftString;
    if (SameText(name, "string.uni"))
        return TFieldType::ftWideString;
    if (SameText(name, "i4"))
        return SameText(subtype, "Autoinc") ? TFieldType::ftAutoInc : TFieldType::ftInteger;
    if (SameText(name, "i2") || SameText(name, "i1") || SameText(name, "ui1"))
        return TFieldType::ftSmallint;
    if (SameText(name, "ui2"))
        return TFieldType::ftWord;
    if (SameText(name, "i8") || SameText(name, "ui4"))
        return TFieldType::ftLargeint;
    if (SameText(name, "r8"))
        return SameText(subtype, "Money") ? TFieldType::ftCurrency : TFieldType::ftFloat;
    if (SameText(name, "r4"))
        return TFieldType::ftFloat;
    if (SameText(name, "fixed"))
        return TFieldType::ftBCD;
    if (SameText(name, "boolean"))
        return TFieldType::ftBoolean;
    if (SameText(name, "date"))
        return TFieldType::ftDate;
    if (SameText(name, "time"))
        return TFieldType::ftTime;
    if (SameText(name, "dateTime"))
        return TFieldType::ftDateTime;
    if (SameText(name, "bin.hex")) {
        if (SameText(subtype, "Text") || SameText(subtype, "WideText"))
            return TFieldType::ftMemo;
        if (SameText(subtype, "Bytes"))
            return TFieldType::ftBytes;
        if (SameText(subtype, "VarBytes"))
            return TFieldType::ftVarBytes;
        return TFieldType::ftBlob;
    }
    known = false;
    return TFieldType::ftUnknown;
}

// ---- reading ----

class DataPacketLoader {
public:
    explicit DataPacketLoader(std::string_view xml) : xml_(xml) {}
    static OleVariant Write(const TClientDataSet& ds);

    void Load(TClientDataSet& ds) {
        ds.Close();
        ds.fields_.clear(); // the packet brings its own field definitions
        ds.columns_.clear();
        if (xml_.size() >= 3 && std::memcmp(xml_.data(), "\xEF\xBB\xBF", 3) == 0)
            xml_.remove_prefix(3);
        if (!LoadInChunks())
            LoadWholeDocument();
        if (!changes_.states.empty())
            changes_.states.resize(rowCount_, 0);
        ApplyPendingChanges(columns_, rowCount_, changes_);
        ds.fields_ = std::move(fields_);
        ds.columns_ = std::move(columns_);
        ds.rowCount_ = static_cast<int>(rowCount_);
        ds.active_ = true;
        ds.First();
    }

private:
    // The usual shape: metadata, then ROWDATA holding only ROW elements, then the end of the packet.
    // False when the packet has another shape, which the whole-document path then judges.
    bool LoadInChunks() {
        const std::size_t rowTag = FindTag(xml_, "<ROWDATA", 0);
        if (rowTag == std::string_view::npos)
            return false;
        const std::size_t tagEnd = xml_.find('>', rowTag);
        if (tagEnd == std::string_view::npos)
            return false;
        std::size_t rowsBegin = tagEnd + 1, rowsEnd = rowsBegin, tailBegin = rowsBegin;
        if (xml_[tagEnd - 1] != '/') {
            rowsEnd = xml_.rfind("</ROWDATA");
            if (rowsEnd == std::string_view::npos || rowsEnd < rowsBegin)
                return false;
            tailBegin = rowsEnd + 9;
            std::string_view close = TrimLeft(xml_.substr(tailBegin));
            if (close.empty() || close.front() != '>')
                return false;
            tailBegin = xml_.size() - close.size() + 1;
        }
        std::string_view tail = TrimLeft(xml_.substr(tailBegin));
        if (tail.substr(0, 12) != "</DATAPACKET")
            return false;
        tail = TrimLeft(tail.substr(12));
        if (tail.empty() || tail.front() != '>' || !TrimLeft(tail.substr(1)).empty())
            return false;
        const std::string_view rows = xml_.substr(rowsBegin, rowsEnd - rowsBegin);
        if (rows.find("<!") != std::string_view::npos || rows.find("<?") != std::string_view::npos)
            return false; // comments or CDATA could hide a "<ROW" that is not a row

        {
            std::string head(xml_.substr(0, rowTag));
            head += "</DATAPACKET>";
            pugi::xml_document doc;
            if (!doc.load_buffer_inplace(head.data(), head.size(), kParseOptions, pugi::encoding_utf8))
                return false;
            pugi::xml_node packet = doc.child("DATAPACKET");
            if (!packet || packet != doc.first_child())
                return false;
            ReadMetadata(doc);
        }

        std::size_t expected = 0;
        for (std::size_t p = FindTag(rows, "<ROW", 0); p != std::string_view::npos;
             p = FindTag(rows, "<ROW", p + 4))
            ++expected;
        for (auto& col : columns_)
            col->Reserve(expected);

        pugi::xml_document doc;
        std::string buffer;
        bool arenasReserved = false;
        for (std::size_t pos = 0; pos < rows.size();) {
            std::size_t end = pos + kChunkBytes;
            end = end >= rows.size() ? rows.size() : FindTag(rows, "<ROW", end);
            if (end == std::string_view::npos)
                end = rows.size();
            buffer.assign(rows.substr(pos, end - pos));
            pugi::xml_parse_result result = doc.load_buffer_inplace(
                buffer.data(), buffer.size(), kParseOptions | pugi::parse_fragment, pugi::encoding_utf8);
            if (!result)
                PacketError(std::string(result.description()) + " at offset " +
                            std::to_string(rowsBegin + pos + static_cast<std::size_t>(result.offset)));
            ReadRows(doc);
            if (!arenasReserved && rowCount_ > 0 && expected > rowCount_) {
                ReserveArenas(expected);
                arenasReserved = true;
            }
            pos = end;
        }
        return true;
    }

    void LoadWholeDocument() {
        fields_.clear();
        columns_.clear();
        rowCount_ = 0;
        changes_ = {};
        pugi::xml_document doc;
        pugi::xml_parse_result result =
            doc.load_buffer(xml_.data(), xml_.size(), kParseOptions, pugi::encoding_utf8);
        if (!result)
            PacketError(std::string(result.description()) + " at offset " + std::to_string(result.offset));
        ReadMetadata(doc);
        pugi::xml_node rowData = doc.child("DATAPACKET").child("ROWDATA");
        if (!rowData)
            PacketError("missing ROWDATA element");
        ReadRows(rowData);
    }

    void ReadMetadata(const pugi::xml_document& doc) {
        pugi::xml_node packet = doc.child("DATAPACKET");
        if (!packet)
            PacketError("missing DATAPACKET element");
        pugi::xml_node metadata = packet.child("METADATA");
        if (!metadata)
            PacketError("missing METADATA element");
        pugi::xml_node fields = metadata.child("FIELDS");
        if (!fields)
            PacketError("missing FIELDS element");
        for (pugi::xml_node f : fields.children("FIELD")) {
            const std::string attrName = f.attribute("attrname").value();
            if (attrName.empty())
                PacketError("field " + std::to_string(fields_.size() + 1) + " has no attrname");
            TFieldDef def;
            def.Name = f.attribute("fieldname") ? f.attribute("fieldname").value() : attrName;
            const std::string_view typeName = f.attribute("fieldtype").value();
            bool known = false;
            def.DataType = DataPacketFieldType(typeName, f.attribute("SUBTYPE").value(), known);
            if (!known)
                PacketError("field '" + def.Name + "' has unknown fieldtype " + Quoted(typeName));
            const int width = f.attribute("WIDTH").as_int();
            if (def.DataType == TFieldType::ftBCD) {
                def.Size = f.attribute("DECIMALS").as_int();
                def.Precision = width;
            } else if (def.DataType == TFieldType::ftWideString) {
                def.Size = width / 2;
            } else {
                def.Size = width;
            }
            for (std::size_t i = 0; i < fields_.size(); ++i)
                if (SameText(fields_[i].Name, def.Name) || SameText(attrNames_[i], attrName))
                    PacketError("duplicate field '" + def.Name + "'");
            columns_.push_back(std::make_unique<TClientDataSet::Column>(def.DataType));
            fields_.push_back(std::move(def));
            attrNames_.push_back(attrName);
        }
        ReadChangeLog(metadata.child("PARAMS").attribute("CHANGE_LOG").value());
    }

    // "1 0 4 3 2 8": triples of numbers apart by blanks.
    void ReadChangeLog(std::string_view text) {
        for (text = TrimLeft(text); !text.empty(); text = TrimLeft(text)) {
            std::size_t end = 0;
            while (end < text.size() && !IsSpace(text[end]))
                ++end;
            std::int64_t value = 0;
            if (!ParseInt(text.substr(0, end), 0, std::numeric_limits<std::uint32_t>::max(), value))
                PacketError("the change log holds " + Quoted(text.substr(0, end)) + ", not a number");
            changes_.changeLog.push_back(static_cast<std::uint32_t>(value));
            text.remove_prefix(end);
        }
    }

    void SetRowState(std::size_t row, std::string_view text) {
        std::int64_t state = 0;
        if (!ParseInt(text, 0, 255, state))
            PacketError("row " + std::to_string(row + 1) + " has the row state " + Quoted(text));
        if (state != 0) {
            changes_.states.resize(row + 1, 0);
            changes_.states[row] = static_cast<std::uint8_t>(state);
        }
    }

    bool Modified(std::size_t row) const {
        return row < changes_.states.size() && (changes_.states[row] & RowState::kModified);
    }

    int FieldOfAttribute(std::string_view name, std::size_t hint) const {
        if (hint < attrNames_.size() && SameText(attrNames_[hint], name))
            return static_cast<int>(hint);
        for (std::size_t i = 0; i < attrNames_.size(); ++i)
            if (SameText(attrNames_[i], name))
                return static_cast<int>(i);
        return -1;
    }

    void ReadRows(pugi::xml_node parent) {
        for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling()) {
            if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
                PacketError("unexpected text in ROWDATA");
            if (node.type() != pugi::node_element)
                continue;
            if (std::strcmp(node.name(), "ROW") != 0)
                PacketError("unexpected element '" + std::string(node.name()) + "' in ROWDATA");
            if (node.first_child())
                PacketError("row " + std::to_string(rowCount_ + 1) + " has nested content");
            const std::size_t row = rowCount_;
            for (auto& col : columns_)
                col->AppendNull();
            ++rowCount_;
            std::size_t hint = 0, given = 0;
            empties_.clear(); // cells "" that only a modified version may hold (cleared values)
            for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
                const std::string_view name = a.name();
                const int field = FieldOfAttribute(name, hint);
                if (field < 0) {
                    if (name == "RowState") {
                        SetRowState(row, a.value());
                        continue;
                    }
                    PacketError("row " + std::to_string(row + 1) + " has unknown field " + Quoted(name));
                }
                hint = static_cast<std::size_t>(field) + 1;
                ++given;
                TClientDataSet::Column& col = *columns_[field];
                if (!col.IsNull(row) || std::find(empties_.begin(), empties_.end(),
                                                  static_cast<std::size_t>(field)) != empties_.end())
                    PacketError("row " + std::to_string(row + 1) + " repeats field '" + fields_[field].Name +
                                "'");
                const std::string_view text = a.value();
                if (!StoreValue(col, row, text, scratch_)) {
                    if (!text.empty())
                        CellError(row, static_cast<std::size_t>(field), text);
                    empties_.push_back(static_cast<std::size_t>(field));
                }
            }
            if (Modified(row)) {
                // A modified version holds the cells that changed; the others are the earlier version's.
                if (given < fields_.size())
                    MarkUnchanged(node, row);
            } else if (!empties_.empty()) {
                CellError(row, empties_.front(), "");
            }
        }
    }

    [[noreturn]] void CellError(std::size_t row, std::size_t field, std::string_view text) const {
        PacketError("value " + Quoted(text) + " of field '" + fields_[field].Name + "' in row " +
                    std::to_string(row + 1) + " is not a valid " + DataPacketTypeName(columns_[field]->type));
    }

    void MarkUnchanged(pugi::xml_node node, std::size_t row) {
        std::vector<bool> kept(fields_.size(), true);
        std::size_t hint = 0;
        for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
            const int field = FieldOfAttribute(a.name(), hint);
            if (field >= 0) {
                kept[static_cast<std::size_t>(field)] = false;
                hint = static_cast<std::size_t>(field) + 1;
            }
        }
        changes_.unchanged[row] = std::move(kept);
    }

    // Sizes the text arenas from the first chunk, so that they do not grow by doubling.
    void ReserveArenas(std::size_t expectedRows) {
        for (auto& col : columns_)
            if (!col->arena.empty())
                col->arena.reserve(static_cast<std::size_t>(static_cast<double>(col->arena.size()) *
                                                            static_cast<double>(expectedRows) /
                                                            static_cast<double>(rowCount_) * 1.05) +
                                   64);
    }

    static bool StoreValue(TClientDataSet::Column& col, std::size_t row, std::string_view text,
                           std::string& scratch);

    std::string_view xml_;
    std::vector<TFieldDef> fields_;
    std::vector<std::string> attrNames_;
    std::vector<std::unique_ptr<TClientDataSet::Column>> columns_;
    std::size_t rowCount_ = 0;
    std::string scratch_;
    std::vector<std::size_t> empties_;
    TPendingChanges changes_;
};

// Stores one attribute text in its cell; false when the text is not a value of the field's type.
bool DataPacketLoader::StoreValue(TClientDataSet::Column& col, std::size_t row, std::string_view text,
                                  std::string& scratch) {
    std::int64_t i = 0;
    double d = 0;
    switch (col.type) {
    case TFieldType::ftSmallint:
        if (!ParseInt(text, -32768, 32767, i))
            return false;
        col.SetInt32(row, static_cast<std::int32_t>(i));
        return true;
    case TFieldType::ftWord:
        if (!ParseInt(text, 0, 65535, i))
            return false;
        col.SetInt32(row, static_cast<std::int32_t>(i));
        return true;
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
        if (!ParseInt(text, std::numeric_limits<std::int32_t>::min(),
                      std::numeric_limits<std::int32_t>::max(), i))
            return false;
        col.SetInt32(row, static_cast<std::int32_t>(i));
        return true;
    case TFieldType::ftLargeint:
        if (!ParseInt(text, std::numeric_limits<std::int64_t>::min(),
                      std::numeric_limits<std::int64_t>::max(), i))
            return false;
        col.SetInt64(row, i);
        return true;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        if (!ParseFloat(text, d))
            return false;
        col.SetDouble(row, d);
        return true;
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
        if (!ParseDateTime(text, col.type, d))
            return false;
        col.SetDouble(row, d);
        return true;
    case TFieldType::ftBoolean:
        if (SameText(text, "TRUE"))
            col.SetBoolean(row, true);
        else if (SameText(text, "FALSE"))
            col.SetBoolean(row, false);
        else
            return false;
        return true;
    default:
        break;
    }
    if (col.kind == StorageKind::Bytes) {
        if (!ParseHex(text, scratch))
            return false;
        col.SetText(row, scratch);
        return true;
    }
    col.SetText(row, text);
    return true;
}

void ReadDataPacket(std::string_view xml, TClientDataSet& ds) {
    DataPacketLoader(xml).Load(ds);
}

// ---- writing ----

void PacketText::ReplaceFront(std::size_t n, const PacketText& other) {
    // One move of the text after the front, in place.
    const std::size_t size = bytes_.size();
    const std::size_t m = other.bytes_.size();
    if (m > n)
        bytes_.resize(size + (m - n));
    std::memmove(bytes_.data() + m, bytes_.data() + n, size - n);
    if (m < n)
        bytes_.resize(size - (n - m));
    std::memcpy(bytes_.data(), other.bytes_.data(), m);
}

StorageKind CheckNewField(const std::vector<TFieldDef>& fields, const TFieldDef& def) {
    if (def.Name.empty())
        throw EDatabaseError("Field name missing");
    for (const auto& f : fields)
        if (SameText(f.Name, def.Name))
            throw EDatabaseError("Duplicate field name '" + def.Name + "'");
    StorageKind kind;
    if (!StorageKindOf(def.DataType, kind))
        throw EDatabaseError("Field '" + def.Name + "' is of an unsupported type (" +
                             std::to_string(static_cast<int>(def.DataType)) + ")");
    return kind;
}

void DataPacketWriter::AddField(TFieldDef def) {
    const StorageKind kind = CheckNewField(fields_, def);
    hexText_.push_back(kind == StorageKind::Bytes);
    fields_.push_back(std::move(def));
}

void DataPacketWriter::BeginRows(std::size_t expectedBytes) {
    // Attribute names must be XML names; other field names travel in "fieldname".
    attrNames_.clear();
    cellOpeners_.clear();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        std::string attr = fields_[i].Name;
        if (!IsXmlName(attr)) {
            attr = "F";
            attr += std::to_string(i + 1);
            auto taken = [&](const std::string& a) {
                for (const auto& f : fields_)
                    if (SameText(f.Name, a))
                        return true;
                for (const auto& n : attrNames_)
                    if (SameText(n, a))
                        return true;
                return false;
            };
            while (taken(attr))
                attr += '_';
        }
        cellOpeners_.push_back(" " + attr + "=\"");
        attrNames_.push_back(std::move(attr));
    }

    written_.assign(fields_.size(), false);
    out_.clear();
    out_.reserve(256 + fields_.size() * 128 + expectedBytes);
    AppendMetadata(out_);
    metadataBytes_ = out_.size();
    metadataStale_ = false;
}

void DataPacketWriter::AppendMetadata(PacketText& out) const {
    out +=
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><DATAPACKET Version="2.0"><METADATA><FIELDS>)";
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const TFieldDef& f = fields_[i];
        out += R"(<FIELD attrname=")";
        AppendEscaped(out, attrNames_[i]);
        out += '"';
        if (attrNames_[i] != f.Name) {
            out += R"( fieldname=")";
            AppendEscaped(out, f.Name);
            out += '"';
        }
        out += R"( fieldtype=")";
        out += DataPacketTypeName(f.DataType);
        out += '"';
        if (f.DataType == TFieldType::ftBCD) {
            out += R"( DECIMALS=")" + std::to_string(f.Size) + '"';
            if (f.Precision > 0)
                out += R"( WIDTH=")" + std::to_string(f.Precision) + '"';
        } else if (f.Size > 0 &&
                   (f.DataType == TFieldType::ftString || f.DataType == TFieldType::ftFixedChar ||
                    f.DataType == TFieldType::ftBytes || f.DataType == TFieldType::ftVarBytes)) {
            out += R"( WIDTH=")" + std::to_string(f.Size) + '"';
        } else if (f.Size > 0 && f.DataType == TFieldType::ftWideString) {
            out += R"( WIDTH=")" + std::to_string(f.Size * 2) + '"';
        }
        if (const char* sub = DataPacketSubtype(f.DataType))
            out += std::string(R"( SUBTYPE=")") + sub + '"';
        out += "/>";
    }
    out += "</FIELDS>";
    if (changeLog_.empty()) {
        out += "<PARAMS/>";
    } else {
        out += R"(<PARAMS CHANGE_LOG=")";
        for (std::size_t i = 0; i < changeLog_.size(); ++i) {
            if (i > 0)
                out += ' ';
            AppendNumber(out, changeLog_[i]);
        }
        out += R"("/>)";
    }
    out += "</METADATA><ROWDATA>";
}

void DataPacketWriter::BeginRow(std::uint8_t state) {
    out_ += "<ROW";
    if (state != 0) {
        out_ += R"( RowState=")";
        AppendNumber(out_, static_cast<unsigned>(state));
        out_ += '"';
    }
    rowState_ = state;
    cell_ = 0;
}

void DataPacketWriter::Null() {
    if (rowState_ & RowState::kModified) {
        OpenCell(); // a value cleared in this version
        out_ += '"';
    }
    ++cell_;
}

void DataPacketWriter::Unchanged() {
    CheckCell();
    if (!(rowState_ & RowState::kModified))
        throw EDatabaseError("Only a modified row keeps cells unchanged");
    ++cell_;
}

void DataPacketWriter::CheckCell() const {
    if (cell_ >= fields_.size())
        throw EDatabaseError("A row has more cells than the packet has fields (" +
                             std::to_string(fields_.size()) + ")");
}

void DataPacketWriter::OpenCell() {
    CheckCell();
    written_[cell_] = true;
    out_ += cellOpeners_[cell_];
}

void DataPacketWriter::Integer(std::int64_t value) {
    OpenCell();
    AppendNumber(out_, value);
    out_ += '"';
    ++cell_;
}

void DataPacketWriter::Float(double value) {
    OpenCell();
    const TFieldDef& f = fields_[cell_];
    switch (f.DataType) {
    case TFieldType::ftBCD:
        AppendFixed(out_, value, f.Size);
        break;
    case TFieldType::ftDate:
        AppendDate(out_, DecodeDateTime(value));
        break;
    case TFieldType::ftTime:
        AppendTime(out_, DecodeDateTime(value));
        break;
    case TFieldType::ftDateTime: {
        const DateParts p = DecodeDateTime(value);
        AppendDate(out_, p);
        out_ += 'T';
        AppendTime(out_, p);
        break;
    }
    default:
        AppendNumber(out_, value);
        break;
    }
    out_ += '"';
    ++cell_;
}

void DataPacketWriter::Boolean(bool value) {
    OpenCell();
    out_ += value ? "TRUE\"" : "FALSE\"";
    ++cell_;
}

void DataPacketWriter::Text(std::string_view value) {
    OpenCell();
    if (hexText_[cell_])
        AppendHex(out_, value);
    else
        AppendEscaped(out_, value);
    out_ += '"';
    ++cell_;
}

void DataPacketWriter::Value(const OleVariant& value) {
    if (value.IsEmptyOrNull()) {
        Null();
        return;
    }
    CheckCell();
    const TFieldType type = fields_[cell_].DataType;
    StorageKind kind = StorageKind::Text;
    StorageKindOf(type, kind);
    switch (kind) {
    case StorageKind::Int32:
        Integer(VariantToInt32(value, type));
        break;
    case StorageKind::Int64:
        Integer(value.AsInt64());
        break;
    case StorageKind::Double:
        Float(type == TFieldType::ftDate || type == TFieldType::ftTime || type == TFieldType::ftDateTime
                  ? value.AsDateTime()
                  : value.AsDouble());
        break;
    case StorageKind::Boolean:
        Boolean(value.AsBoolean());
        break;
    case StorageKind::Text:
        Text(value.AsString());
        break;
    case StorageKind::Bytes:
        if (value.IsByteArray()) {
            const OleVariant::Bytes& b = value.AsBytes();
            Text(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
        } else {
            Text(value.AsString());
        }
        break;
    }
}

void DataPacketWriter::EndRow() {
    out_ += "/>";
}

void DataPacketWriter::SetFieldSize(std::size_t field, int size) {
    if (fields_.at(field).Size != size) {
        fields_[field].Size = size;
        metadataStale_ = true;
    }
}

void DataPacketWriter::SetFieldType(std::size_t field, TFieldType type) {
    StorageKind from = StorageKind::Text;
    StorageKind to = StorageKind::Text;
    StorageKindOf(fields_.at(field).DataType, from);
    if (!StorageKindOf(type, to))
        throw EDatabaseError("Field '" + fields_[field].Name + "' is of an unsupported type (" +
                             std::to_string(static_cast<int>(type)) + ")");
    auto integer = [](StorageKind k) {
        return k == StorageKind::Int32 || k == StorageKind::Int64;
    };
    if (written_[field] && !(integer(from) && integer(to)))
        throw EDatabaseError("Field '" + fields_[field].Name +
                             "' cannot change its type after cells of it were written");
    if (fields_[field].DataType != type) {
        fields_[field].DataType = type;
        hexText_[field] = to == StorageKind::Bytes;
        metadataStale_ = true;
    }
}

OleVariant DataPacketWriter::Finish() {
    if (metadataStale_) {
        PacketText metadata;
        AppendMetadata(metadata);
        out_.ReplaceFront(metadataBytes_, metadata);
        metadataStale_ = false;
    }
    out_ += "</ROWDATA></DATAPACKET>";
    return OleVariant::ByteArray(out_.Take());
}

OleVariant DataPacketLoader::Write(const TClientDataSet& ds) {
    DataPacketWriter writer;
    for (const auto& f : ds.fields_)
        writer.AddField(f);

    // Sized from the stored texts and the field names, so that the buffer of a large result set
    // is allocated once instead of growing by doubling.
    const std::size_t rowCount = static_cast<std::size_t>(ds.rowCount_);
    std::size_t estimate = rowCount * 8;
    for (std::size_t i = 0; i < ds.fields_.size(); ++i) {
        const TClientDataSet::Column& col = *ds.columns_[i];
        estimate += rowCount * (ds.fields_[i].Name.size() + 4);
        if (col.kind == StorageKind::Bytes)
            estimate += col.arena.size() * 2; // hex digits
        else if (col.kind == StorageKind::Text)
            estimate += col.arena.size() + col.arena.size() / 8; // room for escapes
        else
            estimate += rowCount * 20;
    }
    writer.BeginRows(estimate);

    for (std::size_t row = 0; row < rowCount; ++row) {
        writer.BeginRow();
        for (std::size_t i = 0; i < ds.fields_.size(); ++i) {
            const TClientDataSet::Column& col = *ds.columns_[i];
            if (col.IsNull(row)) {
                writer.Null();
                continue;
            }
            switch (col.kind) {
            case StorageKind::Int32:
                writer.Integer(col.i32[row]);
                break;
            case StorageKind::Int64:
                writer.Integer(col.i64[row]);
                break;
            case StorageKind::Double:
                writer.Float(col.f64[row]);
                break;
            case StorageKind::Boolean:
                writer.Boolean(col.flags[row] != 0);
                break;
            case StorageKind::Text:
            case StorageKind::Bytes:
                writer.Text(col.Text(row));
                break;
            }
        }
        writer.EndRow();
    }
    return writer.Finish();
}

std::string WriteDataPacket(const TClientDataSet& ds) {
    return std::string(VariantPacketText(DataPacketLoader::Write(ds)));
}

OleVariant DataPacketVariant(const TClientDataSet& ds) {
    return DataPacketLoader::Write(ds);
}

// ---- packet variants ----

OleVariant PacketToVariant(std::string_view xml) {
    return OleVariant::ByteArray(OleVariant::Bytes(xml.begin(), xml.end()));
}

std::string_view VariantPacketText(const OleVariant& packet) {
    if (!packet.IsByteArray())
        PacketError("expected a byte array, got " + OleVariant::TypeName(packet.VarType()));
    const OleVariant::Bytes& bytes = packet.AsBytes();
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace tkv
