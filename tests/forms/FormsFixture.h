// The ground of the form engine's tests: each test works in a folder of its own laid out as the library's folder
// ("Arcade/" holding "Resources/" with the default face, the form files and the pictures), with the file layer's
// base folder "Arcade" as the library's start leaves it, a 16-bit display and fresh collections. A recording action
// logs what it runs.
#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "forms/FormAction.h"
#include "frames/Frame.h"
#include "ui/Font.h"
#include "ui/ScreenWindow.h"

namespace forms_test {

// Every recording action's "Record" text, in the order they ran.
std::vector<std::string>& ActionLog();
std::string JoinedLog();

// An action that logs its "Record" text and answers its "Result".
class CTestRecordAction : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CTestRecordAction)
public:
    CTestRecordAction();
    ~CTestRecordAction() override;
    void ReplaceText(const CString& name, const CString& value) override { m_record.ReplaceAll(name, value); }
    bool Execute() override;

    CString m_record;
    bool m_result = true;
};

class FormsTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Arcade/<path> (a form file under "Resources/" or a loose one beside it).
    static void WriteFile(const std::string& path, const std::string& text);
    // A solid picture Arcade/Resources/<name>.tga.
    static void WritePicture(const std::string& name, int width, int height, int red, int green, int blue);
    // A screen over a 320 x 240 frame, for the windows of the controls.
    CScreenWindow& Screen();

    testsupport::TempDir folder;
    std::filesystem::path previousFolder;
    std::unique_ptr<CFont> font;
    CFrame output;
    std::unique_ptr<CScreenWindow> screen;
};

// A control block of a form file: the class, then its lines.
std::string Block(const std::string& key, const std::string& className, const std::string& lines);
// A form file with the given pages.
std::string FormText(const std::vector<std::string>& pages);
// A page of a form file: name, extra lines and its child controls.
std::string Page(const std::string& name, const std::string& lines, const std::vector<std::string>& children = {});
std::string Child(const std::string& className, const std::string& lines);
std::string RecordAction(const std::string& key, const std::string& record);
// An action read from its text (class name and lines) in a file of its own.
std::unique_ptr<CFormAction> ReadAction(const std::string& className, const std::string& lines);

}  // namespace forms_test
