// Reading and writing the framework's binary datapackets. The reader checks every length against
// the packet before it reads, walks the rows once to size the text storage and once to store them,
// and hands the rows with their states to the change-log step.
#include "BinaryPacket.h"

#include "../platform/Platform.h"
#include "DataSetColumn.h"
#include "DateTime.h"
#include "RowStates.h"
#include "TextCase.h"
#include "Utf16.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace tkv {

static_assert(std::endian::native == std::endian::little, "packet values are copied as they lie in memory");

namespace {

constexpr std::uint8_t kMagic[4] = {0x96, 0x19, 0xE0, 0xBD};
constexpr std::size_t kHeaderBytes = 24;
constexpr std::uint32_t kMetadataIncluded = 1, kContainsMetadataLength = 2;

// Field types of the datapacket (the type part of a descriptor's type word).
enum Dsfld : std::uint8_t {
    dsfldINT = 1,
    dsfldUINT = 2,
    dsfldBOOL = 3,
    dsfldFLOATIEEE = 4,
    dsfldBCD = 5,
    dsfldDATE = 6,
    dsfldTIME = 7,
    dsfldTIMESTAMP = 8,
    dsfldZSTRING = 9,
    dsfldUNICODE = 10,
    dsfldBYTES = 11,
    dsfldADT = 12,
    dsfldARRAY = 13,
    dsfldEMBEDDEDTBL = 14,
    dsfldREF = 15,
    dsfldDATETIME = 17,
    dsfldFMTBCD = 18,
    dsfldSINGLE = 27,
};

// A type word: the size in the low 16 bits, the field type above it, then flags.
constexpr std::uint32_t kSizeMask = 0x0000FFFF;
constexpr std::uint32_t kVarying = 0x00400000; // a length prefix of "size" bytes, then the value
constexpr std::uint32_t kArray = 0x00800000;   // a count, then that many elements of "size" bytes
constexpr std::uint32_t kComposite = 0xFF000000 & ~0x80000000u;

constexpr std::uint32_t TypeWord(Dsfld type, std::uint32_t size, bool varying = false) {
    return (static_cast<std::uint32_t>(type) << 16) | size | (varying ? kVarying : 0);
}
Dsfld TypeOf(std::uint32_t word) {
    return static_cast<Dsfld>((word >> 16) & 0x3F);
}

// The cell status bits: two per field, four fields a byte.
constexpr unsigned kBlankNull = 1, kBlankUnchanged = 2;
std::size_t StatusBytes(std::size_t fields) {
    return (fields + 3) / 4;
}

// Days from 0001-01-01 (as day 1) to 1899-12-30, and a day's milliseconds.
constexpr double kDateDelta = 693594;
constexpr double kMsPerDay = 86400000;

// How a field's cells lie in a row and become dataset cells.
enum class Codec : std::uint8_t {
    Signed,
    Unsigned,
    Bool,
    Double,
    Single,
    Bcd,
    Date,
    Time,
    TimeStamp,
    SqlTimeStamp,
    Ansi, // 8-bit text of the system code page
    Wide, // UTF-16 text
    Raw,  // bytes
};

[[noreturn]] void PacketError(const std::string& what) {
    throw EDatabaseError("Invalid data packet: " + what);
}

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::uint64_t ReadUnsigned(const std::uint8_t* p, std::size_t n) {
    std::uint64_t v = 0;
    for (std::size_t i = n; i-- > 0;)
        v = (v << 8) | p[i];
    return v;
}

std::int64_t ReadSigned(const std::uint8_t* p, std::size_t n) {
    const std::uint64_t v = ReadUnsigned(p, n);
    const unsigned bits = static_cast<unsigned>(n * 8);
    if (bits < 64 && (v >> (bits - 1)) & 1)
        return static_cast<std::int64_t>(v | (~std::uint64_t{0} << bits));
    return static_cast<std::int64_t>(v);
}

// ---- BCD (the framework's 34-byte decimal: precision, sign and places, packed digits) ----

bool BcdToDouble(const std::uint8_t* p, std::size_t size, double& out) {
    const unsigned precision = p[0], places = p[1] & 0x3F;
    if (precision == 0 || precision > 64 || places > precision || (precision + 1) / 2 > size - 2)
        return false;
    if (p[1] & 0x40) // the "special" flag marks a value that is not a number
        return false;
    // While the digits' integer and the power of ten are exact doubles, their quotient is the nearest
    // double to the decimal, as parsing its text gives.
    if (precision <= 19) {
        std::uint64_t whole = 0;
        for (unsigned i = 0; i < precision; ++i) {
            const unsigned nibble = i % 2 == 0 ? p[2 + i / 2] >> 4 : p[2 + i / 2] & 0x0F;
            if (nibble > 9)
                return false;
            whole = whole * 10 + nibble;
        }
        static constexpr double kTens[] = {1,    1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                           1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        if (whole <= (std::uint64_t{1} << 53) && places <= 22) {
            out = static_cast<double>(whole) / kTens[places];
            if (p[1] & 0x80)
                out = -out;
            return true;
        }
    }
    std::string digits;
    digits.reserve(precision + 2);
    for (unsigned i = 0; i < precision; ++i) {
        const unsigned nibble = i % 2 == 0 ? p[2 + i / 2] >> 4 : p[2 + i / 2] & 0x0F;
        if (nibble > 9)
            return false;
        if (i == precision - places)
            digits += '.';
        digits += static_cast<char>('0' + nibble);
    }
    out = std::strtod(digits.c_str(), nullptr);
    if (p[1] & 0x80)
        out = -out;
    return true;
}

void AppendBcd(std::string& out, double value, int precision, int places) {
    char text[400];
    // A number with many whole digits keeps as many decimals as the 64 digits leave room for.
    const int whole = std::snprintf(text, sizeof text, "%.0f", std::fabs(value));
    places = std::max(0, std::min(places, 64 - whole));
    const int n = std::snprintf(text, sizeof text, "%.*f", places, std::fabs(value));
    std::string digits;
    for (int i = 0; i < n; ++i)
        if (text[i] >= '0' && text[i] <= '9')
            digits += text[i];
    const std::size_t need = digits.size();
    if (!std::isfinite(value) || need > 64)
        throw EDatabaseError("Value " + std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0) +
                             " does not fit a BCD field");
    const std::size_t digitsShown =
        std::max<std::size_t>(need, static_cast<std::size_t>(std::clamp(precision, 1, 64)));
    digits.insert(0, digitsShown - need, '0');
    std::uint8_t bcd[34] = {};
    bcd[0] = static_cast<std::uint8_t>(digitsShown);
    bcd[1] = static_cast<std::uint8_t>(
        places | (value < 0 && digits.find_first_not_of('0') != std::string::npos ? 0x80 : 0));
    for (std::size_t i = 0; i < digitsShown; ++i) {
        const std::uint8_t d = static_cast<std::uint8_t>(digits[i] - '0');
        bcd[2 + i / 2] |= i % 2 == 0 ? static_cast<std::uint8_t>(d << 4) : d;
    }
    out.append(reinterpret_cast<const char*>(bcd), sizeof bcd);
}

// ---- dates ----

double FromTimeStamp(double days, double ms) {
    const double date = days - kDateDelta;
    return date >= 0 ? date + ms / kMsPerDay : date - ms / kMsPerDay;
}

// Day number from 0001-01-01 and milliseconds of the day, as the framework's time stamps hold them.
void ToTimeStamp(double value, std::int64_t& day, std::int64_t& ms) {
    const double whole = std::trunc(value);
    day = static_cast<std::int64_t>(whole) + static_cast<std::int64_t>(kDateDelta);
    ms = std::llround(std::fabs(value - whole) * kMsPerDay);
}

bool InDateRange(double day) {
    return day >= 1 && day <= 3652059; // 0001-01-01 to 9999-12-31
}

// ---- descriptors ----

struct Property {
    std::string_view name;
    std::uint32_t type = 0;
    std::string_view data; // the value's bytes, after its length or count
    std::uint32_t count = 1;

