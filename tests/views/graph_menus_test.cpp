// The open graph window's menu commands and the graph's events.

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "platform/shell/paths.h"
#include "views/graph_test.h"
#include "views/plot_modes.h"
#include "views/point_popup.h"
#include "views/readout_text.h"
#include "views/spectrum_plot.h"

namespace {

class GraphMenus : public GraphTest {
protected:
    frmGraph& Window() {
        Graph();
        return *ActiveGraphWindow();
    }
    std::string Settings() const {
        std::ifstream in(SettingsFolder + "lvx.ini");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

std::vector<std::string> Captions(const QList<QAction*>& actions) {
    std::vector<std::string> out;
    for (const QAction* action : actions) {
        out.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    }
    return out;
}

TEST_F(GraphMenus, TheMenuTreeInItsOrder) {
    frmGraph& window = Window();
    using Names = std::vector<std::string>;
    EXPECT_EQ(Captions(window.menuBar()->actions()),
              (Names{"Format", "Print", "Export", "Title", "SubTitle"}));
    EXPECT_EQ(Captions(window.mnuFormat->actions()),
              (Names{"DN", "Reflectance", "Transmittance", "Log 1/R", "Log 1/T",
                     "Radiance/Irradiance", "-", "Reference", "Calibration", "-", "Derivative Gap",
                     "-", "Show legend above graph"}));
    EXPECT_EQ(Captions(window.mnuReflectance->actions()),
              (Names{"No Derivative", "1st Derivative", "2nd Derivative", "Absolute"}));
    EXPECT_EQ(Captions(window.mnuLog1T->actions()),
              (Names{"No Derivative", "1st Derivative", "2nd Derivative"}));
    EXPECT_EQ(Captions(window.mnuRad->actions()),
              (Names{"Radiance", "Irradiance", "Parabolic Correct"}));
    EXPECT_EQ(Captions(window.mnuCalBuffer->actions()), (Names{"ABS", "BSE", "LMP", "FO"}));
    for (const char* name : {"mnuTran2Der", "mnuLogR1Der", "mnuSpacer2", "mnuCalBufferFO",
                             "mnuSubTitle", "mnuRadParabolicCorrect"}) {
        EXPECT_NE(window.findChild<QAction*>(name), nullptr) << name;
    }
    EXPECT_TRUE(window.mnuRadParabolicCorrect->isCheckable());
}

TEST_F(GraphMenus, DisplayModesRestyleSetTheCodesAndPlot) {
    Add(MakeSpectrum(2, {50, 60}, {100, 200}), "a.001");
    frmGraph& window = Window();
    window.mnuRef1Der->trigger();
    EXPECT_EQ(PlotFormat, PlotReflectance);
    EXPECT_EQ(PlotDeriv, DerivFirst);
    EXPECT_EQ(Text(33), "1st Deriv. Reflectance");
    // DN keeps the derivative of the mode before.
    window.mnuDN->trigger();
    EXPECT_EQ(PlotFormat, PlotDN);
    EXPECT_EQ(PlotDeriv, DerivFirst);
    EXPECT_EQ(Y(0, 1), 60);

    window.mnuReference->trigger();
    EXPECT_EQ(PlotFormat, -1);
    EXPECT_EQ(PlotDeriv, -1);
    EXPECT_EQ(Text(9), "Spectral Reference Data");
    EXPECT_EQ(Text(33), "DN");
    EXPECT_EQ(Y(0, 1), 200);

    window.mnuCalBufferLMP->trigger();
    EXPECT_EQ(PlotFormat, PlotLmp);
    EXPECT_EQ(PlotDeriv, DerivNone);
    window.mnuRadIrradiance->trigger();
    EXPECT_EQ(PlotFormat, PlotIrradiance);
    EXPECT_EQ(PlotDeriv, DerivNone);
    window.mnuLogT2Der->trigger();
    EXPECT_EQ(PlotFormat, PlotLog1T);
    EXPECT_EQ(PlotDeriv, DerivSecond);
    // The range was started afresh before the plot.
    EXPECT_EQ(GraphMinWavelength, 350);
}

TEST_F(GraphMenus, ParabolicCorrectOnlyTogglesAndTheLegendItemSwitchesTheGraph) {
    frmGraph& window = Window();
    Observe();
    window.mnuRadParabolicCorrect->trigger();
    EXPECT_TRUE(window.mnuRadParabolicCorrect->isChecked());
    EXPECT_TRUE(writes.empty());

    window.mnuShowLegend->trigger();
    EXPECT_FALSE(window.mnuShowLegend->isChecked());
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].Id, 428);
    EXPECT_EQ(writes[0].Value, GraphValue(false));
    EXPECT_EQ(writes[1].Id, 108);
    EXPECT_EQ(GraphNumber(writes[1].Value), 0);
}

TEST_F(GraphMenus, TitlesAskWithTheCurrentTextAndKeepItOnAnEmptyAnswer) {
    frmGraph& window = Window();
    GraphTitle = "Old";
    ui.Type("Leaf").CancelInput();
    window.mnuTitle->trigger();
    EXPECT_EQ(GraphTitle, "Leaf");
    EXPECT_EQ(Text(9), "Leaf");
    window.mnuTitle->trigger();
    EXPECT_EQ(GraphTitle, "Leaf");
    EXPECT_EQ(Text(9), "Leaf");
    ASSERT_EQ(ui.Prompts.size(), 2u);
    EXPECT_EQ(ui.Prompts[0].text, "Enter Title Text");
    EXPECT_EQ(ui.Prompts[0].title, "Graph Title");
    EXPECT_EQ(ui.Prompts[0].defaultText, "Old");
    EXPECT_EQ(ui.Prompts[1].defaultText, "Leaf");

    ui.Type("Field 3");
    window.mnuSubTitle->trigger();
    EXPECT_EQ(GraphSubtitle, "Field 3");
    EXPECT_EQ(Text(10), "Field 3");
    EXPECT_EQ(ui.Prompts[2].text, "Enter SubTitle Text");
    EXPECT_EQ(ui.Prompts[2].title, "Graph SubTitle");
    EXPECT_EQ(ui.Prompts[2].defaultText, "");
    ui.CancelInput();
    window.mnuSubTitle->trigger();
    EXPECT_EQ(GraphSubtitle, "Field 3");
    EXPECT_EQ(Text(10), "Field 3");
    EXPECT_EQ(ui.Prompts[3].defaultText, "Field 3");
}

TEST_F(GraphMenus, ExportingNamesTheFileThatCouldNotBeWritten) {
    Add(MakeSpectrum(1, {1, 2, 3}), "a.001");
    frmGraph& window = Window();
    PlotSpectra();
    const auto exportTo = [](const std::string& path) {
        return [path](QDialog& dialog) {
            dialog.findChild<QComboBox*>("format")->setCurrentIndex(2);
            dialog.findChild<QLineEdit*>("file")->setText(QString::fromStdString(path));
            return int(QDialog::Accepted);
        };
    };
    const std::string missing = (TestFolder::Path() / "no" / "g.txt").string();
    ui.Drive(exportTo(missing));
    window.mnuExport->trigger();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_NE(ui.Messages()[0].find(missing), std::string::npos) << ui.Messages()[0];
    EXPECT_EQ(ui.Prompts.back().buttons, vbExclamation);
    EXPECT_EQ(ui.Prompts.back().title, "Lumivex");

    const std::string written = (TestFolder::Path() / "g.txt").string();
    ui.Drive(exportTo(written));
    window.mnuExport->trigger();
    EXPECT_EQ(ui.Messages().size(), 1u);
    EXPECT_TRUE(FileExists(written));

    // A cancelled export dialog says nothing.
    ui.Drive([](QDialog&) { return int(QDialog::Rejected); });
    window.mnuExport->trigger();
    EXPECT_EQ(ui.Messages().size(), 1u);
}

TEST_F(GraphMenus, PrintingReportsAFailureAndWritesThePage) {
    Add(MakeSpectrum(1, {1, 2, 3}), "a.001");
    frmGraph& window = Window();
    PlotSpectra();
    window.show();
    QCoreApplication::processEvents();
    QPrinter& printer = window.Graph1->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const auto accept = [](QDialog&) { return int(QDialog::Accepted); };

    printer.setOutputFileName(
        QString::fromStdString((TestFolder::Path() / "no" / "g.pdf").string()));
    ui.Drive(accept);
    window.mnuPrint->trigger();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].rfind("Problem Printing! \r\n", 0), 0u);
    EXPECT_EQ(ui.Prompts.back().buttons, vbCritical);
    EXPECT_EQ(ui.Prompts.back().title, "Dunmere Pro");
    EXPECT_TRUE(window.isVisible());

    const std::string pdf = (TestFolder::Path() / "g.pdf").string();
    printer.setOutputFileName(QString::fromStdString(pdf));
    ui.Drive(accept);
    window.mnuPrint->trigger();
    EXPECT_EQ(ui.Messages().size(), 1u);
    std::ifstream in(pdf, std::ios::binary);
    std::string head(4, '\0');
    in.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");

    // A cancelled print dialog says nothing.
    ui.Drive([](QDialog&) { return int(QDialog::Rejected); });
    window.mnuPrint->trigger();
    EXPECT_EQ(ui.Messages().size(), 1u);
}

