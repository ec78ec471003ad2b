// Calls a function bound at run time in the Windows standard calling convention and reports
// whether the callee left the stack pointer exactly where it was before the arguments.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

struct StackCheckedWordCall {
    uint32_t returnValue;     // eax after the call
    int32_t stackDifference;  // stack pointer after the call minus before the arguments
};

// Pushes count argument words (words[count - 1] first, so words[0] ends lowest, as the
// first argument), calls function and measures the stack pointer; the stack pointer is
// restored whatever the callee did to it.
StackCheckedWordCall callWithStackCheck(const void* function, const uint32_t* words, size_t count);

template <class Result>
struct StackCheckedResult {
    Result value;
    bool stackBalanced;
};

namespace stack_checked_call_detail {

template <class T>
struct Identity {
    using Type = T;
};

// An argument occupies whole 32-bit stack slots: scalars one, small records by value
// (a POINT is x then y) as many as their size needs.
template <class T>
constexpr size_t wordCount() {
    static_assert(std::is_trivially_copyable_v<T> && sizeof(T) % 4 == 0 && sizeof(T) > 0,
                  "an argument must fill whole 32-bit stack slots");
    return sizeof(T) / 4;
}

template <class T>
void storeWords(uint32_t* words, const T& value) {
    if constexpr (std::is_pointer_v<T>) {
        static_assert(sizeof(T) == 4, "32-bit pointers only");
        words[0] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(value));
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
        static_assert(sizeof(T) == 4, "32-bit integers only");
        words[0] = static_cast<uint32_t>(value);
    } else {
        std::memcpy(words, &value, sizeof(T));
    }
}

template <class Result>
Result resultFromWord(uint32_t word) {
    static_assert(sizeof(Result) == 4, "the result must come back whole in eax");
    if constexpr (std::is_pointer_v<Result>) {
        return reinterpret_cast<Result>(static_cast<uintptr_t>(word));
    } else {
        return static_cast<Result>(word);
    }
}

}  // namespace stack_checked_call_detail

// The function's type must be a WINAPI one (take it with decltype from the Windows
// declaration): a pointer of another calling convention does not convert, so it cannot
// be called here by mistake.
template <class Result, class... Args>
StackCheckedResult<Result> stackCheckedCall(
    Result(WINAPI* function)(Args...),
    typename stack_checked_call_detail::Identity<Args>::Type... args) {
    using namespace stack_checked_call_detail;
    constexpr size_t totalWords = (size_t{0} + ... + wordCount<Args>());
    std::array<uint32_t, totalWords == 0 ? 1 : totalWords> words{};
    [[maybe_unused]] size_t next = 0;
    ((storeWords<Args>(words.data() + next, args), next += wordCount<Args>()), ...);
    const StackCheckedWordCall call =
        callWithStackCheck(reinterpret_cast<const void*>(function), words.data(), totalWords);
    return {resultFromWord<Result>(call.returnValue), call.stackDifference == 0};
}
