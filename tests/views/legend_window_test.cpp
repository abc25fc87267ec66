// The legend window and its button.

#include <QTest>
#include <QTreeWidget>

#include "views/graph_test.h"
#include "views/legend_window.h"
#include "views/spectrum_plot.h"

namespace {

class Legend : public GraphTest {
protected:
    std::vector<std::string> Lines() const {
        std::vector<std::string> out;
        for (int i = 0; i < LegendForm->lvwLegend->topLevelItemCount(); ++i) {
            out.push_back(LegendForm->lvwLegend->topLevelItem(i)->text(1).toStdString());
        }
        return out;
    }
    QColor SwatchColour(int line) const {
        const QIcon icon = LegendForm->lvwLegend->topLevelItem(line)->icon(0);
        return icon.pixmap(16, 16).toImage().pixelColor(8, 8);
    }
};

TEST(LegendColours, PaletteIndexOfAColour) {
    EXPECT_EQ(QBColorIndex(0), 1);
    EXPECT_EQ(QBColorIndex(255), 13);
    EXPECT_EQ(QBColorIndex(16777215), 16);
    EXPECT_EQ(QBColorIndex(12345), 0);
    EXPECT_EQ(QBColor(9), 16711680);
}

TEST_F(Legend, TheButtonOpensAndClosesTheListOfLabelledCurves) {
    Add(MakeSpectrum(1, {1}), "a.001");
    Add(MakeSpectrum(1, {1}), "b.001");
    Add(MakeSpectrum(1, {1}), "c.001");
    GraphControl& graph = Graph();
    PlotSpectra();
    frmGraph& window = *ActiveGraphWindow();
    window.show();
    graph.SetProperty(131, 1, std::string());

    window.picLegend_Click();
    ASSERT_NE(LegendForm, nullptr);
    EXPECT_TRUE(window.picLegend->Sunken());
    EXPECT_TRUE(LegendForm->isVisible());
    EXPECT_EQ(LegendForm->windowTitle(), "");
    EXPECT_EQ(LegendForm->lvwLegend->headerItem()->text(0), "C");
    EXPECT_EQ(LegendForm->lvwLegend->headerItem()->text(1), "Name");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"a.001", "c.001"}));
    // Below the button, right-aligned with it.
    const QPoint corner = window.picLegend->mapToGlobal(
        QPoint(window.picLegend->width(), window.picLegend->height()));
    EXPECT_EQ(LegendForm->frameGeometry().top(), corner.y());
    EXPECT_NEAR(LegendForm->frameGeometry().right(), corner.x(), 8);

    window.picLegend_Click();
    EXPECT_EQ(LegendForm, nullptr);
    EXPECT_FALSE(window.picLegend->Sunken());
}

TEST_F(Legend, ItsOwnCloseBoxReleasesTheButton) {
    Graph();
    frmGraph& window = *ActiveGraphWindow();
    window.picLegend_Click();
    ASSERT_NE(LegendForm, nullptr);
    LegendForm->close();
    EXPECT_EQ(LegendForm, nullptr);
    EXPECT_FALSE(window.picLegend->Sunken());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::mouseClick(window.picLegend, Qt::LeftButton);
    EXPECT_NE(LegendForm, nullptr);
    EXPECT_TRUE(window.picLegend->Sunken());
}

TEST_F(Legend, EveryPlotRefreshesItAndTheGraphWindowTakesItAlong) {
    Add(MakeSpectrum(1, {1}), "a.001");
    Add(MakeSpectrum(1, {1}), "b.001");
    Graph();
    PlotSpectra();
    ActiveGraphWindow()->picLegend_Click();
    EXPECT_EQ(Lines().size(), 2u);
    Add(MakeSpectrum(1, {1}), "c.001");
    Graph();
    PlotSpectra();
    EXPECT_EQ(Lines().size(), 3u);

    ActiveGraphWindow()->close();
    EXPECT_EQ(LegendForm, nullptr);
}

TEST_F(Legend, SwatchesShowTheCurveColourInsideAndOutsideThePalette) {
    Add(MakeSpectrum(1, {1}), "a.001");
    Add(MakeSpectrum(1, {1}), "b.001");
    Add(MakeSpectrum(1, {1}), "c.001");
    GraphControl& graph = Graph();
    PlotSpectra();
    graph.SetProperty(132, 0, int32_t{255});       // palette red
    graph.SetProperty(132, 1, int32_t{16777215});  // bright white: no image
    graph.SetProperty(132, 2, int32_t{0x123456});  // outside the palette
    ActiveGraphWindow()->picLegend_Click();
    EXPECT_EQ(SwatchColour(0), QColor(255, 0, 0));
    EXPECT_EQ(SwatchColour(1), QColor(255, 255, 255));
    EXPECT_EQ(SwatchColour(2), QColor(0x56, 0x34, 0x12));
}

}  // namespace