TEST_F(GraphMenus, CustomisingKeepsTheFirstSixteenCurveLooks) {
    for (int i = 0; i < 17; ++i) {
        Add(MakeSpectrum(1, {1}), "f" + std::to_string(i) + ".001");
    }
    frmGraph& window = Window();
    SaveSettings();
    GraphControl& graph = *window.Graph1;
    for (int i = 0; i < 17; ++i) {
        graph.SetProperty(132, i, int32_t(5000 + i));
        graph.SetProperty(134, i, int32_t(i % 3));
    }
    graph.SetProperty(9, std::string("Main"));
    graph.SetProperty(10, std::string("Sub"));
    graph.SetProperty(428, false);
    emit graph.AfterCustomize();
    EXPECT_EQ(LineColor[15], 5015);
    EXPECT_EQ(LineColor[0], 5000);
    EXPECT_EQ(LineType[14], 2);
    EXPECT_EQ(GraphTitle, "Main");
    EXPECT_EQ(GraphSubtitle, "Sub");
    EXPECT_FALSE(window.mnuShowLegend->isChecked());
    const std::string settings = Settings();
    EXPECT_NE(settings.find("LineColor15=5015"), std::string::npos);
    EXPECT_EQ(settings.find("LineColor16"), std::string::npos);

    graph.SetProperty(428, true);
    emit graph.LegendChanged();
    EXPECT_TRUE(window.mnuShowLegend->isChecked());
}

