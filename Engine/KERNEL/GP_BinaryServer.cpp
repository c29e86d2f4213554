#include "GP_BinaryServer.h"

#include <cstring>

#include "GP_Exception.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"

namespace {

constexpr const char* Module = "GP_BinaryServer";
const char* const NoWriteStreamText = "Попытка записи в неоткрытый для записи файл";
const char* const NoReadStreamText = "Попытка чтения из неоткрытого для чтения файла";

}  // namespace

CGP_BinaryServer::CGP_BinaryServer(CGP_IOManager* io) : io(io) {}

CGP_BinaryServer::~CGP_BinaryServer()
{
    if (writeStream) std::fclose(writeStream);
    CloseReadStream();
}

void CGP_BinaryServer::CloseReadStream()
{
    if (readStream && !(io && io->packShared)) std::fclose(readStream);
    readStream = nullptr;
}

bool CGP_BinaryServer::OpenRead(std::uint32_t id)
{
    CloseReadStream();
    readStream = io ? io->OpenRead(id) : nullptr;
    currentID = readStream ? id : 0xFFFFFFFF;
    return readStream != nullptr;
}

bool CGP_BinaryServer::OpenWrite(std::uint32_t id)
{
    if (writeStream) std::fclose(writeStream);
    writeStream = nullptr;
    writeStream = io ? io->OpenWrite(id) : nullptr;
    currentID = writeStream ? id : 0xFFFFFFFF;
    return writeStream != nullptr;
}

void CGP_BinaryServer::ThrowNamed(int line, const char* format) const
{
    const char* name = io && io->names ? io->names->GetName(GP_IndexOf(currentID), GP_GroupOf(currentID)) : nullptr;
    throw CGP_FatalExeption(Module, line, FormatNew(format, name ? name : "none"), nullptr, 1);
}

void CGP_BinaryServer::ThrowOutOfBounds(int line, const char* what) const
{
    const char* name = io && io->names ? io->names->GetName(GP_IndexOf(currentID), GP_GroupOf(currentID)) : nullptr;
    throw CGP_FatalExeption(Module, line,
                            FormatNew("The record %s is damaged: its %s is out of bounds", name ? name : "none", what),
                            nullptr, 1);
}

void CGP_BinaryServer::ThrowWriteError(int line) const { ThrowNamed(line, "Ошибка при записи в файл %s"); }

void CGP_BinaryServer::ThrowReadError(int line) const { ThrowNamed(line, "Ошибка при чтении из файла %s"); }

void CGP_BinaryServer::CheckWriteStream(int line) const
{
    if (!writeStream) throw CGP_FatalExeption(Module, line, FormatNew("%s", NoWriteStreamText), nullptr, 1);
}

void CGP_BinaryServer::CheckReadStream(int line) const
{
    if (!readStream) throw CGP_FatalExeption(Module, line, FormatNew("%s", NoReadStreamText), nullptr, 1);
}

void CGP_BinaryServer::Put(const void* data, std::size_t size, Lines lines)
{
    CheckWriteStream(lines.noStream);
    // Flushed at once: a buffered value that the disk refuses later would be lost without a word, as nothing
    // reports the close of a write stream.
    if (size == 0 || std::fwrite(data, size, 1, writeStream) != 1 || std::fflush(writeStream) != 0)
        ThrowWriteError(lines.incomplete);
}

void CGP_BinaryServer::Take(void* data, std::size_t size, Lines lines)
{
    CheckReadStream(lines.noStream);
    if (size == 0 || std::fread(data, size, 1, readStream) != 1) ThrowReadError(lines.incomplete);
}

void CGP_BinaryServer::Write(std::int32_t value) { Put(&value, sizeof value, {103, 105}); }
void CGP_BinaryServer::Write(std::int8_t value) { Put(&value, sizeof value, {110, 112}); }
void CGP_BinaryServer::Write(std::uint8_t value) { Put(&value, sizeof value, {117, 119}); }
void CGP_BinaryServer::Write(float value) { Put(&value, sizeof value, {124, 126}); }
void CGP_BinaryServer::Write(std::uint32_t value) { Put(&value, sizeof value, {131, 133}); }
void CGP_BinaryServer::Write(std::uint16_t value) { Put(&value, sizeof value, {138, 140}); }

void CGP_BinaryServer::WriteText(const char* text)
{
    CheckWriteStream(145);
    if (!text) ThrowWriteError(147);
    Put(text, std::strlen(text) + 1, {145, 147});
}

void CGP_BinaryServer::WriteData(const void* block)
{
    CheckWriteStream(152);
    std::uint32_t size = 0;
    if (block) std::memcpy(&size, block, sizeof size);
    Put(block, size, {152, 154});
}

void CGP_BinaryServer::Read(std::int32_t& value) { Take(&value, sizeof value, {163, 165}); }
void CGP_BinaryServer::Read(std::int8_t& value) { Take(&value, sizeof value, {170, 172}); }
void CGP_BinaryServer::Read(std::uint8_t& value) { Take(&value, sizeof value, {177, 179}); }
void CGP_BinaryServer::Read(float& value) { Take(&value, sizeof value, {184, 186}); }
void CGP_BinaryServer::Read(std::uint32_t& value) { Take(&value, sizeof value, {191, 193}); }
void CGP_BinaryServer::Read(std::uint16_t& value) { Take(&value, sizeof value, {198, 200}); }

void CGP_BinaryServer::ReadText(char*& text)
{
    text = nullptr;
    CheckReadStream(205);
    char scratch[MaxTextLength + 1];
    std::size_t length = 0;
    for (;;) {
        const int c = std::fgetc(readStream);
        if (c == EOF || (length == MaxTextLength && c != 0)) ThrowReadError(213);
        if (c == 0) break;
        scratch[length++] = static_cast<char>(c);
    }
    text = new char[length + 1];
    std::memcpy(text, scratch, length);
    text[length] = '\0';
}

void CGP_BinaryServer::ReadData(void* block, std::uint32_t blockSize)
{
    std::uint32_t storedSize = 0;
    Read(storedSize);
    constexpr std::uint32_t SizeField = sizeof storedSize;
    if (storedSize <= SizeField || storedSize != blockSize) ThrowReadError(231);
    Take(static_cast<char*>(block) + SizeField, storedSize - SizeField, {225, 231});
    std::memcpy(block, &storedSize, SizeField);
}
