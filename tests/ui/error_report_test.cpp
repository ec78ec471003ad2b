// The text of the run-time error box.
#include "ui/error_report.h"

#include <gtest/gtest.h>

namespace {

TEST(RunTimeErrorText, ShowsTheCodeUnlessZeroAndTheMessageUnlessEmpty) {
    const std::string heading = "程序发生运行时错误。\r\n\r\n";
    const struct {
        const char* message;
        int32_t code;
        std::string text;
    } cases[] = {
        {"", 0, heading},
        {"", 6, heading + "错误代码：6\r\n\r\n"},
        {"", -1, heading + "错误代码：-1\r\n\r\n"},
        {"在库文件“user32.dll”中找不到函数“GetCursorPos”。", 0,
         heading + "错误信息：在库文件“user32.dll”中找不到函数“GetCursorPos”。\r\n"},
        {"调用库函数后堆栈不平衡。", 6,
         heading + "错误代码：6\r\n\r\n错误信息：调用库函数后堆栈不平衡。\r\n"},
        {"x", -2147483647 - 1, heading + "错误代码：-2147483648\r\n\r\n错误信息：x\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runTimeErrorText(c.message, c.code), c.text) << c.message << " " << c.code;
    }
}

}  // namespace
