// The reflectance batch as a user runs it: through the main window, shown on
// the offscreen platform with its progress bar, lists and pointer, over 2,000
// full-size version-7 files. Against it, reading and writing the same bytes
// with plain calls:
//   (a)  plain read + direct write of outputs of the batch's size, empty folder
//   (b)  the batch into an empty output folder
//   (a') plain read + write to a temporary file renamed over an existing output
//   (c)  the batch again over its own outputs, "Yes to All" at the first prompt
// All four in one run, each the best of its iterations, so that the ratios
// b/a and c/a' compare like with like on a machine busy with other work.
//
// A second benchmark runs the first-derivative batch through the same window
// against the same plain pass.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "app/main_window.h"
#include "frame/file_message.h"
#include "frame/settings.h"
#include "platform/ui/qt_ui.h"
#include "support/spectrum_builder.h"

namespace fs = std::filesystem;

namespace {

constexpr int FileCount = 2000;
constexpr std::size_t OutputSize = 484 + 2151 * 4;

// The program's own interface, except that the boxes answer themselves as a
// user would who wants the run done: OK, and "Yes to All" at the first
// overwrite prompt. Drawing, the pointer and DoEvents stay the real ones.
class AnsweringUi : public QtUserInterface {
public:
    int MsgBox(const std::string& prompt, int, const std::string&) override {
        LastMessage = prompt;
        return vbOK;
    }
    int ShowModal(QDialog& dialog) override {
        if (auto* prompt = qobject_cast<frmFileMessage*>(&dialog)) {
            prompt->Command1(2)->click();
        }
        return dialog.result();
    }
    std::string LastMessage;
};

struct Workspace {
    fs::path root = fs::temp_directory_path() / "lumivex-bench-reflectance";
    std::vector<std::string> inputs;

    Workspace() {
        fs::remove_all(root);
        fs::create_directories(root / "in");
        fs::create_directories(root / "config");
        std::vector<double> values(2151), reference(2151);
        for (std::size_t i = 0; i < values.size(); ++i) {
            values[i] = 1000.0 + static_cast<double>(i % 97);
            reference[i] = 2000.0 + static_cast<double>(i % 89);
        }
        auto file = MakeCompleteSpectrum(7, values);
        file.ReferenceValues = reference;
        const auto bytes = file.Bytes();
        for (int i = 0; i < FileCount; ++i) {
            const auto path = root / "in" / ("leaf" + std::to_string(i) + ".001");
            WriteBytes(path.string(), bytes);
            inputs.push_back(path.string());
        }
    }
    ~Workspace() { fs::remove_all(root); }

