#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "spectrum/bytes.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"

namespace {

class Reader : public testing::Test {
protected:
    void SetUp() override { ResetSpectrumState(); }
    ScriptedUi ui;
};

using Values = std::vector<double>;

TEST_F(Reader, VersionOneHoldsSinglesInDataAndDisplay) {
    const auto name = MakeSpectrum(1, {1.5, 2.5, -3}).WriteTo("a.001");
    EXPECT_EQ(ReadSpectrumFile(name), 1);
    EXPECT_EQ(SpectrumData, (Values{1.5, 2.5, -3}));
    EXPECT_EQ(DisplayData, (Values{1.5, 2.5, -3}));
    EXPECT_EQ(FileVersion, 1);
    EXPECT_FALSE(HasEmbeddedReference);
    EXPECT_TRUE(ReferenceData.empty());
    EXPECT_TRUE(ui.Prompts.empty());
}

TEST_F(Reader, VersionTwoHoldsDoublesAndItsReference) {
    const auto name = MakeSpectrum(2, {50, 20, 7}, {100, 0, -9999}).WriteTo("b.001");
    EXPECT_EQ(ReadSpectrumFile(name), 2);
    EXPECT_EQ(SpectrumData, (Values{50, 20, 7}));
    EXPECT_EQ(DisplayData, (Values{0, 0, 0}));
    EXPECT_TRUE(HasEmbeddedReference);
    EXPECT_EQ(ReferenceData, (Values{100, 0, -9999}));
    ASSERT_TRUE(ComputeReflectance());
    EXPECT_EQ(ReflectanceData, (Values{0.5, 0, -9999}));
    EXPECT_EQ(DisplayData, ReflectanceData);
}

TEST_F(Reader, EveryVersionReadsTheValuesItsLayoutHolds) {
    for (int version : {2, 3, 5, 6, 7, 8}) {
        auto file = MakeSpectrum(version, {1, 2, 3, 4});
        file.Reference.ReferenceFlag = 0;  // stored all the same
        file.Reference.Description.Bytes = {'w', 'h'};
        const auto name = file.WriteTo("v" + std::to_string(version));
        EXPECT_EQ(ReadSpectrumFile(name), version);
        EXPECT_EQ(SpectrumData, (Values{1, 2, 3, 4})) << version;
        EXPECT_EQ(ReferenceData, (Values{100, 100, 100, 100})) << version;
        EXPECT_EQ(ReferenceRecord.ReferenceFlag, 0);
        EXPECT_EQ(ReferenceRecord.Description.Text(), "wh");
    }
}

TEST_F(Reader, LegacyIntegerDataIsAlways512Integers) {
    auto file = MakeSpectrum(1, Values(512, 0));
    for (int i = 0; i < 512; ++i) {
        file.Values[static_cast<std::size_t>(i)] = i - 100;
    }
    file.Header.ValueFormat = ValueInteger;
    file.Header.InstrumentType = Vnir1;
    file.ChannelCount = 600;
    EXPECT_EQ(ReadSpectrumFile(file.WriteTo("legacy.001")), 1);
    ASSERT_EQ(SpectrumData.size(), 512u);
    EXPECT_EQ(SpectrumData[0], -100);
    EXPECT_EQ(SpectrumData[511], 411);
    EXPECT_EQ(DisplayData, SpectrumData);
    EXPECT_EQ(CurrentHeader.ChannelCount, 600);

    // With another instrument the same format byte means ChannelCount Singles.
    auto singles = MakeSpectrum(1, {9, 8});
    singles.Header.ValueFormat = ValueInteger;
    singles.Header.InstrumentType = Vnir2;
    EXPECT_EQ(ReadSpectrumFile(singles.WriteTo("s.001")), 1);
    EXPECT_EQ(SpectrumData, (Values{9, 8}));
}

TEST_F(Reader, LegacyDataOfALaterVersionKeepsAChannelCountReference) {
    auto file = MakeSpectrum(2, Values(512, 5), Values(3, 10));
    file.Header.ValueFormat = ValueInteger;
    file.Header.InstrumentType = Swir0;
    file.ChannelCount = 3;
    EXPECT_EQ(ReadSpectrumFile(file.WriteTo("legacy2.001")), 2);
    EXPECT_EQ(SpectrumData.size(), 512u);
    EXPECT_EQ(ReferenceData, (Values{10, 10, 10}));
    EXPECT_FALSE(HasEmbeddedReference);
    // The reference is shorter than the data: no reflectance, and the user is told.
    EXPECT_FALSE(ComputeReflectance());
    EXPECT_TRUE(ReflectanceData.empty());
    EXPECT_TRUE(DisplayData.empty());
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0],
              "legacy2.001 has an unusable reference: it holds fewer values than the spectrum.");
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(ui.Prompts[0].title, "Lumivex");
}

