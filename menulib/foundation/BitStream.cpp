#include "foundation/BitStream.h"

#include <cstring>

#include "foundation/FatalMessage.h"
#include "foundation/NamedList.h"
#include "foundation/PropertyTypes.h"

BitStream::BitStream(const std::uint8_t* data, int size, const char* source, NamedList* messageTypes)
    : m_data(data),
      m_end(size > 0 ? size : 0),
      m_source(source),
      m_hasSource(source != nullptr),
      m_messageTypes(messageTypes)
{
}

void BitStream::WriteBits(std::uint32_t value, int n)
{
    while (n > 0) {
        if (m_freeBits == 0) {
            m_buffer.push_back(0);
            m_freeBits = 8;
        }
        const int used = 8 - m_freeBits;
        const int take = n < m_freeBits ? n : m_freeBits;
        const std::uint32_t bits = value & ((1u << take) - 1);
        m_buffer.back() = static_cast<std::uint8_t>(m_buffer.back() | bits << used);
        m_freeBits -= take;
        value = take < 32 ? value >> take : 0;
        n -= take;
    }
}

void BitStream::WriteByte(std::uint8_t value)
{
    m_buffer.push_back(value);
    m_freeBits = 0;
}

void BitStream::WriteInt(std::int32_t value)
{
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) WriteByte(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void BitStream::WriteString(const char* text)
{
    if (text)
        for (const char* p = text; *p; ++p) WriteByte(static_cast<std::uint8_t>(*p));
    WriteByte(0);
}

std::uint32_t BitStream::ReadBits(int n)
{
    std::uint32_t value = 0;
    int got = 0;
    while (got < n) {
        if (m_unreadBits == 0) {
            ++m_position;
            m_unreadBits = 8;
        }
        // Past the end every byte reads as 0xCF, and the reader is damaged.
        const bool pastEnd = m_position - 1 >= m_end;
        if (pastEnd) m_damaged = true;
        const std::uint8_t byte = pastEnd ? 0xCF : m_data[m_position - 1];
        const int used = 8 - m_unreadBits;
        const int take = n - got < m_unreadBits ? n - got : m_unreadBits;
        const std::uint32_t bits = (static_cast<std::uint32_t>(byte) >> used) & ((1u << take) - 1);
        value |= bits << got;
        got += take;
        m_unreadBits -= take;
    }
    return value;
}

std::int64_t BitStream::BitsLeft() const
{
    if (m_position > m_end) return 0;
    return static_cast<std::int64_t>(m_end - m_position) * 8 + m_unreadBits;
}

bool BitStream::ReadByte(std::uint8_t& value)
{
    m_unreadBits = 0;
    if (m_position >= m_end) {
        m_damaged = true;
        return false;
    }
    value = m_data[m_position++];
    return true;
}

bool BitStream::ReadInt(std::int32_t& value)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        std::uint8_t byte;
        if (!ReadByte(byte)) return false;
        bits |= static_cast<std::uint32_t>(byte) << (8 * i);
    }
    value = static_cast<std::int32_t>(bits);
    return true;
}

bool BitStream::ReadString(CString& text)
{
    text.Empty();
    m_unreadBits = 0;
    const int start = m_position;
    while (m_position < m_end && m_data[m_position] != 0) ++m_position;
    if (m_position >= m_end) {
        m_position = m_end;
        m_damaged = true;
        return false;
    }
    text.Assign(reinterpret_cast<const char*>(m_data + start), m_position - start);
    ++m_position;
    return true;
}

std::vector<std::int32_t>* BitStream::Table(NamedList& list)
{
    const int id = list.GetListId();
    if (static_cast<int>(m_tableMade.size()) <= id) {
        m_tables.resize(id + 1);
        m_tableMade.resize(id + 1, false);
    }
    return m_tableMade[id] ? &m_tables[id] : nullptr;
}

void BitStream::WriteIndexedString(int index, NamedList& list)
{
    std::vector<std::int32_t>* table = Table(list);
    if (!table) {
        const int count = list.Count();
        WriteInt(count);
        m_tables[list.GetListId()].assign(count > 0 ? count : 0, -1);
        m_tableMade[list.GetListId()] = true;
        table = &m_tables[list.GetListId()];
        m_tablesChanged = true;
    }
    const int count = static_cast<int>(table->size());
    // An empty list sends neither an index nor a name.
    if (count == 0) return;
    if (index < 0) index = 0;
    if (index > count - 1) index = count - 1;
    if (count > 1) WriteRangeBits(*this, static_cast<std::uint32_t>(index), 0, count - 1);
    if ((*table)[index] == -1) {
        WriteString(list.ItemNameText(index));
        (*table)[index] = 0;
        m_tablesChanged = true;
    }
}

int BitStream::ReadIndexedString(NamedList& list)
{
    std::vector<std::int32_t>* table = Table(list);
    if (!table) {
        std::int32_t count = 0;
        if (!ReadInt(count) || static_cast<std::uint32_t>(count) > 50000u) Fail(list, "");
        m_tables[list.GetListId()].assign(count, -1);
        m_tableMade[list.GetListId()] = true;
        table = &m_tables[list.GetListId()];
    }
    const int count = static_cast<int>(table->size());
    if (count == 0) return 0;
    const int index = count >= 2 ? ReadRangeBits(*this, 0, count - 1) : 0;
    if ((*table)[index] == -1) {
        CString name;
        ReadString(name);
        const int local = list.Find(name.GetText());
        if (local < 0) Fail(list, name.GetText());
        (*table)[index] = local;
    }
    return (*table)[index] < 0 ? 0 : (*table)[index];
}

void BitStream::Fail(NamedList& list, const char* name)
{
    const char* source = m_hasSource ? m_source.GetText() : "(NULL)";
    if (&list != m_messageTypes) {
        CString referrer("Networked Computer ");
        referrer.Append(source);
        LastFileOpenedScope scope(referrer);
        list.FindOrFail(name);
        // A name the list holds after all still ends the read: the data around it was wrong.
        FatalMessageAndExit("Fatal Not Found Error", list.MissingItemText(name).GetText());
    }
    bool printable = std::strlen(name) > 1;
    for (const char* p = name; *p && printable; ++p) printable = static_cast<unsigned char>(*p) >= 32 && *p != 127;
    CString text("Encountered fatal error while trying to process a message from a networked computer.  ");
    const char* title;
    if (printable) {
        title = "Missing network message handler";
        text.AppendFormat(
            "A message of type \"%s\" was received but no handler for such a message could be found.  "
            "This usually means you do not have the same version of the game as the other networked "
            "computer.  But this could also mean there is an error in the \"%s\" message handler "
            "code.",
            name, source);
    } else {
        title = "Improperly formatted network message";
        text.AppendFormat(
            "Received an improperly formatted message of type \"%s\"  This usually means there is a bug "
            "in the code that generates and/or handles message of that type.",
            source);
    }
    text.Append("\r\n\r\nThis error could also be caused by a disruption in the network link.");
    text.Append(
        "\r\nOr this error could also be caused by a computer that does not respond for a long period of "
        "time which can happen when running an \"editor\" version of the game with data that has not been "
        "compiled yet. (the first time you load a level)");
    FatalMessageAndExit(title, text.GetText());
}
