// Turns the library's deliberate process end into an exception for one test, and keeps what the fatal
// message box showed.
#pragma once
#include <string>

#include "platform/debug_output.h"
#include "platform/process.h"

struct ProcessEnded {
    int exitCode;
};

class FatalCapture {
public:
    FatalCapture()
    {
        platform::CaptureDebugOutput(&shown);
        platform::SetEndProcessHook([](int code) { throw ProcessEnded{code}; });
    }
    ~FatalCapture()
    {
        platform::SetEndProcessHook(nullptr);
        platform::CaptureDebugOutput(nullptr);
    }
    FatalCapture(const FatalCapture&) = delete;
    FatalCapture& operator=(const FatalCapture&) = delete;

    std::string shown;
};

// Runs statement, which must end the process with -1; the message shown is left in capture.shown.
#define EXPECT_FATAL(capture, statement)                                      \
    do {                                                                      \
        int exitCode_ = 0;                                                    \
        try {                                                                 \
            statement;                                                        \
        } catch (const ProcessEnded& ended) {                                 \
            exitCode_ = ended.exitCode;                                       \
        }                                                                     \
        EXPECT_EQ(exitCode_, -1) << "expected a fatal end: " #statement;     \
    } while (0)
