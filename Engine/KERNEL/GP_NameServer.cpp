#include "GP_NameServer.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "GP_Exception.h"
#include "GP_NameTableScramble.h"
#include "platform/unique_file.h"

namespace {

constexpr const char* Module = "GP_NameServer";
constexpr int LoadFileLine = 199;
const char* const DamagedTableText = "Ошибка при чтении таблицы имён";

GP_NameEntry& NoneEntry()
{
    static GP_NameEntry none{"none", GP_NoLocator};
    return none;
}

[[noreturn]] void ThrowDamaged()
{
    throw CGP_FatalExeption(Module, __LINE__, FormatNew("%s", DamagedTableText), nullptr, 1);
}

// Reads the unscrambled image without ever stepping past its end.
class ImageCursor {
public:
    ImageCursor(const std::uint8_t* data, std::size_t length) : data(data), length(length) {}

    template <typename T>
    T Take()
    {
        if (length - at < sizeof(T)) ThrowDamaged();
        T value;
        std::memcpy(&value, data + at, sizeof(T));
        at += sizeof(T);
        return value;
    }

    // A zero-terminated text of at most MaxTextLength characters.
    const char* TakeText()
    {
        const std::size_t limit = std::min(length - at, CGP_NameServer::MaxTextLength + 1);
        const void* end = std::memchr(data + at, 0, limit);
        if (!end) ThrowDamaged();
        const char* text = reinterpret_cast<const char*>(data + at);
        at = static_cast<const std::uint8_t*>(end) - data + 1;
        return text;
    }

private:
    const std::uint8_t* data;
    std::size_t length;
    std::size_t at = 0;
};

void SkipText(std::FILE* stream)
{
    for (;;) {
        const int c = std::fgetc(stream);
        if (c == EOF) ThrowDamaged();
        if (c == 0) return;
    }
}

// Builds the plain image; refuses what the reader could not take back.
class ImageBuilder {
public:
    template <typename T>
    void Put(T value)
    {
        const char* bytes = reinterpret_cast<const char*>(&value);
        image.append(bytes, sizeof(T));
    }

    void PutText(std::string_view text)
    {
        if (text.size() > CGP_NameServer::MaxTextLength)
            throw CGP_FatalExeption(Module, __LINE__, FormatNew("Имя в таблице имён длиннее 1023 символов"), nullptr,
                                    1);
        image.append(text);
        image.push_back('\0');
    }

    std::string image;
};

// A group as the table image stores it; its name records follow it.
struct GroupRecord {
    const char* name = "";
    const char* mask = "";
    const char* directory = "";
    std::uint32_t resourceKind = 0;
    std::uint32_t storage = 0;
    std::uint16_t nameCount = 0;

    static GroupRecord Parse(ImageCursor& cursor)
    {
        GroupRecord record;
        record.name = cursor.TakeText();
        record.mask = cursor.TakeText();
        record.directory = cursor.TakeText();
        record.resourceKind = cursor.Take<std::uint32_t>();
        record.storage = cursor.Take<std::uint32_t>();
        record.nameCount = cursor.Take<std::uint16_t>();
        return record;
    }

    void Write(ImageBuilder& builder) const
    {
        builder.PutText(name);
        builder.PutText(mask);
        builder.PutText(directory);
        builder.Put<std::uint32_t>(resourceKind);
        builder.Put<std::uint32_t>(storage);
        builder.Put<std::uint16_t>(nameCount);
    }
};

// A name as the table image stores it: its text and its locator combined with GP_LocatorKey.
struct NameRecord {
    const char* text = "";
    std::uint32_t locator = GP_NoLocator;

    static NameRecord Parse(ImageCursor& cursor)
    {
        NameRecord record;
        record.text = cursor.TakeText();
        record.locator = cursor.Take<std::uint32_t>() ^ GP_LocatorKey;
        return record;
    }

    void Write(ImageBuilder& builder) const
    {
        builder.PutText(text);
        builder.Put<std::uint32_t>(locator ^ GP_LocatorKey);
    }
};

}  // namespace