    std::uint64_t Number() const {
        return data.size() <= 8
                   ? ReadUnsigned(reinterpret_cast<const std::uint8_t*>(data.data()), data.size())
                   : 0;
    }
};

struct BinField {
    TFieldDef def;
    Codec codec = Codec::Raw;
    std::uint32_t size = 0; // value bytes, or the length prefix's bytes when varying
    bool varying = false;
};

const char* TypeWordName(Dsfld type) {
    switch (type) {
    case dsfldADT:
        return "an object type";
    case dsfldARRAY:
        return "an array";
    case dsfldEMBEDDEDTBL:
        return "a nested table";
    case dsfldREF:
        return "a reference";
    default:
        return nullptr;
    }
}

} // namespace

bool IsBinaryPacket(std::string_view bytes) {
    return bytes.size() >= 4 && std::memcmp(bytes.data(), kMagic, 4) == 0;
}

// ---- reading ----

class BinaryPacketLoader {
public:
    explicit BinaryPacketLoader(std::string_view bytes)
        : p_(reinterpret_cast<const std::uint8_t*>(bytes.data())), size_(bytes.size()) {}

    void Load(TClientDataSet& ds) {
        ReadHeader();
        DataSetStorage::Columns columns;
        for (const BinField& f : fields_)
            columns.push_back(std::make_unique<DataSetStorage::Column>(f.def.DataType));
        std::vector<std::size_t> textBytes(fields_.size(), 0);
        WalkRows([&](std::size_t, std::uint8_t) {},
                 [&](std::size_t, std::size_t field, const std::uint8_t* cell, std::size_t n) {
                     textBytes[field] += TextLength(fields_[field].codec, cell, n);
                 });
        for (std::size_t f = 0; f < fields_.size(); ++f) {
            columns[f]->AppendNulls(rows_);
            columns[f]->arena.reserve(textBytes[f]);
        }

        TPendingChanges changes;
        WalkRows(
            [&](std::size_t row, std::uint8_t state) {
                if (state != 0) {
                    changes.states.resize(rows_, 0);
                    changes.states[row] = state;
                }
            },
            [&](std::size_t row, std::size_t field, const std::uint8_t* cell, std::size_t n) {
                Store(*columns[field], row, field, cell, n);
            },
            &changes);
        changes.changeLog = std::move(changeLog_);
        std::size_t rows = rows_;
        ApplyPendingChanges(columns, rows, changes);
        std::vector<TFieldDef> defs;
        for (BinField& f : fields_)
            defs.push_back(std::move(f.def));
        DataSetStorage::Adopt(ds, std::move(defs), std::move(columns), rows);
    }

private:
    // ---- bounds-checked reading ----
    const std::uint8_t* Take(std::size_t n, const char* what) {
        if (n > size_ - pos_)
            PacketError(std::string("binary packet cut short in ") + what + " (byte " + std::to_string(pos_) +
                        " of " + std::to_string(size_) + ")");
        const std::uint8_t* at = p_ + pos_;
        pos_ += n;
        return at;
    }
    std::uint64_t Number(std::size_t n, const char* what) { return ReadUnsigned(Take(n, what), n); }
    std::string_view Name(const char* what) {
        const std::size_t n = Number(1, what);
        return std::string_view(reinterpret_cast<const char*>(Take(n, what)), n);
    }

