#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FakeImageModel.h"
#include "FatalCapture.h"
#include "FoundationFixture.h"
#include "TestClasses.h"
#include "ZipFixture.h"
#include "foundation/FileFlags.h"
#include "foundation/FolderCollection.h"
#include "foundation/ObjectFileCollection.h"

namespace {

class CollectionTest : public FileLayerTest {
protected:
    void MakeFolder(const std::string& name) { std::filesystem::create_directories(Path(name)); }
    std::vector<std::string> Names(FolderCollection& collection)
    {
        std::vector<std::string> names;
        for (int i = 0; i < collection.GetCount(); ++i) names.push_back(collection.GetName(i));
        return names;
    }
    FakeImageModel model;
};

const char* const kItemA = "CTestA\r\n{\r\n\tCount=1\r\n\tName=first\r\n}\r\n";
const char* const kItemB = "CTestA\r\n{\r\n\tCount=2\r\n\tName=second\r\n}\r\n";

}  // namespace

TEST_F(CollectionTest, SequenceItemsAreDashedFoldersNotEnteredFurther)
{
    MakeFolder("Menus/-A");
    MakeFolder("Menus/Sub/-B/-C");
    MakeFolder("Menus/Plain");
    SequenceFolderCollection sequences;
    sequences.LoadFromFolder("Sequences", "Menus", 0);
    EXPECT_TRUE(sequences.IsLoadPending());
    EXPECT_EQ(Names(sequences), (std::vector<std::string>{"A", "Sub/B"}));
    EXPECT_EQ(sequences.GetItemFilePath(1), "Menus/Sub/-B/Properties.txt");

    // Objects are made on first use, through a copy of the default pipeline made once.
    EXPECT_EQ(sequences.Item(1).object, nullptr);
    auto* b = static_cast<CTestSequence*>(sequences.GetOrLoad(1));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->m_loadedFrom, "Menus|Sub/B");
    EXPECT_EQ(model.lastPipeline, (std::vector<std::string>{"palette"}));
    sequences.GetOrLoad(0);
    EXPECT_EQ(model.copies, 1);
    EXPECT_EQ(sequences.Item(0).state.uses, 1);

    CString path;
    EXPECT_TRUE(sequences.GetObjectFileName(b, path));
    EXPECT_EQ(path, "Menus/Sub/-B/Properties.txt");
    CTestA stranger;
    EXPECT_FALSE(sequences.GetObjectFileName(&stranger, path));
    EXPECT_TRUE(PersistentObjectList::FindObjectFileName(b, path));  // registered under its name
}

TEST_F(CollectionTest, IndicesOutsideTheItemsSelectTheFirst)
{
    Write("Frames/a.TGA", "");
    Write("Frames/b.tga", "");
    Write("Frames/c.TGA", "");
    FrameFolderCollection frames;
    frames.LoadFromFolder(nullptr, "Frames", 0);
    CObject* first = frames.GetOrLoad(0);
    ASSERT_NE(first, nullptr);
    for (int index : {5, 3, -1, -7}) EXPECT_EQ(frames.GetOrLoad(index), first) << index;
    EXPECT_EQ(frames.GetOrLoad(2) == first, false);

    FrameFolderCollection empty;
    empty.LoadFromFolder(nullptr, "NoSuchFolder", 0);
    EXPECT_EQ(empty.GetOrLoad(0), nullptr);
    EXPECT_EQ(empty.GetOrLoad(-1), nullptr);
}

