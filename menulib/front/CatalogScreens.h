// The catalog screens' texts and pictures, filled from the catalog records into the controls of the current form.
#pragma once
#include "foundation/CString.h"

// The front page: the featured application, the five other applications and the top ten.
void FillFrontPage();
// "n. &name&" of the top list's button n; "<NAME MISSING>" for an application without a name or record.
CString TopListButtonText(int n, const CString& name);
// A length of the 1024 x 768 design at the layout scale, truncated toward zero.
int LayoutPixels(float scale, int value);
// The placement mode that puts a child at its gaps from the parent's top-left corner.
constexpr int kPlaceAtPosition = 5;
// A wrapped description cut to its first two lines, the second ending in "..." when more followed.
CString FirstTwoLines(const CString& wrapped);