TEST_F(GraphMenus, MouseTextsForTheStatusBarAndTheReadout) {
    const MouseReadout at500 = MouseTexts(500, 0.25);
    EXPECT_EQ(at500.Wavelength, "500.0");
    EXPECT_EQ(at500.Value, "0.2500");
    EXPECT_EQ(at500.WavenumberText, "20000.0 cm-1");
    EXPECT_EQ(MouseTexts(0, 1).WavenumberText, " ");
    EXPECT_EQ(MouseTexts(-3, 1).WavenumberText, " ");
    EXPECT_EQ(MouseTexts(2500, -0.00004).Value, "0.0000");
    EXPECT_EQ(PointText("a", 350.5, " "), "a -- 350.5 nm -  ");

    frmGraph& window = Window();
    window.ShowMousePosition(500, 0.25);
    EXPECT_EQ(window.StatusPanel(1)->text(), "500.0  ");
    EXPECT_EQ(window.StatusPanel(2)->text(), "0.2500  ");
    EXPECT_EQ(window.WavenumberText, "20000.0 cm-1");
}

TEST_F(GraphMenus, AMouseMoveOverThePlotShowsWhereItIs) {
    Add(MakeSpectrum(1, std::vector<double>(400, 1)), "a.001");
    frmGraph& window = Window();
    PlotSpectra();
    window.show();
    QCoreApplication::processEvents();
    const auto pixel = window.Graph1->GraphToPixel(0, QPointF(500, 1));
    ASSERT_TRUE(pixel);
    QTest::mouseMove(window.Graph1, pixel->toPoint());
    QCoreApplication::processEvents();
    EXPECT_EQ(window.LastMouseX, pixel->toPoint().x());
    // Within a pixel of 500 nm, about 0.6 nm here.
    EXPECT_NEAR(window.StatusPanel(1)->text().toDouble(), 500, 1.5);
    EXPECT_TRUE(window.WavenumberText.ends_with(" cm-1"));
}