    Property ReadProperty(const char* what) {
        Property prop;
        prop.name = Name(what);
        prop.type = static_cast<std::uint32_t>(Number(4, what));
        const std::size_t size = prop.type & kSizeMask;
        std::size_t bytes = size;
        if (prop.type & kArray) {
            prop.count = static_cast<std::uint32_t>(Number(4, what));
            if (size != 0 && prop.count > (size_ - pos_) / size)
                PacketError("binary packet cut short in " + std::string(what) + " '" +
                            std::string(prop.name) + "'");
            bytes = size * prop.count;
        } else if (prop.type & kVarying) {
            if (size != 1 && size != 2 && size != 4)
                PacketError(std::string(what) + " '" + std::string(prop.name) + "' has a length of " +
                            std::to_string(size) + " bytes");
            bytes = Number(size, what);
        }
        prop.data = std::string_view(reinterpret_cast<const char*>(Take(bytes, what)), bytes);
        return prop;
    }

    void ReadHeader() {
        if (size_ < kHeaderBytes)
            PacketError("binary packet cut short in its header (" + std::to_string(size_) + " of " +
                        std::to_string(kHeaderBytes) + " bytes)");
        pos_ = 4;
        const std::uint64_t major = Number(2, "the header");
        Number(2, "the header"); // minor version
        const std::uint64_t headerSize = Number(4, "the header");
        const std::size_t fieldCount = Number(2, "the header");
        rows_ = Number(4, "the header");
        const std::uint64_t properties = Number(4, "the header");
        const std::uint64_t dataOffset = Number(2, "the header");
        if (major > 3)
            PacketError("binary packet version " + std::to_string(major) + " is not supported");
        if (!(properties & kMetadataIncluded))
            PacketError("binary packet holds no field descriptions");
        if (headerSize < kHeaderBytes || headerSize > size_)
            PacketError("binary packet gives a header of " + std::to_string(headerSize) + " bytes");
        pos_ = headerSize;
        for (std::size_t i = 0; i < fieldCount; ++i)
            ReadField(i);
        const std::size_t propertyCount = Number(2, "the dataset properties");
        for (std::size_t i = 0; i < propertyCount; ++i) {
            const Property prop = ReadProperty("dataset property");
            if (SameText(prop.name, "CHANGE_LOG"))
                ReadChangeLog(prop);
        }
        if ((properties & kContainsMetadataLength) && dataOffset != 0 && dataOffset != pos_)
            PacketError("binary packet puts its rows at byte " + std::to_string(dataOffset) +
                        ", its descriptions end at byte " + std::to_string(pos_));
        const std::size_t rowBytes = 1 + StatusBytes(fields_.size());
        if (rows_ > (size_ - pos_) / rowBytes ||
            rows_ > static_cast<std::size_t>(std::numeric_limits<int>::max()))
            PacketError("binary packet gives " + std::to_string(rows_) + " rows in " +
                        std::to_string(size_ - pos_) + " bytes");
        rowsBegin_ = pos_;
    }

    void ReadChangeLog(const Property& prop) {
        const Dsfld type = TypeOf(prop.type);
        if (!(prop.type & kArray) || (type != dsfldINT && type != dsfldUINT) || (prop.type & kSizeMask) != 4)
            PacketError("the change log is not a list of 32-bit numbers");
        const auto* at = reinterpret_cast<const std::uint8_t*>(prop.data.data());
        for (std::uint32_t i = 0; i < prop.count; ++i)
            changeLog_.push_back(static_cast<std::uint32_t>(ReadUnsigned(at + 4 * i, 4)));
    }

    void ReadField(std::size_t index) {
        BinField f;
        const std::string_view rawName = Name("a field descriptor");
        f.def.Name = IsAscii(rawName) ? std::string(rawName) : Platform().AnsiToUtf8(std::string(rawName));
        const std::uint32_t type = static_cast<std::uint32_t>(Number(4, "a field descriptor"));
        Number(2, "a field descriptor"); // attributes: hidden, read-only, required, link
        const std::size_t propertyCount = Number(2, "a field descriptor");
        std::string subtype;
        std::uint64_t width = 0, decimals = 0;
        for (std::size_t i = 0; i < propertyCount; ++i) {
            const Property prop = ReadProperty("field property");
            if (SameText(prop.name, "WIDTH"))
                width = prop.Number();
            else if (SameText(prop.name, "DECIMALS"))
                decimals = prop.Number();
            else if (SameText(prop.name, "SUBTYPE"))
                subtype = prop.data;
        }
        if (f.def.Name.empty())
            PacketError("field " + std::to_string(index + 1) + " has no name");
        for (const BinField& other : fields_)
            if (SameText(other.def.Name, f.def.Name))
                PacketError("duplicate field '" + f.def.Name + "'");
        if (width > 0xFFFF || decimals > 64)
            PacketError("field '" + f.def.Name + "' gives a width of " + std::to_string(width) + " and " +
                        std::to_string(decimals) + " decimals");
        Describe(f, type, subtype, static_cast<int>(width), static_cast<int>(decimals));
        fields_.push_back(std::move(f));
    }

