#include "GP_IOManager.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GP_Exception.h"
#include "GP_NameServer.h"
#include "GP_PackTrailer.h"
#include "platform/unique_file.h"

namespace {

constexpr const char* Module = "GP_IOManager";
constexpr int NotFoundLine = 130;
constexpr int WriteNotFoundLine = 165;
constexpr int CannotCreateLine = 176;
constexpr std::size_t CopyBufferSize = 32768;

[[noreturn]] void ThrowCannotCreate(const char* path)
{
    throw CGP_FatalExeption(Module, CannotCreateLine, FormatNew("Невозможно открыть файл %s для записи.", path),
                            nullptr, 1);
}

// The decimal value of a text taken as a signed number, its low 16 bits kept.
std::uint16_t VersionOf(const char* text)
{
    return static_cast<std::uint16_t>(static_cast<std::int32_t>(std::strtol(text, nullptr, 10)));
}

// Locators and the trailer offset are 32-bit, and 0xFFFFFFFF means "not in the pack".
void CheckPackSize(std::uint64_t offset)
{
    if (offset >= GP_NoLocator)
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Пакет ресурсов больше 4 ГБ"), nullptr, 1);
}

class PackWriter {
public:
    PackWriter(std::FILE* stream, const char* path) : stream(stream), path(path) {}

    void Put(const void* data, std::size_t size)
    {
        if (size && std::fwrite(data, size, 1, stream) != 1) Fail();
    }

    // Copies the rest of the file into the pack; the number of bytes copied.
    std::uint64_t CopyFrom(std::FILE* file)
    {
        std::uint64_t copied = 0;
        std::size_t got;
        do {
            got = std::fread(buffer.data(), 1, buffer.size(), file);
            Put(buffer.data(), got);
            copied += got;
        } while (got == buffer.size());
        return copied;
    }

    [[noreturn]] void Fail() const
    {
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Ошибка при записи в файл %s", path), nullptr, 1);
    }

private:
    std::FILE* stream;
    const char* path;
    std::vector<char> buffer = std::vector<char>(CopyBufferSize);
};

// Copies the loose file of each name of the group into the pack at the running offset, which becomes the name's
// locator; a name whose file cannot be opened gets GP_NoLocator.
void CopyLooseFiles(GP_NameGroup& group, PackWriter& pack, std::uint64_t& running)
{
    for (std::uint32_t n = 0; n < group.GetCount(); ++n) {
        GP_NameEntry* entry = group.GetEntry(n);
        const platform::UniqueFile loose = platform::OpenUniqueFile(group.directory + entry->text, "rb");
        if (!loose) {
            entry->locator = GP_NoLocator;
            continue;
        }
        CheckPackSize(running);
        entry->locator = static_cast<std::uint32_t>(running);
        running += pack.CopyFrom(loose.get());
    }
}

}  // namespace

CGP_IOManager::CGP_IOManager(std::FILE* pack1, std::FILE* pack2, CGP_NameServer* names, CGP_GameMainFrame* owner)
    : packShared(pack1 || pack2 ? 1 : 0), names(names), pack1(pack1), pack2(pack2), owner(owner)
{
}

void CGP_IOManager::SetPackFile(std::FILE* stream)
{
    pack1 = stream;
    if (stream) packShared = 1;
}

std::FILE* CGP_IOManager::OpenRead(std::uint32_t id)
{
    if (!names) return nullptr;
    if (const GP_NameGroup* group = names->GetGroup(GP_GroupOf(id))) {
        std::FILE* pack = nullptr;
        if (pack1 && group->storage == GP_StorageFirstPack)
            pack = pack1;
        else if (pack2 && group->storage == GP_StorageSecondPack)
            pack = pack2;
        const GP_NameEntry* entry = names->GetEntry(GP_IndexOf(id), GP_GroupOf(id));
        if (pack && entry->locator != GP_NoLocator && std::fseek(pack, entry->locator, SEEK_SET) == 0) return pack;
    }
    throw CGP_FatalExeption(Module, NotFoundLine,
                            FormatNew("Попытка чтения файла по идентификатору %ld,\n не найденному в таблице имён",
                                      static_cast<long>(static_cast<std::int32_t>(id))),
                            nullptr, 1);
}

