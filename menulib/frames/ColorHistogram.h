// Counts of the colours of 24-bit pictures in cells of 6 bits a channel, the input of the median cut.
#pragma once
#include <cstdint>
#include <vector>

class CFrameInterface;

class ColorHistogram {
public:
    static constexpr int kCells = 64 * 64 * 64;
    static int CellOf(int b6, int g6, int r6) { return b6 * 4096 + g6 * 64 + r6; }

    ColorHistogram() : m_counts(kCells, 0) {}
    void Clear() { std::fill(m_counts.begin(), m_counts.end(), 0u); }
    // Counts the B, G, R of every pixel of a plain 24- or 32-bit frame; other frames count nothing.
    void AddFrame(const CFrameInterface& frame);
    void AddPixel(int r, int g, int b) { ++m_counts[CellOf(b >> 2, g >> 2, r >> 2)]; }
    std::uint32_t Count(int cell) const { return m_counts[cell]; }
    std::uint32_t& At(int cell) { return m_counts[cell]; }

private:
    std::vector<std::uint32_t> m_counts;
};
