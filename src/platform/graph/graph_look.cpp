#include "platform/graph/graph_look.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace {

constexpr std::string_view kSignature{"LVXGLOOK", 8};
// id, curve, type byte and the smallest value (a Boolean).
constexpr size_t kSmallestEntry = 4 + 4 + 1 + 1;

enum Tag : uint8_t { TagBool = 0, TagInt16 = 1, TagInt32 = 2, TagDouble = 3, TagText = 4 };

void PutU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

void PutValue(std::string& out, const GraphValue& value) {
    if (const auto* b = std::get_if<bool>(&value)) {
        out += static_cast<char>(TagBool);
        out += static_cast<char>(*b ? 1 : 0);
    } else if (const auto* s = std::get_if<int16_t>(&value)) {
        out += static_cast<char>(TagInt16);
        const auto u = static_cast<uint16_t>(*s);
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    } else if (const auto* l = std::get_if<int32_t>(&value)) {
        out += static_cast<char>(TagInt32);
        PutU32(out, static_cast<uint32_t>(*l));
    } else if (const auto* d = std::get_if<double>(&value)) {
        out += static_cast<char>(TagDouble);
        const auto bits = std::bit_cast<uint64_t>(*d);
        PutU32(out, static_cast<uint32_t>(bits));
        PutU32(out, static_cast<uint32_t>(bits >> 32));
    } else {
        const auto& text = std::get<std::string>(value);
        // A longer text would make a file this reader refuses; the look is
        // saved with the text cut at the limit instead.
        size_t length = std::min(text.size(), GraphLookMaxText);
        while (length < text.size() && length > 0 &&
               (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
            --length;  // never cut a character in two
        }
        out += static_cast<char>(TagText);
        PutU32(out, static_cast<uint32_t>(length));
        out.append(text, 0, length);
    }
}

void PutEntry(std::string& out, int32_t id, int32_t curve, const GraphValue& value) {
    PutU32(out, static_cast<uint32_t>(id));
    PutU32(out, static_cast<uint32_t>(curve));
    PutValue(out, value);
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool Take(size_t count, std::string_view& out) {
        if (bytes_.size() - pos_ < count) {
            return false;
        }
        out = bytes_.substr(pos_, count);
        pos_ += count;
        return true;
    }
    bool U8(uint8_t& v) {
        std::string_view b;
        if (!Take(1, b)) {
            return false;
        }
        v = static_cast<uint8_t>(b[0]);
        return true;
    }
    bool U16(uint16_t& v) {
        std::string_view b;
        if (!Take(2, b)) {
            return false;
        }
        v = static_cast<uint16_t>(static_cast<uint8_t>(b[0]) | (static_cast<uint8_t>(b[1]) << 8));
        return true;
    }
    bool U32(uint32_t& v) {
        std::string_view b;
        if (!Take(4, b)) {
            return false;
        }
        v = 0;
        for (int i = 3; i >= 0; --i) {
            v = (v << 8) | static_cast<uint8_t>(b[static_cast<size_t>(i)]);
        }
        return true;
    }
    size_t Left() const { return bytes_.size() - pos_; }

private:
    std::string_view bytes_;
    size_t pos_ = 0;
};

// One value with its type byte; false for a short file, an unknown type, a
// Boolean byte other than 0 or 1 or a text over the limit.
bool ReadValue(Reader& in, GraphValue& value, std::string& error) {
    uint8_t tag = 0;
    if (!in.U8(tag)) {
        error = "The saved graph look ends early.";
        return false;
    }
    switch (tag) {
        case TagBool: {
            uint8_t b = 0;
            if (!in.U8(b)) {
                break;
            }
            if (b > 1) {
                error = "The saved graph look holds a Boolean that is neither true nor false.";
                return false;
            }
            value = b == 1;
            return true;
        }
        case TagInt16: {
            uint16_t v = 0;
            if (!in.U16(v)) {
                break;
            }
            value = static_cast<int16_t>(v);
            return true;
        }
        case TagInt32: {
            uint32_t v = 0;
            if (!in.U32(v)) {
                break;
            }
            value = static_cast<int32_t>(v);
            return true;
        }
        case TagDouble: {
            uint32_t low = 0;
            uint32_t high = 0;
            if (!in.U32(low) || !in.U32(high)) {
                break;
            }
            value = std::bit_cast<double>((static_cast<uint64_t>(high) << 32) | low);
            return true;
        }
        case TagText: {
            uint32_t length = 0;
            if (!in.U32(length)) {
                break;
            }
            if (length > GraphLookMaxText) {
                error = "The saved graph look holds a text that is too long.";
                return false;
            }
            std::string_view text;
            if (!in.Take(length, text)) {
                break;
            }
            value = std::string(text);
            return true;
        }
        default:
            error = "The saved graph look holds a value of an unknown type.";
            return false;
    }
    error = "The saved graph look ends early.";
    return false;
}

// What makes a look unusable as a whole, once every entry is known good on
// its own: counts the data could not take, and range ends that are not
// numbers.
bool CheckLook(const GraphLook& look, std::string& error) {
    const auto curves = GraphWholeNumber(look.Plain[GraphPropertyIndex(11)]);
    const auto points = GraphWholeNumber(look.Plain[GraphPropertyIndex(12)]);
    if (!curves || !points || !GraphCountsFit(*curves, *points)) {
        error = "The saved graph look holds a number of curves or points out of bounds.";
        return false;
    }
    for (const int32_t id : {56, 57, 59, 60}) {
        if (!std::isfinite(GraphNumber(look.Plain[GraphPropertyIndex(id)]).value_or(0.0))) {
            error = "The saved graph look holds a range that is not a number.";
            return false;
        }
    }
    return true;
}

}  // namespace

