// endProgram and runTimeError.
#include "ui/program_exit.h"

#include <string>

#include "ui/error_report.h"

void ProgramExit::endProgram(int32_t exitCode) {
    events_.suspend();  // never resumed: no event is delivered from here on
    if (window_ != nullptr)
        window_->endForExit();
    if (probe_ != nullptr)
        probe_->releaseModules();
    ExitProcess(static_cast<UINT>(exitCode));
}

void ProgramExit::runTimeError(std::string_view message, int32_t errorCode) {
    events_.suspend();  // never resumed: not even timer ticks are delivered under the box
    try {
        showRunTimeErrorBox(message, errorCode);
    } catch (...) {
        // Without memory for the text the box cannot be shown; the program still ends.
    }
    endProgram(kFatalExitCode);
}

void showRunTimeErrorBox(std::string_view message, int32_t errorCode) {
    const std::string text = runTimeErrorText(message, errorCode);
    MessageBoxA(nullptr, text.c_str(), kRunTimeErrorCaption, kRunTimeErrorBoxStyle);
}
