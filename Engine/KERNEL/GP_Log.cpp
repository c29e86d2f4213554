#include "GP_Log.h"

#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/win32_time.h"

CGP_Log* GP_SessionLog = nullptr;

void GP_LogWrite(const char* text)
{
    if (GP_SessionLog) GP_SessionLog->Write(text);
}

CGP_Log::CGP_Log(const char* path)
{
    const std::size_t length = path ? std::strlen(path) : 0;
    this->path = new char[length + 1];
    if (path) std::memcpy(this->path, path, length);
    this->path[length] = '\0';
}

CGP_Log::~CGP_Log()
{
    if (stream) {
        WriteBlock("END SESSION");
        std::fclose(stream);
        stream = nullptr;
    }
    if (GP_SessionLog == this) GP_SessionLog = nullptr;
    delete[] path;
}

void CGP_Log::Open()
{
    long size = -1;
    if (std::FILE* existing = platform::OpenFile(path, "rb")) {
        if (std::fseek(existing, 0, SEEK_END) == 0) size = std::ftell(existing);
        std::fclose(existing);
    }
    stream = platform::OpenFile(path, size >= 0 && size < RecreateSize ? "a" : "w");
    GP_SessionLog = this;
    WriteBlock("BEGIN SESSION");
}

void CGP_Log::Write(const char* text)
{
    if (!stream || !text) return;
    std::fputs(text, stream);
    std::fflush(stream);
}

void CGP_Log::WriteBlock(const char* heading)
{
    const std::string dashes(57, '-');
    const std::string block = dashes + "\n" + heading + ": " + platform::LocalDateTimeText(true) + "\n" + dashes + "\n";
    Write(block.c_str());
}
