// Loading and parsing a property text file of about 500 lines: a form-like object with 60 controls.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/CFileBuf.h"
#include "foundation/Object.h"
#include "foundation/PropertyStream.h"
#include "foundation/PropertyTypes.h"

namespace {

class CBenchControl : public CObject {
    DECLARE_PERSISTENT_CLASS(CBenchControl)
public:
    CBenchControl() { ConstructOwnMembers(); }
    ~CBenchControl() override { DestroyOwnMembers(); }
    CString m_name;
    CString m_caption;
    std::int32_t m_x = 0, m_y = 0, m_width = 0, m_height = 0;
};

class CBenchForm : public CObject {
    DECLARE_PERSISTENT_CLASS(CBenchForm)
public:
    CBenchForm() { ConstructOwnMembers(); }
    ~CBenchForm() override { DestroyOwnMembers(); }
    CString m_title;
    float m_scale = 1.0f;
    ObjectArray m_controls;
};

void DeclareControl(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Name", Member<&CBenchControl::m_name>()));
    record->AddProperty(new StringPropertyInfo("Caption", Member<&CBenchControl::m_caption>()));
    record->AddProperty(new IntegerPropertyInfo("Left", Member<&CBenchControl::m_x>()));
    record->AddProperty(new IntegerPropertyInfo("Top", Member<&CBenchControl::m_y>()));
    record->AddProperty(new IntegerPropertyInfo("Width", Member<&CBenchControl::m_width>(), 0, 0, 4096));
    record->AddProperty(new IntegerPropertyInfo("Height", Member<&CBenchControl::m_height>(), 0, 0, 4096));
}

void DeclareForm(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Title", Member<&CBenchForm::m_title>()));
    record->AddProperty(new FloatPropertyInfo("Scale", Member<&CBenchForm::m_scale>(), 1.0f));
    record->AddProperty(
        new ItemArrayPropertyInfo("Controls", Member<&CBenchForm::m_controls>(), CBenchControl::GetStaticClassInfo()));
}

std::string MakeFile()
{
    std::string text =
        "CBenchForm\r\n{\r\n\tTitle=Main menu\r\n\tScale=1.25\r\n\tControls=Array\r\n\t{\r\n"
        "\t\tArray Count=60\r\n";
    for (int i = 0; i < 60; ++i) {
        text += "\t\tArray Item=CBenchControl\r\n\t\t{\r\n";
        text += "\t\t\tName=Button" + std::to_string(i) + "\r\n\t\t\tCaption=Press here " + std::to_string(i) + "\r\n";
        text += "\t\t\tLeft=" + std::to_string(10 * i) + "\r\n\t\t\tTop=" + std::to_string(5 * i) + "\r\n";
        text += "\t\t\tWidth=120\r\n\t\t\tHeight=32\r\n\t\t}\r\n";
    }
    return text + "\t}\r\n}\r\n";
}

void ParseFromMemory(benchmark::State& state)
{
    const std::string text = MakeFile();
    CBenchForm form;
    for (auto _ : state) {
        void* copy = std::malloc(text.size());
        std::memcpy(copy, text.data(), text.size());
        PropertyStream stream;
        stream.Attach(new CMemoryFileBuf(copy, static_cast<int>(text.size())), kFileRead, true);
        benchmark::DoNotOptimize(form.ReadFromStream(stream));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(ParseFromMemory);

void LoadFromDisk(benchmark::State& state)
{
    char path[] = "/tmp/vel-bench-XXXXXX";
    const int fd = ::mkstemp(path);
    const std::string text = MakeFile();
    if (fd < 0 || ::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        state.SkipWithError("no temporary file");
        return;
    }
    ::close(fd);
    CBenchForm form;
    for (auto _ : state) benchmark::DoNotOptimize(form.LoadFromFile(path, kFileAbsolute));
    std::remove(path);
}
BENCHMARK(LoadFromDisk);

}  // namespace

IMPLEMENT_PERSISTENT_CLASS(CBenchControl, CObject, 1.0f, DeclareControl)
IMPLEMENT_PERSISTENT_CLASS(CBenchForm, CObject, 1.0f, DeclareForm)
