// Drawing the list box: smooth scrolling, the current row's marker and type-ahead match, the shown rows with their
// tree lines and pictures, and row texts split into the header's columns.
#include <algorithm>

#include "foundation/FolderCollection.h"
#include "frames/FrameInterface.h"
#include "ui/ClipScope.h"
#include "ui/DisabledLook.h"
#include "ui/Font.h"
#include "ui/Header.h"
#include "ui/ListBox.h"
#include "ui/ScreenWindow.h"
#include "ui/ToolkitStatics.h"

using platform::Rect;

namespace {

constexpr int kFixedDigit = '8';
constexpr std::uint32_t kBlinkBit = 8;
constexpr int kMaskDepths = 32;

enum TreePicture : int {
    kFolderClosed,
    kFolderOpen,
    kFile
};

// The three tree pictures of the toolkit's icon set, looked up once per set.
CFrameInterface* TreePictureOf(TreePicture which)
{
    static FolderCollection* lookedUpIn = nullptr;
    static CFrameInterface* pictures[3] = {};
    FolderCollection* icons = toolkit::GetIconSet();
    if (icons != lookedUpIn) {
        lookedUpIn = icons;
        const char* names[3] = {"Folder Closed Icon", "Folder Open Icon", "File Icon"};
        for (int i = 0; i < 3; ++i) {
            const int index = icons ? icons->FindIndex(names[i]) : -1;
            pictures[i] = index < 0 ? nullptr : dynamic_cast<CFrameInterface*>(icons->GetOrLoad(index));
        }
    }
    return pictures[which];
}

int PictureWidth(CFrameInterface* picture) { return picture ? picture->GetBounds().Width() : 0; }

}  // namespace

CFrameInterface* CJListBox::GetExpandedPicture() { return TreePictureOf(kFolderOpen); }
CFrameInterface* CJListBox::GetCollapsedPicture() { return TreePictureOf(kFolderClosed); }
CFrameInterface* CJListBox::GetLeafPicture() { return TreePictureOf(kFile); }

int CJListBox::GetTreeMargin()
{
    if (!m_tree) return 0;
    const int widest = std::max(
        {PictureWidth(GetExpandedPicture()), PictureWidth(GetCollapsedPicture()), PictureWidth(GetLeafPicture())});
    return std::max(widest, GetIndent());
}

void CJListBox::Draw(CFrameInterface* frame)
{
    const DisabledLook look(!IsEnabledWithParent());
    const int rowHeight = GetRowHeight();
    m_scrollOffset = ApproachWithin(m_scrollOffset, m_targetScroll, rowHeight);
    const Rect whole = Rect::OfSize(GetWidth(), GetHeight());
    if (!IsTransparent()) frame->FillRect(whole, GetBackgroundColor());
    if (m_flags & kListBevel) DrawBevel(GetFont(), frame, whole, kBevelSunken, kEdgeAll, false);
    const int margin = GetMargin();
    {
        const ClipScope rowsOnly(frame, {0, margin, GetRowAreaWidth(), GetHeight() - margin});
        const int unit = DialogUnit();
        const bool marked = m_rowsPerPage > 1 || GetRowCount() == 1;
        if (m_currentRow >= 0 && marked) {
            const int top = unit + m_currentRow * rowHeight - m_scrollOffset;
            DrawCurrentMarker(frame, top);
            DrawTypeAhead(frame, margin + m_rows[m_currentRow].depth * GetIndent() + GetTreeMargin(), top + unit);
        }
        const int shown = std::max(GetHeight() - 2 * margin, 0);
        const int last = std::min(GetRowCount() - 1, (m_scrollOffset + shown) / rowHeight);
        for (int row = std::max(m_scrollOffset / rowHeight, 0); row <= last; ++row)
            DrawRow(frame, row, margin + m_rows[row].depth * GetIndent(), unit + row * rowHeight - m_scrollOffset);
    }
    CJWindow::Draw(frame);
}

void CJListBox::DrawCurrentMarker(CFrameInterface* frame, int y)
{
    frame->FillRect({GetTreeMargin(), y, GetRowAreaWidth(), y + GetRowHeight()}, GetSelectColor());
}

