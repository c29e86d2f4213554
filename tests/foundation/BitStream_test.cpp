#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FatalCapture.h"
#include "foundation/BitStream.h"
#include "foundation/NamedList.h"

namespace {

// A list of the names; the list is owned by the test's pool of lists.
struct Lists {
    KeyedValueList& Of(std::initializer_list<const char*> names)
    {
        owned.push_back(std::make_unique<KeyedValueList>());
        for (const char* name : names) owned.back()->Add(name);
        return *owned.back();
    }
    std::vector<std::unique_ptr<KeyedValueList>> owned;
};

BitStream ReaderOf(const BitStream& writer, const char* source = nullptr, NamedList* messageTypes = nullptr)
{
    return BitStream(writer.Data().data(), static_cast<int>(writer.Data().size()), source, messageTypes);
}

}  // namespace

TEST(BitStream, BitsPackLeastSignificantFirstAndBytesStartANewByte)
{
    BitStream writer;
    writer.WriteBits(0x5, 3);
    writer.WriteByte(0xAB);
    writer.WriteBits(0x3FF, 10);
    writer.WriteInt(-2);
    writer.WriteString("hi");
    ASSERT_EQ(writer.Data().size(), 1u + 1 + 2 + 4 + 3);
    EXPECT_EQ(writer.Data()[0], 0x05);
    EXPECT_EQ(writer.Data()[1], 0xAB);
    EXPECT_EQ(writer.Data()[2], 0xFF);
    EXPECT_EQ(writer.Data()[3], 0x03);

    BitStream reader = ReaderOf(writer);
    EXPECT_EQ(reader.ReadBits(3), 5u);
    std::uint8_t byte = 0;
    EXPECT_TRUE(reader.ReadByte(byte));
    EXPECT_EQ(byte, 0xAB);
    EXPECT_EQ(reader.ReadBits(10), 0x3FFu);
    std::int32_t value = 0;
    EXPECT_TRUE(reader.ReadInt(value));
    EXPECT_EQ(value, -2);
    CString text;
    EXPECT_TRUE(reader.ReadString(text));
    EXPECT_EQ(text, "hi");
    // Past the end bits read from 0xCF bytes, and byte-sized reads fail.
    EXPECT_EQ(reader.ReadBits(8), 0xCFu);
    EXPECT_FALSE(reader.ReadByte(byte));
    EXPECT_FALSE(reader.ReadInt(value));
    EXPECT_FALSE(reader.ReadString(text));
    EXPECT_EQ(text, "");
}

TEST(BitStream, IndexedStringsSendEachNameOnce)
{
    Lists lists;
    KeyedValueList& three = lists.Of({"alpha", "beta", "gamma"});
    BitStream writer;
    writer.WriteIndexedString(2, three);
    const std::int64_t first = writer.BitCount();
    EXPECT_EQ(first, 32 + 8 + 8 * 6);  // count, 2 index bits in their byte, then "gamma" and its zero from a new byte
    EXPECT_TRUE(writer.TablesChanged());
    writer.WriteIndexedString(2, three);
    EXPECT_EQ(writer.BitCount() - first, 2);  // only the index the second time
    writer.WriteIndexedString(0, three);

    KeyedValueList& one = lists.Of({"only"});
    writer.WriteIndexedString(0, one);
    const std::int64_t beforeSecondOne = writer.BitCount();
    writer.WriteIndexedString(0, one);
    EXPECT_EQ(writer.BitCount(), beforeSecondOne);  // one item: no index bits, the name already sent

    KeyedValueList& none = lists.Of({});
    const std::int64_t beforeEmpty = writer.BitCount();
    writer.WriteIndexedString(0, none);
    writer.WriteIndexedString(5, none);
    EXPECT_EQ(writer.BitCount() - beforeEmpty, 32);  // the count and nothing else

    // The receiver's lists may order the same names differently.
    KeyedValueList& theirs = lists.Of({"gamma", "alpha", "beta"});
    KeyedValueList& theirOne = lists.Of({"x", "only"});
    KeyedValueList& theirNone = lists.Of({});
    BitStream reader = ReaderOf(writer);
    EXPECT_EQ(reader.ReadIndexedString(theirs), 0);
    EXPECT_EQ(reader.ReadIndexedString(theirs), 0);
    EXPECT_EQ(reader.ReadIndexedString(theirs), 1);
    EXPECT_EQ(reader.ReadIndexedString(theirOne), 1);
    EXPECT_EQ(reader.ReadIndexedString(theirOne), 1);
    EXPECT_EQ(reader.ReadIndexedString(theirNone), 0);
    EXPECT_EQ(reader.ReadIndexedString(theirNone), 0);
}

TEST(BitStream, UnknownNamesAndBadCountsAreFatal)
{
    Lists lists;
    KeyedValueList& sent = lists.Of({"north", "south"});
    BitStream writer;
    writer.WriteIndexedString(1, sent);

    FatalCapture capture;
    KeyedValueList& lacking = lists.Of({"north", "east"});
    BitStream reader = ReaderOf(writer, "Peer7");
    EXPECT_FATAL(capture, reader.ReadIndexedString(lacking));
    EXPECT_NE(capture.shown.find("The item we are looking for is \"south\""), std::string::npos);
    EXPECT_NE(capture.shown.find("referenced by \"Networked Computer Peer7\""), std::string::npos);

    capture.shown.clear();
    BitStream messages = ReaderOf(writer, nullptr, &lacking);
    EXPECT_FATAL(capture, messages.ReadIndexedString(lacking));
    EXPECT_EQ(capture.shown.rfind("Missing network message handler: Encountered fatal error while trying to process a "
                                  "message from a networked computer.  A message of type \"south\" was received but no "
                                  "handler for such a message could be found.",
                                  0),
              0u);
    EXPECT_NE(capture.shown.find("error in the \"(NULL)\" message handler code."), std::string::npos);

    capture.shown.clear();
    BitStream huge;
    huge.WriteInt(60000);
    BitStream hugeReader = ReaderOf(huge, "Peer", &lacking);
    EXPECT_FATAL(capture, hugeReader.ReadIndexedString(lacking));
    EXPECT_EQ(capture.shown.rfind("Improperly formatted network message: ", 0), 0u);
    EXPECT_NE(capture.shown.find("(the first time you load a level)"), std::string::npos);
}