CGP_NameServer::CGP_NameServer() = default;

CGP_NameServer::~CGP_NameServer() { Clear(); }

void CGP_NameServer::Load(std::FILE* stream, bool skipHeader)
{
    try {
        if (skipHeader) {
            SkipText(stream);
            SkipText(stream);
        }
        std::vector<std::uint8_t> image(MaxImageLength);
        const std::size_t length = std::fread(image.data(), 1, image.size(), stream);
        GP_UnscrambleImage(image.data(), length);
        Parse(image.data(), length);
    } catch (...) {
        Clear();
        throw;
    }
}

void CGP_NameServer::Parse(const std::uint8_t* image, std::size_t length)
{
    ImageCursor cursor(image, length);
    const std::uint16_t groupCount = cursor.Take<std::uint16_t>();
    for (std::uint32_t g = 0; g < groupCount; ++g) {
        const GroupRecord record = GroupRecord::Parse(cursor);
        AddGroup(record.name, record.mask, record.directory);
        if (GP_NameGroup* group = GetGroup(g)) {
            group->resourceKind = record.resourceKind;
            group->storage = record.storage;
        }
        for (std::uint32_t n = 0; n < record.nameCount; ++n) {
            const NameRecord name = NameRecord::Parse(cursor);
            AddName(name.text, static_cast<std::uint16_t>(g), name.locator);
        }
    }
}

void CGP_NameServer::LoadFile(const char* path)
{
    Clear();
    const platform::UniqueFile stream = platform::OpenUniqueFile(path, "rb");
    if (!stream) throw CGP_FatalExeption(Module, LoadFileLine, FormatNew("%s", path), nullptr, 0);
    Load(stream.get(), false);
}

void CGP_NameServer::Save(std::FILE* stream) const
{
    ImageBuilder builder;
    builder.Put<std::uint16_t>(GetGroupCount());
    for (std::uint32_t g = 0; g < GetGroupCount(); ++g) {
        const GP_NameGroup* group = GetGroup(g);
        GroupRecord{group->name.c_str(), group->mask.c_str(), group->directory.c_str(),
                    group->resourceKind, group->storage,      group->GetCount()}
            .Write(builder);
        for (std::uint32_t n = 0; n < group->GetCount(); ++n) {
            const GP_NameEntry* entry = group->GetEntry(n);
            NameRecord{entry->text.c_str(), entry->locator}.Write(builder);
        }
    }
    std::string& image = builder.image;
    if (image.size() > MaxImageLength)
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Образ таблицы имён больше 65535 байт"), nullptr, 1);
    GP_ScrambleImage(reinterpret_cast<std::uint8_t*>(image.data()), image.size());
    if (std::fwrite(image.data(), image.size(), 1, stream) != 1)
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Ошибка при записи таблицы имён"), nullptr, 1);
}

void CGP_NameServer::SaveFile(const char* path) const
{
    platform::UniqueFile stream = platform::OpenUniqueFile(path, "wb");
    if (!stream)
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Невозможно открыть файл %s для записи.", path), nullptr,
                                1);
    Save(stream.get());
    if (std::fclose(stream.release()) != 0)
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Ошибка при записи таблицы имён"), nullptr, 1);
}

void CGP_NameServer::AddGroup(const char* name, const char* mask, const char* directory)
{
    if (groups.GetCount() >= CGP_PagedTable::MaxEntries) return;
    groups.Append(&groupRecords.emplace_back(name, mask, directory));
}

void CGP_NameServer::AddName(const char* text, std::uint16_t group, std::uint32_t locator)
{
    if (GP_NameGroup* record = GetGroup(group)) record->AddName(text, locator);
}

void CGP_NameServer::AddDefaultGroups()
{
    AddGroup("Binary files", "*.*", "C:\\WORK\\ENGINE\\GAMERESOURCE\\BINARY\\");
    AddGroup("Bitmap files", "*.bmp;*.jpg", "C:\\WORK\\ENGINE\\GAMERESOURCE\\GRAPH\\");
    AddGroup("Sound files", "*.wav", "C:\\WORK\\ENGINE\\GAMERESOURCE\\SOUND\\");
}

