// Writes, with the real exports, the files that the third-party readers check
// (check_jcamp.mjs, check_gps.mjs), and beside them expected.json: the values
// and positions that went in, for the readers' results to be compared with.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "frame/settings.h"
#include "io/gps_log.h"
#include "io/jcamp_export.h"
#include "support/batch_test.h"

namespace fs = std::filesystem;

namespace {

struct Block {
    double firstX = 0;
    double stepX = 0;
    std::vector<double> y;
};

struct ExpectedFile {
    std::string name;
    std::vector<Block> blocks;
};

struct ExpectedRecord {
    int hour, minute, second;
    double latitude, longitude;  // as stored: ddmm.mmmm, positive north and west
    int fix, satellites;
    double altitude;
};

std::string Number(double value) {
    std::ostringstream out;
    out << std::setprecision(17) << value;
    return out.str();
}

std::string Json(const std::vector<ExpectedFile>& files, const std::vector<ExpectedRecord>& gps) {
    std::string text = "{\n\"jcamp\": [\n";
    for (std::size_t f = 0; f < files.size(); ++f) {
        text += " {\"name\": \"" + files[f].name + "\", \"blocks\": [\n";
        for (std::size_t b = 0; b < files[f].blocks.size(); ++b) {
            const Block& block = files[f].blocks[b];
            text += "  {\"firstX\": " + Number(block.firstX) +
                    ", \"stepX\": " + Number(block.stepX) + ", \"y\": [";
            for (std::size_t i = 0; i < block.y.size(); ++i) {
                text += (i ? ", " : "") + Number(block.y[i]);
            }
            text += b + 1 < files[f].blocks.size() ? "]},\n" : "]}\n";
        }
        text += f + 1 < files.size() ? " ]},\n" : " ]}\n";
    }
    text += "],\n\"gps\": {\"file\": \"gps.txt\", \"records\": [\n";
    for (std::size_t r = 0; r < gps.size(); ++r) {
        const ExpectedRecord& e = gps[r];
        text +=
            " {\"hour\": " + std::to_string(e.hour) + ", \"minute\": " + std::to_string(e.minute) +
            ", \"second\": " + std::to_string(e.second) + ", \"latitude\": " + Number(e.latitude) +
            ", \"longitude\": " + Number(e.longitude) + ", \"fix\": " + std::to_string(e.fix) +
            ", \"satellites\": " + std::to_string(e.satellites) +
            ", \"altitude\": " + Number(e.altitude) + (r + 1 < gps.size() ? "},\n" : "}\n");
    }
    text += "]}\n}\n";
    return text;
}

class ReaderFixture : public BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        const char* folder = std::getenv("LUMIVEX_READER_FIXTURE");
        ASSERT_NE(folder, nullptr) << "LUMIVEX_READER_FIXTURE names the folder to write";
        target = folder;
        fs::remove_all(target);
        fs::create_directories(target);
        OutputDirectory = target.string();
        VersionText = "3.1";
    }

    void Work(const std::vector<std::string>& names) {
        host.WorkList.Clear();
        for (const std::string& name : names) {
            host.WorkList.AddItem(fs::absolute(name).string());
        }
    }

    fs::path target;
};

SpectrumFileBuilder Spectrum(std::vector<double> values, float firstX, float stepX) {
    auto file = MakeSpectrum(2, std::move(values));
    file.Header.Channel1Wavelength = firstX;
    file.Header.WavelengthStep = stepX;
    return file;
}

SpectrumFileBuilder Position(uint8_t formatVersion, std::array<uint8_t, 4> utc, double latitude,
                             double longitude, int16_t fix, uint8_t satellites, double altitude) {
    auto file = MakeSpectrum(2, {1});
    file.Header.FormatVersion = formatVersion;
    file.Header.SaveTime.Mon = 5;
    file.Header.SaveTime.MDay = 15;
    file.Header.SaveTime.Year = 105;
    file.Header.Gps.UtcTime = utc;
    file.Header.Gps.Latitude = latitude;
    file.Header.Gps.Longitude = longitude;
    file.Header.Gps.FixQuality = fix;
    file.Header.Gps.Satellites[0] = satellites;
    file.Header.Gps.Altitude = altitude;
    return file;
}

TEST_F(ReaderFixture, ExportsWriteTheFilesTheReadersCheck) {
    const std::vector<double> a = {0.3,   1,    0.5,  -0.0000015, 65535, 0.25, 0,
                                   0.125, 2,    0.75, 0.05,       0.06,  0.07, 0.08,
                                   0.09,  0.10, 0.11, 0.12,       0.13,  0.14};
    Spectrum(a, 350, 1).WriteTo("a.002");
    const std::vector<double> b = {0.1, 0.2, 0.4};
    Spectrum(b, 400.5f, 1.5f).WriteTo("b.002");
    // Long, with a fractional step, both signs and magnitudes from a
    // millionth to a hundred thousand.
    std::vector<double> wide(2151);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const double k = static_cast<double>(i);
        wide[i] = std::sin(k / 37.0) * std::pow(10.0, static_cast<double>(i % 12) - 6.0) + k / 7.0;
    }
    Spectrum(wide, 350, 0.5f).WriteTo("wide.002");
    auto unknown = MakeSpectrum(2, {1});
    unknown.Signature = std::array<uint8_t, 3>{'z', 'e', '4'};
    unknown.WriteTo("c.004");

    // Legacy data: 512 Integers behind a header that counts 100 channels.
    std::vector<double> legacy(512);
    for (std::size_t i = 0; i < legacy.size(); ++i) {
        legacy[i] = static_cast<double>(i) * 61 - 15000;
    }
    auto old = MakeSpectrum(3, legacy, std::vector<double>(100, 1));
    old.Header.ValueFormat = ValueInteger;
    old.Header.InstrumentType = 1;
    old.ChannelCount = 100;
    old.WriteTo("legacy.003");

    Work({"a.002", "wide.002", "legacy.003"});
    ExportJcampFiles();
    ASSERT_EQ(ui.Messages().back(), "3 Files Processed");

    Work({"a.002", "c.004", "b.002"});
    ui.Choose({(target / "all.dx").string()});
    ExportJcampMultiFile();
    ASSERT_EQ(ui.Messages().back(), "2 Files Processed");

    Position(0x44, {5, 3, 14, 0}, 3957.1234, 10516.5678, 1, 8, 1655.3).WriteTo("s.001");
    Position(0x44, {3, 5, 9, 0}, -3351.5, -15112.558, 2, 12, -12.5).WriteTo("t.001");
    Position(0x30, {0x19, 0x35, 0xB0, 0x42}, 0, 0, 0, 0, 0).WriteTo("u.001");
    Work({"s.001", "gone.001", "t.001", "u.001"});
    ui.Choose({(target / "gps.txt").string()});
    CreateGpsLogFile();
    ASSERT_EQ(ui.Messages().back(), "3 Files Processed");

    const std::vector<ExpectedFile> files = {
        {"a.002.dx", {{350, 1, a}}},
        {"wide.002.dx", {{350, 0.5, wide}}},
        {"legacy.003.dx", {{350, 1, legacy}}},
        {"all.dx", {{350, 1, a}, {400.5, 1.5, b}}},
    };
    const std::vector<ExpectedRecord> records = {
        {14, 3, 5, 3957.1234, 10516.5678, 1, 8, 1655.3},
        {9, 5, 3, -3351.5, -15112.558, 2, 12, -12.5},
        {14, 3, 5, 0, 0, 0, 0, 0},
    };
    std::ofstream(target / "expected.json", std::ios::binary) << Json(files, records);
}

}  // namespace
