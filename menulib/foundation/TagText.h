// Small helpers for tagged text.
#pragma once
#include "foundation/CString.h"

// A copy with ' ', '?', '&' and '\'' replaced by '_'.
CString MakeSafeTagName(const CString& name);
CString MakeOpenTag(const CString& name);   // "<name>"
CString MakeCloseTag(const CString& name);  // "</name>"