    // The dataset field and the cell codec of a descriptor's type word.
    static void Describe(BinField& f, std::uint32_t type, const std::string& subtype, int width,
                         int decimals) {
        const Dsfld kind = TypeOf(type);
        f.size = type & kSizeMask;
        f.varying = (type & kVarying) != 0;
        TFieldDef& d = f.def;
        auto refuse = [&] {
            const char* what = TypeWordName(kind);
            PacketError("field '" + d.Name + "' is " +
                        (what
                             ? std::string(what)
                             : "of binary type " + std::to_string(kind) + " size " + std::to_string(f.size)) +
                        ", which the dataset cannot hold");
        };
        if (type & (kArray | kComposite))
            refuse();
        if (f.varying && f.size != 1 && f.size != 2 && f.size != 4)
            refuse();
        const bool fixedOf = !f.varying;
        switch (kind) {
        case dsfldINT:
            if (!fixedOf || (f.size != 1 && f.size != 2 && f.size != 4 && f.size != 8))
                refuse();
            f.codec = Codec::Signed;
            d.DataType = f.size <= 2                    ? TFieldType::ftSmallint
                         : f.size == 8                  ? TFieldType::ftLargeint
                         : SameText(subtype, "Autoinc") ? TFieldType::ftAutoInc
                                                        : TFieldType::ftInteger;
            return;
        case dsfldUINT:
            if (!fixedOf || (f.size != 1 && f.size != 2 && f.size != 4 && f.size != 8))
                refuse();
            f.codec = Codec::Unsigned;
            d.DataType = f.size == 1   ? TFieldType::ftSmallint
                         : f.size == 2 ? TFieldType::ftWord
                                       : TFieldType::ftLargeint;
            return;
        case dsfldBOOL:
            if (!fixedOf || (f.size != 1 && f.size != 2 && f.size != 4))
                refuse();
            f.codec = Codec::Bool;
            d.DataType = TFieldType::ftBoolean;
            return;
        case dsfldFLOATIEEE:
            if (!fixedOf || f.size != 8)
                refuse();
            f.codec = Codec::Double;
            d.DataType = SameText(subtype, "Money") ? TFieldType::ftCurrency : TFieldType::ftFloat;
            return;
        case dsfldSINGLE:
            if (!fixedOf || f.size != 4)
                refuse();
            f.codec = Codec::Single;
            d.DataType = TFieldType::ftFloat;
            return;
        case dsfldBCD:
        case dsfldFMTBCD:
            if (!fixedOf || f.size < 2 || f.size > 34)
                refuse();
            if (width > 64 || decimals > 63 || (width > 0 && decimals > width))
                PacketError("field '" + d.Name + "' gives " + std::to_string(decimals) + " decimals of " +
                            std::to_string(width) + " digits");
            f.codec = Codec::Bcd;
            d.DataType = TFieldType::ftBCD;
            d.Size = decimals;
            d.Precision = width;
            return;
        case dsfldDATE:
        case dsfldTIME:
            if (!fixedOf || f.size != 4)
                refuse();
            f.codec = kind == dsfldDATE ? Codec::Date : Codec::Time;
            d.DataType = kind == dsfldDATE ? TFieldType::ftDate : TFieldType::ftTime;
            return;
        case dsfldTIMESTAMP:
            if (!fixedOf || f.size != 8)
                refuse();
            f.codec = Codec::TimeStamp;
            d.DataType = TFieldType::ftDateTime;
            return;
        case dsfldDATETIME:
            if (!fixedOf || f.size != 16)
                refuse();
            f.codec = Codec::SqlTimeStamp;
            d.DataType = TFieldType::ftDateTime;
            return;
        case dsfldZSTRING:
            if (f.size == 0)
                refuse();
            f.codec = Codec::Ansi;
            d.DataType = SameText(subtype, "FixedChar") ? TFieldType::ftFixedChar : TFieldType::ftString;
            d.Size = width > 0 ? width : fixedOf ? static_cast<int>(f.size) : 0;
            return;
        case dsfldUNICODE:
            if (!f.varying)
                refuse();
            f.codec = Codec::Wide;
            d.DataType = TFieldType::ftWideString;
            d.Size = width / 2;
            return;
        case dsfldBYTES:
            if (f.size == 0)
                refuse();
            if (!f.varying) {
                f.codec = Codec::Raw;
                d.DataType = TFieldType::ftBytes;
                d.Size = static_cast<int>(f.size);
            } else if (f.size == 4) {
                const bool text = SameText(subtype, "Text"), wide = SameText(subtype, "WideText");
                f.codec = text ? Codec::Ansi : wide ? Codec::Wide : Codec::Raw;
                d.DataType = text || wide ? TFieldType::ftMemo : TFieldType::ftBlob;
            } else {
                f.codec = Codec::Raw;
                d.DataType = TFieldType::ftVarBytes;
                d.Size = width;
            }
            return;
        default:
            refuse();
        }
    }

    // ---- rows ----

    // Calls onRow(row, state) for each row and onCell(row, field, bytes, count) for each value
    // there; marks the cells of modified versions that keep the earlier value when changes is given.
    template <typename OnRow, typename OnCell>
    void WalkRows(OnRow&& onRow, OnCell&& onCell, TPendingChanges* changes = nullptr) {
        pos_ = rowsBegin_;
        const std::size_t statusBytes = StatusBytes(fields_.size());
        for (std::size_t row = 0; row < rows_; ++row) {
            const std::uint8_t state = *Take(1, "a row");
            if (state & ~(RowState::kOriginal | RowState::kDeleted | RowState::kInserted |
                          RowState::kModified | RowState::kUnused | RowState::kDetailUpdates))
                PacketError("row " + std::to_string(row + 1) + " has the unknown state " +
                            std::to_string(state));
            onRow(row, state);
            const std::uint8_t* status = Take(statusBytes, "a row");
            std::vector<bool>* kept = nullptr;
            for (std::size_t field = 0; field < fields_.size(); ++field) {
                const unsigned bits = (status[field / 4] >> (field % 4 * 2)) & 3;
                if (bits == kBlankNull)
                    continue;
                if (bits == kBlankUnchanged) {
                    if (!(state & RowState::kModified))
                        PacketError("row " + std::to_string(row + 1) + " keeps field '" +
                                    fields_[field].def.Name + "' unchanged but is no changed version");
                    if (changes) {
                        if (!kept)
                            kept = &(changes->unchanged[row] = std::vector<bool>(fields_.size(), false));
                        (*kept)[field] = true;
                    }
                    continue;
                }
                if (bits != 0)
                    PacketError("row " + std::to_string(row + 1) + " gives field '" +
                                fields_[field].def.Name + "' the status 3");
                const BinField& f = fields_[field];
                std::size_t n = f.size;
                if (f.varying)
                    n = Number(f.size, "a row");
                onCell(row, field, Take(n, "a row"), n);
            }
        }
        if (pos_ != size_)
            PacketError(std::to_string(size_ - pos_) + " bytes follow the last row");
    }