TEST_F(GraphMenus, ThePointReadoutNamesTheCurvesOwnWavelength) {
    auto spec = MakeSpectrum(1, std::vector<double>(300, 1));
    Add(spec, "spec01.000");
    Add(spec, "spec02.000");
    frmGraph& window = Window();
    PlotSpectra();
    emit window.Graph1->CursorMoved(0, 200);
    ASSERT_NE(window.CMForm, nullptr);
    EXPECT_EQ(window.CMForm->Label1->text(), "spec01.000 -- 550 nm - ");
    EXPECT_EQ(window.CMForm->size(), window.CMForm->Label1->size());
    window.ShowMousePosition(500, 1);
    emit window.Graph1->CursorMoved(0, 200);
    EXPECT_EQ(window.CMForm->Label1->text(), "spec01.000 -- 550 nm - 20000.0 cm-1");

    // A label that looks like markup is shown as it is.
    ActiveGraphWindow()->Graph1->SetProperty(131, 1, std::string("<b>x</b>&y.000"));
    emit window.Graph1->CursorMoved(1, 0);
    EXPECT_EQ(window.CMForm->Label1->text(), "<b>x</b>&y.000 -- 350 nm - 20000.0 cm-1");
    const QLabel& label = *window.CMForm->Label1;
    EXPECT_GE(label.width(), label.fontMetrics().horizontalAdvance(label.text()));

    // The last file read lies on another grid: the first curve keeps its own.
    host.WorkList.Clear();
    Add(spec, "a.000");
    auto other = MakeSpectrum(1, std::vector<double>(300, 1));
    other.Header.Channel1Wavelength = 400;
    other.Header.WavelengthStep = 2;
    Add(other, "b.000");
    Graph();
    PlotSpectra();
    emit window.Graph1->CursorMoved(0, 200);
    EXPECT_EQ(window.CMForm->Label1->text(), "a.000 -- 550 nm - 20000.0 cm-1");
    emit window.Graph1->CursorMoved(1, 200);
    EXPECT_EQ(window.CMForm->Label1->text(), "b.000 -- 800 nm - 20000.0 cm-1");
}

TEST_F(GraphMenus, ThePopupClosesTwoSecondsAfterItOpenedWhateverItShows) {
    Add(MakeSpectrum(1, {1, 2}), "a.001");
    Add(MakeSpectrum(1, {1, 2}), "b.001");
    frmGraph& window = Window();
    PlotSpectra();
    emit window.Graph1->CursorMoved(0, 0);
    QPointer<frmCMForm> popup = window.CMForm;
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(popup->Timer1->isSingleShot());
    EXPECT_EQ(popup->Timer1->interval(), 2000);
    ASSERT_TRUE(popup->Timer1->isActive());

    // New text a while later runs on the same countdown: a timer started
    // again would have close to the whole two seconds left.
    QThread::msleep(400);
    emit window.Graph1->CursorMoved(1, 1);
    EXPECT_EQ(window.CMForm, popup);
    EXPECT_EQ(popup->Label1->text(), "b.001 -- 351 nm - ");
    EXPECT_TRUE(popup->Timer1->isActive());
    EXPECT_LE(popup->Timer1->remainingTime(), 1800) << popup->Timer1->remainingTime();

    // Closed, and a new point before the old popup is gone: a new popup.
    popup->Timer1_Timer();
    emit window.Graph1->CursorMoved(0, 1);
    ASSERT_NE(window.CMForm, nullptr);
    EXPECT_NE(window.CMForm, popup);
    EXPECT_TRUE(window.CMForm->isVisible());
    EXPECT_TRUE(window.CMForm->Timer1->isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(popup, nullptr);
    EXPECT_NE(window.CMForm, nullptr);
}

}  // namespace
