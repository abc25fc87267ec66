#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

#include "platform/graph/graph_control.h"
#include "support/file_systems.h"
#include "support/test_folder.h"

namespace {

std::string PathOf(const char* name) {
    return (TestFolder::Path() / name).string();
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

double NumberOf(const std::optional<GraphValue>& value) {
    EXPECT_TRUE(value.has_value());
    return value ? GraphNumber(*value).value_or(-12345.0) : -12345.0;
}

// The two curves of the data text example: "a" (y 0.5, -9999, NaN) and "b"
// (y 2, 3, 1E+20) over x 350, 351, 352.
void PlotTwoCurves(GraphControl& graph) {
    graph.SetProperty(11, int16_t{2});
    graph.SetProperty(12, int32_t{3});
    graph.SetProperty(226, int16_t{-9999});
    graph.SetProperty(93, int16_t{-9999});
    graph.SetProperty(9, std::string("Spectral Data"));
    graph.SetProperty(32, std::string("Wavelength"));
    graph.SetProperty(33, std::string("DN"));
    graph.SetProperty(131, 0, std::string("a"));
    graph.SetProperty(131, 1, std::string("b"));
    graph.SetProperty(132, 0, int32_t{255});
    graph.SetProperty(132, 1, int32_t{16711680});
    const double ya[] = {0.5, -9999, std::numeric_limits<double>::quiet_NaN()};
    const double yb[] = {2, 3, 1E+20};
    for (int32_t p = 0; p < 3; ++p) {
        graph.SetProperty(250, 0, p, 350.0 + p);
        graph.SetProperty(250, 1, p, 350.0 + p);
        graph.SetProperty(222, 0, p, ya[p]);
        graph.SetProperty(222, 1, p, yb[p]);
    }
    graph.SetProperty(108, int16_t{0});
}

// Every property the callers use, plain, per curve and (when asked) at the
// first point of each curve.
std::vector<std::optional<GraphValue>> Snapshot(const GraphControl& graph, bool withData = true) {
    std::vector<std::optional<GraphValue>> values;
    static const int32_t ids[] = {
        3,   4,   6,   9,   10,  11,  12,  14,  17,  18,  19,  32,  33,  40,  41,  42,  43,  54,
        55,  56,  57,  58,  59,  60,  93,  96,  98,  99,  108, 131, 132, 134, 180, 197, 207, 209,
        210, 222, 223, 226, 227, 229, 230, 231, 250, 255, 256, 258, 259, 278, 280, 428, 595};
    for (const int32_t id : ids) {
        values.push_back(graph.GetProperty(id));
        for (int32_t c = 0; c < 4; ++c) {
            values.push_back(graph.GetProperty(id, c));
            if (withData) {
                values.push_back(graph.GetProperty(id, c, 0));
            }
        }
    }
    return values;
}

int CountPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
        }
    }
    return count;
}

template <typename T>
T* Child(QDialog& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

}  // namespace

TEST(GraphControl, NumberedAccessAsTheWindowsUseIt) {
    GraphControl graph;
    ASSERT_TRUE(graph.SetProperty(11, int16_t{2}));
    ASSERT_TRUE(graph.SetProperty(132, 1, int32_t{16711680}));
    ASSERT_TRUE(graph.SetProperty(11, int16_t{1}));
    ASSERT_TRUE(graph.SetProperty(11, int16_t{2}));
    EXPECT_EQ(NumberOf(graph.GetProperty(132, 1)), 16711680.0);

    ASSERT_TRUE(graph.SetProperty(54, int16_t{4}));
    EXPECT_EQ(NumberOf(graph.GetProperty(54)), 4.0);

    ASSERT_TRUE(graph.SetProperty(12, int32_t{471}));
    EXPECT_FALSE(graph.SetProperty(12, int32_t{2147483647}));
    EXPECT_EQ(NumberOf(graph.GetProperty(12)), 471.0);
    // A point's x is read back to widen the wavelength range.
    ASSERT_TRUE(graph.SetProperty(250, 1, 470, 830.0));
    EXPECT_EQ(NumberOf(graph.GetProperty(250, 1, 470)), 830.0);
}

