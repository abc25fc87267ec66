#include "spectrum/records.h"

#include <algorithm>
#include <limits>

using spectrum::ByteReader;
using spectrum::ByteWriter;
using spectrum::ShortFile;

std::string CalibrationHeader::NameText() const {
    const auto end = std::find(CalibrationName.begin(), CalibrationName.end(), uint8_t{0});
    return std::string(CalibrationName.begin(), end);
}

void ReadRecord(ByteReader& in, SpectrumHeader& header) {
    in.Need(SpectrumHeader::Size);
    SpectrumHeader::Fields(in, header);
}

void WriteRecord(ByteWriter& out, const SpectrumHeader& header) {
    SpectrumHeader::Fields(out, header);
}

void ReadRecord(ByteReader& in, CalibrationHeader& header) {
    in.Need(CalibrationHeader::Size);
    CalibrationHeader::Fields(in, header);
}

void WriteRecord(ByteWriter& out, const CalibrationHeader& header) {
    CalibrationHeader::Fields(out, header);
}

namespace {

void ReadString(ByteReader& in, VarString& text) {
    uint16_t length = 0;
    in(length);
    in.Bytes(text.Bytes, length);
}

void WriteString(ByteWriter& out, const VarString& text) {
    // A longer text cannot be stored; it is cut rather than written with a
    // length that would misalign everything behind it.
    const std::size_t length = std::min<std::size_t>(text.Bytes.size(), 0xFFFF);
    out(static_cast<uint16_t>(length));
    out.Bytes(std::vector<uint8_t>(text.Bytes.begin(),
                                   text.Bytes.begin() + static_cast<std::ptrdiff_t>(length)));
}

void ReadElement(ByteReader& in, VarString& text) {
    ReadString(in, text);
}
void WriteElement(ByteWriter& out, const VarString& text) {
    WriteString(out, text);
}

void ReadElement(ByteReader& in, std::array<uint8_t, 4>& value) {
    in(value);
}
void WriteElement(ByteWriter& out, const std::array<uint8_t, 4>& value) {
    out(value);
}

void ReadElement(ByteReader& in, ExtensionEntry& entry) {
    ReadString(in, entry.First);
    ReadString(in, entry.Second);
    in(entry.Data);
}
void WriteElement(ByteWriter& out, const ExtensionEntry& entry) {
    WriteString(out, entry.First);
    WriteString(out, entry.Second);
    out(entry.Data);
}

// The fewest bytes one element can take, to refuse an element count that the
// rest of the file could never hold before anything is allocated for it.
constexpr std::size_t SmallestElement(const VarString*) {
    return 2;
}
constexpr std::size_t SmallestElement(const std::array<uint8_t, 4>*) {
    return 4;
}
constexpr std::size_t SmallestElement(const ExtensionEntry*) {
    return 2 + 2 + 92;
}

// Extension arrays are carried, not used; no instrument writes more elements
// than this, and a short string would otherwise take many times its bytes in
// memory.
constexpr std::size_t MaxArrayElements = 65536;

template <typename Element>
void ReadArray(ByteReader& in, DynamicArray<Element>& array) {
    int16_t dimensionCount = 0;
    in(dimensionCount);
    if (dimensionCount < 0) {
        throw spectrum::BadCount(in.Section());
    }
    in.Need(static_cast<std::size_t>(dimensionCount) * 8);
    array.Dimensions.assign(static_cast<std::size_t>(dimensionCount), {});
    std::size_t total = dimensionCount > 0 ? 1 : 0;
    const std::size_t smallest = SmallestElement(static_cast<const Element*>(nullptr));
    for (auto& dimension : array.Dimensions) {
        in(dimension.Count);
        in(dimension.LowerBound);
        if (dimension.Count < 0) {
            throw spectrum::BadCount(in.Section());
        }
        const auto count = static_cast<std::size_t>(dimension.Count);
        // Checked as it grows, so the product can neither overflow nor promise
        // more elements than the remaining bytes hold.
        if (count != 0 && total > in.Remaining() / smallest / count) {
            throw ShortFile(in.Section());
        }
        total *= count;
    }
    if (total > MaxArrayElements) {
        throw spectrum::BadCount(in.Section());
    }
    in.Need(total * smallest);
    array.Elements.assign(total, Element{});
    for (auto& element : array.Elements) {
        ReadElement(in, element);
    }
}

template <typename Element>
void WriteArray(ByteWriter& out, const DynamicArray<Element>& array) {
    out(static_cast<int16_t>(array.Dimensions.size()));
    for (const auto& dimension : array.Dimensions) {
        out(dimension.Count);
        out(dimension.LowerBound);
    }
    for (const auto& element : array.Elements) {
        WriteElement(out, element);
    }
}

}  // namespace

void ReadRecord(ByteReader& in, ReferenceHeader& header) {
    in(header.ReferenceFlag);
    in(header.ReferenceReserved);
    ReadString(in, header.Description);
}

void WriteRecord(ByteWriter& out, const ReferenceHeader& header) {
    out(header.ReferenceFlag);
    out(header.ReferenceReserved);
    WriteString(out, header.Description);
}

void ReadRecord(ByteReader& in, ExtensionHeader& header) {
    in(header.Value1);
    for (auto& text : header.Strings) {
        ReadString(in, text);
    }
    in(header.Value2);
    ReadArray(in, header.Entries);
}

void WriteRecord(ByteWriter& out, const ExtensionHeader& header) {
    out(header.Value1);
    for (const auto& text : header.Strings) {
        WriteString(out, text);
    }
    out(header.Value2);
    WriteArray(out, header.Entries);
}

void ReadRecord(ByteReader& in, ExtensionArrays& arrays) {
    in(arrays.Lead);
    ReadArray(in, arrays.Strings);
    ReadArray(in, arrays.Values);
}

void WriteRecord(ByteWriter& out, const ExtensionArrays& arrays) {
    out(arrays.Lead);
    WriteArray(out, arrays.Strings);
    WriteArray(out, arrays.Values);
}

std::vector<uint8_t> HeaderBytes(const SpectrumHeader& header) {
    std::vector<uint8_t> bytes;
    bytes.reserve(SpectrumHeader::Size);
    ByteWriter out(bytes);
    WriteRecord(out, header);
    return bytes;
}

SpectrumHeader HeaderFromBytes(const uint8_t* bytes) {
    ByteReader in(bytes, SpectrumHeader::Size);
    SpectrumHeader header;
    ReadRecord(in, header);
    return header;
}
