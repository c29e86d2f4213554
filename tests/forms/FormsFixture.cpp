#include "FormsFixture.h"

#include "forms/Form.h"
#include "foundation/FileFlags.h"
#include "foundation/FileState.h"
#include "foundation/FolderCollection.h"
#include "foundation/VirtualFileTree.h"
#include "frames/FrameImageModel.h"
#include "ui/InputState.h"
#include "ui/ToolkitStatics.h"

namespace forms_test {

namespace {

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

void DeclareTestRecordAction(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Record", Member<&CTestRecordAction::m_record>()));
    record->AddProperty(new BoolPropertyInfo("Result", Member<&CTestRecordAction::m_result>(), true));
}

}  // namespace

FORM_CLASS(CTestRecordAction, CFormAction, DeclareTestRecordAction)

CTestRecordAction::CTestRecordAction() { ConstructOwnMembers(); }

CTestRecordAction::~CTestRecordAction() { DestroyOwnMembers(); }

bool CTestRecordAction::Execute()
{
    ActionLog().push_back(m_record.GetText());
    return m_result;
}

std::vector<std::string>& ActionLog()
{
    static std::vector<std::string> log;
    return log;
}

std::string JoinedLog()
{
    std::string joined;
    for (const std::string& entry : ActionLog()) joined += (joined.empty() ? "" : " ") + entry;
    return joined;
}

void FormsTest::SetUp()
{
    previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    std::filesystem::create_directories("Arcade/Resources");
    std::filesystem::copy_file(kDejaVu, "Arcade/Resources/!default.ttf");
    VirtualFileTree::Instance().Reset();
    FileState().archivesMounted = false;
    FileState().baseFolder = "Arcade";
    SetDisplayBitDepth(16);
    InstallFrameImageModel();
    GetFormFileCollection().LoadFromFolder(nullptr, "Resources", 0);
    GetFrameCollection().LoadFromFolder(nullptr, "Resources", 0);
    ActionLog().clear();
    MouseState::Get().Reset();
    KeyboardState::Get().Reset();
    font = std::make_unique<CFont>();
    font->SetPointSize(12.0f);
    toolkit::SetDefaultFont(font.get());
}

void FormsTest::TearDown()
{
    screen.reset();
    // Forms read in this test go; the next test's folder is scanned afresh.
    GetFormFileCollection().LoadFromFolder(nullptr, "Resources", 0);
    GetFormFileCollection().Clear();
    GetFrameCollection().Clear();
    toolkit::SetDefaultFont(nullptr);
    font.reset();
    FileState().baseFolder = ".";
    std::filesystem::current_path(previousFolder);
}

void FormsTest::WriteFile(const std::string& path, const std::string& text)
{
    testsupport::WriteFile("Arcade/" + path, text);
}

void FormsTest::WritePicture(const std::string& name, int width, int height, int red, int green, int blue)
{
    CFrame picture;
    picture.Create(width, height, 32);
    picture.Fill(MakeColor(red, green, blue, 255));
    ASSERT_TRUE(picture.WriteCompressedTga(("Arcade/Resources/" + name + ".tga").c_str(), kFileAbsolute));
}

CScreenWindow& FormsTest::Screen()
{
    if (!screen) {
        output.Create(320, 240, 16);
        screen = std::make_unique<CScreenWindow>(&output, font.get());
    }
    return *screen;
}

std::string Block(const std::string& key, const std::string& className, const std::string& lines)
{
    return key + "=" + className + "\r\n{\r\n" + lines + "}\r\n";
}

std::string FormText(const std::vector<std::string>& pages)
{
    std::string fields;
    for (const std::string& page : pages) fields += page;
    return "CForm\r\n{\r\nFields=Array\r\n{\r\n" + fields + "}\r\n}\r\n";
}

std::string Page(const std::string& name, const std::string& lines, const std::vector<std::string>& children)
{
    std::string body = "Control Name=" + name + "\r\n" + lines;
    if (!children.empty()) {
        body += "Child Controls=Array\r\n{\r\n";
        for (const std::string& child : children) body += child;
        body += "}\r\n";
    }
    return Block("Field", "CFormFrameControl", body);
}

std::string Child(const std::string& className, const std::string& lines)
{
    return Block("Child Control", className, lines);
}

std::string RecordAction(const std::string& key, const std::string& record)
{
    return Block(key, "CTestRecordAction", "Record=" + record + "\r\n");
}

std::unique_ptr<CFormAction> ReadAction(const std::string& className, const std::string& lines)
{
    testsupport::WriteFile("Arcade/action.txt", className + "\r\n{\r\n" + lines + "}\r\n");
    CObject* object = CObject::CreateFromFile("action.txt", 0, false, nullptr);
    EXPECT_NE(object, nullptr) << className;
    return std::unique_ptr<CFormAction>(dynamic_cast<CFormAction*>(object));
}

}  // namespace forms_test
