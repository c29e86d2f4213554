#include "frames/MedianCut.h"

#include <array>
#include <new>
#include <utility>

#include "frames/ColorHistogram.h"

namespace {

constexpr int kSide = 64;

// The moments of a set of cells: weight, the sum of each axis (0 = B, 1 = G, 2 = R) and the sum of squares.
struct Moments {
    double weight = 0;
    std::array<double, 3> sum{};
    double squares = 0;

    void Add(const Moments& o)
    {
        weight += o.weight;
        squares += o.squares;
        for (int a = 0; a < 3; ++a) sum[a] += o.sum[a];
    }
    Moments Minus(const Moments& o) const
    {
        Moments m = *this;
        m.weight -= o.weight;
        m.squares -= o.squares;
        for (int a = 0; a < 3; ++a) m.sum[a] -= o.sum[a];
        return m;
    }
    double Error() const
    {
        if (weight <= 0) return 0;
        return squares - (sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]) / weight;
    }
};

struct Box {
    Moments moments;
    std::array<int, 3> min{};
    std::array<int, 3> max{};
    double priority = 0;

    bool IsSingleCell() const { return min == max; }
};

class Cutter {
public:
    explicit Cutter(const ColorHistogram& histogram) : m_histogram(histogram) {}

    // Per coordinate along the axis, the moments of the box's cells in that slab.
    std::array<Moments, kSide> Slabs(const Box& box, int axis) const
    {
        std::array<Moments, kSide> slabs{};
        for (int b = box.min[0]; b <= box.max[0]; ++b)
            for (int g = box.min[1]; g <= box.max[1]; ++g) AddRow(box, b, g, axis, slabs);
        return slabs;
    }

    // Shrinks the box to its occupied cells; false when it holds none.
    bool Shrink(Box& box) const
    {
        for (int axis = 0; axis < 3; ++axis) {
            const auto slabs = Slabs(box, axis);
            int lo = box.min[axis], hi = box.max[axis];
            while (lo <= hi && slabs[lo].weight == 0) ++lo;
            while (hi >= lo && slabs[hi].weight == 0) --hi;
            if (lo > hi) return false;
            box.min[axis] = lo;
            box.max[axis] = hi;
        }
        return true;
    }

    Moments Sum(const Box& box) const
    {
        Moments total;
        for (const Moments& slab : Slabs(box, 0)) total.Add(slab);
        return total;
    }

private:
    void AddRow(const Box& box, int b, int g, int axis, std::array<Moments, kSide>& slabs) const
    {
        for (int r = box.min[2]; r <= box.max[2]; ++r) {
            const std::uint32_t n = m_histogram.Count(ColorHistogram::CellOf(b, g, r));
            if (n == 0) continue;
            const int coordinate[3] = {b, g, r};
            Moments& m = slabs[coordinate[axis]];
            m.weight += n;
            m.squares += static_cast<double>(n) * (b * b + g * g + r * r);
            m.sum[0] += static_cast<double>(n) * b;
            m.sum[1] += static_cast<double>(n) * g;
            m.sum[2] += static_cast<double>(n) * r;
        }
    }

    const ColorHistogram& m_histogram;
};

struct Cut {
    double cost = -1;  // no cut
    int at = 0;
};

// The first cut with the smallest summed error along an axis.
Cut BestCut(const Box& box, int axis, const std::array<Moments, kSide>& slabs)
{
    Cut best;
    Moments lower;
    for (int c = box.min[axis]; c < box.max[axis]; ++c) {
        lower.Add(slabs[c]);
        const double cost = lower.Error() + box.moments.Minus(lower).Error();
        if (best.cost < 0 || cost < best.cost) best = {cost, c};
    }
    return best;
}

