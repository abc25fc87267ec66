#include "spectrum/header_text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/text/codepage.h"
#include "platform/text/number.h"
#include "spectrum/state.h"
#include "zelutil/binding.h"

namespace {

std::string Int(long long value) {
    return std::to_string(value);
}

std::string Plural(int16_t count) {
    return count == 1 ? "" : "s";
}

}  // namespace

std::string VersionByteText(uint8_t byte) {
    return Int(byte / 16) + "." + TwoDigitText(byte & 15);
}

std::string SaveDateText(const TmRecord& time) {
    const int year = time.Year < 1900 ? time.Year + 1900 : time.Year;
    return TwoDigitText(time.Mon + 1) + "/" + TwoDigitText(time.MDay) + "/" + TwoDigitText(year);
}

std::string SaveTimeText(const TmRecord& time) {
    return TwoDigitText(time.Hour) + ":" + TwoDigitText(time.Min) + ":" + TwoDigitText(time.Sec);
}

std::string CommentText(const SpectrumHeader& header) {
    std::string text;
    for (std::size_t i = 0; i < 156; ++i) {
        const uint8_t c = header.Comment[i];
        if (c == 13 || c == 10) {
            break;
        }
        // A zero byte goes out as a zero character, as it always has.
        text += static_cast<char>(c);
    }
    return text;
}

std::string CTimeToText(CTime T) {
    // The magnitude of the most negative time does not fit a C time.
    const long long magnitude = std::llabs(static_cast<long long>(T));
    if (magnitude > INT32_MAX) {
        return "Time Coversion Error";
    }
    int32_t t = static_cast<int32_t>(magnitude);
    char buffer[1025];
    std::memset(buffer, ' ', 1024);
    buffer[1024] = '\0';
    ZelUtil::CTimeToVBTime(t, buffer);
    const std::string text(buffer, std::strlen(buffer));
    return text.size() == 25 ? text.substr(0, 24) : "Time Coversion Error";
}

std::string TwoDigitText(long long value) {
    return Format(static_cast<double>(value), "00");
}

bool GpsTimeIsClockBytes(uint8_t formatVersion) {
    // The version byte holds major * 16 + minor; minor counts hundredths.
    return (formatVersion / 16) * 100 + (formatVersion & 15) >= 404;
}

CTime GpsTimeAsCTime(const std::array<uint8_t, 4>& utc) {
    // Little-endian, like every other field.
    return static_cast<CTime>(static_cast<uint32_t>(utc[0]) | (static_cast<uint32_t>(utc[1]) << 8) |
                              (static_cast<uint32_t>(utc[2]) << 16) |
                              (static_cast<uint32_t>(utc[3]) << 24));
}

std::string GetGpsTimeText() {
    const auto& utc = CurrentHeader.Gps.UtcTime;
    if (GpsTimeIsClockBytes(CurrentHeader.FormatVersion)) {
        return TwoDigitText(utc[2]) + ":" + TwoDigitText(utc[1]) + ":" + TwoDigitText(utc[0]);
    }
    return CTimeToText(GpsTimeAsCTime(utc));
}

std::string GetStatusText(int16_t Code) {
    std::string label;
    // Programs from version 5.01 on store a status code; older ones a bit set.
    if (CurrentHeader.ProgramVersion / 16.0 > 5) {
        switch (Code & 15) {
            case StatusUninitialized:
                label = "Uninitialized";
                break;
            case StatusOverLimit:
                label = "Over Limit";
                break;
            case StatusUnderLimit:
                label = "Under Limit";
                break;
            case StatusLostData:
                label = "Lost Data";
                break;
            case StatusGood4:
            case StatusGood5:
                label = "Good";
                break;
            case StatusRanging:
                label = "Ranging";
                break;
            default:
                break;
        }
    } else if (Code & 8) {
        label = "Over Limit";
    } else if (Code & 4) {
        label = "Under Limit";
    } else if (Code & 2) {
        label = "Lost Data";
    } else {
        label = "Good";
    }
    return Int(Code) + " - " + label;
}

std::string FormatExponentText(uint8_t Value) {
    return "E-" + Int((Value & 224) / 32 + 4);
}

