// Texts by name ID in the player's language. A text record holds up to four language columns: u16 C, C u16
// lengths, then the C texts back to back without terminators. Russian (1049) is column 0, French (1036) 2,
// German (1031) 3, every other language 1.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

class CGP_IOManager;
class CGP_NameServer;

class CGP_TextServer {
public:
    static constexpr std::uint32_t TextKind = 4;

    CGP_TextServer(CGP_IOManager* io, std::uint32_t language);
    CGP_TextServer(const CGP_TextServer&) = delete;
    CGP_TextServer& operator=(const CGP_TextServer&) = delete;

    // The text in the current language, owned by the server; " " for -1, for IDs that are not texts (kind 4) or
    // lie beyond the texts, and when the record has no column for the language. OpenRead's error passes through for an ID no pack holds.
    const char* GetText(std::uint32_t id);
    // With reload, the texts already loaded are read anew in the new language.
    void SetLanguage(std::uint32_t language, bool reload);
    // After a pack change: frees every text and sizes the slots for the new name table.
    void Reset();
    // Frees every text.
    void Clear();

    // Reads one record at the stream's position and returns the current language's column as a new text
    // (delete[]), or null when the record has no such column or ends early.
    char* ReadRecord(std::FILE* stream) const;
    static int ColumnOf(std::uint32_t language);

    std::uint32_t slotCount = 0;
    std::vector<std::unique_ptr<char[]>> slots;
    std::uint32_t language = 0;
    CGP_IOManager* io = nullptr;
    CGP_NameServer* names = nullptr;

private:
    std::unique_ptr<char[]> ReadText(std::uint32_t id) const;
    std::uint32_t CountTexts() const;
};