    // The UTF-8 bytes a text cell takes in the dataset (an upper bound for 8-bit texts).
    static std::size_t TextLength(Codec codec, const std::uint8_t* cell, std::size_t n) {
        switch (codec) {
        case Codec::Raw:
            return n;
        case Codec::Wide:
            return Utf8LengthOfUtf16Le(cell, n / 2);
        case Codec::Ansi: {
            std::size_t length = n;
            for (std::size_t i = 0; i < n; ++i)
                if (cell[i] >= 0x80)
                    ++length, ++i; // a double-byte character becomes at most three bytes
            return length;
        }
        default:
            return 0;
        }
    }

    [[noreturn]] void CellError(std::size_t row, std::size_t field, const char* what) const {
        PacketError("value of field '" + fields_[field].def.Name + "' in row " + std::to_string(row + 1) +
                    " is not a valid " + what);
    }

    void Store(DataSetStorage::Column& col, std::size_t row, std::size_t field, const std::uint8_t* cell,
               std::size_t n) {
        const BinField& f = fields_[field];
        switch (f.codec) {
        case Codec::Signed: {
            const std::int64_t v = ReadSigned(cell, n);
            if (col.kind == StorageKind::Int64)
                col.SetInt64(row, v);
            else
                col.SetInt32(row, static_cast<std::int32_t>(v));
            return;
        }
        case Codec::Unsigned: {
            const std::uint64_t v = ReadUnsigned(cell, n);
            if (v > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
                CellError(row, field, "large integer");
            if (col.kind == StorageKind::Int64)
                col.SetInt64(row, static_cast<std::int64_t>(v));
            else
                col.SetInt32(row, static_cast<std::int32_t>(v));
            return;
        }
        case Codec::Bool:
            col.SetBoolean(row, ReadUnsigned(cell, n) != 0);
            return;
        case Codec::Double: {
            double v;
            std::memcpy(&v, cell, 8);
            col.SetDouble(row, v);
            return;
        }
        case Codec::Single: {
            float v;
            std::memcpy(&v, cell, 4);
            col.SetDouble(row, v);
            return;
        }
        case Codec::Bcd: {
            double v;
            if (!BcdToDouble(cell, n, v))
                CellError(row, field, "BCD number");
            col.SetDouble(row, v);
            return;
        }
        case Codec::Date: {
            const double day = static_cast<double>(ReadSigned(cell, 4));
            if (!InDateRange(day))
                CellError(row, field, "date");
            col.SetDouble(row, day - kDateDelta);
            return;
        }
        case Codec::Time: {
            const std::int64_t ms = ReadSigned(cell, 4);
            if (ms < 0 || ms >= static_cast<std::int64_t>(kMsPerDay))
                CellError(row, field, "time");
            col.SetDouble(row, static_cast<double>(ms) / kMsPerDay);
            return;
        }
        case Codec::TimeStamp: {
            double ms;
            std::memcpy(&ms, cell, 8);
            const double day = std::floor(ms / kMsPerDay);
            if (!std::isfinite(ms) || !InDateRange(day))
                CellError(row, field, "date and time");
            col.SetDouble(row, FromTimeStamp(day, ms - day * kMsPerDay));
            return;
        }
        case Codec::SqlTimeStamp: {
            DateParts parts;
            parts.year = static_cast<int>(ReadSigned(cell, 2));
            parts.month = static_cast<int>(ReadUnsigned(cell + 2, 2));
            parts.day = static_cast<int>(ReadUnsigned(cell + 4, 2));
            parts.hour = static_cast<int>(ReadUnsigned(cell + 6, 2));
            parts.minute = static_cast<int>(ReadUnsigned(cell + 8, 2));
            parts.second = static_cast<int>(ReadUnsigned(cell + 10, 2));
            const std::uint64_t fraction = ReadUnsigned(cell + 12, 4);
            if (fraction > 999 || parts.hour > 23 || parts.minute > 59 || parts.second > 59)
                CellError(row, field, "time stamp");
            parts.millisecond = static_cast<int>(fraction);
            try {
                col.SetDouble(row, EncodeDateTime(parts));
            } catch (const std::invalid_argument&) {
                CellError(row, field, "time stamp");
            }
            return;
        }
        case Codec::Ansi: {
            std::string_view text(reinterpret_cast<const char*>(cell), n);
            if (!f.varying)
                text = text.substr(0, text.find('\0'));
            if (IsAscii(text))
                col.SetText(row, text);
            else
                col.SetText(row, Platform().AnsiToUtf8(std::string(text)));
            return;
        }
        case Codec::Wide: {
            if (n % 2 != 0)
                CellError(row, field, "wide text");
            // Straight into the column's text, which the first walk sized.
            const std::size_t offset = col.arena.size();
            AppendUtf16LeAsUtf8(col.arena, cell, n / 2);
            if (col.arena.size() > std::numeric_limits<std::uint32_t>::max())
                throw EDatabaseError("Field data exceeds 4 GB");
            col.spans[row] = {static_cast<std::uint32_t>(offset),
                              static_cast<std::uint32_t>(col.arena.size() - offset)};
            col.nulls[row] = 0;
            return;
        }
        case Codec::Raw:
            col.SetText(row, std::string_view(reinterpret_cast<const char*>(cell), n));
            return;
        }
    }

    const std::uint8_t* p_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::size_t rows_ = 0;
    std::size_t rowsBegin_ = 0;
    std::vector<BinField> fields_;
    std::vector<std::uint32_t> changeLog_;
};

void ReadBinaryPacket(std::string_view bytes, TClientDataSet& ds) {
    BinaryPacketLoader(bytes).Load(ds);
}

// ---- writing ----

namespace {

class PacketBytes {
public:
    void U8(std::uint64_t v) { Put(v, 1); }
    void U16(std::uint64_t v) { Put(v, 2); }
    void U32(std::uint64_t v) { Put(v, 4); }
    void Put(std::uint64_t v, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            out_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void Append(std::string_view s) { out_.append(s); }
    void Name(std::string_view name) {
        if (name.size() > 255)
            throw EDatabaseError("Field name '" + std::string(name) + "' is longer than 255 bytes");
        U8(name.size());
        Append(name);
    }
    void NumberProperty(std::string_view name, std::uint64_t value) {
        Name(name);
        U32(TypeWord(dsfldUINT, 2));
        U16(value);
    }
    void TextProperty(std::string_view name, std::string_view value) {
        Name(name);
        U32(TypeWord(dsfldZSTRING, 1, true));
        U8(value.size());
        Append(value);
    }
    std::string& Text() { return out_; }

private:
    std::string out_;
};

std::string AnsiText(std::string_view utf8) {
    return IsAscii(utf8) ? std::string(utf8) : Platform().Utf8ToAnsi(std::string(utf8));
}

std::size_t PrefixBytes(std::size_t longest, const std::string& field) {
    if (longest < 255)
        return 1;
    if (longest <= 0xFFFF)
        return 2;
    throw EDatabaseError("A value of " + std::to_string(longest) + " bytes is too long for field '" + field +
                         "'; a memo or blob field holds it");
}

// How one field goes into a binary packet.
struct OutField {
    std::uint32_t type = 0;
    Codec codec = Codec::Raw;
    std::size_t prefix = 0; // length prefix bytes, 0 for a fixed size
    std::size_t fixed = 0;
    int width = -1, decimals = -1;
    const char* subtype = nullptr;
};

// The longest value of a text or bytes column as it will be written.
std::size_t Longest(const DataSetStorage::Column& col, std::size_t rows, Codec codec) {
    std::size_t longest = 0;
    for (std::size_t r = 0; r < rows; ++r) {
        if (col.IsNull(r))
            continue;
        const std::string_view t = col.Text(r);
        std::size_t n = t.size(); // an upper bound for the system code page
        if (codec == Codec::Wide) {
            std::string wide;
            AppendUtf8AsUtf16Le(wide, t);
            n = wide.size();
        }
        longest = std::max(longest, n);
    }
    return longest;
}

OutField Layout(const TFieldDef& d, const DataSetStorage::Column& col, std::size_t rows) {
    OutField o;
    auto varying = [&](Dsfld type, Codec codec, std::size_t declared) {
        o.codec = codec;
        o.prefix = PrefixBytes(std::max(declared, Longest(col, rows, codec)), d.Name);
        o.type = TypeWord(type, static_cast<std::uint32_t>(o.prefix), true);
    };
    auto fixed = [&](Dsfld type, Codec codec, std::size_t size) {
        o.codec = codec;
        o.fixed = size;
        o.type = TypeWord(type, static_cast<std::uint32_t>(size));
    };
    switch (d.DataType) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
        varying(dsfldZSTRING, Codec::Ansi, static_cast<std::size_t>(std::max(d.Size, 0)));
        o.width = d.Size;
        if (d.DataType == TFieldType::ftFixedChar)
            o.subtype = "FixedChar";
        break;
    case TFieldType::ftWideString:
        varying(dsfldUNICODE, Codec::Wide, static_cast<std::size_t>(std::max(d.Size, 0)) * 2);
        o.width = d.Size * 2;
        break;
    case TFieldType::ftSmallint:
        fixed(dsfldINT, Codec::Signed, 2);
        break;
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
        fixed(dsfldINT, Codec::Signed, 4);
        if (d.DataType == TFieldType::ftAutoInc)
            o.subtype = "Autoinc";
        break;
    case TFieldType::ftWord:
        fixed(dsfldUINT, Codec::Unsigned, 2);
        break;
    case TFieldType::ftLargeint:
        fixed(dsfldINT, Codec::Signed, 8);
        break;
    case TFieldType::ftBoolean:
        fixed(dsfldBOOL, Codec::Bool, 2);
        break;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        fixed(dsfldFLOATIEEE, Codec::Double, 8);
        if (d.DataType == TFieldType::ftCurrency)
            o.subtype = "Money";
        break;
    case TFieldType::ftBCD:
        fixed(dsfldBCD, Codec::Bcd, 34);
        o.width = d.Precision > 0 ? d.Precision : std::max(32, std::min(d.Size, 63));
        o.decimals = d.Size;
        break;
    case TFieldType::ftDate:
        fixed(dsfldDATE, Codec::Date, 4);
        break;
    case TFieldType::ftTime:
        fixed(dsfldTIME, Codec::Time, 4);
        break;
    case TFieldType::ftDateTime:
        fixed(dsfldTIMESTAMP, Codec::TimeStamp, 8);
        break;
    case TFieldType::ftBytes:
        if (d.Size > 0) {
            fixed(dsfldBYTES, Codec::Raw, static_cast<std::size_t>(d.Size));
            break;
        }
        [[fallthrough]];
    case TFieldType::ftVarBytes:
        varying(dsfldBYTES, Codec::Raw, static_cast<std::size_t>(std::max(d.Size, 0)));
        o.width = d.Size;
        break;
    case TFieldType::ftBlob:
    case TFieldType::ftMemo:
        o.codec = d.DataType == TFieldType::ftMemo ? Codec::Ansi : Codec::Raw;
        o.prefix = 4;
        o.type = TypeWord(dsfldBYTES, 4, true);
        o.subtype = d.DataType == TFieldType::ftMemo ? "Text" : "Binary";
        break;
    default:
        throw EDatabaseError("Field '" + d.Name + "' is of a type binary packets cannot carry");
    }
    return o;
}

void WriteCell(PacketBytes& out, const OutField& o, const TFieldDef& d, const DataSetStorage::Column& col,
               std::size_t row) {
    std::int64_t day = 0, ms = 0;
    switch (o.codec) {
    case Codec::Signed:
    case Codec::Unsigned:
        out.Put(col.kind == StorageKind::Int64
                    ? static_cast<std::uint64_t>(col.i64[row])
                    : static_cast<std::uint64_t>(static_cast<std::int64_t>(col.i32[row])),
                o.fixed);
        return;
    case Codec::Bool:
        out.U16(col.flags[row] ? 0xFFFF : 0);
        return;
    case Codec::Double: {
        char bytes[8];
        std::memcpy(bytes, &col.f64[row], 8);
        out.Append(std::string_view(bytes, 8));
        return;
    }
    case Codec::Bcd:
        AppendBcd(out.Text(), col.f64[row], o.width, std::clamp(d.Size, 0, 63));
        return;
    case Codec::Date:
        ToTimeStamp(col.f64[row], day, ms);
        out.U32(static_cast<std::uint64_t>(day));
        return;
    case Codec::Time:
        ToTimeStamp(col.f64[row], day, ms);
        out.U32(static_cast<std::uint64_t>(ms % static_cast<std::int64_t>(kMsPerDay)));
        return;
    case Codec::TimeStamp: {
        ToTimeStamp(col.f64[row], day, ms);
        const double stamp = static_cast<double>(day) * kMsPerDay + static_cast<double>(ms);
        char bytes[8];
        std::memcpy(bytes, &stamp, 8);
        out.Append(std::string_view(bytes, 8));
        return;
    }
    case Codec::Ansi:
    case Codec::Wide:
    case Codec::Raw: {
        std::string converted;
        std::string_view value = col.Text(row);
        if (o.codec == Codec::Ansi) {
            converted = AnsiText(value);
            value = converted;
        } else if (o.codec == Codec::Wide) {
            AppendUtf8AsUtf16Le(converted, value);
            value = converted;
        }
        if (o.prefix) {
            out.Put(value.size(), o.prefix);
            out.Append(value);
            return;
        }
        if (value.size() > o.fixed)
            throw EDatabaseError("A value of " + std::to_string(value.size()) +
                                 " bytes is too long for field '" + d.Name + "' of " +
                                 std::to_string(o.fixed) + " bytes");
        out.Append(value);
        out.Text().append(o.fixed - value.size(), '\0');
        return;
    }
    case Codec::Single:
    case Codec::SqlTimeStamp:
        break; // read only
    }
}

OleVariant WriteBinary(const std::vector<TFieldDef>& fields, const DataSetStorage::Columns& columns,
                       std::size_t rows, const TPendingChanges& changes) {
    std::vector<OutField> layout;
    for (std::size_t f = 0; f < fields.size(); ++f)
        layout.push_back(Layout(fields[f], *columns[f], rows));
    if (fields.size() > 0xFFFF || rows > 0xFFFFFFFFu)
        throw EDatabaseError("A binary packet holds at most 65535 fields and 4294967295 rows");

    PacketBytes out;
    out.Append(std::string_view(reinterpret_cast<const char*>(kMagic), 4));
    out.U16(1); // version 1 of the layout carries every type written here
    out.U16(0);
    out.U32(kHeaderBytes);
    out.U16(fields.size());
    out.U32(rows);
    out.U32(kMetadataIncluded | kContainsMetadataLength);
    out.U16(0); // where the rows begin, filled in below
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const OutField& o = layout[f];
        out.Name(AnsiText(fields[f].Name));
        out.U32(o.type);
        out.U16(0);
        const int count = (o.width >= 0) + (o.decimals >= 0) + (o.subtype != nullptr);
        out.U16(static_cast<std::uint64_t>(count));
        if (o.width >= 0)
            out.NumberProperty("WIDTH", static_cast<std::uint64_t>(o.width));
        if (o.decimals >= 0)
            out.NumberProperty("DECIMALS", static_cast<std::uint64_t>(o.decimals));
        if (o.subtype)
            out.TextProperty("SUBTYPE", o.subtype);
    }
    if (changes.changeLog.empty()) {
        out.U16(0);
    } else {
        out.U16(1);
        out.Name("CHANGE_LOG");
        out.U32(TypeWord(dsfldINT, 4) | kArray);
        out.U32(changes.changeLog.size());
        for (std::uint32_t n : changes.changeLog)
            out.U32(n);
    }
    std::string& bytes = out.Text();
    if (bytes.size() <= 0xFFFF) {
        bytes[22] = static_cast<char>(bytes.size() & 0xFF);
        bytes[23] = static_cast<char>(bytes.size() >> 8);
    } else {
        bytes[18] = static_cast<char>(kMetadataIncluded);
    }

