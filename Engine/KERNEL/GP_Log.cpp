#include "GP_Log.h"

#include <string>

#include "platform/files.h"
#include "platform/win32_time.h"

CGP_Log* GP_SessionLog = nullptr;

void GP_LogWrite(const char* text)
{
    if (GP_SessionLog) GP_SessionLog->Write(text);
}

CGP_Log::CGP_Log(const char* path) : path(path ? path : "") {}

CGP_Log::~CGP_Log()
{
    if (stream) WriteBlock("END SESSION");
    stream.reset();
    if (GP_SessionLog == this) GP_SessionLog = nullptr;
}

void CGP_Log::Open()
{
    long size = -1;
    if (const platform::UniqueFile existing = platform::OpenUniqueFile(path, "rb")) {
        if (std::fseek(existing.get(), 0, SEEK_END) == 0) size = std::ftell(existing.get());
    }
    stream = platform::OpenUniqueFile(path, size >= 0 && size < RecreateSize ? "a" : "w");
    GP_SessionLog = this;
    WriteBlock("BEGIN SESSION");
}

void CGP_Log::Write(const char* text)
{
    if (!stream || !text) return;
    std::fputs(text, stream.get());
    std::fflush(stream.get());
}

void CGP_Log::WriteBlock(const char* heading)
{
    const std::string dashes(57, '-');
    const std::string block = dashes + "\n" + heading + ": " + platform::LocalDateTimeText(true) + "\n" + dashes + "\n";
    Write(block.c_str());
}
