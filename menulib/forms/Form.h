// A scripted menu form: the ordered pages of one form file ("<name>.guiform.txt"), each a tree of form controls,
// and the process-wide collection of the form files of the library's "Resources" folder.
#pragma once
#include "forms/FormControl.h"
#include "foundation/ObjectFileCollection.h"

class CFormFrameControl;

class CForm : public CObject {
    DECLARE_PERSISTENT_CLASS(CForm)
public:
    CForm();
    ~CForm() override;

    // Every control of the form takes its run-time values from its defaults.
    void AfterLoad(ReferenceSlot* references) override;

    // The windows of the page at the index and of all its descendants, made in the container with the theme of
    // the theme source at the layout scale; nothing for an index that names no page.
    void CreatePageWindows(int page, CJWindow* themeSource, CJWindow* container, float layoutScale);
    void DestroyPageWindows(int page);
    // The windows of every entry of the form, made in the container (a form embedded in a page of another).
    void CreateAllWindows(CJWindow* themeSource, CJWindow* container, float layoutScale);
    void DestroyAllWindows();
    // Whether the form's windows are being made further up: a form embedded in itself, directly or through
    // others, is made once.
    bool IsMakingWindows() const;

    int GetPageCount() const { return m_Controls.count; }
    // The entry at the index (a page, or null for an empty entry or an index outside the form).
    CFormControl* GetPage(int i) const;
    // The index of an entry, -1 when it is not one of this form's.
    int IndexOfPage(const CFormControl* page) const;
    // Exchanges the pages of two forms.
    void SwapPages(CForm& other);

private:
    friend void DeclareForm(ClassInfo* record);
    RawArray m_Controls;
};

// The form files under "Resources", registered as "GUI Forms"; each form is read when first asked for and stays
// loaded until the library goes.
class FormFileCollection : public ObjectFileCollection<CForm> {
public:
    static constexpr const char* kListName = "GUI Forms";
    static constexpr const char* kFolder = "Resources";
    static constexpr const char* kExtension = "guiform.txt";

    FormFileCollection() : ObjectFileCollection<CForm>(kListName, kFolder, kExtension) {}
};

// The library's form collection, made (and registered) when the library loads.
FormFileCollection& GetFormFileCollection();