    std::string status(StatusBytes(fields.size()), '\0');
    for (std::size_t row = 0; row < rows; ++row) {
        out.U8(row < changes.states.size() ? changes.states[row] : 0);
        const auto kept = changes.unchanged.find(row);
        std::fill(status.begin(), status.end(), '\0');
        for (std::size_t f = 0; f < fields.size(); ++f) {
            unsigned bits = 0;
            if (kept != changes.unchanged.end() && f < kept->second.size() && kept->second[f])
                bits = kBlankUnchanged;
            else if (columns[f]->IsNull(row))
                bits = kBlankNull;
            status[f / 4] = static_cast<char>(status[f / 4] | (bits << (f % 4 * 2)));
        }
        out.Append(status);
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const unsigned bits = (static_cast<unsigned char>(status[f / 4]) >> (f % 4 * 2)) & 3;
            if (bits == 0)
                WriteCell(out, layout[f], fields[f], *columns[f], row);
        }
    }
    return OleVariant::ByteArray(OleVariant::Bytes(bytes.begin(), bytes.end()));
}

} // namespace

OleVariant BinaryPacketVariant(const TClientDataSet& ds) {
    return WriteBinary(DataSetStorage::Fields(ds), DataSetStorage::ColumnsOf(ds),
                       DataSetStorage::RowCount(ds), {});
}

