// The guarded call: fatal signals are caught on an alternate stack, described in Windows terms and carried out
// of the body with siglongjmp; the filter runs afterwards, on the caller's stack, where it may open dialogs.
// A fault on another thread cannot jump to the guarded thread's stack: that thread describes its fault, hands it
// to the guarded thread with a signal of its own and waits there for the process to end.
#include "platform/structured_exceptions.h"

#include <pthread.h>
#include <signal.h>
#include <ucontext.h>

#include <atomic>
#include <csetjmp>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <iterator>
#include <utility>

namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP};
constexpr std::size_t kSignalCount = std::size(kFatalSignals);
constexpr std::uintptr_t kStackGuardReach = 64 * 1024;  // faults this close to the stack's end are overflows

constexpr int kExitAfterFault = -1;  // what a guarded program returns after a handled fault

sigjmp_buf escape;
volatile sig_atomic_t guarded = 0;
pthread_t guardedThread;
std::atomic<bool> faultClaimed{false};  // the first fault of any thread is the one reported
bool faultOnAnotherThread = false;
int faultSignal = 0;
EXCEPTION_RECORD faultRecord;
CONTEXT faultContext;
std::exception_ptr thrownOut;
struct sigaction previousActions[kSignalCount];
std::uintptr_t stackLow = 0;
alignas(64) std::byte alternateStack[256 * 1024];

void NoteStackBounds()
{
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) != 0) return;
    void* low = nullptr;
    std::size_t size = 0;
    if (pthread_attr_getstack(&attributes, &low, &size) == 0) stackLow = reinterpret_cast<std::uintptr_t>(low);
    pthread_attr_destroy(&attributes);
}

bool NearStackEnd(std::uintptr_t address)
{
    return stackLow != 0 && address + kStackGuardReach >= stackLow && address < stackLow + kStackGuardReach;
}

DWORD ArithmeticCode(int code)
{
    switch (code) {
    case FPE_INTDIV: return platform::kExceptionIntDivideByZero;
    case FPE_INTOVF: return platform::kExceptionIntOverflow;
    case FPE_FLTDIV: return platform::kExceptionFltDivideByZero;
    case FPE_FLTOVF: return 0xC0000091;
    case FPE_FLTUND: return 0xC0000093;
    case FPE_FLTRES: return 0xC000008F;
    default: return platform::kExceptionFltInvalid;
    }
}

DWORD CodeOf(int signal, const siginfo_t* info)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    switch (signal) {
    case SIGSEGV:
        return NearStackEnd(address) ? platform::kExceptionStackOverflow : platform::kExceptionAccessViolation;
    case SIGBUS:
        return info->si_code == BUS_ADRALN ? platform::kExceptionDatatypeMisalignment
                                           : platform::kExceptionAccessViolation;
    case SIGFPE: return ArithmeticCode(info->si_code);
    case SIGILL:
        return info->si_code == ILL_PRVOPC ? platform::kExceptionPrivilegedInstruction
                                           : platform::kExceptionIllegalInstruction;
    default: return platform::kExceptionBreakpoint;
    }
}

void DescribeFault(int signal, const siginfo_t* info, const void* machineContext)
{
    faultRecord = EXCEPTION_RECORD{};
    faultContext = CONTEXT{};
    faultRecord.ExceptionCode = CodeOf(signal, info);
#if defined(__x86_64__)
    const greg_t* registers = static_cast<const ucontext_t*>(machineContext)->uc_mcontext.gregs;
    const auto segments = static_cast<ULONG_PTR>(registers[REG_CSGSFS]);
    faultContext = CONTEXT{.SegCs = segments & 0xFFFF,
                           .Eip = static_cast<ULONG_PTR>(registers[REG_RIP]),
                           .SegGs = (segments >> 16) & 0xFFFF,
                           .SegFs = (segments >> 32) & 0xFFFF,
                           .SegEs = 0,
                           .SegDs = 0,
                           .SegSs = (segments >> 48) & 0xFFFF,
                           .Eax = static_cast<ULONG_PTR>(registers[REG_RAX]),
                           .Ebx = static_cast<ULONG_PTR>(registers[REG_RBX]),
                           .Ecx = static_cast<ULONG_PTR>(registers[REG_RCX]),
                           .Edx = static_cast<ULONG_PTR>(registers[REG_RDX]),
                           .Esi = static_cast<ULONG_PTR>(registers[REG_RSI]),
                           .Edi = static_cast<ULONG_PTR>(registers[REG_RDI]),
                           .Esp = static_cast<ULONG_PTR>(registers[REG_RSP]),
                           .Ebp = static_cast<ULONG_PTR>(registers[REG_RBP])};
    const bool writing = (registers[REG_ERR] & 2) != 0;
#else
    (void)machineContext;
    const bool writing = false;
#endif
    faultRecord.ExceptionAddress = reinterpret_cast<PVOID>(faultContext.Eip);
    if (faultRecord.ExceptionCode == platform::kExceptionAccessViolation) {
        faultRecord.NumberParameters = 2;
        faultRecord.ExceptionInformation[0] = writing ? 1 : 0;
        faultRecord.ExceptionInformation[1] = reinterpret_cast<ULONG_PTR>(info->si_addr);
    }
}

