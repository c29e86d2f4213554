// An ordered table of up to 65534 pointers kept in 256 pages of 256, so that it grows without ever moving an
// entry. Any index at or beyond the count gives the default entry.
#pragma once
#include <cstdint>
#include <memory>

class CGP_PagedTable {
public:
    static constexpr std::uint16_t MaxEntries = 65534;
    static constexpr int PageSize = 256;
    static constexpr int PageCount = 256;

    CGP_PagedTable();
    CGP_PagedTable(const CGP_PagedTable&) = delete;
    CGP_PagedTable& operator=(const CGP_PagedTable&) = delete;
    // Frees the pages; the entries belong to the table's user.
    virtual ~CGP_PagedTable() = default;

    // Stores the entry at index count; ignored once the table holds MaxEntries.
    void Append(void* entry);
    void* Get(std::uint32_t index) const;
    std::uint16_t GetCount() const { return count; }
    void SetDefault(void* entry) { defaultEntry = entry; }
    // Forgets every entry; the pages stay for the next fill.
    void Reset() { count = 0; }

private:
    std::uint16_t count = 0;
    std::unique_ptr<void*[]> pages[PageCount];
    void* defaultEntry = nullptr;
};
