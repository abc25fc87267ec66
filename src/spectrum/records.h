// The records of the native spectrum file, each with the one list of its fields
// in disk order that reading, writing and the size check all share.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "spectrum/bytes.h"

// What the values hold (header byte DataType).
enum DataTypeCode : uint8_t {
    Raw = 0,
    Reflectance = 1,
    Radiance = 2,
    NoUnits = 3,
    Irradiance = 4,
    QuantumIntensity = 5,
    Transmittance = 6,
    Unknown = 7,
    Absorbance = 8,
    Arithmetic = 9,
};

enum ValueFormatCode : uint8_t { ValueSingle = 0, ValueInteger = 1, ValueDouble = 2 };

enum InstrumentTypeCode : uint8_t {
    Swir0 = 0,
    Vnir1 = 1,
    Vnir2 = 2,
    Vnir3 = 3,
    VnirSwir4 = 4,
    Swir5 = 5,
    SingleGain6 = 6,
    VnirSwir7 = 7,
    Vnir10 = 10,
};

enum ForeopticCodeValue : int16_t {
    ForeopticUndefined = -1,
    ForeopticNone = 0,
    ForeopticCosineReceptor = 180,
};

enum ApplicationCodeValue : uint8_t { AppNone = 0, AppAbsoluteReflectance = 6 };

// Bits of Flags(0) and Flags(1).
enum FlagBits : uint8_t {
    FlagAvgFix = 1,      // Flags(0)
    FlagCorrected = 4,   // Flags(0): splice or parabolic correction applied
    FlagSaturation = 7,  // Flags(1): mask; the alarm is the value 1 under it
    FlagTec1 = 8,        // Flags(1)
    FlagTec2 = 16,       // Flags(1)
};

enum CalibrationTypeCode : uint8_t { CalAbs = 0, CalBse = 1, CalLmp = 2, CalFo = 3 };

// Labels of DetectorData.Status when the status is a code (newer programs).
enum DetectorStatusCode : int16_t {
    StatusUninitialized = 0,
    StatusOverLimit = 1,
    StatusUnderLimit = 2,
    StatusLostData = 3,
    StatusGood4 = 4,
    StatusGood5 = 5,
    StatusRanging = 6,
};

// A C time value: seconds since 1970-01-01 00:00:00 UTC, -1 when not recorded.
using CTime = int32_t;

struct TmRecord {
    int16_t Sec = 0;
    int16_t Min = 0;
    int16_t Hour = 0;
    int16_t MDay = 0;
    int16_t Mon = 0;   // 0 = January
    int16_t Year = 0;  // years since 1900
    int16_t WDay = 0;
    int16_t YDay = 0;
    int16_t IsDst = 0;

    template <typename Archive, typename Self>
    static constexpr void Fields(Archive& ar, Self& r) {
        ar(r.Sec), ar(r.Min), ar(r.Hour), ar(r.MDay), ar(r.Mon), ar(r.Year), ar(r.WDay), ar(r.YDay),
            ar(r.IsDst);
    }
};

struct ApplicationData {
    std::array<uint8_t, 64> First{};
    std::array<uint8_t, 64> Second{};

    template <typename Archive, typename Self>
    static constexpr void Fields(Archive& ar, Self& r) {
        ar(r.First), ar(r.Second);
    }
};

struct GpsData {
    double GpsValue1 = 0;
    double GpsValue2 = 0;
    double Latitude = 0;
    double Longitude = 0;
    double Altitude = 0;
    int16_t FixQuality = 0;
    uint8_t GpsByte1 = 0;
    std::array<uint8_t, 4> UtcTime{};
    int16_t GpsBytes2 = 0;
    std::array<uint8_t, 5> Satellites{};
    std::array<uint8_t, 2> GpsBytes3{};

    template <typename Archive, typename Self>
    static constexpr void Fields(Archive& ar, Self& r) {
        ar(r.GpsValue1), ar(r.GpsValue2), ar(r.Latitude), ar(r.Longitude), ar(r.Altitude),
            ar(r.FixQuality), ar(r.GpsByte1), ar(r.UtcTime), ar(r.GpsBytes2), ar(r.Satellites),
            ar(r.GpsBytes3);
    }
};