struct BinaryPacketWriter::Storage {
    DataSetStorage::Columns columns;
    std::vector<bool> written; // fields with a cell so far
    TPendingChanges changes;
    std::uint8_t state = 0;
};

BinaryPacketWriter::BinaryPacketWriter() : storage_(std::make_unique<Storage>()) {}
BinaryPacketWriter::~BinaryPacketWriter() = default;

void BinaryPacketWriter::AddField(TFieldDef def) {
    CheckNewField(fields_, def);
    storage_->columns.push_back(std::make_unique<DataSetStorage::Column>(def.DataType));
    storage_->written.push_back(false);
    fields_.push_back(std::move(def));
}

void BinaryPacketWriter::BeginRow(std::uint8_t state) {
    for (auto& column : storage_->columns)
        column->AppendNull();
    if (state != 0) {
        storage_->changes.states.resize(rows_ + 1, 0);
        storage_->changes.states[rows_] = state;
    }
    storage_->state = state;
    ++rows_;
    cell_ = 0;
}

std::size_t BinaryPacketWriter::Cell() {
    if (cell_ >= fields_.size())
        throw EDatabaseError("A row has more cells than the packet has fields (" +
                             std::to_string(fields_.size()) + ")");
    return cell_++;
}

void BinaryPacketWriter::Null() {
    Cell();
}