    // An empty folder of its own for each pass: removing the last pass's
    // thousands of files would leave the file system busy during the next.
    std::string FreshFolder(const std::string& name) {
        const auto folder = root / (name + std::to_string(++folders));
        fs::create_directories(folder);
        return folder.string();
    }
    int folders = 0;
};

// The plain passes use the system's calls directly: one read of the whole
// input, one write of the whole output, the least any program can do.
std::vector<char> ReadWhole(const std::string& input) {
    std::vector<char> buffer;
    const int descriptor = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (descriptor >= 0 && ::fstat(descriptor, &status) == 0) {
        buffer.resize(static_cast<std::size_t>(status.st_size));
        if (::read(descriptor, buffer.data(), buffer.size()) !=
            static_cast<ssize_t>(buffer.size())) {
            buffer.clear();
        }
    }
    if (descriptor >= 0) {
        ::close(descriptor);
    }
    return buffer;
}

void WriteWhole(const fs::path& target, const std::vector<char>& bytes, int flags) {
    const int descriptor = ::open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0666);
    if (descriptor < 0 ||
        ::write(descriptor, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        std::fprintf(stderr, "plain pass: %s could not be written\n", target.c_str());
    }
    if (descriptor >= 0) {
        ::close(descriptor);
    }
}

// (a): read each input whole, write an output of the batch's size directly.
void PlainDirectPass(const Workspace& ws, const std::string& folder) {
    const std::vector<char> output(OutputSize, 1);
    for (const auto& input : ws.inputs) {
        const auto buffer = ReadWhole(input);
        benchmark::DoNotOptimize(buffer.data());
        const auto target = fs::path(folder) / (fs::path(input).filename().string() + ".ref");
        WriteWhole(target, output, O_EXCL);
    }
}

// (a'): the same, but each output is written beside the existing one and
// renamed over it.
void PlainReplacingPass(const Workspace& ws, const std::string& folder) {
    const std::vector<char> output(OutputSize, 2);
    for (const auto& input : ws.inputs) {
        const auto buffer = ReadWhole(input);
        benchmark::DoNotOptimize(buffer.data());
        const auto target = fs::path(folder) / (fs::path(input).filename().string() + ".ref");
        auto temporary = target;
        temporary += ".part0";
        WriteWhole(temporary, output, O_EXCL);
        fs::rename(temporary, target);
    }
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of the iterations: on a machine shared with other work the fastest
// pass is the one least disturbed.
struct Best {
    double seconds = 1e300;
    double operator+=(double s) { return seconds = std::min(seconds, s); }
    double ms() const { return 1000 * seconds; }
};

// The main window, shown, with the inputs in its visible list; the launcher is
// then called as its menu item would.
class Window {
public:
    explicit Window(const Workspace& ws) {
        previous_ = InstallUserInterface(&ui);
        SettingsFolder = (ws.root / "config").string() + "/";
        window_ = std::make_unique<frmLVX>();
        ui.Parent = window_.get();
        window_->show();
        QApplication::processEvents();
    }
    ~Window() {
        window_.reset();
        InstallUserInterface(previous_);
    }

    void ShowInputs(const std::vector<std::string>& inputs) {
        window_->List2().Clear();
        for (const auto& input : inputs) {
            window_->List2().AddItem(input);
        }
        window_->EnableProcessMenus();
        // Until the list is laid out: a user starts the batch on a list shown
        // long before, and the first question of a run would otherwise lay it
        // out inside the timed run.
        QApplication::processEvents(QEventLoop::AllEvents, 1000);
    }

    frmLVX& operator*() { return *window_; }
    AnsweringUi ui;

private:
    std::unique_ptr<frmLVX> window_;
    UserInterface* previous_ = nullptr;
};

void Check(benchmark::State& state, Window& window, const std::string& expected) {
    QApplication::processEvents();
    if (window.ui.LastMessage != expected || (*window).List2().ListCount() != FileCount) {
        state.SkipWithError(("the batch ended with \"" + window.ui.LastMessage + "\"").c_str());
    }
}

void ReflectanceBatchThroughTheWindow(benchmark::State& state) {
    Workspace ws;
    Window window(ws);
    const std::string done = std::to_string(FileCount) + " Files Processed";
    Best a, b, a2, c;
    for (auto _ : state) {
        const std::string plain = ws.FreshFolder("plain");
        OutputDirectory = ws.FreshFolder("out");

        a += Seconds([&] { PlainDirectPass(ws, plain); });
        window.ShowInputs(ws.inputs);
        const double batch = Seconds([&] { (*window).Reflectance(); });
        b += batch;
        Check(state, window, done);

        a2 += Seconds([&] { PlainReplacingPass(ws, plain); });
        window.ShowInputs(ws.inputs);
        const double again = Seconds([&] { (*window).Reflectance(); });
        c += again;
        Check(state, window, done);
        state.SetIterationTime(batch + again);
    }
    state.counters["a_plain_ms"] = a.ms();
    state.counters["b_batch_ms"] = b.ms();
    state.counters["a2_plain_replace_ms"] = a2.ms();
    state.counters["c_batch_replace_ms"] = c.ms();
    state.counters["b_over_a"] = b.seconds / a.seconds;
    state.counters["c_over_a2"] = c.seconds / a2.seconds;
}
BENCHMARK(ReflectanceBatchThroughTheWindow)
    ->Iterations(15)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The derivative batch reads version-1 reflectances; the inputs are the
// reflectance batch's own outputs.
void FirstDerivativeBatchThroughTheWindow(benchmark::State& state) {
    Workspace ws;
    Window window(ws);
    OutputDirectory = ws.FreshFolder("ref");
    window.ShowInputs(ws.inputs);
    (*window).Reflectance();
    std::vector<std::string> reflectances;
    for (int i = 0; i < (*window).List2().ListCount(); ++i) {
        reflectances.push_back((*window).List2().List(i));
    }
    const std::string done = std::to_string(FileCount) + " Files Processed.";
    Best a, b;
    for (auto _ : state) {
        const std::string plain = ws.FreshFolder("plain");
        OutputDirectory = ws.FreshFolder("out");
        a += Seconds([&] { PlainDirectPass(ws, plain); });
        window.ShowInputs(reflectances);
        const double batch = Seconds([&] { (*window).Deriv1(); });
        b += batch;
        Check(state, window, done);
        state.SetIterationTime(batch);
    }
    state.counters["a_plain_ms"] = a.ms();
    state.counters["b_batch_ms"] = b.ms();
    state.counters["b_over_a"] = b.seconds / a.seconds;
}
BENCHMARK(FirstDerivativeBatchThroughTheWindow)
    ->Iterations(15)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The window reads its command line for files to open: give it none.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
