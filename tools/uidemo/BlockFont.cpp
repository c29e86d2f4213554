#include "BlockFont.h"

#include <memory>

#include "frames/Frame.h"
#include "ui/BitmapFont.h"

namespace {

constexpr int kFirst = 32;
constexpr int kLast = 90;
constexpr int kScale = 2;
constexpr int kGap = 2;

// Five rows of three pixels, '#' drawn.
struct BlockGlyph {
    char code;
    const char* rows[5];
};

constexpr BlockGlyph kGlyphs[] = {
    {' ', {"...", "...", "...", "...", "..."}}, {'0', {"###", "#.#", "#.#", "#.#", "###"}},
    {'1', {".#.", "##.", ".#.", ".#.", "###"}}, {'2', {"###", "..#", "###", "#..", "###"}},
    {'3', {"###", "..#", ".##", "..#", "###"}}, {'4', {"#.#", "#.#", "###", "..#", "..#"}},
    {'5', {"###", "#..", "###", "..#", "###"}}, {'6', {"###", "#..", "###", "#.#", "###"}},
    {'7', {"###", "..#", ".#.", ".#.", ".#."}}, {'8', {"###", "#.#", "###", "#.#", "###"}},
    {'9', {"###", "#.#", "###", "..#", "###"}}, {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
    {'B', {"##.", "#.#", "##.", "#.#", "##."}}, {'C', {".##", "#..", "#..", "#..", ".##"}},
    {'D', {"##.", "#.#", "#.#", "#.#", "##."}}, {'E', {"###", "#..", "##.", "#..", "###"}},
    {'F', {"###", "#..", "##.", "#..", "#.."}}, {'G', {".##", "#..", "#.#", "#.#", ".##"}},
    {'H', {"#.#", "#.#", "###", "#.#", "#.#"}}, {'I', {"###", ".#.", ".#.", ".#.", "###"}},
    {'J', {"..#", "..#", "..#", "#.#", ".#."}}, {'K', {"#.#", "#.#", "##.", "#.#", "#.#"}},
    {'L', {"#..", "#..", "#..", "#..", "###"}}, {'M', {"#.#", "###", "###", "#.#", "#.#"}},
    {'N', {"##.", "#.#", "#.#", "#.#", "#.#"}}, {'O', {".#.", "#.#", "#.#", "#.#", ".#."}},
    {'P', {"##.", "#.#", "##.", "#..", "#.."}}, {'Q', {".#.", "#.#", "#.#", "##.", ".##"}},
    {'R', {"##.", "#.#", "##.", "#.#", "#.#"}}, {'S', {".##", "#..", ".#.", "..#", "##."}},
    {'T', {"###", ".#.", ".#.", ".#.", ".#."}}, {'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
    {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}}, {'W', {"#.#", "#.#", "###", "###", "#.#"}},
    {'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}}, {'Y', {"#.#", "#.#", ".#.", ".#.", ".#."}},
    {'Z', {"###", "..#", ".#.", "#..", "###"}},
};

const BlockGlyph* Find(int code)
{
    for (const BlockGlyph& glyph : kGlyphs)
        if (glyph.code == code) return &glyph;
    return nullptr;
}

std::unique_ptr<CFrame> MakeGlyph(const BlockGlyph& glyph, const Color& color)
{
    auto frame = std::make_unique<CFrame>();
    frame->Create(3 * kScale + kGap, 5 * kScale, 16);
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
            if (glyph.rows[row][column] == '#')
                frame->FillRect(platform::Rect::At(column * kScale, row * kScale, kScale, kScale), color);
    return frame;
}

}  // namespace

void FillBlockFont(CFontBitmap& font, int r, int g, int b)
{
    font.SetCodeRange(kFirst, kLast);
    const Color color = MakeColor(r, g, b);
    CFontBitmapData* sequence = font.GetGlyphSequence();
    for (int code = kFirst; code <= kLast; ++code) {
        const BlockGlyph* glyph = Find(code);
        sequence->AddFrame(glyph ? MakeGlyph(*glyph, color) : nullptr);
    }
    sequence->SetHeightWithoutDescenders(5 * kScale);
}
