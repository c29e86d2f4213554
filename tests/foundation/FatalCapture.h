// Turns the library's deliberate process end into an exception for one test, and keeps what the fatal
// message box showed ("title: text\n" per box; headless boxes print themselves on stderr).
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/process.h"

struct ProcessEnded {
    int exitCode;
};

class FatalCapture {
public:
    FatalCapture()
    {
        testing::internal::CaptureStderr();
        platform::SetEndProcessHook([](int code) { throw ProcessEnded{code}; });
    }
    ~FatalCapture()
    {
        platform::SetEndProcessHook(nullptr);
        testing::internal::GetCapturedStderr();
    }
    FatalCapture(const FatalCapture&) = delete;
    FatalCapture& operator=(const FatalCapture&) = delete;

    // Moves the boxes printed since the last call into shown.
    void Collect()
    {
        const std::string printed = testing::internal::GetCapturedStderr();
        testing::internal::CaptureStderr();
        const std::string open = "MessageBox \"", answered = "\nMessageBox answered";
        for (std::size_t at = printed.find(open); at != std::string::npos; at = printed.find(open, at + 1)) {
            const std::size_t titleEnd = printed.find("\": ", at);
            if (titleEnd == std::string::npos) break;
            std::size_t textEnd = printed.find(answered, titleEnd);
            if (textEnd == std::string::npos) textEnd = printed.size();
            shown += printed.substr(at + open.size(), titleEnd - at - open.size()) + ": " +
                     printed.substr(titleEnd + 3, textEnd - titleEnd - 3) + "\n";
        }
    }

    std::string shown;
};

// Runs statement, which must end the process with -1; the message shown is added to capture.shown.
#define EXPECT_FATAL(capture, statement)                                 \
    do {                                                                 \
        int exitCode_ = 0;                                               \
        try {                                                            \
            statement;                                                   \
        } catch (const ProcessEnded& ended) {                            \
            exitCode_ = ended.exitCode;                                  \
        }                                                                \
        (capture).Collect();                                             \
        EXPECT_EQ(exitCode_, -1) << "expected a fatal end: " #statement; \
    } while (0)