struct DetectorData {
    int32_t SerialNumber = 0;
    float SignalMean = 0;
    float DarkMean = 0;
    float ReferenceMean = 0;
    int16_t Status = 0;
    uint8_t Averaging = 0;
    float Humidity = 0;
    float Temperature = 0;

    template <typename Archive, typename Self>
    static constexpr void Fields(Archive& ar, Self& r) {
        ar(r.SerialNumber), ar(r.SignalMean), ar(r.DarkMean), ar(r.ReferenceMean), ar(r.Status),
            ar(r.Averaging), ar(r.Humidity), ar(r.Temperature);
    }
};

struct SpectrumHeader {
    std::array<uint8_t, 3> Signature{};
    std::array<uint8_t, 157> Comment{};
    TmRecord SaveTime;
    uint8_t ProgramVersion = 0;
    uint8_t FormatVersion = 0;
    uint8_t Reserved1 = 0;
    uint8_t DarkSubtracted = 0;
    CTime DarkTime = 0;
    uint8_t DataType = 0;
    CTime ReferenceTime = 0;
    float Channel1Wavelength = 0;
    float WavelengthStep = 0;
    uint8_t ValueFormat = 0;
    std::array<uint8_t, 3> Reserved2{};
    uint8_t ApplicationCode = 0;
    int16_t ChannelCount = 0;
    ::ApplicationData ApplicationData;
    GpsData Gps;
    int32_t IntegrationTime = 0;
    int16_t ForeopticCode = 0;
    int16_t DarkCorrectionValue = 0;
    int16_t CalibrationNumber = 0;
    int16_t InstrumentNumber = 0;
    float YMin = 0;
    float YMax = 0;
    float XMin = 0;
    float XMax = 0;
    int16_t BitCount = 0;
    uint8_t XMode = 0;
    std::array<uint8_t, 4> Flags{};
    int16_t DarkCount = 0;
    int16_t ReferenceCount = 0;
    int16_t SampleCount = 0;
    uint8_t InstrumentType = 0;
    int32_t LampNumber = 0;
    int16_t Swir1Gain = 0;
    int16_t Swir2Gain = 0;
    int16_t Swir1Offset = 0;
    int16_t Swir2Offset = 0;
    float Splice1Wavelength = 0;
    float Splice2Wavelength = 0;
    DetectorData Detector;
    std::array<uint8_t, 5> Reserved3{};

    template <typename Archive, typename Self>
    static constexpr void Fields(Archive& ar, Self& r) {
        ar(r.Signature), ar(r.Comment);
        TmRecord::Fields(ar, r.SaveTime);
        ar(r.ProgramVersion), ar(r.FormatVersion), ar(r.Reserved1), ar(r.DarkSubtracted),
            ar(r.DarkTime), ar(r.DataType), ar(r.ReferenceTime), ar(r.Channel1Wavelength),
            ar(r.WavelengthStep), ar(r.ValueFormat), ar(r.Reserved2), ar(r.ApplicationCode),
            ar(r.ChannelCount);
        ::ApplicationData::Fields(ar, r.ApplicationData);
        GpsData::Fields(ar, r.Gps);
        ar(r.IntegrationTime), ar(r.ForeopticCode), ar(r.DarkCorrectionValue),
            ar(r.CalibrationNumber), ar(r.InstrumentNumber), ar(r.YMin), ar(r.YMax), ar(r.XMin),
            ar(r.XMax), ar(r.BitCount), ar(r.XMode), ar(r.Flags), ar(r.DarkCount),
            ar(r.ReferenceCount), ar(r.SampleCount), ar(r.InstrumentType), ar(r.LampNumber),
            ar(r.Swir1Gain), ar(r.Swir2Gain), ar(r.Swir1Offset), ar(r.Swir2Offset),
            ar(r.Splice1Wavelength), ar(r.Splice2Wavelength);
        DetectorData::Fields(ar, r.Detector);
        ar(r.Reserved3);
    }

