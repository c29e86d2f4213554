#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

#include "platform/structured_exceptions.h"

namespace {

// What the filter saw, sent from the child that faulted to the test.
struct Seen {
    DWORD code = 0;
    DWORD parameterCount = 0;
    ULONG_PTR parameters[2] = {};
    ULONG_PTR instructionPointer = 0;
    ULONG_PTR stackPointer = 0;
    int guardedResult = -1;
};

Seen seen;

LONG RecordingFilter(DWORD code, EXCEPTION_POINTERS* pointers)
{
    seen.code = code;
    seen.parameterCount = pointers->ExceptionRecord->NumberParameters;
    for (DWORD i = 0; i < 2 && i < seen.parameterCount; ++i)
        seen.parameters[i] = pointers->ExceptionRecord->ExceptionInformation[i];
    seen.instructionPointer = pointers->ContextRecord->Eip;
    seen.stackPointer = pointers->ContextRecord->Esp;
    return EXCEPTION_EXECUTE_HANDLER;
}

// A page that is never mapped, and not null: the sanitizers would stop a null access before the machine does.
volatile int* volatile nowhere = reinterpret_cast<volatile int*>(16);
volatile int zero = 0;
volatile int sink = 0;
volatile int bottomless = 1 << 30;

void ReadNowhere(void*) { sink = *nowhere; }
void WriteNowhere(void*) { *nowhere = 1; }
// Divided by the machine itself, since a division by zero in C++ never reaches it in a sanitized build.
void DivideByZero(void*)
{
#if defined(__x86_64__)
    int quotient = 10;
    const int divisor = zero;
    asm volatile("cltd\n\tidivl %1" : "+a"(quotient) : "r"(divisor) : "edx");
    sink = quotient;
#else
    sink = 10 / zero;
#endif
}
void Trap(void*) { __builtin_trap(); }
void Breakpoint(void*) { raise(SIGTRAP); }
void ThrowObject(void*) { throw std::runtime_error("thrown past the body"); }
int Recurse(int depth)
{
    volatile char frame[512];
    frame[0] = static_cast<char>(depth);
    return depth > bottomless ? 0 : Recurse(depth + 1) + frame[0];
}
void OverflowStack(void*) { sink = Recurse(0); }

// The child's guarded thread and the channel to the test, for filters that report from inside the child.
pthread_t guardedThread;
int reportChannel = -1;

struct ChildRun {
    Seen seen;
    int status = 0;  // the child's wait status
};

// Runs body guarded by the filter in a child process; what was seen comes back through the channel, written by
// the child after the guarded call returned or by a filter that reports itself.
ChildRun RunGuardedInChild(platform::GuardedBody body, platform::ExceptionFilter filter)
{
    int channel[2];
    if (::pipe(channel) != 0) std::abort();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        reportChannel = channel[1];
        guardedThread = pthread_self();
        seen.guardedResult = platform::RunGuarded(body, nullptr, filter) ? 1 : 0;
        if (::write(channel[1], &seen, sizeof seen) != sizeof seen) ::_exit(2);
        ::_exit(0);
    }
    ::close(channel[1]);
    ChildRun run;
    const ssize_t got = ::read(channel[0], &run.seen, sizeof run.seen);
    ::close(channel[0]);
    ::waitpid(child, &run.status, 0);
    EXPECT_EQ(got, static_cast<ssize_t>(sizeof run.seen)) << "nothing came back from the child";
    return run;
}

// Runs body guarded in a child process and returns what its filter saw.
Seen RunInChild(platform::GuardedBody body)
{
    const ChildRun run = RunGuardedInChild(body, RecordingFilter);
    EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0) << "the child did not end normally";
    return run.seen;
}

