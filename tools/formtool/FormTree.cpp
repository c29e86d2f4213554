// The tree of a form: every page and control with its class, name, position and position method.
#include <cstdio>

#include "FormTool.h"
#include "forms/FormManager.h"
#include "foundation/FolderCollection.h"
#include "frames/Frame.h"
#include "frames/FrameImageModel.h"

namespace {

void PrintControl(const CFormControl& control, int depth)
{
    const IntPair& at = control.GetPosition();
    const int method = control.GetPositionMethod();
    const char* methodName =
        method >= 0 && method < PositionMethodList().Count() ? PositionMethodList().ItemNameText(method) : "(unknown)";
    std::printf("%*s%s \"%s\" at %d,%d, %s\n", depth * 2, "", control.GetClassInfo()->GetName(),
                control.GetControlName().GetText(), at.first, at.second, methodName);
    for (int i = 0; i < control.GetChildCount(); ++i)
        if (const CFormControl* child = control.GetChild(i)) PrintControl(*child, depth + 1);
}

}  // namespace

void UseLibraryFolder()
{
    SetDisplayBitDepth(16);
    InstallFrameImageModel();
    GetFormFileCollection().LoadFromFolder(nullptr, FormFileCollection::kFolder, 0);
    GetFrameCollection().LoadFromFolder(nullptr, "Resources", 0);
    GetSequenceCollection().LoadFromFolder(nullptr, "Resources", 0);
}

bool PrintFormTree(const std::string& formName)
{
    FormManager manager(nullptr, 1024, 768, 1.0f);
    if (!manager.LoadForm(CString(formName.c_str()), CString()) || !manager.GetFormInUse()) {
        std::fprintf(stderr, "cannot load the form \"%s\"\n", formName.c_str());
        return false;
    }
    const CForm& form = *manager.GetFormInUse();
    std::printf("form \"%s\": %d page(s)\n", formName.c_str(), form.GetPageCount());
    for (int i = 0; i < form.GetPageCount(); ++i)
        if (const CFormControl* page = form.GetPage(i)) PrintControl(*page, 1);
    return true;
}