TEST_F(CollectionTest, FrameItemsIgnoreCaseAndFallBackToTheCache)
{
    Write("Frames/x.TGA", "");
    Write("Frames/X.tga", "");
    Write("Frames/Sub/y.TGA", "");
    FrameFolderCollection frames;
    frames.LoadFromFolder(nullptr, "Frames", 0);
    EXPECT_EQ(Names(frames).size(), 2u);
    EXPECT_EQ(frames.FindIndex("y"), frames.FindIndex("Sub/y"));
    auto* frame = static_cast<CTestFrame*>(frames.GetOrLoad(frames.FindIndex("X")));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsKindOf(CTestStandAloneFrame::GetStaticClassInfo()));
    EXPECT_EQ(model.lastPipeline, (std::vector<std::string>{"trim", "palette"}));
    EXPECT_EQ(frames.GetItemFilePath(frames.FindIndex("Sub/y")), "Frames/Sub/y.txt");
    // A new item of the frame collection is a stand-alone frame, described by its text file.
    const int added = frames.AddLoadedObject("new.TGA");
    EXPECT_STREQ(frames.GetName(added), "new");
    ASSERT_NE(frames.Item(added).object, nullptr);
    EXPECT_TRUE(frames.Item(added).object->IsKindOf(CTestStandAloneFrame::GetStaticClassInfo()));

    Write("Cache/Gone/one.frm16", "");
    Write("Cache/Gone/two.frm16", "");
    FrameFolderCollection cached;
    cached.LoadFromFolder(nullptr, "Gone", 0);
    EXPECT_EQ(Names(cached), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(cached.GetItemFolder(), "Cache/Gone");

    MakeFolder("Cache/Seqs");
    Write("Cache/Seqs/Walk.seq16", "");
    SequenceFolderCollection sequences;
    sequences.LoadFromFolder(nullptr, "Seqs", 0);
    EXPECT_EQ(Names(sequences), (std::vector<std::string>{"Walk"}));

    model.failFrames = true;
    FrameFolderCollection unreadable;
    unreadable.LoadFromFolder(nullptr, "Frames", 0);
    EXPECT_EQ(unreadable.GetOrLoad(0), nullptr);
}

TEST_F(CollectionTest, AnItemThatLoadsItselfIsFatal)
{
    MakeFolder("Loop/-Self");
    static SequenceFolderCollection* loop;
    SequenceFolderCollection sequences;
    loop = &sequences;
    sequences.LoadFromFolder(nullptr, "Loop", 0);
    model.onLoad = [] { loop->GetOrLoad(0); };
    FatalCapture capture;
    EXPECT_FATAL(capture, sequences.GetOrLoad(0));
    model.onLoad = nullptr;
    EXPECT_EQ(
        capture.shown,
        "Fatal Error: Got stuck in an infinite loop while trying to load \"Self\".  This is usually caused by that "
        "file refering to itself.  The actions in this file need to be re-scripted to go through a canned "
        "object or relay or some other indirect method\n");
}

TEST_F(CollectionTest, LoadGuards)
{
    MakeFolder("Anim/-Run");
    SequenceFolderCollection sequences;
    sequences.LoadFromFolder(nullptr, "Anim", 0);
    model.frames = 4;
    const std::unique_ptr<LoadGuard> guard(GetSequenceGuardFactory()(sequences, 0));
    ASSERT_NE(guard->GetObject(), nullptr);
    guard->Advance(0.25f);  // 10 frames a second: 2.5
    EXPECT_FLOAT_EQ(guard->GetPosition(), 2.5f);
    guard->Advance(0.25f);  // 5.0 wraps by the 4 frames
    EXPECT_FLOAT_EQ(guard->GetPosition(), 1.0f);
    guard->Draw(nullptr, 3, 4);
    ASSERT_EQ(model.draws.size(), 1u);
    EXPECT_EQ(model.selected.back(), 1);
    EXPECT_EQ(model.draws[0].blitType, FakeImageModel::Blit(1));
    EXPECT_EQ(model.accesses, 0);
    static_cast<CTestSequence*>(guard->GetObject())->m_frames = 0;
    guard->Advance(1.0f);  // a sequence without frames stays where it is
    EXPECT_FLOAT_EQ(guard->GetPosition(), 1.0f);
    // A rate too large for subtracting the frame count to change the position still wraps at once.
    static_cast<CTestSequence*>(guard->GetObject())->m_frames = 3;
    static_cast<CTestSequence*>(guard->GetObject())->m_rate = 1e30f;
    guard->Advance(1.0f);
    EXPECT_GE(guard->GetPosition(), 0.0f);
    EXPECT_LT(guard->GetPosition(), 3.0f);

    Write("Pics/p.TGA", "");
    FrameFolderCollection frames;
    frames.LoadFromFolder(nullptr, "Pics", 0);
    std::unique_ptr<LoadGuard> frameGuard(GetFrameGuardFactory()(frames, 9));
    EXPECT_EQ(frameGuard->GetIndex(), 0);  // the item the index selected
    frameGuard->Draw(nullptr, 0, 0);
    EXPECT_EQ(model.draws.back().blitType, FakeImageModel::Blit(2));  // a stand-alone frame's own blit type
    frameGuard.reset();
    frames.Unload(0);
    model.plainFrames = true;  // a frame that is not a stand-alone frame draws with the default blit type
    frameGuard.reset(GetFrameGuardFactory()(frames, 0));
    frameGuard->Draw(nullptr, 0, 0);
    EXPECT_EQ(model.draws.back().blitType, FakeImageModel::Blit(3));
    frameGuard.reset();

    // Sources appended before the first load take the place of the default pipeline.
    FrameFolderCollection sourced;
    sourced.LoadFromFolder(nullptr, "Pics", 0);
    sourced.AppendSources(*FakeImageModel::Handle(model.sequenceDefaults));
    sourced.GetOrLoad(0);
    EXPECT_EQ(model.lastPipeline, (std::vector<std::string>{"palette"}));
}

