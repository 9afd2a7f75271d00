#pragma once

#include "app/ProcessSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vn574::app {

// What start-up needs from the machine it runs on, so that every branch can be tested.
class StartupPlatform {
public:
    virtual ~StartupPlatform() = default;

    // The system default locale as a Windows locale identifier (0x0804: Chinese, PRC).
    virtual std::uint32_t systemLocaleId() = 0;

    // Shows the initial setup window modally; it clears settings.firstRun when the
    // link test succeeds.
    virtual void runInitialSetup(ProcessSettings& settings) = 0;

    // The machine's serial ports in discovery order.
    virtual std::vector<std::string> serialPorts() = 0;

    // The default port among them (initComPort); the machine's own rule where it has one
    // (Windows: machineDefaultPort).
    virtual std::string defaultSerialPort();
};

// Maps a POSIX locale name such as "zh_CN.UTF-8" to its Windows locale identifier;
// names not in the table map to 0x0409 (English, United States).
std::uint32_t localeIdFromName(std::string_view posixLocale);

// The locale name the environment chooses for messages (LC_ALL, LC_MESSAGES, LANG).
std::string environmentLocaleName();

// The system's default locale identifier, which picks the language of the first start:
// GetSystemDefaultLCID() on Windows, else the identifier of the environment's locale.
std::uint32_t systemDefaultLocaleId();

// Reads "IsFirstRun". "0" (or "False") means the initial setup has been done; any
// other number, "True", a missing value or text that is no Boolean means it has not,
// so a fresh or damaged installation runs the setup once more rather than never.
bool parseFirstRun(std::string_view value);

enum class StartupOutcome { ShowMainWindow, Exit };

// Interactive: the program a user works with. Picture: the main window is only drawn
// into a file; nobody can answer the initial setup, so it is skipped, and the settings
// folder is read but nothing in it is written or created.
enum class StartupMode { Interactive, Picture };

// The start-up sequence up to (not including) creating the main window. `settings`
// must have its paths set; `portOverride` replaces the default port when given.
StartupOutcome runStartup(ProcessSettings& settings, StartupPlatform& platform,
                          const std::optional<std::string>& portOverride = std::nullopt,
                          StartupMode mode = StartupMode::Interactive);

} // namespace vn574::app
