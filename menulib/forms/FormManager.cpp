#include "forms/FormManager.h"

#include "forms/TextControls.h"
#include "foundation/ArrayGrowth.h"
#include "foundation/CFile.h"
#include "foundation/FileFlags.h"
#include "foundation/FileFunctions.h"

namespace {

FormManager* g_current = nullptr;

constexpr const char* kLooseFormFolder = "Arcade/";
constexpr const char* kFormFileSuffix = ".guiform.txt";
// A loose form file's first line begins with the form's class name.
constexpr const char* kFormClassName = "CForm";
constexpr int kFormClassNameLength = 5;
// The substitution list runs twice, so a value may hold another variable.
constexpr int kSubstitutionPasses = 2;

}  // namespace

FormManager::FormManager(CJWindow* parent, int width, int height, float scale)
    : CJDialogWindow(parent, nullptr), m_scale(scale)
{
    SetHeight(height);
    SetWidth(width);
    SetPlacementFlags(GetPlacementFlags() | kPlaceNoSpacing | kPlaceNoEdgeMargin);
    g_current = this;
}

FormManager::~FormManager()
{
    // The controls of collection forms outlive this window: they must not keep windows that go with it.
    for (CFormFrameControl* page : {m_modalPage, m_currentPage})
        if (page) page->DestroyWindows();
    // The windows go before the forms whose controls they show.
    CloseChildren();
    if (g_current == this) g_current = nullptr;
}

FormManager* FormManager::GetCurrent() { return g_current; }

void FormManager::AddSubstitution(const CString& name, const CString& value)
{
    AppendGrowing(m_substitutionNames, name);
    AppendGrowing(m_substitutionValues, value);
}

void FormManager::ApplySubstitutions(CString& text) const
{
    for (int pass = 0; pass < kSubstitutionPasses; ++pass)
        for (std::size_t i = 0; i < m_substitutionNames.size(); ++i)
            text.ReplaceAll(m_substitutionNames[i], m_substitutionValues[i]);
}

void FormManager::WriteSubstitutions(CForm& form) const
{
    for (int pass = 0; pass < kSubstitutionPasses; ++pass)
        for (int page = 0; page < form.GetPageCount(); ++page)
            for (std::size_t i = 0; i < m_substitutionNames.size(); ++i)
                if (CFormControl* control = form.GetPage(page))
                    control->ReplaceText(m_substitutionNames[i], m_substitutionValues[i]);
}

std::unique_ptr<CForm> FormManager::ReadLooseForm(const CString& fileName)
{
    CString diskPath(kLooseFormFolder);
    diskPath.Append(fileName);
    CFile file;
    CString firstLine;
    if (!file.Open(diskPath.GetText(), kFileRead | kFileAbsolute) || !file.ReadNonBlankLine(firstLine)) return nullptr;
    file.Close();
    if (CString(SkipBlanks(firstLine.GetText())).CompareNoCase(CString(kFormClassName), kFormClassNameLength) != 0)
        return nullptr;
    auto form = std::make_unique<CForm>();
    if (!form->LoadFromFile(fileName.GetText(), 0)) return nullptr;
    return form;
}

CForm* FormManager::TakeCollectionForm(const CString& formName)
{
    FormFileCollection& forms = GetFormFileCollection();
    return forms.GetOrLoad(forms.FindIndex(formName.GetText()));
}

bool FormManager::LoadForm(const CString& formName, const CString& startPage)
{
    CString fileName(formName);
    fileName.Append(kFormFileSuffix);
    CString diskPath(kLooseFormFolder);
    diskPath.Append(fileName);
    CForm* form = nullptr;
    if (FileExists(diskPath.GetText(), kFileAbsolute)) {
        std::unique_ptr<CForm> loaded = ReadLooseForm(fileName);
        if (!loaded) return false;
        ForgetPages();
        // The pages in use may be running the very event that loads the new ones: they are freed after the frame.
        m_embeddedForm.SwapPages(*loaded);
        m_retiredForms.push_back(std::move(loaded));
        form = &m_embeddedForm;
    } else {
        form = TakeCollectionForm(formName);
        if (!form) return false;
        ForgetPages();
    }
    WriteSubstitutions(*form);
    m_formInUse = form;
    SwitchPage(startPage);
    return true;
}

