#pragma once

#include "SimulatedRadioPort.h"
#include "../UiHarness.h"

#include "files/ScopedEnvironment.h"
#include "sim/RadioModel.h"
#include "ui/clone/FrmMain.h"
#include "ui/clone/RadioTransfers.h"

#include <QAction>
#include <QCheckBox>
#include <QObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

namespace vn574::test {

inline const std::string dataDir = VN574_TEST_DATA_DIR;
inline constexpr const char* simPort = "/dev/pts/sim";

inline sim::Memory memoryFromFile(const std::string& path) {
    const std::string bytes = readFile(path);
    sim::Memory memory{};
    std::memcpy(memory.data(), bytes.data(), std::min(bytes.size(), memory.size()));
    return memory;
}

inline sim::Memory withPassword(sim::Memory memory, std::string_view password) {
    std::fill(memory.begin() + 64, memory.begin() + 80, std::uint8_t{0});
    std::copy(password.begin(), password.end(), memory.begin() + 64);
    return memory;
}

inline QPushButton* button(QWidget& window, const char* name) {
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

// The main window with the simulated radio on its transfer port.
struct TransferRig {
    explicit TransferRig(const sim::Memory& memory, sim::Faults faults = {})
        : radio(memory, faults) {
        environment.set("XDG_DATA_HOME", ui.dir.file("data"));
        ui.settings.commPort = simPort;
        transfers().setEnvironment(simulatedEnvironment(radio, log, {"ttyS0", "ttyUSB0"}));
        // Every clone window is started as soon as it shows.
        transfers().setCloneWindowHook([this](vn574::ui::clone::frmMain& window) {
            ++windows;
            caption = window.windowTitle();
            height = window.height();
            startCaption = button(window, "cmdStart")->text();
            closeCaption = button(window, "cmdClose")->text();
            passwordControlsShown = !window.findChild<QCheckBox*>()->isHidden();
            auto* bar = window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
            barMaximum = bar->maximum();
            QObject::connect(bar, &QProgressBar::valueChanged, &window,
                             [this](int value) { lastProgress = value; });
            if (beforeStart) {
                beforeStart(window);
            }
            QTimer::singleShot(0, &window, [&window] { button(window, "cmdStart")->click(); });
            if (afterStart) {
                afterStart(window);
            }
        });
    }

    vn574::ui::clone::RadioTransfers& transfers() const { return ui.window().transfers(); }
    void trigger(const char* name) const {
        ui.window().findChild<QAction*>(QString::fromLatin1(name))->trigger();
    }
    [[nodiscard]] std::string text(const char* key) const {
        return ui.settings.language.text("RW", key);
    }
    [[nodiscard]] int framesNamed(const std::string& frame) const {
        const auto& frames = radio.frames();
        return static_cast<int>(std::count(frames.begin(), frames.end(), frame));
    }

    // Backups and the transfer history go to the test's own folder.
    files::filetest::ScopedEnvironment environment;
    UiHarness ui;
    sim::RadioModel radio;
    LineLog log;
    std::function<void(vn574::ui::clone::frmMain&)> beforeStart;
    std::function<void(vn574::ui::clone::frmMain&)> afterStart;
    int windows = 0;
    QString caption;
    int height = 0;
    QString startCaption;
    QString closeCaption;
    bool passwordControlsShown = false;
    int barMaximum = 0;
    int lastProgress = -1;
};

} // namespace vn574::test
