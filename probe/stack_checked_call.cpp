// The i686 thunk behind callWithStackCheck: it notes the stack pointer, pushes the argument
// words, calls, and reports how far the callee left the stack pointer from the noted one.
#include "probe/stack_checked_call.h"

#if !defined(__i386__)
#error "the stack-checked call is written for 32-bit x86"
#endif

extern "C" uint32_t probeStackCheckedThunk(const void* function, const uint32_t* words,
                                           uint32_t count, int32_t* stackDifference);

// cdecl: uint32_t probeStackCheckedThunk(function, words, count, stackDifference).
// ebx holds the noted stack pointer across the call: every Windows calling convention
// preserves it. A 64-byte gap below the saved registers keeps them intact when a callee
// removes more than its arguments and something then uses the stack below its stack
// pointer. The frame is described for the unwinder, so an exception thrown by a callee
// still unwinds through here.
asm(R"(
    .text
    .p2align 4
    .globl _probeStackCheckedThunk
    .def _probeStackCheckedThunk; .scl 2; .type 32; .endef
_probeStackCheckedThunk:
    .cfi_startproc
    pushl %ebp
    .cfi_def_cfa_offset 8
    .cfi_offset %ebp, -8
    movl %esp, %ebp
    .cfi_def_cfa_register %ebp
    pushl %ebx
    .cfi_offset %ebx, -12
    pushl %esi
    .cfi_offset %esi, -16
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    subl $64, %esp
    movl %esp, %ebx
1:
    testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:
    call *8(%ebp)
    movl %esp, %ecx
    subl %ebx, %ecx
    leal 64(%ebx), %esp
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    popl %esi
    popl %ebx
    popl %ebp
    .cfi_def_cfa %esp, 4
    ret
    .cfi_endproc
)");

StackCheckedWordCall callWithStackCheck(const void* function, const uint32_t* words, size_t count) {
    int32_t stackDifference = 0;
    const uint32_t returnValue =
        probeStackCheckedThunk(function, words, static_cast<uint32_t>(count), &stackDifference);
    return {returnValue, stackDifference};
}