std::FILE* CGP_IOManager::OpenWrite(std::uint32_t id)
{
    if (!names) return nullptr;
    char* fullPath = nullptr;
    names->GetPath(fullPath, id);
    if (!fullPath)
        throw CGP_FatalExeption(Module, WriteNotFoundLine,
                                FormatNew("Попытка записи файла по идентификатору %ld,\n не найденному в таблице имён",
                                          static_cast<long>(static_cast<std::int32_t>(id))),
                                nullptr, 1);
    std::unique_ptr<char[]> fullOwner(fullPath);
    std::unique_ptr<char[]> loose(LoosePath(fullPath));
    if (!loose) ThrowCannotCreate(fullPath);
    std::FILE* stream = platform::OpenFile(loose.get(), "wb");
    if (!stream) ThrowCannotCreate(loose.get());
    return stream;
}

const char* CGP_IOManager::GetGroupMask(std::uint32_t id) const
{
    const GP_NameGroup* group = names ? names->GetGroup(GP_GroupOf(id)) : nullptr;
    return group ? group->mask.c_str() : nullptr;
}

char* CGP_IOManager::LoosePath(const char* fullPath)
{
    if (!fullPath) return nullptr;
    const std::string path(fullPath);
    const std::size_t last = path.find_last_of("\\/");
    if (last == std::string::npos || last == 0) return nullptr;
    const std::size_t before = path.find_last_of("\\/", last - 1);
    if (before == std::string::npos) return nullptr;
    const std::string loose = "RESOURCE\\" + path.substr(before + 1, last - before - 1) + "\\" + path.substr(last + 1);
    char* result = new char[loose.size() + 1];
    std::memcpy(result, loose.c_str(), loose.size() + 1);
    return result;
}

void CGP_IOManager::BuildPack(const char* path) { BuildPackOf(path, GP_StorageFirstPack); }

void CGP_IOManager::BuildInterfacePack(const char* path) { BuildPackOf(path, GP_StorageSecondPack); }

void CGP_IOManager::BuildPackOf(const char* path, std::uint32_t storage)
{
    const char* title = names ? names->GetName(GP_PackTitleName, 0) : nullptr;
    const char* major = names ? names->GetName(GP_PackMajorVersionName, 0) : nullptr;
    const char* minor = names ? names->GetName(GP_PackMinorVersionName, 0) : nullptr;
    const char* fileName = names ? names->GetName(GP_PackFileNameName, 0) : nullptr;
    if (!title || !major || !minor || !fileName)
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("В группе 0 таблицы имён нет имён 2, 3, 4 и 8"), nullptr,
                                1);

    platform::UniqueFile owned = platform::OpenUniqueFile(path, "wb");
    if (!owned) ThrowCannotCreate(path);
    std::FILE* stream = owned.get();
    PackWriter pack(stream, path);
    if (!GP_WritePackTrailerOffset(stream, 0)) pack.Fail();  // a placeholder until the trailer's place is known
    std::uint64_t running = sizeof(std::uint32_t);

    for (std::uint32_t g = 0; g < names->GetGroupCount(); ++g) {
        GP_NameGroup* group = names->GetGroup(g);
        if (group->storage == storage) CopyLooseFiles(*group, pack, running);
    }
    CheckPackSize(running);

    const GP_PackTrailer trailer{VersionOf(major), VersionOf(minor), title, fileName};
    if (!trailer.Write(stream)) pack.Fail();
    names->Save(stream);
    if (!GP_WritePackTrailerOffset(stream, static_cast<std::uint32_t>(running))) pack.Fail();
    if (std::fclose(owned.release()) != 0) pack.Fail();
}