std::string WriteGraphLook(const GraphLook& look) {
    std::string out(kSignature);
    out += static_cast<char>(GraphLookVersion & 0xFF);
    out += static_cast<char>(GraphLookVersion >> 8);
    const auto table = GraphProperties();
    uint32_t count = 0;
    for (const auto& info : table) {
        count += info.Indexing == GraphIndexing::Plain ? 1 : 0;
    }
    count += static_cast<uint32_t>(look.Curves.size()) * 4;
    PutU32(out, count);
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].Indexing == GraphIndexing::Plain) {
            PutEntry(out, table[i].Id, -1, look.Plain[i]);
        }
    }
    for (size_t c = 0; c < look.Curves.size(); ++c) {
        const auto& curve = look.Curves[c];
        const auto index = static_cast<int32_t>(c);
        PutEntry(out, 131, index, curve.Label);
        PutEntry(out, 132, index, curve.Colour);
        PutEntry(out, 134, index, curve.LineType);
        PutEntry(out, 180, index, curve.LegendEntry);
    }
    return out;
}

std::optional<GraphLook> ReadGraphLook(std::string_view bytes, std::string& error) {
    if (bytes.size() > GraphLookMaxFileSize) {
        error = "The saved graph look is too large.";
        return std::nullopt;
    }
    Reader in(bytes);
    std::string_view signature;
    uint16_t version = 0;
    uint32_t count = 0;
    if (!in.Take(kSignature.size(), signature) || signature != kSignature) {
        error = "The file is not a saved graph look.";
        return std::nullopt;
    }
    if (!in.U16(version) || !in.U32(count)) {
        error = "The saved graph look ends early.";
        return std::nullopt;
    }
    if (version != GraphLookVersion) {
        error = "The saved graph look is of another version.";
        return std::nullopt;
    }
    if (count > in.Left() / kSmallestEntry) {
        error = "The saved graph look ends early.";
        return std::nullopt;
    }

    GraphLook look = GraphModel().SaveLook();
    const auto table = GraphProperties();
    for (uint32_t e = 0; e < count; ++e) {
        uint32_t id = 0;
        uint32_t curveBits = 0;
        if (!in.U32(id) || !in.U32(curveBits)) {
            error = "The saved graph look ends early.";
            return std::nullopt;
        }
        const auto curve = static_cast<int32_t>(curveBits);
        const auto* info = FindGraphProperty(static_cast<int32_t>(id));
        if (info == nullptr || info->Indexing == GraphIndexing::PerPoint) {
            error = "The saved graph look holds an unknown property.";
            return std::nullopt;
        }
        GraphValue value;
        if (!ReadValue(in, value, error)) {
            return std::nullopt;
        }
        if (!GraphKindFits(info->Kind, value)) {
            error = "The saved graph look holds a value of the wrong type.";
            return std::nullopt;
        }
        if (info->Indexing == GraphIndexing::Plain) {
            if (curve != -1) {
                error = "The saved graph look holds an index out of bounds.";
                return std::nullopt;
            }
            look.Plain[static_cast<size_t>(info - table.data())] = std::move(value);
            continue;
        }
        if (curve < 0 || curve >= GraphMaxCurves) {
            error = "The saved graph look holds an index out of bounds.";
            return std::nullopt;
        }
        if (look.Curves.size() <= static_cast<size_t>(curve)) {
            look.Curves.resize(static_cast<size_t>(curve) + 1);
        }
        SetCurveLook(look.Curves[static_cast<size_t>(curve)], info->Id, value);
    }
    if (in.Left() != 0) {
        error = "The saved graph look holds more than its entries.";
        return std::nullopt;
    }
    if (!CheckLook(look, error)) {
        return std::nullopt;
    }
    return look;
}
