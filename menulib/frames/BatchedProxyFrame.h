// A proxy that records draw calls instead of drawing them, and replays the recording onto its wrapped frame as
// often as asked. Records are a 4-byte kind, then the call's words (pointers take their own size).
#pragma once
#include <cstdint>

#include "foundation/CFileBuf.h"
#include "frames/ProxyFrame.h"

class CBatchedProxyFrame : public CProxyFrame {
    DECLARE_PERSISTENT_CLASS(CBatchedProxyFrame)
public:
    enum RecordKind : std::uint32_t {
        kRecordEnd = 0,
        kRecordBlit = 1,
        kRecordClearRect = 2,
        kRecordFillRect = 3,
        kRecordDrawLine = 4,
        kRecordSetPixel = 5,
        kRecordDrawLineF = 6,
        kRecordRemapRect = 7,
    };

    CBatchedProxyFrame();
    ~CBatchedProxyFrame() override;

    bool Blit(CFrameInterface* source, platform::Rect sourceRect, platform::Rect destinationRect,
              BlitType* blitType) override;
    bool ClearRect(const platform::Rect& rect) override;
    bool FillRect(const platform::Rect& rect, const Color& color) override;
    bool DrawLine(int x0, int y0, int x1, int y1, const Color& color) override;
    bool DrawLineF(float x0, float y0, float x1, float y1, const Color& color) override;
    bool SetPixel(int x, int y, const Color& color) override;
    bool RemapRect(const platform::Rect& rect, const ColorTable& table) override;

    // Closes the recording; replay stops there.
    void EndRecording();
    // Runs every record onto the wrapped frame, in order, up to the end record.
    void Replay();
    // Empties the recording (named apart from the frame operation Clear, which forwards).
    void ClearRecording();
    int GetRecordedSize() { return m_records.Size(); }

private:
    template <typename T>
    void Put(const T& value)
    {
        m_records.Write(&value, sizeof value);
    }
    template <typename T>
    bool Take(T& value)
    {
        return m_records.Read(&value, sizeof value) == sizeof value;
    }
    void PutRect(const platform::Rect& rect);
    bool TakeRect(platform::Rect& rect);
    const Color& ColorOf(std::uint32_t word);
    bool ReplayOne(std::uint32_t kind);
    bool ReplayBlit();

    CMemoryFileBuf m_records;
    Color m_color;
    std::uint32_t m_colorWord = 0xFFFFFFFFu;
};
