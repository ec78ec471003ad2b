// The stack-checked call: arguments reach the callee as 32-bit words in declaration order,
// the result comes back, and a callee that leaves the stack pointer elsewhere is detected.
#include "probe/stack_checked_call.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

namespace {

template <class Function, class = void>
struct AcceptsTwoInts : std::false_type {};
template <class Function>
struct AcceptsTwoInts<Function,
                      std::void_t<decltype(stackCheckedCall(std::declval<Function>(), 1, 2))>>
    : std::true_type {};

// A function pointer of another calling convention does not compile.
static_assert(AcceptsTwoInts<int(WINAPI*)(int, int)>::value);
static_assert(!AcceptsTwoInts<int(__cdecl*)(int, int)>::value);

int WINAPI subtractThree(int a, int b, int c) {
    return a - b - c;
}

LONG WINAPI weighPoint(POINT point, int scale) {
    return (point.x * 1000 + point.y) * scale;
}

HWND WINAPI fillRect(HWND window, LPRECT rect) {
    *rect = {-8, -8, 1288, 1008};
    return window;
}

DWORD WINAPI answer() {
    return 0xC1A4;
}

int WINAPI throwing(int code) {
    throw std::runtime_error(std::to_string(code));
}

// Wrong convention: the caller is meant to remove these arguments.
int __cdecl cdeclTwo(int a, int b) {
    return a + b;
}
int __cdecl cdeclNone() {
    return 7;
}

TEST(StackCheckedCall, StdcallFunctionsGetTheirArgumentsInOrderAndBalanceTheStack) {
    const auto difference = stackCheckedCall(&subtractThree, 100, 20, 3);
    EXPECT_TRUE(difference.stackBalanced);
    EXPECT_EQ(difference.value, 77);

    // A POINT by value is two words, x first.
    const auto weighed = stackCheckedCall(&weighPoint, POINT{12, 34}, -2);
    EXPECT_TRUE(weighed.stackBalanced);
    EXPECT_EQ(weighed.value, -24068);

    RECT rect = {};
    const HWND window = reinterpret_cast<HWND>(0xA0B2C);
    const auto filled = stackCheckedCall(&fillRect, window, &rect);
    EXPECT_TRUE(filled.stackBalanced);
    EXPECT_EQ(filled.value, window);
    EXPECT_EQ(rect.left, -8);
    EXPECT_EQ(rect.bottom, 1008);

    const auto none = stackCheckedCall(&answer);
    EXPECT_TRUE(none.stackBalanced);
    EXPECT_EQ(none.value, 0xC1A4u);
}

TEST(StackCheckedCall, CdeclFunctionWithArgumentsCalledAsStdcallIsUnbalanced) {
    using StdcallTwo = int(WINAPI*)(int, int);
    const auto wrong = reinterpret_cast<StdcallTwo>(reinterpret_cast<void*>(&cdeclTwo));
    const auto call = stackCheckedCall(wrong, 40, 2);
    EXPECT_FALSE(call.stackBalanced);
    EXPECT_EQ(call.value, 42);  // the call itself worked; the stack is restored afterwards

    // The stack is usable afterwards: a correct call still balances.
    EXPECT_TRUE(stackCheckedCall(&subtractThree, 1, 1, 1).stackBalanced);
}

TEST(StackCheckedCall, ReportsHowFarTheStackPointerMoved) {
    const uint32_t words[] = {40, 2, 0};
    struct Case {
        const char* name;
        const void* function;
        size_t count;
        int32_t difference;
    };
    const Case cases[] = {
        {"stdcall, exact arguments", reinterpret_cast<const void*>(&subtractThree), 3, 0},
        {"cdecl leaves two words", reinterpret_cast<const void*>(&cdeclTwo), 2, -8},
        {"cdecl without arguments", reinterpret_cast<const void*>(&cdeclNone), 0, 0},
        // The callee removes three words of which only two were pushed.
        {"stdcall removes one word too many", reinterpret_cast<const void*>(&subtractThree), 2, 4},
    };
    for (const Case& c : cases) {
        const StackCheckedWordCall call = callWithStackCheck(c.function, words, c.count);
        EXPECT_EQ(call.stackDifference, c.difference) << c.name;
    }
}

TEST(StackCheckedCall, ExceptionFromTheCalleeUnwindsThroughTheCall) {
    EXPECT_THROW(stackCheckedCall(&throwing, 5), std::runtime_error);
    EXPECT_TRUE(stackCheckedCall(&subtractThree, 3, 2, 1).stackBalanced);
}

}  // namespace