TEST_F(Reader, CalibrationBuffersFollowTheTypesOfTheirRecords) {
    auto file = MakeSpectrum(7, {1, 2});
    file.Calibrations = {MakeCalibration(CalBse, "bse"), MakeCalibration(CalLmp, "lmp"),
                         MakeCalibration(CalFo, "fo")};
    file.CalibrationBuffers = {{11, 12}, {21, 22}, {31, 32}};
    EXPECT_EQ(ReadSpectrumFile(file.WriteTo("c.001")), 7);
    EXPECT_EQ(CalibrationCount, 3);
    ASSERT_EQ(CalibrationHeaders.size(), 3u);
    EXPECT_EQ(CalibrationHeaders[1].NameText(), "lmp");
    EXPECT_TRUE(CalBufferABS.empty());
    EXPECT_EQ(CalBufferBSE, (Values{11, 12}));
    EXPECT_EQ(CalBufferLMP, (Values{21, 22}));
    EXPECT_EQ(CalBufferFO, (Values{31, 32}));

    // Record 0 of another type: the first buffer behind the records is the lamp.
    auto other = MakeSpectrum(8, {1, 2});
    other.Calibrations = {MakeCalibration(CalFo, "fo"), MakeCalibration(CalLmp, "lmp")};
    other.CalibrationBuffers = {{41, 42}};
    EXPECT_EQ(ReadSpectrumFile(other.WriteTo("d.001")), 8);
    EXPECT_EQ(CalBufferLMP, (Values{41, 42}));
    // Nothing is left from the earlier file.
    EXPECT_TRUE(CalBufferBSE.empty());
    EXPECT_TRUE(CalBufferFO.empty());
}

TEST_F(Reader, StateDescribesTheLastFileOnly) {
    auto rich = MakeSpectrum(7, {1, 2});
    rich.Extension.Value1 = 5;
    rich.Calibrations = {MakeCalibration(CalAbs, "abs")};
    rich.CalibrationBuffers = {{3, 4}};
    ASSERT_EQ(ReadSpectrumFile(rich.WriteTo("rich.001")), 7);
    EXPECT_EQ(CalBufferABS, (Values{3, 4}));
    EXPECT_EQ(CurrentExtensionHeader.Value1, 5);
    ASSERT_EQ(ReadSpectrumFile(MakeSpectrum(1, {7}).WriteTo("plain.001")), 1);
    EXPECT_TRUE(ReferenceData.empty());
    EXPECT_EQ(ReferenceRecord.ReferenceFlag, 0);
    EXPECT_EQ(CurrentExtensionHeader.Value1, 0);
    EXPECT_EQ(CalibrationCount, 0);
    EXPECT_TRUE(CalibrationHeaders.empty());
    EXPECT_TRUE(CalBufferABS.empty());
    // The embedded-reference flag is never cleared by a read.
    ASSERT_EQ(ReadSpectrumFile(MakeSpectrum(2, {1}).WriteTo("two.001")), 2);
    ASSERT_EQ(ReadSpectrumFile("plain.001"), 1);
    EXPECT_TRUE(HasEmbeddedReference);
}

TEST_F(Reader, UnknownSignaturesAreNotSpectrumFiles) {
    FileVersion = 5;
    for (const char* signature : {"Zel", "ze4", "ZE7", "abc"}) {
        auto file = MakeSpectrum(1, {1});
        file.Signature = std::array<uint8_t, 3>{static_cast<uint8_t>(signature[0]),
                                                static_cast<uint8_t>(signature[1]),
                                                static_cast<uint8_t>(signature[2])};
        const auto name = file.WriteTo(std::string("bad_") + signature);
        EXPECT_EQ(ReadSpectrumFile(name), -1);
        EXPECT_EQ(ui.Messages().back(), name + " doesn't appear to be an ZEL Spectrum File!");
        EXPECT_EQ(ui.Prompts.back().buttons, vbOKOnly + vbExclamation);
        EXPECT_EQ(FileVersion, 5);
    }
}

TEST_F(Reader, MissingFileOrFolderIsSilent) {
    EXPECT_EQ(ReadSpectrumFile("nothing.001"), -1);
    EXPECT_EQ(ReadSpectrumFile(""), -1);
    std::filesystem::create_directory("folder.001");
    EXPECT_EQ(ReadSpectrumFile("folder.001"), -1);
    EXPECT_TRUE(ui.Prompts.empty());
}