TEST_F(CollectionTest, ANamedLoadRegistersTheCollectionWithItsGuardFactory)
{
    Write("Pics/p.TGA", "");
    MakeFolder("Anim/-Run");
    FrameFolderCollection frames;
    SequenceFolderCollection sequences;
    ObjectFileCollection<CTestA> parts("Test Parts", "", "part");
    frames.LoadFromFolder("Test Frames", "Pics", 0);
    sequences.LoadFromFolder("Test Sequences", "Anim", 0);
    PersistentObjectList& roster = PersistentObjectList::Instance();
    const int frameEntry = roster.FindRequired("Test Frames");
    const int sequenceEntry = roster.FindRequired("Test Sequences");
    EXPECT_EQ(roster.GetCollection(frameEntry), &frames);
    EXPECT_EQ(roster.GetGuardFactory(frameEntry), GetFrameGuardFactory());
    EXPECT_EQ(roster.GetGuardFactory(sequenceEntry), GetSequenceGuardFactory());
    EXPECT_EQ(roster.GetGuardFactory(roster.FindRequired("Test Parts")), nullptr);

    // A guard made through the roster loads the item it names.
    const std::unique_ptr<LoadGuard> guard(roster.GetGuardFactory(sequenceEntry)(sequences, 0));
    ASSERT_NE(guard->GetObject(), nullptr);
    EXPECT_EQ(sequences.Item(0).object.get(), guard->GetObject());

    // A collection is on the roster once: named loads after the first rename its entry.
    const int entries = roster.Count();
    frames.LoadFromFolder("Test Frames", "Pics", 0);
    sequences.LoadFromFolder("Test Sequences Again", "Anim", 0);
    EXPECT_EQ(roster.Count(), entries);
    EXPECT_EQ(roster.FindRequired("Test Frames"), frameEntry);
    EXPECT_EQ(roster.FindRequired("Test Sequences Again"), sequenceEntry);
    EXPECT_EQ(roster.GetGuardFactory(sequenceEntry), GetSequenceGuardFactory());
}

TEST_F(CollectionTest, ObjectFilesOnDiskAndInAMountedArchive)
{
    Write("Items/one.item.txt", kItemA);
    Write("Items/-Two.item.txt", kItemB);
    Write("Items/other.txt", "not an item");
    Write("data.zip", zipfixture::Build({{"Items/Packed/three.item.txt",
                                          "CTestA\r\n{\r\n\tCount=3\r\n\tName=packed\r\n}\r\n", "", "", 0},
                                         {"Items/Packed/ONE.item.txt", kItemB, "", "", 0}}));
    ASSERT_TRUE(VirtualFileTree::Instance().Add(Path("data.zip").c_str(), true, false, "/", false, kFileAbsolute));
    FileState().archivesMounted = true;

    ObjectFileCollection<CTestA> items("Test Items", "", "item.txt");
    items.LoadFromFolder(nullptr, "Items", 0);
    EXPECT_EQ(Names(items), (std::vector<std::string>{"one", "Packed/ONE", "Packed/three", "Two"}));
    EXPECT_EQ(items.Item(0).object, nullptr);
    CTestA* one = items.GetOrLoad(items.FindIndex("ONE"));
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->m_name, "first");  // the exact name before the same last component elsewhere
    CTestA* three = items.GetOrLoad(items.FindIndex("three"));
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->m_count, 3);
    EXPECT_EQ(items.GetOrLoad(items.FindIndex("two", 1))->m_name, "second");
    EXPECT_EQ(items.FindIndex("missing"), kNoIndex);
    items.SecondNames().Add("alias");
    EXPECT_EQ(items.FindIndex("alias"), 0);  // the index in the second name list
    EXPECT_EQ(items.GetOrLoad(items.FindIndex("packed/one"))->m_name, "second");

    // Saving an item through the roster rewrites its file only when it changed.
    CString path;
    ASSERT_TRUE(FindFileNameForObject(one, path));
    EXPECT_EQ(path, "Items/one.item.txt");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(Path("Items/one.item.txt"), old);
    EXPECT_TRUE(SaveObject(one));
    EXPECT_EQ(std::filesystem::last_write_time(Path("Items/one.item.txt")), old);
    one->m_count = 11;
    EXPECT_TRUE(SaveObject(one));
    EXPECT_NE(Read("Items/one.item.txt").find("Count=11"), std::string::npos);
    CTestA unknown;
    EXPECT_FALSE(SaveObject(&unknown));
}