void FormManager::ForgetPages()
{
    // Pages still shown lose their windows (without their actions): their controls may go with the old form.
    for (CFormFrameControl* page : {m_modalPage, m_currentPage})
        if (page) page->DestroyWindows();
    m_modalPage = m_currentPage = m_previousPage = nullptr;
}

void FormManager::ShowPage(CFormFrameControl* page)
{
    m_formInUse->CreatePageWindows(m_formInUse->IndexOfPage(page), this, this, m_scale);
}

void FormManager::ClosePage(CFormFrameControl* page)
{
    RunFormAction(page->GetExitAction());
    page->DestroyWindows();
}

void FormManager::SwitchPage(const CString& pageName)
{
    if (!m_formInUse) return;
    CFormFrameControl* target = nullptr;
    // A name found on a page (the page's own or one of its controls') shows that page.
    for (int i = 0; i < m_formInUse->GetPageCount() && !target; ++i) {
        CFormControl* page = m_formInUse->GetPage(i);
        if (page && page->FindControl(pageName)) target = ControlAs<CFormFrameControl>(page);
    }
    if (!target) target = ControlAs<CFormFrameControl>(m_formInUse->GetPage(0));
    if (!target) return;
    if (target->IsModalWindow()) {
        if (m_modalPage) ClosePage(m_modalPage);
        m_modalPage = target;
        ShowPage(target);
        // The modal page goes in front: it is drawn on top and gets the input first.
        if (CJWindow* window = target->GetWindow(); window && window->GetParent() == this) {
            RemoveChild(window);
            AddChildFront(window, 0, nullptr, kDefaultGap, kDefaultGap, 0);
        }
    } else {
        if (m_modalPage) ClosePage(m_modalPage);
        m_modalPage = nullptr;
        if (target != m_currentPage) {
            if (m_currentPage) ClosePage(m_currentPage);
            m_previousPage = m_currentPage;
            m_currentPage = target;
            ShowPage(target);
        }
    }
    RunFormAction(target->GetEnterAction());
}

void FormManager::BackToPreviousPage()
{
    if (m_modalPage) {
        if (m_currentPage) {
            SwitchPage(m_currentPage->GetControlName());
            return;
        }
        // A modal start page with nothing under it: it closes and no page is left.
        ClosePage(m_modalPage);
        m_modalPage = nullptr;
        return;
    }
    if (m_previousPage) SwitchPage(m_previousPage->GetControlName());
}

void FormManager::CloseAllPages()
{
    if (m_modalPage) ClosePage(m_modalPage);
    if (m_currentPage) ClosePage(m_currentPage);
    m_modalPage = m_currentPage = m_previousPage = nullptr;
}

CFormControl* FormManager::FindControl(const CString& name) const
{
    if (!m_formInUse) return nullptr;
    for (int i = 0; i < m_formInUse->GetPageCount(); ++i) {
        CFormControl* page = m_formInUse->GetPage(i);
        if (CFormControl* found = page ? page->FindControl(name) : nullptr) return found;
    }
    return nullptr;
}

void FormManager::SetControlText(const CString& controlName, const CString& text)
{
    if (auto* label = FindControlOfClass<CFormStaticControl>(controlName)) label->SetText(text);
}

void FormManager::SetControlImage(const CString& controlName, const CString& imageName)
{
    if (auto* picture = FindControlOfClass<CFormPictureControl>(controlName))
        picture->SetImageName(imageName.GetText());
}

void FormManager::Update(float elapsed)
{
    // A manager asked to close goes with its update, and its retired forms with it.
    const bool closing = IsCloseRequested();
    CJDialogWindow::Update(elapsed);
    if (!closing) m_retiredForms.clear();
}

void FormManager::OnChildNotify(CJWindow* child, int code) { CJWindow::OnChildNotify(child, code); }

bool FormManager::OnKey(int code)
{
    if (code != kEscapeKey) return CJWindow::OnKey(code);
    if (m_currentPage) RunFormAction(m_currentPage->GetEscapeKeyAction());
    return true;
}