TEST_F(Reader, AFileThatCannotBeOpenedIsAFileError) {
    const auto name = MakeSpectrum(1, {1}).WriteTo("locked.001");
    std::filesystem::permissions(name, std::filesystem::perms::none);
    std::filesystem::permissions(".", std::filesystem::perms::all);
    // In a child process that has given up root, so the permissions count.
    EXPECT_EXIT(
        {
            if (getuid() == 0 && setuid(65534) != 0) {
                _exit(2);
            }
            const bool refused = ReadSpectrumFile(name) == -1;
            const auto messages = ui.Messages();
            const bool told =
                messages.size() == 1 &&
                messages[0] == "File Error\rlocked.001 cannot be opened: Permission denied.";
            _exit(refused && told ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(Reader, AFolderClosedToUsIsAFileErrorNotAMissingFile) {
    std::filesystem::create_directory("closed");
    const auto name = MakeSpectrum(1, {1}).WriteTo("closed/inside.001");
    std::filesystem::permissions("closed", std::filesystem::perms::none);
    std::filesystem::permissions(".", std::filesystem::perms::all);
    EXPECT_EXIT(
        {
            if (getuid() == 0 && setuid(65534) != 0) {
                _exit(2);
            }
            const bool refused = ReadSpectrumFile(name) == -1;
            const auto messages = ui.Messages();
            const bool told =
                messages.size() == 1 &&
                messages[0] == "File Error\rclosed/inside.001 cannot be opened: Permission denied.";
            _exit(refused && told ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    std::filesystem::permissions("closed", std::filesystem::perms::owner_all);
}

TEST_F(Reader, AFolderWeMayNotOpenIsStillNoFileToReport) {
    std::filesystem::create_directory("private.001");
    std::filesystem::permissions("private.001", std::filesystem::perms::owner_all);
    std::filesystem::permissions(".", std::filesystem::perms::all);
    EXPECT_EXIT(
        {
            if (getuid() == 0 && setuid(65534) != 0) {
                _exit(2);
            }
            const bool passedOver = ReadSpectrumFile("private.001") == -1;
            _exit(passedOver && ui.Messages().empty() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(Reader, OtherKindsOfDirectoryEntriesAreNotFound) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, "sock.001");
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(ReadSpectrumFile("sock.001"), -1);
    close(fd);
    // A pipe without a writer: passed over at once, never waited on.
    ASSERT_EQ(mkfifo("pipe.001", 0600), 0);
    EXPECT_EQ(ReadSpectrumFile("pipe.001"), -1);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(Reader, FilesOfOtherSizesInTurnEachReadWhole) {
    // Larger, smaller, larger again, and versions that hold more or fewer
    // arrays: nothing of one file shows through in the next.
    auto big = MakeSpectrum(7, {1, 2, 3, 4, 5, 6}, {9, 9, 9, 9, 9, 9});
    big.Calibrations = {MakeCalibration(CalAbs, "abs")};
    big.CalibrationBuffers = {{7, 7, 7, 7, 7, 7}};
    ASSERT_EQ(ReadSpectrumFile(big.WriteTo("big.001")), 7);
    ASSERT_EQ(ReadSpectrumFile(MakeSpectrum(2, {10, 20}, {30, 40}).WriteTo("small.001")), 2);
    EXPECT_EQ(SpectrumData, (Values{10, 20}));
    EXPECT_EQ(ReferenceData, (Values{30, 40}));
    EXPECT_TRUE(CalBufferABS.empty());
    ASSERT_EQ(ReadSpectrumFile(MakeSpectrum(1, {-1, -2, -3}).WriteTo("one.001")), 1);
    EXPECT_EQ(SpectrumData, (Values{-1, -2, -3}));
    EXPECT_TRUE(ReferenceData.empty());
    ASSERT_EQ(ReadSpectrumFile("big.001"), 7);
    EXPECT_EQ(SpectrumData, (Values{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(CalBufferABS, (Values{7, 7, 7, 7, 7, 7}));
    ASSERT_EQ(ReadSpectrumFile("small.001"), 2);
    EXPECT_EQ(ReferenceData, (Values{30, 40}));
    EXPECT_TRUE(CalBufferABS.empty());

    // The same holds for a parse into a record used before.
    LoadedSpectrum file;
    const auto bytes = big.Bytes();
    ASSERT_TRUE(ParseSpectrumFile(bytes.data(), bytes.size(), file));
    const auto fewer = MakeSpectrum(2, {5}, {6}).Bytes();
    ASSERT_TRUE(ParseSpectrumFile(fewer.data(), fewer.size(), file));
    EXPECT_EQ(file.Values, (Values{5}));
    EXPECT_EQ(file.ReferenceValues, (Values{6}));
    EXPECT_TRUE(file.CalAbs.empty());
    EXPECT_TRUE(file.Calibrations.empty());
}

TEST_F(Reader, ShortOrEmptyFilesAreRefusedWithTheirReason) {
    ASSERT_EQ(ReadSpectrumFile(MakeSpectrum(1, {4, 5}).WriteTo("good.001")), 1);
    auto bytes = MakeSpectrum(1, {1, 2, 3}).Bytes();
    bytes.resize(484 + 5);
    WriteBytes("short.001", bytes);
    EXPECT_EQ(ReadSpectrumFile("short.001"), -1);
    EXPECT_EQ(ui.Messages().back(), "File Error\rshort.001 ends inside its spectrum values.");
    WriteBytes("empty.001", {});
    EXPECT_EQ(ReadSpectrumFile("empty.001"), -1);
    EXPECT_EQ(ui.Messages().back(), "File Error\rempty.001 ends inside its header.");
    // Nothing of the refused files was loaded.
    EXPECT_EQ(SpectrumData, (Values{4, 5}));
    EXPECT_EQ(CurrentFileName, "good.001");
}

TEST_F(Reader, AHeaderWithoutChannelsIsRefused) {
    auto file = MakeSpectrum(1, {});
    EXPECT_EQ(ReadSpectrumFile(file.WriteTo("zero.001")), -1);
    EXPECT_EQ(ui.Messages().back(), "File Error\rzero.001 has no channels (ChannelCount 0).");
    auto legacy = MakeSpectrum(1, Values(512, 1));
    legacy.Header.ValueFormat = ValueInteger;
    legacy.Header.InstrumentType = Vnir1;
    legacy.ChannelCount = -4;
    EXPECT_EQ(ReadSpectrumFile(legacy.WriteTo("neg.001")), -1);
    EXPECT_EQ(ui.Messages().back(), "File Error\rneg.001 has no channels (ChannelCount -4).");
}

// Every prefix of a full version-7 file is either refused with a message or,
// at the two places where the program's own files end, read as complete.
TEST(ByteArrays, DecodeEveryStoredTypeAndRefuseCountsPastTheEnd) {
    // -2 as a 16-bit integer, 1.5 as a Single, -0.25 as a Double.
    const std::vector<uint8_t> bytes = {0xFE, 0xFF, 0x00, 0x00, 0xC0, 0x3F, 0,
                                        0,    0,    0,    0,    0,    0xD0, 0xBF};
    spectrum::ByteReader in(bytes.data(), bytes.size());
    EXPECT_EQ(in.Values<int16_t>(1), (Values{-2}));
    EXPECT_EQ(in.Values<float>(1), (Values{1.5}));
    EXPECT_EQ(in.Values<double>(1), (Values{-0.25}));
    EXPECT_TRUE(in.AtEnd());

    // A count whose byte size wraps around must not pass the bounds check.
    spectrum::ByteReader again(bytes.data(), bytes.size());
    EXPECT_THROW(again.Values<double>(SIZE_MAX / 4), spectrum::ShortFile);
    EXPECT_THROW(again.Values<float>(4), spectrum::ShortFile);
    EXPECT_EQ(again.Position(), 0u);

    // Written back, the same bytes.
    std::vector<uint8_t> out;
    spectrum::ByteWriter writer(out);
    writer.Values<float>({1.5});
    writer.Values<double>({-0.25});
    EXPECT_EQ(out, std::vector<uint8_t>(bytes.begin() + 2, bytes.end()));

    // Longer arrays, a whole number of blocks or not, behind what is there,
    // come back as their Singles; into borrowed memory of another size too.
    for (std::size_t n : {7u, 8u, 9u, 16u, 21u}) {
        Values values(n);
        for (std::size_t i = 0; i < n; ++i) {
            values[i] = 0.1 * static_cast<double>(i) - 1e-40 * static_cast<double>(i % 3);
        }
        std::vector<uint8_t> written = {0xAB};
        spectrum::ByteWriter(written).Values<float>(values);
        ASSERT_EQ(written.size(), 1 + 4 * n);
        spectrum::ByteReader back(written.data() + 1, written.size() - 1);
        const Values read = back.Values<float>(n, Values(n + 3, 99.0));
        ASSERT_EQ(read.size(), n);
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_EQ(read[i], static_cast<double>(static_cast<float>(values[i]))) << n << " " << i;
        }
    }
}

TEST_F(Reader, EveryPrefixOfAVersionSevenFile) {
    const auto file = MakeCompleteSpectrum(7, {1, 2, 3});
    const auto full = file.Bytes();
    auto noExtension = file;
    noExtension.WithExtension = false;
    auto noCalibration = file;
    noCalibration.WithCalibration = false;
    const std::size_t afterReference = noExtension.Bytes().size();
    const std::size_t afterExtension = noCalibration.Bytes().size();

    for (std::size_t size = 0; size <= full.size(); ++size) {
        WriteBytes("cut.001", std::vector<uint8_t>(
                                  full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size)));
        ui.Prompts.clear();
        const int16_t result = ReadSpectrumFile("cut.001");
        if (size == afterReference || size == afterExtension || size == full.size()) {
            EXPECT_EQ(result, 7) << size;
            EXPECT_TRUE(ui.Prompts.empty()) << size;
            EXPECT_EQ(CalibrationCount, size == full.size() ? 3 : 0);
        } else {
            EXPECT_EQ(result, -1) << size;
            ASSERT_EQ(ui.Messages().size(), 1u) << size;
            EXPECT_EQ(ui.Messages()[0].rfind("File Error\rcut.001 ", 0), 0u) << size;
        }
    }
}

TEST(Reflectance, DividesByTheReferenceWithItsMarkers) {
    ScriptedUi ui;
    ResetSpectrumState();
    EXPECT_FALSE(ComputeReflectance());  // nothing loaded: nothing changes
    SpectrumData = {50, 50, 50, 50};
    ReferenceData = {100, 0, -9999, std::nan("")};
    ASSERT_TRUE(ComputeReflectance());
    EXPECT_EQ(ReflectanceData, (Values{0.5, 0, -9999, 0}));
    EXPECT_EQ(DisplayData, ReflectanceData);

    // Each marker alone at every place of a longer spectrum, with references
    // that only look like one (+9999, -0) and values that are no numbers.
    const double nan = std::nan(""), inf = INFINITY;
    const std::vector<std::pair<double, double>> cases = {
        {30, 0}, {30, -9999}, {30, nan}, {30, 9999}, {30, -0.0}, {30, inf},
        {nan, 60}, {inf, 60}, {-inf, 0}, {0, 0}, {30, 60}};
    for (std::size_t n : {4u, 5u, 8u, 11u}) {
        for (std::size_t at = 0; at < n; ++at) {
            for (const auto& [value, reference] : cases) {
                SpectrumData.assign(n, 30);
                ReferenceData.assign(n, 60);
                SpectrumData[at] = value;
                ReferenceData[at] = reference;
                ASSERT_TRUE(ComputeReflectance()) << value << " / " << reference;
                ASSERT_EQ(ReflectanceData.size(), n);
                for (std::size_t i = 0; i < n; ++i) {
                    const double r = ReferenceData[i];
                    const double expected = r == 0 || std::isnan(r) ? 0
                                            : r == -9999         ? -9999
                                                                 : SpectrumData[i] / r;
                    const double got = ReflectanceData[i];
                    EXPECT_TRUE(got == expected || (std::isnan(got) && std::isnan(expected)))
                        << n << " channels, " << value << " / " << reference << " at " << at
                        << ", channel " << i << ": " << got;
                }
                ASSERT_EQ(DisplayData.size(), n);
            }
        }
    }

    CurrentFileName = "huge.001";
    SpectrumData = {1, 1, 1, 1, 1, 1e300, 1};
    ReferenceData = {1, 1, 1, 1, 1, 1e-300, 1};
    EXPECT_FALSE(ComputeReflectance());
    EXPECT_TRUE(ReflectanceData.empty());
    EXPECT_EQ(ui.Messages().back(),
              "huge.001 has an unusable reference: the reflectance of channel 5 is too large to "
              "hold.");
    SpectrumData = {1e300, 1};
    ReferenceData = {1e-300, 1};
    EXPECT_FALSE(ComputeReflectance());
    EXPECT_TRUE(ReflectanceData.empty());
    EXPECT_EQ(ui.Messages().back(),
              "huge.001 has an unusable reference: the reflectance of channel 0 is too large to "
              "hold.");
}

}  // namespace
