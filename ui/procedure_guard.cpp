// The report behind guardedProcedure.
#include "ui/procedure_guard.h"

#include <utility>

namespace {

FailureReport& failureReport() {
    static FailureReport report;
    return report;
}

}  // namespace

void setFailureReport(FailureReport report) {
    failureReport() = std::move(report);
}

void reportEscapedException(bool outOfMemory) noexcept {
    try {
        if (failureReport()) {
            failureReport()(outOfMemory ? "内存不足。" : "处理窗口消息时发生异常。", 0);
        }
    } catch (...) {
        // Nothing more can be done from inside a window procedure.
    }
}
