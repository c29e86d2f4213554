#include "foundation/PropertyStream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/files.h"

void ObjectReferenceTable::OfferObjectId(long) {}

PropertyStream::~PropertyStream() { Close(); }

bool PropertyStream::Open(const char* path, int flags, bool referencesDisabled)
{
    Close();
    m_path = path;
    m_flags = flags;
    m_references = ObjectReferenceTable();
    m_references.referencesDisabled = referencesDisabled;
    m_data.clear();
    m_position = 0;
    m_indentDepth = 0;
    m_indenting = true;
    if (flags & kFileWrite) {
        if (!(flags & kFileCreateFolders) && !propertyfile::IsFileWritable(path, flags)) return false;
        m_writeOnClose = true;
    } else if (!propertyfile::ReadWholeFile(path, flags, m_data)) {
        return false;
    }
    m_open = true;
    return true;
}

void PropertyStream::Attach(std::string bytes, int flags, bool referencesDisabled)
{
    Close();
    m_path.Empty();
    m_flags = flags;
    m_references = ObjectReferenceTable();
    m_references.referencesDisabled = referencesDisabled;
    m_data = std::move(bytes);
    m_position = 0;
    m_indentDepth = 0;
    m_indenting = true;
    m_writeOnClose = false;
    m_open = true;
}

bool PropertyStream::Close()
{
    if (!m_open) return true;
    m_open = false;
    if (!m_writeOnClose) return true;
    m_writeOnClose = false;
    return propertyfile::WriteWholeFile(m_path.GetText(), m_flags, m_data);
}

void PropertyStream::WriteText(const char* text)
{
    if (text) Write(text, static_cast<int>(std::strlen(text)));
}

void PropertyStream::WriteLine(const char* text)
{
    WriteText(text);
    Write("\r\n", 2);
    if (m_indenting) m_data.append(m_indentDepth, '\t'), m_position = m_data.size();
}

void PropertyStream::Indent()
{
    if (!m_indenting) return;
    ++m_indentDepth;
    Write("\t", 1);
}

void PropertyStream::Unindent()
{
    if (!m_indenting || m_indentDepth <= 0) return;
    --m_indentDepth;
    if (m_position > 0 && m_position == m_data.size() && m_data.back() == '\t') {
        m_data.pop_back();
        --m_position;
    }
}

bool PropertyStream::ReadLine(CString& line)
{
    if (m_position >= m_data.size()) {
        line.Empty();
        return false;
    }
    const std::size_t start = m_position;
    std::size_t end = m_data.find('\n', start);
    m_position = end == std::string::npos ? m_data.size() : end + 1;
    if (end == std::string::npos) end = m_data.size();
    if (end > start && m_data[end - 1] == '\r') --end;
    line.Assign(m_data.data() + start, static_cast<int>(end - start));
    return true;
}

bool PropertyStream::ReadNonBlankLine(CString& line)
{
    while (ReadLine(line))
        if (*SkipBlanks(line.GetText())) return true;
    return false;
}

void PropertyStream::Write(const void* data, int n)
{
    if (n <= 0) return;
    if (m_position > m_data.size()) m_data.resize(m_position);
    m_data.replace(m_position, std::min<std::size_t>(n, m_data.size() - m_position), static_cast<const char*>(data),
                   n);
    m_position += n;
}

bool PropertyStream::Read(void* data, int n)
{
    if (n < 0 || m_position > m_data.size() || static_cast<std::size_t>(n) > m_data.size() - m_position)
        return false;
    std::memcpy(data, m_data.data() + m_position, n);
    m_position += n;
    return true;
}

void PropertyStream::WriteInt(std::int32_t value)
{
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                    static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    Write(bytes, 4);
}

bool PropertyStream::ReadInt(std::int32_t& value)
{
    unsigned char bytes[4];
    if (!Read(bytes, 4)) return false;
    value = static_cast<std::int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
    return true;
}

void PropertyStream::WriteByte(std::uint8_t value) { Write(&value, 1); }
bool PropertyStream::ReadByte(std::uint8_t& value) { return Read(&value, 1); }

void PropertyStream::WriteFloat(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    WriteInt(static_cast<std::int32_t>(bits));
}

bool PropertyStream::ReadFloat(float& value)
{
    std::int32_t bits;
    if (!ReadInt(bits)) return false;
    std::memcpy(&value, &bits, 4);
    return true;
}

void PropertyStream::WriteString(const char* text)
{
    const int length = text ? static_cast<int>(std::strlen(text)) : 0;
    WriteInt(length);
    Write(text, length);
}

bool PropertyStream::ReadString(CString& text)
{
    std::int32_t length;
    if (!ReadInt(length)) return false;
    if (length < 0 || length > BytesLeft()) {
        errno = ERANGE;
        return false;
    }
    text.Assign(m_data.data() + m_position, length);
    m_position += length;
    return true;
}

bool PropertyStream::Seek(int position)
{
    if (position < 0 || position > GetSize()) return false;
    m_position = position;
    return true;
}

namespace propertyfile {

bool ReadWholeFile(const char* path, int, std::string& bytes)
{
    std::FILE* file = platform::OpenFile(path, "rb");
    if (!file) return false;
    bytes.clear();
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool WriteWholeFile(const char* path, int flags, const std::string& bytes)
{
    const std::string target = platform::ResolvePath(path);
    if (flags & kFileCreateFolders) {
        std::error_code ignored;
        const std::filesystem::path folder = std::filesystem::path(target).parent_path();
        if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    }
    const std::string temporary = target + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = ::fsync(::fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok) ok = std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

bool IsFileWritable(const char* path, int)
{
    const std::string target = platform::ResolvePath(path);
    struct stat info;
    // Read-only means the owner's write permission is off, whoever runs the program.
    if (::stat(target.c_str(), &info) == 0) return (info.st_mode & S_IWUSR) && !S_ISDIR(info.st_mode);
    std::string folder = std::filesystem::path(target).parent_path().string();
    if (folder.empty()) folder = ".";
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace propertyfile
