// One registry key of the game: created or opened on demand, with named values of four fixed forms. Numbers are
// stored as REG_BINARY of their exact length (1, 2 or 4 bytes), texts as REG_SZ with their zero byte. A query
// whose stored value is longer than its target fails; a shorter one fills only its own bytes, so callers clear
// their targets first. Every operation on values fails while the key is not open.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/win32_registry.h"

class CGP_Registry {
public:
    CGP_Registry(HKEY root, const char* path);
    CGP_Registry(const CGP_Registry&) = delete;
    CGP_Registry& operator=(const CGP_Registry&) = delete;
    virtual ~CGP_Registry();

    bool Create();
    bool Close();
    bool Flush();

    bool SetString(const char* name, const char* text);
    bool SetByte(const char* name, std::uint8_t value);
    bool SetWord(const char* name, std::uint16_t value);
    bool SetDword(const char* name, std::uint32_t value);

    // Texts of up to QueryStringLimit bytes with their zero; the copy always ends in a zero byte.
    bool QueryString(const char* name, std::unique_ptr<char[]>& text);
    bool QueryByte(const char* name, std::uint8_t& value);
    bool QueryWord(const char* name, std::uint16_t& value);
    bool QueryDword(const char* name, std::uint32_t& value);

    static constexpr DWORD QueryStringLimit = 1024;

private:
    bool SetBinary(const char* name, const void* bytes, DWORD size);
    bool QueryBinary(const char* name, void* target, DWORD size);

    HKEY root;
    HKEY key = nullptr;
    std::string path;
};
