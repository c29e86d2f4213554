// Typed reading (and, on the tool side, writing) of the resource opened by name ID. Values are raw little-endian
// copies, a text is its bytes and a zero byte, a data block is a record whose first u32 is its own size.
// Every failure throws CGP_FatalExeption; each write reaches the file before it returns, so a full disk is
// reported by the write that met it.
#pragma once
#include <cstdint>
#include <cstdio>

class CGP_IOManager;

class CGP_BinaryServer {
public:
    static constexpr std::size_t MaxTextLength = 4095;

    explicit CGP_BinaryServer(CGP_IOManager* io);
    CGP_BinaryServer(const CGP_BinaryServer&) = delete;
    CGP_BinaryServer& operator=(const CGP_BinaryServer&) = delete;
    // Closes the write stream, and the read stream unless it belongs to a pack.
    virtual ~CGP_BinaryServer();

    // Positions the manager's pack at the resource (throws when no pack holds it); false without a name table.
    bool OpenRead(std::uint32_t id);
    // Tool side: creates the resource's loose file.
    bool OpenWrite(std::uint32_t id);

    void Write(std::int32_t value);
    void Write(float value);
    void Write(std::uint32_t value);
    void Write(std::int8_t value);
    void Write(std::uint8_t value);
    void Write(std::uint16_t value);
    void WriteText(const char* text);
    // The whole record, as long as its first u32 says.
    void WriteData(const void* block);

    void Read(std::int32_t& value);
    void Read(float& value);
    void Read(std::uint32_t& value);
    void Read(std::int8_t& value);
    void Read(std::uint8_t& value);
    void Read(std::uint16_t& value);
    // A new text (delete[]) of at most MaxTextLength characters.
    void ReadText(char*& text);
    // A record into a block of blockSize bytes: its stored size must equal blockSize and exceed 4.
    void ReadData(void* block, std::uint32_t blockSize);
    // A value the record just read gave beyond what any sound record holds (a position, size or count): the
    // fatal engine exception that names the resource and the value.
    [[noreturn]] void ThrowOutOfBounds(int line, const char* what) const;

    CGP_IOManager* io = nullptr;
    std::uint32_t currentID = 0xFFFFFFFF;
    std::FILE* readStream = nullptr;
    std::FILE* writeStream = nullptr;

private:
    struct Lines {
        int noStream;
        int incomplete;
    };
    void Put(const void* data, std::size_t size, Lines lines);
    void Take(void* data, std::size_t size, Lines lines);
    // The error text with the name of the current resource.
    [[noreturn]] void ThrowNamed(int line, const char* format) const;
    [[noreturn]] void ThrowWriteError(int line) const;
    [[noreturn]] void ThrowReadError(int line) const;
    void CheckReadStream(int line) const;
    void CheckWriteStream(int line) const;
    void CloseReadStream();
};
