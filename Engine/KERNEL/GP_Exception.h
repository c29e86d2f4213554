// The engine's exceptions: every failure the game cannot go on from throws CGP_FatalExeption.
#pragma once
#include <cstdint>

class CGP_Exeption {
public:
    CGP_Exeption(const char* sourcePath, int line, const char* text);
    CGP_Exeption(const CGP_Exeption& other) = default;
    CGP_Exeption& operator=(const CGP_Exeption& other) = default;
    virtual ~CGP_Exeption() = default;

    // A newly allocated text that the caller frees with delete[]:
    // "Line %d in module %s throw exception:\n%s", or without the colon and text when there is none.
    virtual char* GetMessage() const;

    const char* userMessage = nullptr;  // for the player; not owned
    std::uint8_t offerReport = 0;       // the catcher offers the crash report
    const char* text = nullptr;         // the technical description; not owned
    std::uint32_t isFatal = 0;
    std::int32_t line = 0;
    const char* module = nullptr;  // file-name part of the source path
};

class CGP_FatalExeption : public CGP_Exeption {
public:
    // Gives the desktop back (the display leaves full screen) before the exception leaves the thrower.
    CGP_FatalExeption(const char* sourcePath, int line, const char* text, const char* userMessage = nullptr,
                      std::uint8_t offerReport = 0);
    CGP_FatalExeption(const CGP_FatalExeption& other) = default;
    CGP_FatalExeption& operator=(const CGP_FatalExeption& other) = default;
    ~CGP_FatalExeption() override = default;
};

// The part of a source path after its last "\" or "/" (empty when the path ends in one). Points into path.
const char* GP_ModuleName(const char* sourcePath);

// printf-style formatting into a newly allocated text (delete[]) of exactly the formatted length.
char* FormatNew(const char* format, ...) __attribute__((format(printf, 1, 2)));