TEST(StructuredExceptions, EachFaultReachesTheFilterWithItsCode)
{
    struct Case {
        const char* name;
        platform::GuardedBody body;
        DWORD code;
    };
    const Case cases[] = {
        {"read through null", ReadNowhere, platform::kExceptionAccessViolation},
        {"integer division by zero", DivideByZero, platform::kExceptionIntDivideByZero},
        {"trap instruction", Trap, platform::kExceptionIllegalInstruction},
        {"breakpoint", Breakpoint, platform::kExceptionBreakpoint},
        {"thrown object", ThrowObject, platform::kExceptionCodeCpp},
        {"stack overflow", OverflowStack, platform::kExceptionStackOverflow},
    };
    for (const Case& c : cases) {
        const Seen result = RunInChild(c.body);
        EXPECT_EQ(result.code, c.code) << c.name;
        EXPECT_EQ(result.guardedResult, 0) << c.name << ": the guarded call ends through the handler";
    }
}

TEST(StructuredExceptions, AnAccessViolationNamesTheKindOfAccessAndTheAddress)
{
    const Seen reading = RunInChild(ReadNowhere);
    ASSERT_EQ(reading.parameterCount, 2u);
    EXPECT_EQ(reading.parameters[0], 0u);
    EXPECT_EQ(reading.parameters[1], 16u);
#if defined(__x86_64__)
    EXPECT_NE(reading.instructionPointer, 0u);
    EXPECT_NE(reading.stackPointer, 0u);
#endif
    const Seen writing = RunInChild(WriteNowhere);
    ASSERT_EQ(writing.parameterCount, 2u);
    EXPECT_EQ(writing.parameters[0], 1u);
}

// Reports what it saw at once, since the child does not return from a fault of another thread; its guarded result
// tells whether the filter ran on the guarded thread.
LONG ReportingFilter(DWORD code, EXCEPTION_POINTERS* pointers)
{
    RecordingFilter(code, pointers);
    seen.guardedResult = pthread_equal(pthread_self(), guardedThread) ? 1 : 0;
    if (::write(reportChannel, &seen, sizeof seen) != sizeof seen) ::_exit(2);
    return EXCEPTION_EXECUTE_HANDLER;
}

std::mutex mixerLock;

TEST(StructuredExceptions, AFaultOnAnotherThreadIsFilteredOnTheGuardedThreadAndEndsTheProcessWithMinusOne)
{
    struct Case {
        const char* name;
        platform::GuardedBody body;
    };
    const Case cases[] = {
        {"guarded thread waits for the other", [](void*) { std::thread([] { ReadNowhere(nullptr); }).join(); }},
        {"guarded thread waits for a lock the faulting thread holds",
         [](void*) {
             std::thread other([] {
                 mixerLock.lock();
                 WriteNowhere(nullptr);
             });
             while (mixerLock.try_lock()) mixerLock.unlock();
             std::lock_guard<std::mutex> wait(mixerLock);
             other.join();
         }},
        {"guarded thread goes on working",
         [](void*) {
             std::thread(DivideByZero, nullptr).detach();
             for (;;) sink = sink + 1;
         }},
    };
    for (const Case& c : cases) {
        const auto [result, status] = RunGuardedInChild(c.body, ReportingFilter);
        EXPECT_EQ(result.guardedResult, 1) << c.name << ": the filter runs on the guarded thread";
        EXPECT_NE(result.code, 0u) << c.name;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 255) << c.name << ": status " << status;
    }
}

TEST(StructuredExceptions, ABodyThatReturnsIsNotFiltered)
{
    bool ran = false;
    seen = Seen{};
    EXPECT_TRUE(platform::RunGuarded([](void* ran) { *static_cast<bool*>(ran) = true; }, &ran, RecordingFilter));
    EXPECT_TRUE(ran);
    EXPECT_EQ(seen.code, 0u);
}

TEST(StructuredExceptions, AThrownObjectTheFilterDeclinesIsThrownOn)
{
    EXPECT_THROW(platform::RunGuarded(ThrowObject, nullptr,
                                      [](DWORD, EXCEPTION_POINTERS*) { return EXCEPTION_CONTINUE_SEARCH; }),
                 std::runtime_error);
}

TEST(StructuredExceptions, AFaultTheFilterDeclinesEndsTheProcessByItsSignal)
{
    const pid_t child = ::fork();
    if (child == 0) {
        platform::RunGuarded(ReadNowhere, nullptr,
                             [](DWORD, EXCEPTION_POINTERS*) { return EXCEPTION_CONTINUE_SEARCH; });
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) != 0));
}

}  // namespace
