// The chromaticity tab as a user sees it: the pixels of picCIE and the boxes
// beside it.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTest>

#include "cie/screen_text.h"
#include "cie/ucie.h"
#include "platform/ui/ui.h"

namespace {

class Diagram : public testing::Test {
protected:
    Diagram() {
        QLocale::setDefault(QLocale::c());
        ResetLocaleSeparators();
        InstallCieUserHooks({[](const std::string&, int, const std::string&) { return 1; }, [] {}});
    }
    ~Diagram() override { InstallCieUserHooks({}); }

    UCIE cie;

    QImage Picture() { return cie.findChild<QLabel*>("picCIE")->grab().toImage(); }
    QColor At(int x, int y) { return Picture().pixelColor(x, y); }
    QLineEdit* Box(const char* name) { return cie.findChild<QLineEdit*>(name); }
    QString Rgb() {
        return Box("txtR")->text() + "," + Box("txtG")->text() + "," + Box("txtB")->text();
    }
    void Type(const char* name, const QString& text) {
        QLineEdit* box = Box(name);
        box->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box, &out);
    }
    void Click(const char* name) {
        auto* button = cie.findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    // How many pixels of the picture have exactly this colour.
    int Count(QRgb color) {
        const QImage image = Picture().convertToFormat(QImage::Format_RGB32);
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += image.pixel(x, y) == color ? 1 : 0;
            }
        }
        return n;
    }
};

const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);
const QRgb Grey = qRgb(128, 128, 128);

TEST_F(Diagram, NewControlShowsTheFilledTwoDegreeDiagramOnBlack) {
    const QImage picture = Picture();
    EXPECT_EQ(picture.size(), QSize(400, 396));
    EXPECT_EQ(At(150, 200), QColor(82, 255, 100));
    // Outside the locus the background stays black.
    EXPECT_EQ(At(390, 380), Black);
    EXPECT_EQ(At(350, 60), Black);
    // Grid and wavelength labels are on by default.
    EXPECT_GT(Count(Grey), 0);
    EXPECT_GT(Count(White.rgb()), 0);
    EXPECT_TRUE(Rgb() == ",,");
}

TEST_F(Diagram, CalculationMarksItsPointWithTheColourOfItsChromaticity) {
    cie.CalcColorimetry(QList<double>(471, 1.0), 1, 360, UCIE::ifD65);
    EXPECT_EQ(Box("txtX")->text(), "95.0471");
    EXPECT_EQ(Box("txtY")->text(), "100.0000");
    EXPECT_EQ(Box("txtZ")->text(), "108.8828");
    EXPECT_EQ(Rgb(), "162,238,255");
    // Inside the filled area the marker is black: the dot and its ring.
    EXPECT_EQ(At(150, 241), Black);
    EXPECT_EQ(At(152, 241), Black);
    EXPECT_EQ(At(154, 241), Black);
    EXPECT_NE(At(153, 241), Black);

    // Cleared, then a purple typed in: on the black outside it is white.
    cie.ClearCIE();
    EXPECT_EQ(Rgb(), ",,");
    EXPECT_NE(At(150, 241), Black);  // the old marker is gone
    Type("txtX", "72");
    Type("txtY", "12");
    Type("txtZ", "16");
    EXPECT_EQ(Box("txtX")->text(), "72.0000");
    Click("chkShowPoint");
    EXPECT_FALSE(cie.ShowPoint());
    EXPECT_EQ(Rgb(), ",,");
    EXPECT_EQ(At(313, 323), Black);
    Click("chkShowPoint");
    EXPECT_EQ(Rgb(), "255,0,59");
    EXPECT_EQ(At(313, 323), White);
    EXPECT_EQ(At(317, 323), White);
    EXPECT_EQ(At(316, 323), Black);
    // The calculation's point is not on the picture any more.
    EXPECT_NE(At(150, 241), Black);
}

TEST_F(Diagram, PointBoxesWithoutAChromaticityMarkNothing) {
    const QImage plain = Picture();
    for (const char* text : {"0", ":"}) {
        Type("txtX", text);
        Type("txtY", "0");
        Type("txtZ", "0");
        Click("chkShowPoint");
        Click("chkShowPoint");
        EXPECT_EQ(Rgb(), ",,") << text;
        EXPECT_EQ(Picture(), plain) << text;
    }
    // One empty box: nothing either.
    Type("txtX", "10");
    Box("txtZ")->clear();
    Click("chkShowPoint");
    Click("chkShowPoint");
    EXPECT_EQ(Rgb(), ",,");
    EXPECT_EQ(Picture(), plain);
}

TEST_F(Diagram, EachObserverIsDrawnOnceAndReusedUntilAnOptionChanges) {
    const QImage twoDegrees = Picture();
    Click("optChromaticity_1");
    const QImage tenDegrees = Picture();
    EXPECT_NE(tenDegrees, twoDegrees);

    // A property set from code changes no drawing: switching back shows the
    // kept picture, grid and all.
    cie.setShowGrid(false);
    Click("optChromaticity_0");
    EXPECT_EQ(Picture(), twoDegrees);
    Click("optChromaticity_1");
    EXPECT_EQ(Picture(), tenDegrees);

    // The grid box redraws, here without the grid; the other observer is
    // drawn anew when next shown.
    auto* grid = cie.findChild<QCheckBox*>("chkShowGrid");
    grid->click();
    EXPECT_FALSE(grid->isChecked());
    EXPECT_EQ(Count(Grey), 0);
    Click("optChromaticity_0");
    EXPECT_EQ(Count(Grey), 0);
    EXPECT_NE(Picture(), twoDegrees);

    // Without wavelength labels nothing white is left either.
    Click("chkShowWavelengths");
    EXPECT_EQ(Count(White.rgb()), 0);
    EXPECT_EQ(At(150, 200), QColor(82, 255, 100));
}

TEST_F(Diagram, GammaRedrawsTheFill) {
    Type("txtGamma", "0");
    EXPECT_EQ(At(150, 200), White);
    Type("txtGamma", "2");
    const int green = At(150, 200).green();
    EXPECT_EQ(green, 255);
    EXPECT_LT(At(150, 200).red(), 82);
}

TEST_F(Diagram, ResultsOfTheSelectedObserverAreMarked) {
    Click("optChromaticity_1");
    cie.CalcColorimetry(QList<double>(471, 1.0), 1, 360, UCIE::ifD65);
    EXPECT_EQ(Box("txtX")->text(), cie.findChild<QLabel*>("lblX10")->text());
    // The 10 degree white point: x 0.3138, y 0.3310.
    EXPECT_EQ(At(151, 240), Black);
    EXPECT_FALSE(Box("txtR")->text().isEmpty());
}

}  // namespace
