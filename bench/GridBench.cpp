// The model change as the user sees it: the main window with a full document, the model
// chosen anew, the grid's model reset over all 104 rows and the grid painted again.
// Offscreen the paint goes to the backing store only; the flush to a screen is not in it.
#include "BenchDocument.h"
#include "ui/ChannelGridView.h"
#include "ui/Frm_Radio.h"

#include <QApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

using namespace vn574;

struct FullWindow {
    FullWindow() {
        bench::benchSettings(settings);
        folder = std::filesystem::temp_directory_path() /
                 ("vn574-grid-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        settings.paths.settingsFolder = folder.string();
        window = std::make_unique<ui::Frm_Radio>(settings, prompts);
        window->show();
        bench::fillDocument(window->editor());
        QApplication::processEvents();
    }
    ~FullWindow() {
        window.reset();
        std::filesystem::remove_all(folder);
    }
    FullWindow(const FullWindow&) = delete;
    FullWindow& operator=(const FullWindow&) = delete;

    app::ProcessSettings settings;
    bench::SilentPrompts prompts;
    std::filesystem::path folder;
    std::unique_ptr<ui::Frm_Radio> window;
};

// Counts the paints of a widget, so that the figure is known to include one per change.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

void BM_ModelChangeRepaint(benchmark::State& state) {
    FullWindow full;
    document::Editor& editor = full.window->editor();
    PaintCounter counter;
    full.window->grid()->viewport()->installEventFilter(&counter);
    int model = 2;
    for (auto _ : state) {
        model = model == 2 ? 3 : 2;
        editor.document().bModify = false;
        editor.selectModel(model);
        // What the change posted: the layout and the update of the reset grid, which
        // paints the window's dirty region (the whole grid) before it returns.
        QApplication::processEvents();
    }
    state.counters["grid paints per change"] =
        static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ModelChangeRepaint)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", bench::fastest);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