class BoxHeap {
public:
    explicit BoxHeap(std::vector<Box>& boxes) : m_boxes(boxes) { m_heap.push_back(-1); }  // index 0 unused
    bool Empty() const { return m_heap.size() <= 1; }
    int Top() const { return m_heap[1]; }
    void Insert(int box)
    {
        m_heap.push_back(box);
        SiftUp(static_cast<int>(m_heap.size()) - 1);
    }
    void ReplaceTop(int box)
    {
        m_heap[1] = box;
        SiftDown(1);
    }
    void SiftTopDown() { SiftDown(1); }
    void RemoveTop()
    {
        m_heap[1] = m_heap.back();
        m_heap.pop_back();
        if (!Empty()) SiftDown(1);
    }

private:
    double Priority(int i) const { return m_boxes[m_heap[i]].priority; }
    void SiftUp(int i)
    {
        for (; i > 1 && Priority(i / 2) < Priority(i); i /= 2) std::swap(m_heap[i], m_heap[i / 2]);
    }
    void SiftDown(int i)
    {
        const int n = static_cast<int>(m_heap.size());
        for (;;) {
            int largest = i;
            if (2 * i < n && Priority(2 * i) > Priority(largest)) largest = 2 * i;
            if (2 * i + 1 < n && Priority(2 * i + 1) > Priority(largest)) largest = 2 * i + 1;
            if (largest == i) return;
            std::swap(m_heap[i], m_heap[largest]);
            i = largest;
        }
    }

    std::vector<Box>& m_boxes;
    std::vector<int> m_heap;
};

// Splits boxes[index] at its best cut: the lower part stays, the upper part is appended. The axis whose cut
// costs least wins; ties go to the lower axis.
void Split(const Cutter& cutter, std::vector<Box>& boxes, int index)
{
    Box& box = boxes[index];
    std::array<Moments, kSide> slabs[3];
    Cut cuts[3];
    for (int axis = 0; axis < 3; ++axis) {
        if (box.min[axis] == box.max[axis]) continue;
        slabs[axis] = cutter.Slabs(box, axis);
        cuts[axis] = BestCut(box, axis, slabs[axis]);
    }
    int axis = -1;
    for (int a = 0; a < 3; ++a)
        if (cuts[a].cost >= 0 && (axis < 0 || cuts[a].cost < cuts[axis].cost)) axis = a;
    Box lower = box, upper = box;
    lower.max[axis] = cuts[axis].at;
    upper.min[axis] = cuts[axis].at + 1;
    cutter.Shrink(lower);
    cutter.Shrink(upper);
    lower.moments = cutter.Sum(lower);
    upper.moments = box.moments.Minus(lower.moments);
    lower.priority = lower.moments.Error();
    upper.priority = upper.moments.Error();
    boxes[index] = lower;
    boxes.push_back(upper);
}

std::uint8_t Mean(double weight, double sum)
{
    const auto w = static_cast<std::uint64_t>(weight);
    return static_cast<std::uint8_t>((w / 2 + static_cast<std::uint64_t>(sum) * 4) / w);
}

int Run(const ColorHistogram& histogram, int colours, std::vector<std::uint8_t>& palette, int& count)
{
    const Cutter cutter(histogram);
    std::vector<Box> boxes;
    Box whole;
    whole.max = {kSide - 1, kSide - 1, kSide - 1};
    if (colours <= 0 || !cutter.Shrink(whole)) return kMedianCutOk;
    whole.moments = cutter.Sum(whole);
    whole.priority = 1;
    boxes.reserve(colours);
    boxes.push_back(whole);
    BoxHeap heap(boxes);
    if (!whole.IsSingleCell()) heap.Insert(0);
    while (static_cast<int>(boxes.size()) < colours && !heap.Empty()) {
        const int top = heap.Top();
        Split(cutter, boxes, top);
        const int upper = static_cast<int>(boxes.size()) - 1;
        const bool lowerSplits = !boxes[top].IsSingleCell(), upperSplits = !boxes[upper].IsSingleCell();
        if (!lowerSplits && !upperSplits) {
            heap.RemoveTop();
        } else if (!upperSplits) {
            heap.SiftTopDown();
        } else if (!lowerSplits) {
            heap.ReplaceTop(upper);
        } else {
            heap.SiftTopDown();
            heap.Insert(upper);
        }
    }
    count = static_cast<int>(boxes.size());
    palette.resize(3 * boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (int axis = 0; axis < 3; ++axis)
            palette[3 * i + axis] = Mean(boxes[i].moments.weight, boxes[i].moments.sum[axis]);
    return kMedianCutOk;
}

}  // namespace

int MedianCut(const ColorHistogram& histogram, int colours, std::vector<std::uint8_t>& palette, int& count)
{
    count = 0;
    palette.clear();
    try {
        return Run(histogram, colours, palette, count);
    } catch (const std::bad_alloc&) {
        count = 0;
        palette.clear();
        return kMedianCutNoMemory;
    }
}
