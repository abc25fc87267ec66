// The graph window's heaviest plot: 14 spectra of 2,151 points each, drawn
// into a 1600 x 1000 image, and the numbered writes that load them.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QImage>
#include <cmath>

#include "platform/graph/graph_control.h"

namespace {

constexpr int32_t kCurves = 14;
constexpr int32_t kPoints = 2151;

QApplication& Application() {
    static int argc = 1;
    static char name[] = "bench_graph";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

void Style(GraphControl& graph) {
    graph.SetProperty(11, int16_t{kCurves});
    graph.SetProperty(12, int32_t{kPoints});
    graph.SetProperty(9, std::string("Spectral Data"));
    graph.SetProperty(32, std::string("Wavelength"));
    graph.SetProperty(33, std::string("Reflectance"));
    graph.SetProperty(226, int16_t{-9999});
    graph.SetProperty(93, int16_t{-9999});
    graph.SetProperty(428, true);
    for (int32_t c = 0; c < kCurves; ++c) {
        graph.SetProperty(131, c, std::string("spectrum ") + std::to_string(c));
        graph.SetProperty(132, c, int32_t{(c * 0x123457) & 0xFFFFFF});
        graph.SetProperty(180, c, int16_t(c));
    }
}

// The 60,228 writes: x and y of every point of every curve.
void LoadPoints(GraphControl& graph) {
    for (int32_t c = 0; c < kCurves; ++c) {
        for (int32_t p = 0; p < kPoints; ++p) {
            graph.SetProperty(250, c, p, 350.0 + p);
            graph.SetProperty(222, c, p, 0.3 + 0.2 * std::sin(p / 150.0 + c) + 0.01 * c);
        }
    }
}

void BM_RenderPlot(benchmark::State& state) {
    Application();
    GraphControl graph;
    graph.resize(1600, 1000);
    Style(graph);
    LoadPoints(graph);
    graph.SetProperty(108, int16_t{0});
    QImage image(1600, 1000, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        graph.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderPlot)->Unit(benchmark::kMillisecond);

void BM_NumberedWritesOfAPlot(benchmark::State& state) {
    Application();
    GraphControl graph;
    Style(graph);
    for (auto _ : state) {
        LoadPoints(graph);
    }
    state.SetItemsProcessed(state.iterations() * kCurves * kPoints * 2);
}
BENCHMARK(BM_NumberedWritesOfAPlot)->Unit(benchmark::kMillisecond);

}  // namespace
