// Typed colour tables: palettes, remaps of palette indices, lookups by 16-bit and 5-5-5 keys, colour caches
// filled on demand and the inverse 5-6-5 palette; and the process-wide tables the library draws with.
#pragma once
#include <cstdint>
#include <memory>

class ColorHistogram;

class ColorTable {
public:
    enum Type : std::uint32_t {
        kEmpty = 0,
        kPalette = 1,     // 256 entries of B, G, R
        kRemap = 2,       // palette index to palette index
        kWords = 3,       // 256 four-byte values
        kTable16 = 4,     // a byte by 16-bit key
        kIndexBy555 = 5,  // palette index by 5-5-5 colour
        kCache555 = 6,    // the same, filled on demand from the linked palette (0 = not yet known)
        kInverse565 = 7,  // palette index by 5-6-5 colour
    };
    static constexpr int kPaletteEntries = 256;

    ColorTable() = default;
    explicit ColorTable(std::uint32_t type) { SetType(type); }
    ColorTable(const ColorTable& other) { Assign(other); }
    ColorTable& operator=(const ColorTable& other)
    {
        Assign(other);
        return *this;
    }

    // The byte size of a type (0 for unknown types).
    static int GetSize(std::uint32_t type);

    // Frees the data when the type changes; a table left without data gets the type's size, byte i = i % 256.
    void SetType(std::uint32_t type);
    void Free();
    // Takes the other's type and bytes; nothing when the other is empty or this table.
    void Assign(const ColorTable& other);

    std::uint32_t GetType() const { return m_type; }
    bool IsEmpty() const { return !m_data; }
    std::uint8_t* GetData() { return m_data.get(); }
    const std::uint8_t* GetData() const { return m_data.get(); }
    ColorTable* GetLinked() const { return m_linked; }
    void SetLinked(ColorTable* linked) { m_linked = linked; }

    void SetPaletteEntry(int i, int r, int g, int b);
    void GetPaletteEntry(int i, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) const;

    // The entry that stands for (r, g, b): by type, see the table's types. Palettes search [first, end).
    int FindNearest(int r, int g, int b, int first, int end);

    // This table becomes a remap of palette's entries [first, end) whose lightness is scaled by amount / 128,
    // each result the nearest entry of target (palette when null) over [searchFirst, searchEnd).
    void BuildRemap(const ColorTable& palette, int amount, int first, int end, int searchFirst, int searchEnd,
                    const ColorTable* target);
    // This table becomes the inverse 5-6-5 palette of palette, which it keeps as its linked table.
    void BuildInverse565(ColorTable& palette);
    // This table becomes a palette: black, entry 255 white, and the median-cut colours of the histogram from
    // firstEntry on. False when the median cut ran out of memory.
    bool MakePaletteFromHistogram(const ColorHistogram& histogram, int colours, int firstEntry);

private:
    std::unique_ptr<std::uint8_t[]> m_data;
    std::uint32_t m_type = kEmpty;
    ColorTable* m_linked = nullptr;
};

// The nearest entry of a palette's data (B, G, R at 3i) in [first, end) by the weighted squared difference;
// the first of equal costs wins and an exact match stops the search. first when the range is empty.
int FindNearestPaletteEntry(const std::uint8_t* palette, int r, int g, int b, int first, int end);

// The process-wide tables, made on first use and freed at exit.
// The 5-6-5 to palette-index table of the host's palette; empty until the host sets a palette.
ColorTable& InversePalette();
// The current palette (type 1), seeded with the standard palette.
ColorTable& CurrentPalette();
// The default palette: a 5-5-5 colour cache over the current palette.
ColorTable& DefaultPalette();
// The two 8-bit mixing tables of the 8-bit blends; empty until the blend engine fills them.
ColorTable& MixingTableA();
ColorTable& MixingTableB();

// Fills a palette with the standard 256 colours: 0 black, a 6 x 6 x 6 cube, a grey ramp, 255 white.
void FillStandardPalette(ColorTable& palette);
// Puts the current and default palettes back to their start state (the standard palette and an empty cache).
void ResetStandardPalettes();
