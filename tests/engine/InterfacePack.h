// A pack of interface resources for the form, element and font tests: pictures made here as BMPs, fonts and forms
// written through the engine's own writers, texts as text records; read back as the game reads its pack, with a
// headless display to draw on.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DisplayFixture.h"
#include "GP_BinaryServer.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_ServerSet.h"
#include "GP_TextServer.h"
#include "PictureFiles.h"
#include "ResourceFixture.h"
#include "TempDir.h"

namespace interfacepack {

using picturefiles::Rgb;

// A 24-bit BMP whose pixel (x, y) is colour(x, y).
inline std::string Bmp(int width, int height, const std::function<Rgb(int, int)>& colour)
{
    using picturefiles::Put16;
    using picturefiles::Put32;
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string info;
    Put32(info, 40), Put32(info, width), Put32(info, height), Put16(info, 1), Put16(info, 24);
    for (int i = 0; i < 6; ++i) Put32(info, 0);
    std::string pixels;
    for (int y = height - 1; y >= 0; --y) {
        std::string line(stride, '\0');
        for (int x = 0; x < width; ++x) {
            const Rgb c = colour(x, y);
            line[x * 3] = char(c.b), line[x * 3 + 1] = char(c.g), line[x * 3 + 2] = char(c.r);
        }
        pixels += line;
    }
    std::string file = "BM";
    Put32(file, 14 + info.size() + pixels.size()), Put32(file, 0), Put32(file, 14 + info.size());
    return file + info + pixels;
}

inline std::uint16_t Pixel(Rgb c) { return picturefiles::Expected565(c); }

// A text record with the same text in all four language columns.
inline std::string TextRecord(const std::string& text)
{
    std::string s;
    picturefiles::Put16(s, 4);
    for (int i = 0; i < 4; ++i) picturefiles::Put16(s, static_cast<unsigned>(text.size()));
    for (int i = 0; i < 4; ++i) s += text;
    return s;
}

using Writer = std::function<void(CGP_ServerSet&)>;

class InterfacePackTest : public DisplayTest {
protected:
    enum Group : std::uint16_t {
        Pictures = 1,
        Fonts,
        Texts,
        Forms
    };

    InterfacePackTest() : work(dir.path())
    {
        resourcetest::AddHeaderGroup(source, "RESOURCE\\HEADER\\", 1);
        AddGroup("Pictures", "PICTURES", 1);
        AddGroup("Fonts", "FONTS", 3);
        AddGroup("Texts", "TEXTS", 4);
        AddGroup("Forms", "FORMS", 8);
        testsupport::WriteFile("RESOURCE/HEADER/layers", "LAYERS");
    }
    void TearDown() override
    {
        servers.reset();
        io.reset();
        pack.reset();
        DisplayTest::TearDown();
    }

    void AddPicture(const std::string& name, const std::string& bytes) { AddFile(Pictures, "PICTURES", name, bytes); }
    void AddText(const std::string& name, const std::string& text) { AddFile(Texts, "TEXTS", name, TextRecord(text)); }
    // A resource written by the engine's writer when the pack is built.
    void AddWritten(Group group, const std::string& name, Writer writer)
    {
        source.AddName(name.c_str(), group, 0);
        writers.push_back({group, name, std::move(writer)});
    }

    // Writes the resources, builds the pack and opens it as the game does.
    void Build()
    {
        {
            CGP_IOManager toolIO(nullptr, nullptr, &source, nullptr);
            CGP_ServerSet tool(nullptr, &toolIO, nullptr, 1033);
            for (auto& [group, name, writer] : writers) {
                ASSERT_TRUE(tool.binary->OpenWrite(source.FindID(name.c_str(), group)));
                writer(tool);
                std::fclose(tool.binary->writeStream);
                tool.binary->writeStream = nullptr;
            }
            toolIO.BuildPack("interface.idf");
        }
        pack = resourcetest::Open("interface.idf", "rb");
        resourcetest::LoadPackTable(names, pack.get());
        io = std::make_unique<CGP_IOManager>(pack.get(), nullptr, &names, nullptr);
        servers = std::make_unique<CGP_ServerSet>(nullptr, io.get(), nullptr, 1033);
    }

    std::uint32_t ID(Group group, const std::string& name) const { return names.FindID(name.c_str(), group); }

    testsupport::TempDir dir;
    resourcetest::WorkIn work;
    CGP_NameServer source;
    CGP_NameServer names;
    resourcetest::File pack{nullptr, std::fclose};
    std::unique_ptr<CGP_IOManager> io;
    std::unique_ptr<CGP_ServerSet> servers;

private:
    void AddGroup(const char* name, const char* folder, std::uint32_t kind)
    {
        const std::string dirName = std::string("RESOURCE\\") + folder + "\\";
        source.AddGroup(name, "*.*", dirName.c_str());
        source.GetGroup(source.GetGroupCount() - 1)->resourceKind = kind;
        source.GetGroup(source.GetGroupCount() - 1)->storage = 1;
        std::filesystem::create_directories(std::string("RESOURCE/") + folder);
    }
    void AddFile(Group group, const char* folder, const std::string& name, const std::string& bytes)
    {
        source.AddName(name.c_str(), group, 0);
        testsupport::WriteFile(std::string("RESOURCE/") + folder + "/" + name, bytes);
    }
    struct Written {
        Group group;
        std::string name;
        Writer writer;
    };
    std::vector<Written> writers;
};

}  // namespace interfacepack
