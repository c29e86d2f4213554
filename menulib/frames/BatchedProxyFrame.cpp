#include "frames/BatchedProxyFrame.h"

#include "blit/BlitType.h"
#include "frames/ColorTable.h"

using platform::Rect;

IMPLEMENT_PERSISTENT_CLASS(CBatchedProxyFrame, CProxyFrame, 0.0f, nullptr)

CBatchedProxyFrame::CBatchedProxyFrame() { ConstructOwnMembers(); }
CBatchedProxyFrame::~CBatchedProxyFrame() { DestroyOwnMembers(); }

void CBatchedProxyFrame::PutRect(const Rect& rect)
{
    const std::int32_t words[4] = {rect.left, rect.top, rect.right, rect.bottom};
    m_records.Write(words, sizeof words);
}

bool CBatchedProxyFrame::TakeRect(Rect& rect)
{
    std::int32_t words[4];
    if (!Take(words)) return false;
    rect = Rect{words[0], words[1], words[2], words[3]};
    return true;
}

bool CBatchedProxyFrame::Blit(CFrameInterface* source, Rect sourceRect, Rect destinationRect, BlitType* blitType)
{
    if (!blitType) blitType = &NormalBlitType();
    Put(static_cast<std::uint32_t>(kRecordBlit));
    Put(source);
    PutRect(sourceRect);
    PutRect(destinationRect);
    Put(blitType);
    blitType->WriteParams(m_records);
    return true;
}

bool CBatchedProxyFrame::ClearRect(const Rect& rect)
{
    Put(static_cast<std::uint32_t>(kRecordClearRect));
    PutRect(rect);
    return true;
}

bool CBatchedProxyFrame::FillRect(const Rect& rect, const Color& color)
{
    Put(static_cast<std::uint32_t>(kRecordFillRect));
    PutRect(rect);
    Put(color.ToRgbWord());
    return true;
}

bool CBatchedProxyFrame::DrawLine(int x0, int y0, int x1, int y1, const Color& color)
{
    Put(static_cast<std::uint32_t>(kRecordDrawLine));
    const std::int32_t words[4] = {x0, y0, x1, y1};
    Put(words);
    Put(color.ToRgbWord());
    return true;
}

bool CBatchedProxyFrame::DrawLineF(float x0, float y0, float x1, float y1, const Color& color)
{
    Put(static_cast<std::uint32_t>(kRecordDrawLineF));
    const float words[4] = {x0, y0, x1, y1};
    Put(words);
    Put(color.ToRgbWord());
    return true;
}

bool CBatchedProxyFrame::SetPixel(int x, int y, const Color& color)
{
    Put(static_cast<std::uint32_t>(kRecordSetPixel));
    const std::int32_t words[2] = {x, y};
    Put(words);
    Put(color.ToRgbWord());
    return true;
}

bool CBatchedProxyFrame::RemapRect(const Rect& rect, const ColorTable& table)
{
    Put(static_cast<std::uint32_t>(kRecordRemapRect));
    PutRect(rect);
    Put(&table);
    return true;
}

void CBatchedProxyFrame::EndRecording() { Put(static_cast<std::uint32_t>(kRecordEnd)); }

void CBatchedProxyFrame::ClearRecording() { m_records.Clear(); }

const Color& CBatchedProxyFrame::ColorOf(std::uint32_t word)
{
    if (word != m_colorWord) {
        m_color.FromRGBA((word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF, 255);
        m_colorWord = word;
    }
    return m_color;
}

bool CBatchedProxyFrame::ReplayBlit()
{
    CFrameInterface* source = nullptr;
    BlitType* blitType = nullptr;
    Rect sourceRect, destinationRect;
    if (!Take(source) || !TakeRect(sourceRect) || !TakeRect(destinationRect) || !Take(blitType)) return false;
    // The blit type draws with the parameters it had when recorded; its live ones come back afterwards.
    CMemoryFileBuf saved;
    blitType->WriteParams(saved);
    if (!blitType->ReadParams(m_records)) return false;
    CProxyFrame::Blit(source, sourceRect, destinationRect, blitType);
    saved.Seek(0);
    blitType->ReadParams(saved);
    return true;
}

bool CBatchedProxyFrame::ReplayOne(std::uint32_t kind)
{
    Rect rect;
    std::int32_t words[4];
    float floats[4];
    std::uint32_t colour = 0;
    const ColorTable* table = nullptr;
    switch (kind) {
    case kRecordBlit: return ReplayBlit();
    case kRecordClearRect: return TakeRect(rect) && (CProxyFrame::ClearRect(rect), true);
    case kRecordFillRect: return TakeRect(rect) && Take(colour) && (CProxyFrame::FillRect(rect, ColorOf(colour)), true);
    case kRecordDrawLine:
        return Take(words) && Take(colour) &&
               (CProxyFrame::DrawLine(words[0], words[1], words[2], words[3], ColorOf(colour)), true);
    case kRecordDrawLineF:
        return Take(floats) && Take(colour) &&
               (CProxyFrame::DrawLineF(floats[0], floats[1], floats[2], floats[3], ColorOf(colour)), true);
    case kRecordSetPixel:
        return Take(words[0]) && Take(words[1]) && Take(colour) &&
               (CProxyFrame::SetPixel(words[0], words[1], ColorOf(colour)), true);
    case kRecordRemapRect: return TakeRect(rect) && Take(table) && (CProxyFrame::RemapRect(rect, *table), true);
    default: return false;
    }
}

void CBatchedProxyFrame::Replay()
{
    const int end = m_records.Tell();
    m_records.Seek(0);
    std::uint32_t kind = kRecordEnd;
    while (Take(kind) && kind != kRecordEnd && ReplayOne(kind)) {}
    m_records.Seek(end);
}
