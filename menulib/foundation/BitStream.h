// A stream of bits for the delta form of objects: values packed least significant bit first, and names of
// list items sent once per stream and later as indices (string tables).
#pragma once
#include <cstdint>
#include <vector>

#include "foundation/CString.h"

class NamedList;

class BitStream {
public:
    // A writer.
    BitStream() = default;
    // A reader over data it does not own; source names the sender in messages (null: "(NULL)").
    BitStream(const std::uint8_t* data, int size, const char* source = nullptr, NamedList* messageTypes = nullptr);

    void WriteBits(std::uint32_t value, int n);
    void WriteBit(bool bit) { WriteBits(bit ? 1 : 0, 1); }
    void WriteByte(std::uint8_t value);
    void WriteInt(std::int32_t value);
    void WriteString(const char* text);
    void WriteIndexedString(int index, NamedList& list);

    std::uint32_t ReadBits(int n);
    bool ReadBit() { return ReadBits(1) & 1; }
    bool ReadByte(std::uint8_t& value);
    bool ReadInt(std::int32_t& value);
    bool ReadString(CString& text);
    int ReadIndexedString(NamedList& list);
    [[noreturn]] void Fail(NamedList& list, const char* name);

    // Whole bytes a reader has not reached yet.
    int BytesLeft() const { return m_end > m_position ? m_end - m_position : 0; }
    // Bits a reader has not reached yet.
    std::int64_t BitsLeft() const;
    // A reader that ran past its data, or whose data a reader of objects found damaged, is marked damaged;
    // object reads stop at the mark and report failure.
    void SetDamaged() { m_damaged = true; }
    bool IsDamaged() const { return m_damaged; }
    const std::vector<std::uint8_t>& Data() const { return m_buffer; }
    // Bits written so far.
    std::int64_t BitCount() const { return static_cast<std::int64_t>(m_buffer.size()) * 8 - m_freeBits; }
    bool TablesChanged() const { return m_tablesChanged; }

private:
    std::vector<std::int32_t>* Table(NamedList& list);

    // writer
    std::vector<std::uint8_t> m_buffer;
    int m_freeBits = 0;  // free high bits of the last byte
    bool m_tablesChanged = false;
    // reader
    const std::uint8_t* m_data = nullptr;
    int m_position = 0;
    int m_end = 0;
    int m_unreadBits = 0;  // unread high bits of the byte before m_position
    bool m_damaged = false;
    CString m_source;
    bool m_hasSource = false;
    NamedList* m_messageTypes = nullptr;
    // string tables of either direction, by list ID
    std::vector<std::vector<std::int32_t>> m_tables;
    std::vector<bool> m_tableMade;
};