void CJListBox::DrawTypeAhead(CFrameInterface* frame, int x, int y)
{
    CFont* font = GetFont();
    const std::uint32_t now = ToolkitTicks();
    if (!font || m_typed.IsEmpty() || now - m_typedTime >= static_cast<std::uint32_t>(kTypeAheadMs)) return;
    const CString text = GetRowText(m_currentRow);
    const int start = x + font->MeasureWidth(text, m_matchOffset);
    const int width = font->MeasureWidth(text.Mid(m_matchOffset, m_typed.GetLength()));
    frame->FillRect({start, y, start + width, y + font->GetHeight()}, GetTextColor());
    if (HasFocus() && m_rowsPerPage == 1 && (now & kBlinkBit))
        frame->FillRect({start + width, y, start + width + 1, y + font->GetHeight()}, GetTextColor());
}

void CJListBox::DrawRow(CFrameInterface* frame, int row, int x, int y)
{
    const ListRow& line = m_rows[row];
    int textX = x;
    if (m_tree) {
        DrawTreeLines(frame, line, y);
        CFrameInterface* picture = !line.hasChildren ? GetLeafPicture()
                                   : line.expanded   ? GetExpandedPicture()
                                                     : GetCollapsedPicture();
        const int margin = GetTreeMargin();
        if (picture) {
            const Rect bounds = picture->GetBounds();
            frame->BlitAt(picture, x + (margin - bounds.Width()) / 2, y + (GetRowHeight() - bounds.Height()) / 2,
                          nullptr);
        }
        textX += margin;
    }
    DrawRowText(frame, GetRowText(row), textX, y + DialogUnit());
}

void CJListBox::DrawTreeLines(CFrameInterface* frame, const ListRow& row, int top)
{
    const int indent = GetIndent();
    const int bottom = top + GetRowHeight();
    const int middle = top + GetRowHeight() / 2;
    const int margin = GetMargin();
    const int deepest = std::min(row.depth, kMaskDepths - 1);
    for (int level = 1; level <= deepest; ++level) {
        const int x = margin + (level - 1) * indent + GetTreeMargin() / 2;
        const bool last = (row.lastChildMask >> level) & 1u;
        if (level < row.depth) {
            if (!last) DrawTreeVertical(frame, x, top, bottom);
        } else if (last) {
            DrawTreeCorner(frame, x, top, middle);
        } else {
            DrawTreeTee(frame, x, top, middle, bottom);
        }
    }
    if (row.depth >= 1 && row.depth < kMaskDepths)
        DrawTreeBranch(frame, margin + (row.depth - 1) * indent + GetTreeMargin() / 2, middle,
                       margin + row.depth * indent);
}

void CJListBox::DrawTreeCorner(CFrameInterface* frame, int x, int top, int middle)
{
    DrawTreeVertical(frame, x, top, middle + 1);
}

void CJListBox::DrawTreeTee(CFrameInterface* frame, int x, int top, int middle, int bottom)
{
    DrawTreeVertical(frame, x, top, bottom);
}

void CJListBox::DrawTreeVertical(CFrameInterface* frame, int x, int top, int bottom)
{
    frame->FillRect({x, top, x + 1, bottom}, GetOutlineColor());
}

void CJListBox::DrawTreeBranch(CFrameInterface* frame, int x, int middle, int right)
{
    frame->FillRect({x, middle, right, middle + 1}, GetOutlineColor());
}

void CJListBox::DrawRowText(CFrameInterface* frame, const CString& text, int x, int y)
{
    CFont* font = GetFont();
    if (!font) return;
    if (!m_header || m_header->GetColumnCount() < 2) {
        font->DrawText(frame, x, y, text);
        return;
    }
    const int margin = CJHeader::kTextMargin;
    int start = 0;
    for (int column = 0; column < m_header->GetColumnCount() && start >= 0; ++column) {
        const HeaderColumn& field = *m_header->GetColumn(column);
        const int end = text.FindChar('\t', start);
        const CString piece = end < 0 ? text.Mid(start) : text.Mid(start, end - start);
        start = end < 0 ? -1 : end + 1;
        const Rect cell{field.left, y, std::min(field.left + field.width, GetRowAreaWidth()), y + font->GetHeight()};
        const ClipScope clip(frame, cell);
        if (clip.IsEmpty()) continue;
        const int left = column == 0 ? std::max(x, cell.left + margin) : cell.left + margin;
        const int at = field.justification == kJustifyCentre  ? (cell.left + cell.right) / 2
                       : field.justification == kJustifyRight ? cell.right - margin
                                                              : left;
        font->DrawText(frame, at, y, piece, field.justification, field.fixedDigits ? kFixedDigit : 0);
    }
}