TEST(GraphControl, ObserverSeesEveryWriteInOrderRefusedOnesMarked) {
    GraphControl graph;
    std::vector<GraphWrite> writes;
    graph.SetWriteObserver([&](const GraphWrite& write) { writes.push_back(write); });
    graph.SetProperty(250, 0, -1, 0.0);
    graph.SetProperty(11, int16_t{0});
    graph.SetProperty(180, 0, int16_t{-1});  // no curve left: refused
    graph.SetProperty(9, std::string("Spectral Data"));
    ASSERT_EQ(writes.size(), 4u);
    EXPECT_EQ(writes[0].Id, 250);
    EXPECT_EQ(writes[0].Curve, 0);
    EXPECT_EQ(writes[0].Point, -1);
    EXPECT_TRUE(writes[0].Accepted);
    EXPECT_EQ(writes[1].Id, 11);
    EXPECT_FALSE(writes[1].Curve.has_value());
    EXPECT_EQ(writes[1].Value, GraphValue{int16_t{0}});
    EXPECT_EQ(writes[2].Id, 180);
    EXPECT_FALSE(writes[2].Accepted);
    EXPECT_EQ(writes[3].Value, GraphValue{std::string("Spectral Data")});
}

TEST(GraphControl, ImagesAtTheControlsSizeWithTheCurveColours) {
    GraphControl graph;
    graph.resize(640, 400);
    PlotTwoCurves(graph);
    graph.SetProperty(12, int32_t{2});  // only the finite points of "b"

    std::string error;
    ASSERT_TRUE(graph.ExportImage(PathOf("graph.svg"), GraphImageFormat::Svg, &error)) << error;
    const std::string svg = ReadAll(PathOf("graph.svg"));
    EXPECT_NE(svg.find("stroke=\"#ff0000\""), std::string::npos);
    EXPECT_NE(svg.find("stroke=\"#0000ff\""), std::string::npos);

    ASSERT_TRUE(graph.ExportImage(PathOf("graph.png"), GraphImageFormat::Png, &error)) << error;
    const QImage png(QString::fromStdString(PathOf("graph.png")));
    EXPECT_EQ(png.size(), QSize(640, 400));
    EXPECT_GT(CountPixels(png, qRgb(0, 0, 255)), 100);  // curve "b" is drawn

    EXPECT_FALSE(graph.ExportImage(PathOf("missing/graph.png"), GraphImageFormat::Png, &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

TEST(GraphControl, DataTextFileAndTheExportDialog) {
    GraphControl graph;
    PlotTwoCurves(graph);
    const std::string expected =
        "Curve\tWavelength\tDN\r\na\t350\t0.5\r\nb\t350\t2\r\nb\t351\t3\r\nb\t352\t1E+20\r\n";
    ASSERT_TRUE(graph.ExportData(PathOf("direct.txt")));
    EXPECT_EQ(ReadAll(PathOf("direct.txt")), expected);

    std::string error;
    EXPECT_FALSE(graph.ShowExportDialog(&error));  // no runner yet
    EXPECT_FALSE(error.empty());

    const std::string target = PathOf("dialog.txt");
    graph.SetDialogRunner([&](QDialog& dialog) {
        Child<QComboBox>(dialog, "format")->setCurrentIndex(2);
        Child<QLineEdit>(dialog, "file")->setText(QString::fromStdString(target));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(graph.ShowExportDialog(&error)) << error;
    EXPECT_EQ(ReadAll(target), expected);

    graph.SetDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
    error = "x";
    EXPECT_FALSE(graph.ShowExportDialog(&error));
    EXPECT_TRUE(error.empty());
}

TEST(GraphControl, AReplacedExportKeepsItsModeOrAtLeastItsContent) {
    GraphControl graph;
    PlotTwoCurves(graph);
    const std::string path = PathOf("direct.txt");
    WriteAll(path, "earlier");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(graph.ExportData(path));
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    // Where the file system refuses modes (FAT, some shares), the export is
    // written all the same.
    for (const int error : {ENOSYS, EPERM}) {
        WriteAll(path, "earlier");
        const AttributesRefused refused(error);
        std::string said;
        EXPECT_TRUE(graph.ExportImage(path, GraphImageFormat::Svg, &said)) << error << said;
        EXPECT_NE(ReadAll(path).find("<svg"), std::string::npos);
    }
}

TEST(GraphControl, PixelsAndGraphValuesConvertBothWays) {
    GraphControl graph;
    graph.resize(800, 500);
    PlotTwoCurves(graph);
    graph.SetProperty(58, int16_t{3});
    graph.SetProperty(59, int32_t{2500});
    graph.SetProperty(60, int32_t{350});
    graph.SetProperty(55, int32_t{3});
    graph.SetProperty(56, int16_t{0});
    graph.SetProperty(57, 2.1);
    for (const QPointF p : {QPointF(350, 0), QPointF(1000, 1.3), QPointF(2500, 2.1)}) {
        const auto pixel = graph.GraphToPixel(0, p);
        ASSERT_TRUE(pixel);
        EXPECT_TRUE(graph.rect().contains(pixel->toPoint()));
        const auto back = graph.PixelToGraph(0, *pixel);
        ASSERT_TRUE(back);
        const auto onePixel = *graph.PixelToGraph(0, *pixel + QPointF(1, 1)) - *back;
        EXPECT_LE(std::fabs(back->x() - p.x()), std::fabs(onePixel.x()));
        EXPECT_LE(std::fabs(back->y() - p.y()), std::fabs(onePixel.y()));
    }
    // Larger x lies to the right, larger y higher up.
    EXPECT_LT(graph.GraphToPixel(0, {400, 1})->x(), graph.GraphToPixel(0, {500, 1})->x());
    EXPECT_GT(graph.GraphToPixel(0, {400, 1})->y(), graph.GraphToPixel(0, {400, 2})->y());
    EXPECT_FALSE(graph.PixelToGraph(1, {10, 10}).has_value());
}

TEST(GraphControl, MouseMovesAreReportedAndKept) {
    GraphControl graph;
    graph.resize(400, 300);
    std::vector<std::tuple<int, int, float, float>> moves;
    QObject::connect(
        &graph, &GraphControl::MouseMoved,
        [&](int button, int shift, float x, float y) { moves.emplace_back(button, shift, x, y); });
    QMouseEvent first(QEvent::MouseMove, QPointF(120, 80), QPointF(120, 80), Qt::NoButton,
                      Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&graph, &first);
    QMouseEvent second(QEvent::MouseMove, QPointF(33, 44), QPointF(33, 44), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&graph, &second);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0], std::make_tuple(1, 1, 120.0f, 80.0f));
    EXPECT_EQ(moves[1], std::make_tuple(0, 0, 33.0f, 44.0f));
    EXPECT_EQ(graph.LastMousePixel(), QPoint(33, 44));
}

TEST(GraphControl, PointCursorFollowsClicksAndArrowKeys) {
    GraphControl graph;
    graph.resize(600, 400);
    PlotTwoCurves(graph);
    graph.SetProperty(55, int32_t{1});
    graph.SetProperty(56, 0.0);
    graph.SetProperty(57, 4.0);
    std::vector<std::pair<int, int>> moves;
    QObject::connect(&graph, &GraphControl::CursorMoved,
                     [&](int curve, int point) { moves.emplace_back(curve, point); });
    const auto click = [&](QPointF at) {
        QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&graph, &press);
    };
    const auto key = [&](int which) {
        QKeyEvent press(QEvent::KeyPress, which, Qt::NoModifier);
        QApplication::sendEvent(&graph, &press);
    };
    const QPointF b351 = *graph.GraphToPixel(0, {351, 3});
    click(b351 + QPointF(3, -2));
    EXPECT_TRUE(moves.empty());  // the cursor is off until 258 is 1

    graph.SetProperty(258, int16_t{1});
    click(b351 + QPointF(3, -2));
    key(Qt::Key_Left);
    key(Qt::Key_Left);     // nothing further left
    key(Qt::Key_Up);       // no curve above
    key(Qt::Key_Down);     // curve "a" has data at 350
    key(Qt::Key_Right);    // but none to its right: -9999 and NaN are gaps
    click(QPointF(1, 1));  // far from every point
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 1}, {1, 0}, {0, 0}}));
}

