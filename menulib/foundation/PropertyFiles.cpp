// The property text format of objects: writing, parsing with its recovery rules, and the file entry points.
#include <strings.h>

#include <cstdlib>
#include <cstring>

#include "foundation/CompressedBlockCodec.h"
#include "foundation/FatalMessage.h"
#include "foundation/FileFunctions.h"
#include "foundation/FileState.h"
#include "foundation/Object.h"
#include "foundation/PropertyStream.h"
#include "foundation/VirtualFileTree.h"
#include "platform/debug_output.h"

namespace {

CString Trimmed(const char* text)
{
    CString trimmed(SkipBlanks(text));
    trimmed.TrimRight();
    return trimmed;
}

// A member of a mounted archive is rewritten through the archive (or not at all, as a plain save decides); a disk
// file through a temporary file and a rename, so that a crash mid-write keeps the old file.
bool WriteWholeFile(const char* path, int flags, const void* data, int size)
{
    if (!(flags & kFileAbsolute) && FileState().archivesMounted && VirtualFileTree::Instance().HoldsMember(path)) {
        CFile target;
        if (!target.Open(path, flags | kFileCreate | kFileWrite)) return false;
        const bool written = target.Write(data, size) == size;
        return target.Close() && written;
    }
    return WriteDiskFileAtomically(path, flags, data, size);
}

bool StartsWith(const char* text, const char* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

// "Referenced Object List Location": the list of referenced IDs at the given position, read once per stream.
void ReadReferenceList(PropertyStream& stream, const CString& value)
{
    ObjectReferenceTable& table = stream.References();
    if (table.IsListRead()) return;
    table.SetListRead();
    const int back = stream.Tell();
    const long location = std::strtol(value.GetText(), nullptr, 0);
    CString line;
    if (location >= 0 && location <= stream.GetSize() && stream.Seek(static_cast<int>(location)) &&
        stream.ReadLine(line) && line.GetLength() <= 200 &&
        Trimmed(line.GetText()).CompareNoCase("Referenced Objects") == 0) {
        stream.ReadLine(line);  // "{"
        std::vector<long> ids;
        if (stream.ReadLine(line)) {
            const int count = std::atoi(line.GetText());
            if (count > 0) ids.reserve(count < stream.BytesLeft() ? count : stream.BytesLeft());
        }
        while (stream.ReadLine(line) && line.GetLength() <= 200 && SkipBlanks(line.GetText())[0] != '}')
            ids.push_back(std::strtol(line.GetText(), nullptr, 0));
        table.SetReferencedIds(std::move(ids));
    }
    stream.Seek(back);
}

// An object nested too deep is passed over: its block (or, inline, its first line) is read and dropped.
void SkipTooDeepObject(PropertyStream& stream, bool nested, const char* className)
{
    CString warning;
    warning.Format("Objects nested more than %d deep in \"%s\": the \"%s\" inside is not read\n",
                   ObjectNesting::kMaxDepth, LastFileOpened().GetText(), className);
    OutputDebugStringA(warning.GetText());
    CString line;
    if (!stream.ReadNonBlankLine(line) || nested) return;
    if (Trimmed(line.GetText()) != "{" && !stream.ReadNonBlankLine(line)) return;
    if (SkipBlanks(line.GetText())[0] == '{') SkipRestOfBlock(stream);
}

// In an inline block the first property found begins the object; the same property found again begins the
// next inline object of the same kind.
bool StartsAnotherInlineObject(const PropertyInfo* property, const PropertyInfo*& firstFound)
{
    if (firstFound) return property == firstFound;
    firstFound = property;
    return false;
}

// "Qualifier::Name": the qualifier is dropped, and the name sets that property when the class has it. The name
// is left without its qualifier for the checks that follow.
void ReadQualifiedLine(CObject& object, CString& name, const CString& value, PropertyStream& stream)
{
    const int qualifier = name.Find("::");
    if (qualifier < 0) return;
    name = name.Mid(qualifier + 2);
    const PropertyInfo* property = object.GetClassInfo()->FindProperty(name.GetText());
    if (property) property->SetFromText(HolderOf(&object), value, &stream);
}

}  // namespace

void CObject::WriteText(PropertyStream& stream, bool withClassLine) const
{
    const ClassInfo* record = GetClassInfo();
    if (withClassLine) {
        stream.WriteLine(record->GetName());
        stream.WriteLine("{");
        stream.Indent();
    }
    for (int i = 0; i < record->Count(); ++i) {
        const PropertyInfo* property = record->GetProperty(i);
        if (property->GetName().IsEmpty() || !property->IsSaved(HolderOf(this))) continue;
        property->WriteName(HolderOf(this), stream);
        property->WriteValue(HolderOf(this), stream);
    }
    WriteCustomProperties(stream);
    if (withClassLine) {
        stream.Unindent();
        stream.WriteLine("}");
    }
}

bool CObject::ParseText(PropertyStream& stream, bool nested)
{
    const ClassInfo* record = GetClassInfo();
    const ObjectNesting nesting;
    if (nesting.TooDeep()) {
        SkipTooDeepObject(stream, nested, record->GetName());
        return false;
    }
    CString line;
    if (!nested) {
        if (!stream.ReadNonBlankLine(line)) return false;
        const CString first = Trimmed(line.GetText());
        if (first != "{") {
            const ClassInfo* named = ClassRegistry::Instance().Find(first.GetText());
            if (!named || !IsKindOf(named)) return false;
            if (!stream.ReadNonBlankLine(line) || Trimmed(line.GetText()) != "{") return false;
        }
    }
    bool handled = false;
    const PropertyInfo* firstFound = nullptr;
    CString last;
    CString name, value;
    while (true) {
        const int lineStart = stream.Tell();
        if (!stream.ReadNonBlankLine(line)) break;
        const char* text = SkipBlanks(line.GetText());
        last = text;
        if (!*text || StartsWith(text, "----------")) continue;
        if (text[0] == '}') {
            if (!nested) break;
            stream.Seek(lineStart);
            return true;
        }
        if (text[0] == '{')
            FatalMessageAndExitF("Fatal Error",
                                 "Found unexpected '{' while parsing class \"%s\" in file \"%s\".  "
                                 "ReadCustomProperties was likely overridden without calling through to the base "
                                 "class for unhandled properties.",
                                 record->GetName(), LastFileOpened().GetText());
        const char* equals = std::strchr(text, '=');
        if (!equals) continue;
        name.Assign(text, static_cast<int>(equals - text));
        value = equals + 1;
        if (!handled && name.CompareNoCase("Object ID") == 0) {
            stream.References().OfferObjectId(std::strtol(value.GetText(), nullptr, 0));
            continue;
        }
        const PropertyInfo* property = record->FindProperty(name.GetText());
        if (!property) property = record->FindPropertyByClaim(name.GetText());
        if (property && nested && StartsAnotherInlineObject(property, firstFound)) {
            stream.Seek(lineStart);
            return true;
        }
        if (property) {
            property->ReadProperty(HolderOf(this), name, value, &stream, lineStart);
            handled = true;
            continue;
        }
        ReadQualifiedLine(*this, name, value, stream);
        if (name.CompareNoCase("Referenced Object List Location") == 0) {
            ReadReferenceList(stream, value);
            continue;
        }
        if (nested) {
            stream.Seek(lineStart);
            return true;
        }
        ReadCustomProperties(name, value, stream);
        handled = true;
    }
    // Only a closing line that is "}" alone ends the block well.
    return Trimmed(last.GetText()) == "}";
}

bool CObject::ReadFromStream(PropertyStream& stream)
{
    BeforeLoad();
    ResetToDefaults();
    if (!ParseText(stream, false)) return false;
    CObject* scratch = nullptr;
    ReferenceSlot references(&scratch, CClassThatCanNotBeConstructedOrDerivedFrom::GetStaticClassInfo());
    AfterLoad(&references);
    return true;
}

bool CObject::LoadFromFile(const char* path, int flags)
{
    PropertyStream stream;
    if (!stream.Open(path, flags | kFileRead, true)) {
        ResetToDefaults();
        return false;
    }
    LastFileOpenedScope scope(path);
    const bool ok = ReadFromStream(stream);
    stream.Close();
    return ok;
}

bool CObject::SaveToFile(const char* path, int flags) const
{
    if (!(flags & kFileMakeFolders) && !IsFileWritable(path, flags)) return false;
    const int textFlags = flags & ~kFileCompressed;
    auto* memory = new CMemoryFileBuf;
    PropertyStream text;
    text.Attach(memory, textFlags | kFileCreate | kFileWrite, true);
    text.SetIndenting(UseIndentation());
    WriteText(text, true);
    if (flags & kFileCompressed) {
        // The text as one compressed block, written as a whole like the plain text.
        CMemoryFileBuf packed;
        const bool compressed =
            CompressedBlockCodec::WriteBlock(packed, memory->GetData(), memory->Size(), CompressedBlockCodec::kLevel);
        return compressed && WriteWholeFile(path, textFlags, packed.GetData(), packed.Size());
    }
    {
        CFile existing;
        if (existing.Open(path, flags | kFileRead) && existing.ContentEquals(text)) return true;
    }
    return WriteWholeFile(path, flags, memory->GetData(), memory->Size());
}

CObject* CObject::CreateFromFile(const char* path, int flags, bool saveBack, CObject** out)
{
    if (out) *out = nullptr;
    PropertyStream stream;
    if (!stream.Open(path, flags | kFileInMemory | kFileRead, true)) return nullptr;
    LastFileOpenedScope scope(path);
    CString line;
    if (!stream.ReadNonBlankLine(line)) return nullptr;
    CObject* object = ClassRegistry::Instance().CreateObject(Trimmed(line.GetText()).GetText(), 0, -1);
    if (!object) return nullptr;
    if (out) *out = object;
    const bool ok = object->ReadFromStream(stream);
    stream.Close();
    if (!ok) {
        delete object;
        if (out) *out = nullptr;
        return nullptr;
    }
    if (saveBack) object->SaveToFile(path, 0);
    return object;
}

void CObject::WriteTagged(PropertyStream& stream) const
{
    const ClassInfo* record = GetClassInfo();
    const CString tag = PropertyInfo::MakeSafeTagName(CString(record->GetName()));
    stream.WriteText("<");
    stream.WriteText(tag);
    stream.WriteLine(">");
    stream.Indent();
    for (int i = 0; i < record->Count(); ++i) {
        const PropertyInfo* property = record->GetProperty(i);
        if (property->GetName().IsEmpty() || !property->IsSaved(HolderOf(this))) continue;
        property->WriteTagged(HolderOf(this), stream);
    }
    WriteCustomTagged(stream);
    stream.Unindent();
    stream.WriteText("</");
    stream.WriteText(tag);
    stream.WriteLine(">");
}
