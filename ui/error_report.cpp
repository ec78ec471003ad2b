// The run-time error box's text.
#include "ui/error_report.h"

#include "core/text_format.h"

std::string runTimeErrorText(std::string_view message, int32_t errorCode) {
    std::string text = "程序发生运行时错误。\r\n\r\n";
    if (errorCode != 0)
        text += "错误代码：" + numberText(errorCode) + "\r\n\r\n";
    if (!message.empty()) {
        text += "错误信息：";
        text += message;
        text += "\r\n";
    }
    return text;
}