void BinaryPacketWriter::Unchanged() {
    const std::size_t field = Cell();
    if (!(storage_->state & RowState::kModified))
        throw EDatabaseError("Only a modified row keeps cells unchanged");
    auto& kept = storage_->changes.unchanged[rows_ - 1];
    kept.resize(fields_.size(), false);
    kept[field] = true;
}

void BinaryPacketWriter::Integer(std::int64_t value) {
    const std::size_t field = Cell();
    DataSetStorage::Column& col = *storage_->columns[field];
    storage_->written[field] = true;
    if (col.kind == StorageKind::Int64)
        col.SetInt64(rows_ - 1, value);
    else
        col.Set(rows_ - 1, OleVariant::Int64(value));
}

void BinaryPacketWriter::Float(double value) {
    const std::size_t field = Cell();
    DataSetStorage::Column& col = *storage_->columns[field];
    storage_->written[field] = true;
    if (col.kind == StorageKind::Double)
        col.SetDouble(rows_ - 1, value);
    else
        col.Set(rows_ - 1, OleVariant(value));
}

void BinaryPacketWriter::Boolean(bool value) {
    const std::size_t field = Cell();
    storage_->written[field] = true;
    storage_->columns[field]->Set(rows_ - 1, OleVariant(value));
}

void BinaryPacketWriter::Text(std::string_view value) {
    const std::size_t field = Cell();
    DataSetStorage::Column& col = *storage_->columns[field];
    storage_->written[field] = true;
    if (col.kind == StorageKind::Text || col.kind == StorageKind::Bytes)
        col.SetText(rows_ - 1, value);
    else
        col.Set(rows_ - 1, OleVariant(std::string(value)));
}

void BinaryPacketWriter::Value(const OleVariant& value) {
    const std::size_t field = Cell();
    storage_->written[field] = storage_->written[field] || !value.IsEmptyOrNull();
    storage_->columns[field]->Set(rows_ - 1, value);
}

void BinaryPacketWriter::EndRow() {
    cell_ = fields_.size();
}

void BinaryPacketWriter::SetFieldSize(std::size_t field, int size) {
    fields_.at(field).Size = size;
}

void BinaryPacketWriter::SetFieldType(std::size_t field, TFieldType type) {
    TFieldDef& def = fields_.at(field);
    StorageKind to;
    if (!StorageKindOf(type, to))
        throw EDatabaseError("Field '" + def.Name + "' is of an unsupported type (" +
                             std::to_string(static_cast<int>(type)) + ")");
    auto& column = storage_->columns[field];
    if (column->kind == to) {
        column->type = type;
    } else if (column->kind == StorageKind::Int32 && to == StorageKind::Int64) {
        column->WidenTo(type);
    } else if (!storage_->written[field]) {
        column = std::make_unique<DataSetStorage::Column>(type);
        for (std::size_t r = 0; r < rows_; ++r)
            column->AppendNull();
    } else {
        throw EDatabaseError("Field '" + def.Name +
                             "' cannot change its type after cells of it were written");
    }
    def.DataType = type;
}

OleVariant BinaryPacketWriter::Finish() {
    storage_->changes.changeLog = changeLog_;
    return WriteBinary(fields_, storage_->columns, rows_, storage_->changes);
}

} // namespace tkv
