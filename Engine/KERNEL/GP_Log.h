// The session log "Exception.log": one per run, framed by BEGIN SESSION and END SESSION blocks.
#pragma once
#include <string>

#include "platform/unique_file.h"

class CGP_Log {
public:
    explicit CGP_Log(const char* path);
    CGP_Log(const CGP_Log&) = delete;
    CGP_Log& operator=(const CGP_Log&) = delete;
    // Writes the closing block and closes the file.
    virtual ~CGP_Log();

    // Appends to the file while it is under 512001 bytes, else starts it anew; makes this the run's log and
    // writes the opening block.
    void Open();
    // Writes the text as it stands and flushes at once; does nothing before Open or after a failed one.
    void Write(const char* text);

    static constexpr long RecreateSize = 512001;

private:
    void WriteBlock(const char* heading);

    platform::UniqueFile stream;
    std::string path;
};

// The log of the run, set by CGP_Log::Open; null before.
extern CGP_Log* GP_SessionLog;

// Writes to the run's log when there is one.
void GP_LogWrite(const char* text);