TEST(GraphControl, LookFileRoundTripAndDamagedFiles) {
    GraphControl styled;
    PlotTwoCurves(styled);
    styled.SetProperty(428, true);
    styled.SetProperty(54, 4.0);
    styled.SetProperty(134, 1, int32_t{5});
    styled.SetProperty(259, int32_t{1});
    const std::string path = PathOf("SaveGraph.bin");
    std::string error;
    ASSERT_TRUE(styled.SaveLook(path, &error)) << error;

    GraphControl loaded;
    ASSERT_TRUE(loaded.LoadLook(path, &error)) << error;
    EXPECT_EQ(Snapshot(loaded, false), Snapshot(styled, false));
    EXPECT_TRUE(std::isnan(NumberOf(loaded.GetProperty(222, 1, 0))));  // no data comes along

    // Every prefix and many one-byte changes: refused with the control as it
    // was, or loaded; never anything else.
    const std::string bytes = ReadAll(path);
    GraphControl target;
    target.SetProperty(9, std::string("before"));
    const std::string damaged = PathOf("damaged.bin");
    const auto tryLoad = [&](const std::string& content) {
        WriteAll(damaged, content);
        const auto before = Snapshot(target, false);
        std::string reason;
        if (!target.LoadLook(damaged, &reason)) {
            EXPECT_FALSE(reason.empty());
            EXPECT_EQ(Snapshot(target, false), before);
        }
    };
    for (size_t length = 0; length < bytes.size(); ++length) {
        tryLoad(bytes.substr(0, length));
    }
    std::mt19937 random(15);
    for (int i = 0; i < 2000; ++i) {
        std::string changed = bytes;
        changed[random() % changed.size()] = static_cast<char>(random() % 256);
        tryLoad(changed);
    }
    EXPECT_FALSE(target.LoadLook(PathOf("none.bin"), &error));
    EXPECT_NE(error.find("none.bin"), std::string::npos);
    WriteAll(damaged, std::string(1024 * 1024 + 1, '\0'));
    EXPECT_FALSE(target.LoadLook(damaged, &error));

    // What is no plain file is refused before it is opened: a pipe would
    // wait for a writer, a folder reads as nothing.
    const auto before = Snapshot(target, false);
    const std::string pipe = PathOf("pipe.bin");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(target.LoadLook(pipe, &error));
    EXPECT_EQ(error, "Cannot read \"" + pipe + "\": it is not a file.");
    std::filesystem::create_directory(PathOf("folder.bin"));
    EXPECT_FALSE(target.LoadLook(PathOf("folder.bin"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Snapshot(target, false), before);
}

TEST(GraphControl, PrintsToThePrinterItHolds) {
    GraphControl graph;
    graph.resize(500, 300);
    PlotTwoCurves(graph);
    graph.Printer().setOutputFormat(QPrinter::PdfFormat);
    graph.Printer().setOutputFileName(QString::fromStdString(PathOf("graph.pdf")));
    std::string error;
    EXPECT_FALSE(graph.Print(true, &error));  // no runner to ask with
    EXPECT_FALSE(error.empty());

    bool asked = false;
    graph.SetDialogRunner([&](QDialog& dialog) {
        asked = qobject_cast<QPrintDialog*>(&dialog) != nullptr;
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(graph.Print(true, &error)) << error;
    EXPECT_TRUE(asked);
    EXPECT_EQ(ReadAll(PathOf("graph.pdf")).substr(0, 4), "%PDF");

    graph.Printer().setOutputFileName(QString::fromStdString(PathOf("missing/graph.pdf")));
    EXPECT_FALSE(graph.Print(false, &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

TEST(GraphControl, CustomizeDialogChangesTheLookAndReportsIt) {
    GraphControl graph;
    PlotTwoCurves(graph);
    graph.SetProperty(134, 0, int16_t{5});
    std::vector<std::string> events;
    QObject::connect(&graph, &GraphControl::LegendChanged, [&] { events.push_back("legend"); });
    QObject::connect(&graph, &GraphControl::Relayout, [&] { events.push_back("relayout"); });
    QObject::connect(&graph, &GraphControl::AfterCustomize, [&] { events.push_back("after"); });

    graph.SetDialogRunner([&](QDialog& dialog) {
        if (auto* colours = qobject_cast<QColorDialog*>(&dialog)) {
            colours->setCurrentColor(QColor(0, 255, 0));
            return int(QDialog::Accepted);
        }
        Child<QLineEdit>(dialog, "title")->setText("New title");
        Child<QLineEdit>(dialog, "yTitle")->setText("Reflectance");
        Child<QCheckBox>(dialog, "legend")->setChecked(true);
        Child<QPushButton>(dialog, "colour1")->click();
        Child<QComboBox>(dialog, "lineType1")->setCurrentIndex(8);
        return int(QDialog::Accepted);
    });
    std::string error;
    ASSERT_TRUE(graph.ShowCustomizeDialog(&error)) << error;
    EXPECT_EQ(std::get<std::string>(*graph.GetProperty(9)), "New title");
    EXPECT_EQ(std::get<std::string>(*graph.GetProperty(33)), "Reflectance");
    EXPECT_EQ(std::get<bool>(*graph.GetProperty(428)), true);
    EXPECT_EQ(NumberOf(graph.GetProperty(132, 1)), 65280.0);
    EXPECT_EQ(NumberOf(graph.GetProperty(134, 1)), 8.0);
    // What the user left alone keeps the value and the type it was written with.
    EXPECT_EQ(*graph.GetProperty(132, 0), GraphValue{int32_t{255}});
    EXPECT_EQ(*graph.GetProperty(134, 0), GraphValue{int16_t{5}});
    EXPECT_EQ(events, (std::vector<std::string>{"legend", "relayout", "after"}));

    // Cancel: nothing changes, nothing is reported.
    events.clear();
    graph.SetDialogRunner([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("title")->setText("Thrown away");
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(graph.ShowCustomizeDialog(&error));
    EXPECT_EQ(std::get<std::string>(*graph.GetProperty(9)), "New title");
    EXPECT_TRUE(events.empty());
}

TEST(GraphControl, NoValueHangsOrBreaksTheDrawing) {
    GraphControl graph;
    graph.resize(300, 200);
    PlotTwoCurves(graph);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double big = std::numeric_limits<double>::max();
    const double ranges[][2] = {{0, 0},           {nan, nan},     {-big, big},    {inf, -inf},
                                {1e-310, 1e-310}, {5, 5 + 1e-14}, {1e300, -1e300}};
    QImage image(graph.size(), QImage::Format_ARGB32_Premultiplied);
    for (const auto& range : ranges) {
        graph.SetProperty(55, int16_t{1});
        graph.SetProperty(56, range[0]);
        graph.SetProperty(57, range[1]);
        graph.SetProperty(58, int16_t{1});
        graph.SetProperty(59, range[1]);
        graph.SetProperty(60, range[0]);
        graph.SetProperty(256, true);
        graph.SetProperty(54, range[0]);
        graph.render(&image);
    }
    // Data at the ends of a double, drawn in an automatic range.
    graph.SetProperty(55, int16_t{0});
    graph.SetProperty(58, int16_t{0});
    graph.SetProperty(222, 0, 0, -big);
    graph.SetProperty(250, 0, 0, big);
    graph.SetProperty(222, 1, 1, 1e-320);
    graph.render(&image);
    graph.resize(3, 2);  // no room for a plot at all
    graph.render(&image);
    EXPECT_FALSE(graph.PixelToGraph(0, {1, 1}).has_value());
}
