// The dialog window that runs the menu's scripted forms: it loads one form at a time (a loose file under "Arcade/"
// or a form of the collection), shows one ordinary page and at most one modal page over it as its children,
// switches pages by name with their enter and exit actions, takes Escape for the current page, writes its
// substitution variables ("<%Name%>") into every form it loads, keeps the form string that actions build, and
// finds controls by name for the actions.
#pragma once
#include <memory>
#include <vector>

#include "forms/Form.h"
#include "forms/FrameControls.h"
#include "foundation/CString.h"
#include "frames/ScaledFrameHolder.h"
#include "ui/FrameWindow.h"

class CFormPictureControl;
class CFormStaticControl;

class FormManager : public CJDialogWindow {
public:
    // The key that runs the current page's "Escape Key Action".
    static constexpr int kEscapeKey = 27;

    FormManager(CJWindow* parent, int width, int height, float scale);
    // Closes the pages still shown (their windows, not their actions) and stops being the current instance.
    ~FormManager() override;

    // The form manager made last and not yet destroyed; none before the first.
    static FormManager* GetCurrent();

    void AddSubstitution(const CString& name, const CString& value);
    // Replaces every variable in the text, the list run twice over so that values may name other variables.
    void ApplySubstitutions(CString& text) const;

    // Makes the form of that name the form in use and shows its start page (the first page for an empty or
    // unknown name). False, with the form in use unchanged, when the loose file cannot be read or there is no
    // form to take.
    bool LoadForm(const CString& formName, const CString& startPage);
    void SwitchPage(const CString& pageName);
    void BackToPreviousPage();
    // Closes the modal and the current page with their exit actions and forgets the previous page.
    void CloseAllPages();
    CFormControl* FindControl(const CString& name) const;
    // The control of that name when it is of the class; a control of another class counts as none.
    template <typename Control>
    Control* FindControlOfClass(const CString& name) const
    {
        return ControlAs<Control>(FindControl(name));
    }
    // Sets the text of the static control of that name; nothing for another name or class.
    void SetControlText(const CString& controlName, const CString& text);
    // Sets the picture of the picture control of that name; nothing for another name or class.
    void SetControlImage(const CString& controlName, const CString& imageName);

    CString& GetFormString() { return m_formString; }
    float GetScale() const { return m_scale; }
    CForm* GetFormInUse() const { return m_formInUse; }
    CFormFrameControl* GetCurrentPage() const { return m_currentPage; }
    CFormFrameControl* GetPreviousPage() const { return m_previousPage; }
    CFormFrameControl* GetModalPage() const { return m_modalPage; }

    // Forms replaced while their pages or actions may still be running are freed here, after the frame's events.
    void Update(float elapsed) override;
    void OnChildNotify(CJWindow* child, int code) override;

protected:
    bool OnKey(int code) override;

private:
    // Reads a loose form file into a new form; none when it is not a readable form.
    static std::unique_ptr<CForm> ReadLooseForm(const CString& fileName);
    CForm* TakeCollectionForm(const CString& formName);
    void WriteSubstitutions(CForm& form) const;
    void ShowPage(CFormFrameControl* page);
    // Runs the page's exit action and destroys its windows.
    void ClosePage(CFormFrameControl* page);
    void ForgetPages();

    CString m_formString;
    std::vector<CString> m_substitutionNames;
    std::vector<CString> m_substitutionValues;
    float m_scale;
    CForm* m_formInUse = nullptr;
    CFormFrameControl* m_currentPage = nullptr;
    CFormFrameControl* m_previousPage = nullptr;
    CFormFrameControl* m_modalPage = nullptr;
    CForm m_embeddedForm;
    std::vector<std::unique_ptr<CForm>> m_retiredForms;
};

// The control of that name and class on the current form manager; none without a manager (an action run outside a
// menu session), for an unknown name or for a control of another class.
template <typename Control>
Control* FindCurrentControl(const CString& name)
{
    FormManager* manager = FormManager::GetCurrent();
    return manager ? manager->FindControlOfClass<Control>(name) : nullptr;
}
