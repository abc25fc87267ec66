#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLocale>
#include <QRadioButton>
#include <string>
#include <vector>

#include "cie/screen_text.h"
#include "cie/ucie.h"
#include "platform/graph/graph_control.h"

namespace {

class CieGraphs : public testing::Test {
protected:
    CieGraphs() {
        functions = cie.findChild<GraphControl*>("Graph1");
        illuminants = cie.findChild<GraphControl*>("Graph2");
    }
    UCIE cie;
    GraphControl* functions = nullptr;
    GraphControl* illuminants = nullptr;

    static std::string Text(const GraphControl& g, std::int32_t id, std::int32_t curve = -1) {
        const auto v = curve < 0 ? g.GetProperty(id) : g.GetProperty(id, curve);
        return v ? std::get<std::string>(*v) : "<none>";
    }
    static double Number(const GraphControl& g, std::int32_t id, std::int32_t curve = -1,
                         std::int32_t point = -1) {
        const auto v = point >= 0   ? g.GetProperty(id, curve, point)
                       : curve >= 0 ? g.GetProperty(id, curve)
                                    : g.GetProperty(id);
        return v ? GraphNumber(*v).value_or(-1) : -1;
    }
    void Click(const char* name) { cie.findChild<QAbstractButton*>(name)->click(); }
};

TEST_F(CieGraphs, FillTheirPictureBoxes) {
    ASSERT_NE(functions, nullptr);
    ASSERT_NE(illuminants, nullptr);
    EXPECT_EQ(functions->parentWidget()->objectName(), "picColorFunction");
    EXPECT_EQ(functions->geometry(), functions->parentWidget()->contentsRect());
    EXPECT_EQ(illuminants->parentWidget()->objectName(), "picIlluminants");
}

TEST_F(CieGraphs, ColourFunctionsOfEitherObserver) {
    EXPECT_EQ(Text(*functions, 9), "CIE 1931");
    EXPECT_EQ(Number(*functions, 222, 1, 195), 1.0);  // y bar at 555 nm

    Click("optCIE_1");
    EXPECT_EQ(Text(*functions, 9), "CIE 1964");
    EXPECT_EQ(Text(*functions, 32), "Wavelength (nm)");
    EXPECT_EQ(Text(*functions, 33), "Tristimulus values");
    EXPECT_EQ(Number(*functions, 11), 3);
    EXPECT_EQ(Number(*functions, 12), 471);
    const char* labels[] = {"x bar", "y bar", "z bar"};
    const double colours[] = {255, 65280, 16711680};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(Text(*functions, 131, c), labels[c]);
        EXPECT_EQ(Number(*functions, 132, c), colours[c]);
        EXPECT_EQ(Number(*functions, 250, c, 0), 360);
        EXPECT_EQ(Number(*functions, 250, c, 470), 830);
    }
    EXPECT_EQ(static_cast<float>(Number(*functions, 222, 0, 0)), 1.222e-7f);
    EXPECT_EQ(Number(*functions, 59), 360);
    EXPECT_EQ(Number(*functions, 60), 830);
    // The fixed settings of the set-up took.
    EXPECT_EQ(Number(*functions, 57), 2.1);
    for (const GraphControl* g : {functions, illuminants}) {
        EXPECT_EQ(Number(*g, 4), 8421504);
        EXPECT_EQ(Number(*g, 226), -9999);
        EXPECT_EQ(Number(*g, 93), -9999);
        EXPECT_EQ(Number(*g, 210), 2);
    }
}

TEST_F(CieGraphs, LoadingWritesTitlesFirstAndShowsLast) {
    std::vector<GraphWrite> writes;
    functions->SetWriteObserver([&](const GraphWrite& w) { writes.push_back(w); });
    Click("optCIE_0");
    ASSERT_EQ(writes.size(), 5u + 2 * 3 * 471 + 1);
    const std::int32_t head[] = {10, 32, 33, 9, 12, 250, 222, 250};
    for (std::size_t i = 0; i < std::size(head); ++i) {
        EXPECT_EQ(writes[i].Id, head[i]) << i;
    }
    EXPECT_EQ(writes[7].Curve, 1);
    EXPECT_EQ(writes.back().Id, 108);
    for (const GraphWrite& w : writes) {
        EXPECT_TRUE(w.Accepted) << w.Id;
    }
}

TEST_F(CieGraphs, IlluminantsByTheirCheckBoxes) {
    auto both = [&] {
        EXPECT_EQ(Text(*illuminants, 9), "Standard Illuminants");
        EXPECT_EQ(Number(*illuminants, 11), 2);
        EXPECT_EQ(Text(*illuminants, 131, 0), "A");
        EXPECT_EQ(Number(*illuminants, 132, 0), 255);
        EXPECT_EQ(Text(*illuminants, 131, 1), "D65");
        EXPECT_EQ(Number(*illuminants, 132, 1), 16711680);
        EXPECT_EQ(static_cast<float>(Number(*illuminants, 222, 1, 470)), 60.3125f);
        EXPECT_EQ(static_cast<float>(Number(*illuminants, 222, 0, 0)), 6.14462f);
    };
    both();

    Click("chkIlluminate_0");  // A off: D65 alone
    EXPECT_EQ(Text(*illuminants, 9), "Standard Illuminate D65");
    EXPECT_EQ(Number(*illuminants, 11), 1);
    EXPECT_EQ(Text(*illuminants, 131, 0), "D65");
    EXPECT_EQ(Number(*illuminants, 132, 0), 255);
    EXPECT_EQ(Number(*illuminants, 12), 471);
    EXPECT_EQ(static_cast<float>(Number(*illuminants, 222, 0, 0)), 46.6383f);
    EXPECT_EQ(Text(*illuminants, 33), "Relative Spectral Power");

    Click("chkIlluminate_1");  // the last box off: both come back
    EXPECT_TRUE(cie.findChild<QCheckBox*>("chkIlluminate_0")->isChecked());
    EXPECT_TRUE(cie.findChild<QCheckBox*>("chkIlluminate_1")->isChecked());
    both();
}

}  // namespace
