// MenuInfo images: walks bounded by the block, metacharacters, insertion order, enable bits and
// the edits that keep every later item.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menus/menu_record.h"
#include "resources/byte_order.h"

namespace {

using namespace zeb::menus;

std::vector<uint8_t> Menu(const std::string& title) {
  std::string p(1, static_cast<char>(title.size()));
  p += title;
  return NewMenuImage(128, reinterpret_cast<const uint8_t*>(p.data()));
}

std::vector<ParsedItem> Parse(const std::string& text) {
  return ParseItemText(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

std::string TextOf(const std::vector<uint8_t>& image, int item) {
  const size_t at = ItemOffset(image.data(), image.size(), item);
  if (!at) return "<none>";
  return std::string(reinterpret_cast<const char*>(&image[at + 1]), image[at]);
}

uint8_t FieldOf(const std::vector<uint8_t>& image, int item, ItemField f) {
  const size_t at = ItemOffset(image.data(), image.size(), item);
  return image[at + 1 + image[at] + f];
}

uint32_t Flags(const std::vector<uint8_t>& image) { return ReadLong(&image[kEnableFlagsOffset]); }

TEST(MenuRecord, NewMenuHasTitleEnabledMenuAndEmptyList) {
  const std::vector<uint8_t> m = Menu("File");
  EXPECT_EQ(m.size(), 4u + 16u);
  EXPECT_EQ(ReadWord(&m[0]), 128);
  EXPECT_EQ(Flags(m), 1u);
  EXPECT_EQ(CountItems(m.data(), m.size()), 0);
  EXPECT_EQ(m.back(), 0);
}

TEST(MenuRecord, MetacharactersGiveKeysMarksIconsStylesAndDisabling) {
  const auto items = Parse("Open/O;(-;Quit/Q;Bold<B<I!\x12^3");
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].text, "Open");
  EXPECT_EQ(items[0].key, 'O');
  EXPECT_EQ(items[1].text, "-");
  EXPECT_TRUE(items[1].disabled);
  EXPECT_EQ(items[2].key, 'Q');
  EXPECT_EQ(items[3].text, "Bold");
  EXPECT_EQ(items[3].style, 3);
  EXPECT_EQ(items[3].mark, 0x12);
  EXPECT_EQ(items[3].icon, 3);
  // Carriage return splits too; an unknown style letter adds nothing.
  const auto cr = Parse("A<X\rB");
  ASSERT_EQ(cr.size(), 2u);
  EXPECT_EQ(cr[0].style, 0);
  EXPECT_EQ(cr[1].text, "B");
}

TEST(MenuRecord, MetacharacterEndingTheTextTakesNothing) {
  for (const char* text : {"Open/", "Open!", "Open^", "Open<"}) {
    const auto items = Parse(text);
    ASSERT_EQ(items.size(), 1u) << text;
    EXPECT_EQ(items[0].text, "Open") << text;
    EXPECT_EQ(items[0].key, 0) << text;
    EXPECT_EQ(items[0].mark, 0) << text;
    EXPECT_EQ(items[0].icon, 0) << text;
  }
}

TEST(MenuRecord, AppendKeepsOrderInsertReversesIt) {
  std::vector<uint8_t> a = Menu("M");
  InsertItems(a, 32767, Parse("A;B"), false);
  EXPECT_EQ(TextOf(a, 1), "A");
  EXPECT_EQ(TextOf(a, 2), "B");
  std::vector<uint8_t> b = Menu("M");
  InsertItems(b, 0, Parse("A;B"), true);
  EXPECT_EQ(TextOf(b, 1), "B");
  EXPECT_EQ(TextOf(b, 2), "A");
  // Inserting in the middle moves the enable bits above the insertion point up.
  std::vector<uint8_t> c = Menu("M");
  InsertItems(c, 32767, Parse("One;(Two;Three"), false);
  EXPECT_EQ(Flags(c), 1u | 2u | 8u);
  InsertItems(c, 1, Parse("New"), true);
  EXPECT_EQ(TextOf(c, 2), "New");
  EXPECT_EQ(TextOf(c, 4), "Three");
  EXPECT_EQ(Flags(c), 1u | 2u | 4u | 16u);
}

TEST(MenuRecord, DeletingAnItemMovesLaterEnableBitsDown) {
  std::vector<uint8_t> m = Menu("M");
  InsertItems(m, 32767, Parse("1;2;3;4;(5"), false);
  ASSERT_EQ(Flags(m), 0x1Fu);
  ASSERT_TRUE(DeleteItem(m, 3));
  EXPECT_EQ(CountItems(m.data(), m.size()), 4);
  EXPECT_EQ(TextOf(m, 3), "4");
  EXPECT_EQ(Flags(m), 0x0Fu);  // item 4's bit is now bit 3, item 5 (disabled) bit 4
  EXPECT_FALSE(DeleteItem(m, 0));
  EXPECT_FALSE(DeleteItem(m, 5));
  EXPECT_FALSE(DeleteItem(m, -1));
}

TEST(MenuRecord, EmptyItemTextsAreStoredAsOneSpaceSoNoItemIsLost) {
  std::vector<uint8_t> m = Menu("M");
  InsertItems(m, 32767, Parse("A;;C"), false);
  ASSERT_EQ(CountItems(m.data(), m.size()), 3);
  EXPECT_EQ(TextOf(m, 2), " ");
  EXPECT_EQ(TextOf(m, 3), "C");
  ASSERT_TRUE(SetItemText(m, 1, nullptr, 0));
  EXPECT_EQ(TextOf(m, 1), " ");
  EXPECT_EQ(TextOf(m, 3), "C");
  const uint8_t longer[] = "Longer text";
  ASSERT_TRUE(SetItemText(m, 2, longer, 11));
  EXPECT_EQ(TextOf(m, 2), "Longer text");
  EXPECT_EQ(TextOf(m, 3), "C");
  EXPECT_FALSE(SetItemText(m, 4, longer, 11));
}

TEST(MenuRecord, WalksStopAtTheBlocksEnd) {
  std::vector<uint8_t> m = Menu("M");
  InsertItems(m, 32767, Parse("Alpha;Beta"), false);
  // Without its zero the list ends at its last whole item.
  std::vector<uint8_t> cut(m.begin(), m.end() - 1);
  EXPECT_EQ(CountItems(cut.data(), cut.size()), 2);
  // A length running past the end is no item.
  std::vector<uint8_t> torn(m.begin(), m.end() - 3);
  EXPECT_EQ(CountItems(torn.data(), torn.size()), 1);
  EXPECT_EQ(ItemOffset(torn.data(), torn.size(), 2), 0u);
  RepairList(torn);
  EXPECT_EQ(torn.back(), 0);
  EXPECT_EQ(CountItems(torn.data(), torn.size()), 1);
  // Too short for the header or the title: nothing at all.
  EXPECT_EQ(FirstItemOffset(m.data(), 14), 0u);
  std::vector<uint8_t> title = Menu("Title");
  EXPECT_EQ(FirstItemOffset(title.data(), 16), 0u);
  EXPECT_EQ(CountItems(nullptr, 0), 0);
}

TEST(MenuRecord, EnableBitsOnlyCoverItemsOneToThirtyOne) {
  EXPECT_TRUE(ItemEnabled(0, 32));
  EXPECT_TRUE(ItemEnabled(0, 200));
  EXPECT_FALSE(ItemEnabled(0, 31));
  EXPECT_TRUE(ItemEnabled(0x80000000u, 31));
  EXPECT_FALSE(ItemEnabled(0xFFFFFFFFu, -1));
  // Shifting at the top drops bits rather than wrapping them.
  EXPECT_EQ(ShiftFlagsUp(0xFFFFFFFFu, 30, 4), 0x7FFFFFFFu);
  EXPECT_EQ(ShiftFlagsUp(0x3u, 31, 1), 0x3u);
  EXPECT_EQ(ShiftFlagsDown(0xFFFFFFFFu, 31), 0x7FFFFFFFu);
  EXPECT_EQ(ShiftFlagsDown(0x5u, 0), 0x5u);
}

TEST(MenuRecord, ManyItemsStayWalkable) {
  std::vector<uint8_t> m = Menu("M");
  std::string text;
  for (int i = 0; i < 300; ++i) text += (i ? ";" : "") + std::to_string(i);
  InsertItems(m, 32767, Parse(text), false);
  EXPECT_EQ(CountItems(m.data(), m.size()), 300);
  EXPECT_EQ(TextOf(m, 300), "299");
  EXPECT_EQ(FieldOf(m, 300, kKeyField), 0);
}

// An 'MBAR' as the disk holds it (a big-endian count, then big-endian 'MENU' IDs), converted
// as the Resource Manager loads it.
std::vector<int16_t> IdsOfDiskBar(std::vector<uint8_t> disk) {
  zeb::byteorder::ConvertResource(zeb::byteorder::kFromDisk, zeb::byteorder::GetBig32("MBAR"),
                                  disk.data(), static_cast<uint32_t>(disk.size()));
  return MenuBarIDs(disk.data(), disk.size());
}

TEST(MenuBarResource, IdsAreBoundedByTheResource) {
  struct Case {
    const char* what;
    std::vector<uint8_t> disk;
    std::vector<int16_t> ids;
  } cases[] = {
      {"three menus", {0x00, 0x03, 0x00, 0x80, 0x00, 0x81, 0x01, 0x2C}, {128, 129, 300}},
      {"a count past the end", {0x00, 0x05, 0x00, 0x80, 0x00, 0x81, 0x00}, {128, 129}},
      {"a negative count", {0xFF, 0xFE, 0x00, 0x80}, {}},
      {"a negative ID", {0x00, 0x01, 0xFF, 0xF6}, {-10}},
      {"a count alone", {0x00, 0x02}, {}},
      {"one byte", {0x00}, {}},
      {"empty", {}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(IdsOfDiskBar(c.disk), c.ids) << c.what;
  EXPECT_TRUE(MenuBarIDs(nullptr, 10).empty());
}

TEST(MenuBarResource, MenuListsNameOnlyWholeEntries) {
  const std::vector<uint8_t> list = MenuListImage({0x1000, 0x2000, 0x3000}, {40, 52, 37});
  ASSERT_EQ(list.size(), 6u + 3 * 6);
  EXPECT_EQ(ReadWord(&list[0]), 18) << "lastMenu";
  EXPECT_EQ(ReadWord(&list[2]), 129) << "lastRight: the widths' sum";
  EXPECT_EQ(ReadLong(&list[6 + 6]), 0x2000u);
  EXPECT_EQ(ReadWord(&list[6 + 6 + 4]), 40) << "each title starts where the previous ends";
  EXPECT_EQ(ReadWord(&list[6 + 12 + 4]), 92);
  EXPECT_TRUE(MenuListIsWhole(list.data(), list.size()));
  EXPECT_EQ(MenuListCount(list.data(), list.size()), 3);
  // Damaged lists: an entry cut off, lastMenu not a multiple of 6, negative, past the handle.
  EXPECT_FALSE(MenuListIsWhole(list.data(), list.size() - 1));
  EXPECT_EQ(MenuListCount(list.data(), list.size() - 1), 2) << "the whole entries are walked";
  for (uint16_t last : {5, 0xFFFA, 24}) {
    std::vector<uint8_t> bad = list;
    WriteWord(bad.data(), last);
    EXPECT_FALSE(MenuListIsWhole(bad.data(), bad.size())) << last;
    EXPECT_LE(MenuListCount(bad.data(), bad.size()), 3) << last;
  }
  const std::vector<uint8_t> empty = MenuListImage({}, {});
  EXPECT_TRUE(MenuListIsWhole(empty.data(), empty.size()));
  EXPECT_EQ(MenuListCount(empty.data(), empty.size()), 0);
  EXPECT_FALSE(MenuListIsWhole(empty.data(), 5));
}

}  // namespace
