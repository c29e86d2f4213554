#include "foundation/TagText.h"

#include <initializer_list>

CString MakeSafeTagName(const CString& name)
{
    CString safe(name);
    for (char c : {' ', '?', '&', '\''}) safe.ReplaceChar(c, '_');
    return safe;
}

CString MakeOpenTag(const CString& name)
{
    CString tag("<");
    tag.Append(name);
    tag.Append(">");
    return tag;
}

CString MakeCloseTag(const CString& name)
{
    CString tag("</");
    tag.Append(name);
    tag.Append(">");
    return tag;
}
