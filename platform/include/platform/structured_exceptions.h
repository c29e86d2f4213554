// Machine faults caught as structured exceptions. A guarded call runs a body; a segmentation fault, bus error,
// arithmetic fault, illegal instruction or trap inside it is caught on a stack of its own, described as the
// exception record and register context a Windows filter reads, and the body is left (no destructor of its
// frames runs). A C++ object thrown out of the body is caught the same way as code kExceptionCodeCpp.
// The filter then runs on the caller's stack; it returns EXCEPTION_EXECUTE_HANDLER to end the guarded call, or
// EXCEPTION_CONTINUE_SEARCH to let the fault take its course (the signal's default action, or the object thrown
// on).
#pragma once
#include "platform/win32_base.h"

using ULONG_PTR = std::uintptr_t;
using PVOID = void*;

constexpr DWORD EXCEPTION_MAXIMUM_PARAMETERS = 15;
constexpr LONG EXCEPTION_EXECUTE_HANDLER = 1;
constexpr LONG EXCEPTION_CONTINUE_SEARCH = 0;

struct EXCEPTION_RECORD {
    DWORD ExceptionCode;
    DWORD ExceptionFlags;
    EXCEPTION_RECORD* ExceptionRecord;
    PVOID ExceptionAddress;
    DWORD NumberParameters;
    ULONG_PTR ExceptionInformation[EXCEPTION_MAXIMUM_PARAMETERS];
};

// The registers of the faulting thread under their 32-bit names, holding the 64-bit values of the machine
// (Eip is the instruction pointer, Eax the accumulator, and so on). Segment registers the machine does not
// report are 0.
struct CONTEXT {
    ULONG_PTR SegCs, Eip, SegGs, SegFs, SegEs, SegDs, SegSs;
    ULONG_PTR Eax, Ebx, Ecx, Edx, Esi, Edi, Esp, Ebp;
};

struct EXCEPTION_POINTERS {
    EXCEPTION_RECORD* ExceptionRecord;
    CONTEXT* ContextRecord;
};

namespace platform {

// Codes the guarded call reports besides the machine's.
constexpr DWORD kExceptionAccessViolation = 0xC0000005;
constexpr DWORD kExceptionStackOverflow = 0xC00000FD;
constexpr DWORD kExceptionIntDivideByZero = 0xC0000094;
constexpr DWORD kExceptionIntOverflow = 0xC0000095;
constexpr DWORD kExceptionFltDivideByZero = 0xC000008E;
constexpr DWORD kExceptionFltInvalid = 0xC0000090;
constexpr DWORD kExceptionIllegalInstruction = 0xC000001D;
constexpr DWORD kExceptionPrivilegedInstruction = 0xC0000096;
constexpr DWORD kExceptionDatatypeMisalignment = 0x80000002;
constexpr DWORD kExceptionBreakpoint = 0x80000003;
constexpr DWORD kExceptionCodeCpp = 0xE06D7363;  // a C++ object thrown out of the body

using ExceptionFilter = LONG (*)(DWORD code, EXCEPTION_POINTERS* pointers);
using GuardedBody = void (*)(void* context);

// Runs body(context) under filter: true when the body returned, false when the filter ended it. Calls may not
// nest. A fault on any other thread while the body runs is handed to the calling thread: its body is left and the
// filter runs there as for a fault of its own (the first fault of all is the one described). The thread that
// faulted cannot go on, so when the filter handles such a fault the process ends at once with exit code -1,
// without returning and without running destructors.
PLATFORM_API bool RunGuarded(GuardedBody body, void* context, ExceptionFilter filter);

}  // namespace platform