TEST_F(CollectionTest, ObjectFilesFallBackToCachedPropertyFiles)
{
    Write("Cache/Forms/main.property", kItemA);
    ObjectFileCollection<CTestA> forms("Test Forms", "", "form");
    forms.LoadFromFolder(nullptr, "Forms", 0);
    ASSERT_EQ(forms.GetCount(), 1);
    EXPECT_STREQ(forms.GetName(0), "main");
    ASSERT_NE(forms.GetOrLoad(0), nullptr);
    EXPECT_EQ(forms.GetOrLoad(0)->m_count, 1);
}

TEST_F(CollectionTest, ItemsFoundInTheCacheAreSavedToTheCollectionFolder)
{
    Write("Cache/Gone/one.frm16", "");
    MakeFolder("Cache/Seqs");
    Write("Cache/Seqs/Walk.seq16", "");
    Write("Cache/Forms/main.property", kItemA);
    FrameFolderCollection frames;
    frames.LoadFromFolder(nullptr, "Gone", 0);
    SequenceFolderCollection sequences;
    sequences.LoadFromFolder(nullptr, "Seqs", 0);
    ObjectFileCollection<CTestA> forms("Test Cached Forms", "", "form");
    forms.LoadFromFolder(nullptr, "Forms", 0);
    struct Case {
        FolderCollection& collection;
        const char* file;
    } cases[] = {{frames, "Gone/one.txt"}, {sequences, "Seqs/-Walk/Properties.txt"}, {forms, "Forms/main.form"}};
    for (const Case& c : cases) {
        ASSERT_EQ(c.collection.GetCount(), 1) << c.file;
        EXPECT_EQ(c.collection.GetItemFilePath(0), c.file);
        CObject* object = c.collection.GetOrLoad(0);
        ASSERT_NE(object, nullptr) << c.file;
        CString path;
        EXPECT_TRUE(c.collection.GetObjectFileName(object, path));
        EXPECT_EQ(path, c.file);
    }

    // Saving a changed item through the roster leaves the converted file in the cache as it was.
    CTestA* form = forms.GetOrLoad(0);
    form->m_count = 5;
    SaveObject(form);
    EXPECT_EQ(Read("Cache/Forms/main.property"), kItemA);
}