const char* CGP_NameServer::GetName(std::uint16_t index, std::uint16_t group) const
{
    if (index == 0xFFFF && group == 0xFFFF) return NoneEntry().text.c_str();
    const GP_NameGroup* record = GetGroup(group);
    if (!record) return nullptr;
    const GP_NameEntry* entry = record->GetEntry(index);
    return entry ? entry->text.c_str() : nullptr;
}

const GP_NameEntry* CGP_NameServer::GetEntry(std::uint16_t index, std::uint16_t group) const
{
    const GP_NameGroup* record = GetGroup(group);
    const GP_NameEntry* entry = record ? record->GetEntry(index) : nullptr;
    return entry ? entry : &NoneEntry();
}

void CGP_NameServer::CopyName(char*& out, std::uint16_t index, std::uint16_t group) const
{
    out = nullptr;
    const GP_NameGroup* record = GetGroup(group);
    const GP_NameEntry* entry = record ? record->GetEntry(index) : nullptr;
    if (!entry) return;
    out = new char[entry->text.size() + 1];
    std::memcpy(out, entry->text.c_str(), entry->text.size() + 1);
}

void CGP_NameServer::GetPath(char*& out, std::uint32_t id) const
{
    out = nullptr;
    const GP_NameGroup* record = GetGroup(GP_GroupOf(id));
    const GP_NameEntry* entry = record ? record->GetEntry(GP_IndexOf(id)) : nullptr;
    if (!entry) return;
    const std::string path = record->directory + entry->text;
    out = new char[path.size() + 1];
    std::memcpy(out, path.c_str(), path.size() + 1);
}

std::uint32_t CGP_NameServer::FindID(const char* name, std::uint16_t group) const
{
    const GP_NameGroup* record = GetGroup(group);
    if (!record || !name) return 0;
    for (std::uint32_t i = 0; i < record->GetCount(); ++i)
        if (record->GetEntry(i)->text == name) return GP_MakeID(group, i);
    return 0;
}

bool CGP_NameServer::Contains(const char* name, std::uint16_t group) const
{
    const GP_NameGroup* record = GetGroup(group);
    if (!record || !name) return false;
    for (std::uint32_t i = 0; i < record->GetCount(); ++i)
        if (record->GetEntry(i)->text == name) return true;
    return false;
}

std::uint32_t CGP_NameServer::GetCount(std::uint32_t kind) const
{
    std::uint32_t count = 0;
    for (std::uint32_t g = 0; g < GetGroupCount(); ++g)
        if (GetGroup(g)->resourceKind == kind) count += GetGroup(g)->GetCount();
    return count;
}

std::int32_t CGP_NameServer::GetIndex(std::uint32_t id) const
{
    if (id == GP_NoID) return -1;
    const std::uint16_t group = GP_GroupOf(id);
    const std::uint16_t index = GP_IndexOf(id);
    const GP_NameGroup* record = GetGroup(group);
    if (!record || index >= record->GetCount()) return -1;
    std::int32_t dense = index;
    for (std::uint32_t g = 0; g < group; ++g)
        if (GetGroup(g)->resourceKind == record->resourceKind) dense += GetGroup(g)->GetCount();
    return dense;
}

std::uint32_t CGP_NameServer::GetID(std::int32_t denseIndex, std::uint32_t kind) const
{
    if (denseIndex < 0) return GP_NoID;
    std::uint32_t remaining = static_cast<std::uint32_t>(denseIndex);
    for (std::uint32_t g = 0; g < GetGroupCount(); ++g) {
        const GP_NameGroup* record = GetGroup(g);
        if (record->resourceKind != kind) continue;
        if (remaining < record->GetCount()) return GP_MakeID(g, remaining);
        remaining -= record->GetCount();
    }
    return GP_NoID;
}

void CGP_NameServer::Clear()
{
    groups.Reset();
    groupRecords.clear();
}