std::size_t SignalIndex(int signal)
{
    for (std::size_t i = 0; i < kSignalCount; ++i)
        if (kFatalSignals[i] == signal) return i;
    return 0;
}

// The signal with which a thread that faulted hands its fault to the guarded thread.
int HandOverSignal() { return SIGRTMIN + 1; }

bool OnGuardedThread() { return pthread_equal(pthread_self(), guardedThread) != 0; }

[[noreturn]] void LeaveGuardedBody()
{
    guarded = 0;
    siglongjmp(escape, 1);
}

[[noreturn]] void WaitForTheEnd()
{
    for (;;) pause();
}

void OnFatalSignal(int signal, siginfo_t* info, void* machineContext)
{
    if (!guarded) {
        // Not ours: the fault happens again under the handler that was there before.
        sigaction(signal, &previousActions[SignalIndex(signal)], nullptr);
        return;
    }
    const bool first = !faultClaimed.exchange(true);
    if (first) {
        faultSignal = signal;
        faultOnAnotherThread = !OnGuardedThread();
        DescribeFault(signal, info, machineContext);
    }
    if (OnGuardedThread()) LeaveGuardedBody();
    if (first) pthread_kill(guardedThread, HandOverSignal());
    WaitForTheEnd();  // this thread cannot go on; the guarded thread ends the process
}

void OnHandOver(int, siginfo_t*, void*)
{
    if (guarded && faultClaimed) LeaveGuardedBody();
}

class SignalGuard {
public:
    SignalGuard()
    {
        stack_t stack{};
        stack.ss_sp = alternateStack;
        stack.ss_size = sizeof alternateStack;
        sigaltstack(&stack, &previousStack_);
        struct sigaction action {};
        action.sa_sigaction = OnFatalSignal;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kSignalCount; ++i) sigaction(kFatalSignals[i], &action, &previousActions[i]);
        action.sa_sigaction = OnHandOver;
        sigaction(HandOverSignal(), &action, &previousHandOver_);
    }
    ~SignalGuard()
    {
        sigaction(HandOverSignal(), &previousHandOver_, nullptr);
        for (std::size_t i = 0; i < kSignalCount; ++i) sigaction(kFatalSignals[i], &previousActions[i], nullptr);
        sigaltstack(&previousStack_, nullptr);
    }

private:
    stack_t previousStack_{};
    struct sigaction previousHandOver_ {};
};

void CallCatching(platform::GuardedBody body, void* context)
{
    try {
        body(context);
    } catch (...) {
        thrownOut = std::current_exception();
    }
}

void DescribeThrownObject()
{
    faultSignal = 0;
    faultRecord = EXCEPTION_RECORD{};
    faultRecord.ExceptionCode = platform::kExceptionCodeCpp;
    faultContext = CONTEXT{};
}

}  // namespace

namespace platform {

bool RunGuarded(GuardedBody body, void* context, ExceptionFilter filter)
{
    thrownOut = nullptr;
    faultClaimed = false;
    faultOnAnotherThread = false;
    guardedThread = pthread_self();
    NoteStackBounds();
    {
        SignalGuard signals;
        if (sigsetjmp(escape, 1) == 0) {
            guarded = 1;
            CallCatching(body, context);
            guarded = 0;
            if (!thrownOut) return true;
            DescribeThrownObject();
        }
    }
    EXCEPTION_POINTERS pointers{&faultRecord, &faultContext};
    if (filter(faultRecord.ExceptionCode, &pointers) == EXCEPTION_EXECUTE_HANDLER) {
        thrownOut = nullptr;
        // The thread that faulted is stopped where it was, perhaps holding what the caller's tidy-up would wait
        // for, so nothing more is torn down.
        if (faultOnAnotherThread) std::_Exit(kExitAfterFault);
        return false;
    }
    if (thrownOut) std::rethrow_exception(std::exchange(thrownOut, nullptr));
    signal(faultSignal, SIG_DFL);
    raise(faultSignal);
    return false;
}

}  // namespace platform