namespace {

// A collection for the roster that records what is asked of it.
class RecordingCollection : public PersistentCollection {
public:
    RecordingCollection(std::vector<std::string>& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    void LoadFromFolder(const char*, const char* folder, int) override { m_log.push_back(m_name + " load " + folder); }
    bool NeedsSave() override { return true; }
    bool IsItemModified(int i) override { return i == 1; }
    void SaveItem(int i) override { m_log.push_back(m_name + " save " + std::to_string(i)); }
    int GetItemCount() override { return 2; }
    bool GetObjectFileName(const CObject* object, CString& path) override
    {
        if (object != known) return false;
        path = (m_name + ".txt").c_str();
        return true;
    }
    const CObject* known = nullptr;

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

}  // namespace

TEST_F(CollectionTest, TheRosterLoadsInOrderAndSavesInReverse)
{
    std::vector<std::string> log;
    RecordingCollection first(log, "first"), second(log, "second"), third(log, "third");
    PersistentObjectList& roster = PersistentObjectList::Instance();
    roster.Add("First", "Resources", &first, 0, 0);
    roster.Add("Second", "", &second, 0, 0);
    roster.Add("Third", "Other", &third, 0, 0);
    roster.LoadAll();
    roster.ShutDown();
    CTestA object;
    second.known = &object;
    CString path;
    EXPECT_TRUE(PersistentObjectList::FindObjectFileName(&object, path));
    EXPECT_EQ(path, "second.txt");
    EXPECT_EQ(roster.FindRequired("Third"), roster.Count() - 1);
    for (RecordingCollection* collection : {&first, &second, &third}) roster.Remove(collection);
    EXPECT_EQ(log, (std::vector<std::string>{"first load Resources", "third load Other", "third save 1",
                                             "second save 1", "first save 1"}));
}

TEST_F(CollectionTest, UseMarksUnloadsAndAddedObjects)
{
    Write("Parts/a.part", kItemA);
    Write("Parts/Sub/b.part", kItemB);
    ObjectFileCollection<CTestA> parts("Test Parts", "", "part");
    parts.LoadFromFolder(nullptr, "Parts", 0);
    EXPECT_EQ(parts.FindObject(nullptr), 0);  // a pending load answers 0
    const NamedListIndex* index = parts.GetIndex();
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(index->ChildCount(index->Root()), 2);  // item a, folder Sub

    parts.MarkUsed(1);
    EXPECT_TRUE(parts.Item(1).keep);
    EXPECT_TRUE(parts.Item(1).initialised);
    CTestA* b = parts.GetOrLoad(1);
    EXPECT_EQ(parts.FindObject(b), 1);
    EXPECT_EQ(parts.Item(1).state.uses, 2);
    parts.Unload(1);
    EXPECT_EQ(parts.Item(1).object, nullptr);
    EXPECT_EQ(parts.Item(1).state.uses, 0);
    EXPECT_EQ(parts.FindObject(b), kNoIndex);
    EXPECT_EQ(parts.GetOrLoad(1)->m_name, "second");  // read again on the next use

    // An added object is a new item: the index shows it and the roster saves it to the item's file.
    MakeFolder("Parts/New");
    const int added = parts.AddLoadedObject("New/c.part");
    EXPECT_STREQ(parts.GetName(added), "New/c");
    ASSERT_NE(parts.Item(added).object, nullptr);
    EXPECT_EQ(parts.GetOrLoad(added)->m_count, 7);
    EXPECT_FALSE(parts.IsItemModified(0));
    index = parts.GetIndex();
    EXPECT_EQ(index->ChildCount(index->Root()), 3);  // item a, folders New and Sub
    EXPECT_EQ(index->DisplayName(index->Child(index->Root(), 2)), "New");
    EXPECT_EQ(Read("Parts/New/c.part").rfind("CTestA\r\n{", 0), 0u);

    // An object added before the first access joins the items the pending load finds.
    ObjectFileCollection<CTestA> fresh("Test Fresh Parts", "", "part");
    fresh.LoadFromFolder(nullptr, "Parts", 0);
    const int d = fresh.AddLoadedObject("d.part");
    EXPECT_EQ(fresh.GetCount(), 4);
    EXPECT_STREQ(fresh.GetName(d), "d");
    EXPECT_TRUE(std::filesystem::exists(Path("Parts/d.part")));
}

TEST_F(CollectionTest, AnObjectFileCollectionIsTheListItsDiagnosticsName)
{
    Write("Tips/a.tip", kItemA);
    ObjectFileCollection<CTestA> tips("Tip List", "", "tip");
    tips.LoadFromFolder(nullptr, "Tips", 0);
    FatalCapture capture;
    EXPECT_FATAL(capture, tips.FindRequired("b"));
    EXPECT_NE(capture.shown.find("\"b\" which should be in the \"Tip List\" list located in the \"Tips\" folder"),
              std::string::npos)
        << capture.shown;
}

TEST(FixedCollectionItem, TheFilterChoosesItems)
{
    FixedCollectionItemPropertyInfo choice(
        "Choice", HolderValue<std::int32_t>(), &TestColours(), nullptr, nullptr,
        [](const NamedList* list, int i) { return list->ItemNameText(i)[0] != 'G'; });
    EXPECT_TRUE(choice.AcceptsItem(0));
    EXPECT_FALSE(choice.AcceptsItem(1));
    std::int32_t value = 5;
    choice.ResetToDefault(&value);
    EXPECT_EQ(value, 0);  // no default item: the first
    choice.SetFromText(&value, CString("blue"), nullptr);
    EXPECT_EQ(value, 2);
    std::unique_ptr<PropertyInfo> copy(choice.Clone());
    CString text;
    copy->ValueToText(&value, text);
    EXPECT_EQ(text, "Blue");
}