    static constexpr std::size_t Size = 484;
};

struct CalibrationHeader {
    uint8_t CalibrationType = 0;
    std::array<uint8_t, 20> CalibrationName{};  // cut at the first zero byte when read as text
    int32_t CalIntegrationTime = 0;
    int16_t CalSwir1Gain = 0;
    int16_t CalSwir2Gain = 0;

    template <typename Archive, typename Self>
    static constexpr void Fields(Archive& ar, Self& r) {
        ar(r.CalibrationType), ar(r.CalibrationName), ar(r.CalIntegrationTime), ar(r.CalSwir1Gain),
            ar(r.CalSwir2Gain);
    }

    static constexpr std::size_t Size = 29;
    std::string NameText() const;
};

// The on-disk size of a fixed record, from its field list.
template <typename Record>
constexpr std::size_t SerializedSize() {
    spectrum::SizeCounter counter;
    Record record{};
    Record::Fields(counter, record);
    return counter.size;
}

static_assert(SerializedSize<TmRecord>() == 18);
static_assert(SerializedSize<ApplicationData>() == 128);
static_assert(SerializedSize<GpsData>() == 56);
static_assert(SerializedSize<DetectorData>() == 27);
static_assert(SerializedSize<SpectrumHeader>() == SpectrumHeader::Size);
static_assert(SerializedSize<CalibrationHeader>() == CalibrationHeader::Size);

// A variable-length string: unsigned 16-bit length, then the bytes, no end mark.
struct VarString {
    std::vector<uint8_t> Bytes;
    std::string Text() const { return std::string(Bytes.begin(), Bytes.end()); }
};

// A dynamic array as stored inside a record: its dimensions (element count and
// lower bound each), then the elements in order.
template <typename Element>
struct DynamicArray {
    struct Dimension {
        int32_t Count = 0;
        int32_t LowerBound = 0;
    };
    std::vector<Dimension> Dimensions;
    std::vector<Element> Elements;
};

struct ReferenceHeader {
    int16_t ReferenceFlag = 0;
    std::array<uint8_t, 16> ReferenceReserved{};
    VarString Description;
};

struct ExtensionEntry {
    VarString First;
    VarString Second;
    std::array<uint8_t, 92> Data{};
};

struct ExtensionHeader {
    int16_t Value1 = 0;
    std::array<VarString, 20> Strings;
    int16_t Value2 = 0;
    DynamicArray<ExtensionEntry> Entries;
};

struct ExtensionArrays {
    std::array<uint8_t, 4> Lead{};
    DynamicArray<VarString> Strings;
    DynamicArray<std::array<uint8_t, 4>> Values;
};

// Reading and writing of each record. Readers throw spectrum::ShortFile when the
// record runs past the end of the bytes, and never allocate from a count the
// remaining bytes cannot hold.
void ReadRecord(spectrum::ByteReader& in, SpectrumHeader& header);
void WriteRecord(spectrum::ByteWriter& out, const SpectrumHeader& header);
void ReadRecord(spectrum::ByteReader& in, CalibrationHeader& header);
void WriteRecord(spectrum::ByteWriter& out, const CalibrationHeader& header);
void ReadRecord(spectrum::ByteReader& in, ReferenceHeader& header);
void WriteRecord(spectrum::ByteWriter& out, const ReferenceHeader& header);
void ReadRecord(spectrum::ByteReader& in, ExtensionHeader& header);
void WriteRecord(spectrum::ByteWriter& out, const ExtensionHeader& header);
void ReadRecord(spectrum::ByteReader& in, ExtensionArrays& arrays);
void WriteRecord(spectrum::ByteWriter& out, const ExtensionArrays& arrays);

// The header as its 484 bytes, and back.
std::vector<uint8_t> HeaderBytes(const SpectrumHeader& header);
SpectrumHeader HeaderFromBytes(const uint8_t* bytes);  // reads exactly 484 bytes