void WriteHeaderText(std::ostream& FileNumber, const std::string& FileName) {
    const SpectrumHeader& h = CurrentHeader;
    auto line = [&FileNumber](const std::string& text) { FileNumber << text << "\r\n"; };
    const uint8_t type = h.InstrumentType;

    line("");
    line("Text conversion of header file " + Utf8ToAnsi(FileName));
    line(" -----------------------------------------------------------");
    line(CommentText(h));
    line("The instrument number was  " + Int(h.InstrumentNumber) + "/" + Int(h.CalibrationNumber));
    line("New ZEL spectrum file: Program version = " + VersionByteText(h.ProgramVersion) +
         " file version = " + VersionByteText(h.FormatVersion));

    line("Spectrum saved: " + SaveDateText(h.SaveTime) + " at " + SaveTimeText(h.SaveTime));

    switch (type) {
        case Swir0:
        case Vnir1:
        case Vnir2:
        case Vnir3:
        case VnirSwir7:
        case Vnir10:
            line("Integration time : " + Int(h.IntegrationTime));
            break;
        case VnirSwir4:
            line("VNIR integration time : " + Int(h.IntegrationTime));
            break;
        default:
            break;
    }
    const std::string wavelengths =
        CStrSingle(h.Channel1Wavelength) + " wavelength step = " + CStrSingle(h.WavelengthStep);
    switch (type) {
        case Swir0:
        case Vnir1:
        case Vnir2:
        case Vnir3:
        case SingleGain6:
        case VnirSwir7:
        case Vnir10:
            line("Channel 1 wavelength = " + wavelengths);
            break;
        case VnirSwir4:
            line("VNIR channel 1 wavelength = " + wavelengths);
            break;
        default:
            break;
    }

    if (h.SampleCount == 1) {
        line("There was one sample per data value");
    } else {
        line("There were " + Int(h.SampleCount) + " samples per data value");
    }
    if (h.YMax > h.YMin && h.XMax > h.XMin) {
        line("xmin = " + CStrSingle(h.XMin) + " xmax= " + CStrSingle(h.XMax));
        line("ymin= " + CStrSingle(h.YMin) + " ymax= " + CStrSingle(h.YMax));
    }
    line("The instrument digitizes spectral values to " + Int(h.BitCount) + " bits");
    if (h.Flags[0] & FlagAvgFix) {
        line("Spectrum was AVGFIX'd ");
    }
    if (h.LampNumber != 0) {
        line("Calibration lamp was number " + Int(h.LampNumber));
    }

    if (type == SingleGain6) {
        line("Instrument gain was " + Int(h.Swir1Gain) + " offset was " + Int(h.Swir1Offset));
    } else if (HasSwirDetector(type)) {
        line("SWIR1 gain was " + Int(h.Swir1Gain) + " offset was " + Int(h.Swir1Offset));
        line("SWIR2 gain was " + Int(h.Swir2Gain) + " offset was " + Int(h.Swir2Offset));
    }
    if (type == VnirSwir4) {
        line("Join between VNIR and SWIR1 was " + CStrSingle(h.Splice1Wavelength) + " nm");
        line("Join between SWIR1 and SWIR2 was " + CStrSingle(h.Splice2Wavelength) + " nm");
    } else if (type == Swir5) {
        line("Join between SWIR1 and SWIR2 was " + CStrSingle(h.Splice2Wavelength) + "nm");
    }

    if (h.ApplicationCode == AppAbsoluteReflectance) {
        const auto* name = h.ApplicationData.First.data() + 32;
        const auto* end = std::find(name, name + 32, uint8_t{0});
        line("Absolute Reflectance is Enabled");
        line("The Absolute Reflectance File is " + std::string(name, end));
    } else if (h.ApplicationCode != AppNone && h.ApplicationCode != 255) {
        line("** Unknown application, not printing data **");
    }

    if (HasVnirDetector(type)) {
        if (h.DarkSubtracted != 0) {
            line("VNIR dark signal subtracted");
            line(Int(h.DarkCount) + " dark measurement" + Plural(h.DarkCount) +
                 (h.DarkTime == -1 ? " " : " taken " + CTimeToText(h.DarkTime)));
            line("DCC value was " + Int(h.DarkCorrectionValue));
        } else {
            line("VNIR dark signal not subtracted");
        }
    }
    if (h.DataType == Reflectance) {
        line("Data is compared to a white reference:");
        line(Int(h.ReferenceCount) + " white reference measurement" + Plural(h.ReferenceCount) +
             (h.ReferenceTime == -1 ? "" : " taken " + CTimeToText(h.ReferenceTime)));
    } else {
        line("Data is not compared to a white reference");
    }

    switch (h.ForeopticCode) {
        case ForeopticUndefined:
            line("The foreoptic was not defined");
            break;
        case ForeopticNone:
            line("There was no foreoptic attached");
            break;
        case ForeopticCosineReceptor:
            line("There was a remote cosine receptor attached");
            break;
        default:
            line("There was a " + Int(h.ForeopticCode) + "-degree FOV foreoptic attached");
            break;
    }

    // The flag outlives the file that set it: a version-1 file read after a
    // later one holds its kind in its DataType, whatever was read before.
    const bool embedded = HasEmbeddedReference && (FileVersion >= 2 || FileName.ends_with(".zel"));
    if (embedded) {
        line("Spectrum file is raw data with embedded reference");
    } else {
        switch (h.DataType) {
            case Raw:
                line("Spectrum file is raw data");
                break;
            case Reflectance:
                line("Spectrum file is reflectance data");
                break;
            case Radiance:
                line("Spectrum file is radiance data");
                break;
            case Irradiance:
                line("Spectrum file is irradiance data");
                break;
            case NoUnits:
                line("Spectrum file has no units attached");
                break;
            case QuantumIntensity:
                line("Spectrum file is Quantum Integration (QI) data");
                break;
            default:
                break;
        }
    }

    line("GPS-Latitude is " + std::string(h.Gps.Latitude > 0 ? "N" : "S") +
         CStrDouble(h.Gps.Latitude));
    // East is stored negative: a positive longitude is west here as in the GPS
    // log and the header window.
    line("GPS-Longitude is " + std::string(h.Gps.Longitude > 0 ? "W" : "E") +
         CStrDouble(h.Gps.Longitude));
    line("GPS-Altitude is " + CStrDouble(h.Gps.Altitude));
    line("GPS-UTC is " + GetGpsTimeText());
    line("");

    const DetectorData& d = h.Detector;
    line("Tevra Detector");
    line("Serial#  " + Int(d.SerialNumber));
    line("Signal (A)  " + Format(d.SignalMean, "0.000E-00"));
    line("Dark (A)  " + Format(d.DarkMean, "0.000E-00"));
    line("Ref (A)  " + Format(d.ReferenceMean, "0.000E-00"));
    line("Status  " + GetStatusText(d.Status));
    line("Gain  " + FormatExponentText(static_cast<uint8_t>(d.Status & 0xFF)));
    line("Averaging  " + Int(d.Averaging));
    line("Temp (C)  " + Format(d.Temperature, "0.0"));
    line("Humid (%)  " + Format(d.Humidity, "0.0"));
    line("");
}
