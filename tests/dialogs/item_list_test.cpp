// The host-independent rules of dialogs: item-list walking, item tables, item text, scaling and
// alert stages.
#include "dialogs/item_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace zeb::itemlist;

namespace {

// An item list in host order, as the Resource Manager hands it over.
class ListBuilder {
 public:
  ListBuilder& Item(uint8_t type, ItemBox box, const std::string& data) {
    const size_t at = bytes_.size();
    bytes_.resize(at + kItemHeader);
    std::memcpy(&bytes_[at + 4], &box, 8);
    bytes_[at + 12] = type;
    bytes_[at + 13] = static_cast<uint8_t>(data.size());
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    if (data.size() & 1) bytes_.push_back(0);
    ++count_;
    return *this;
  }
  std::vector<uint8_t> Bytes(int declared = -1) const {
    std::vector<uint8_t> out(2);
    const int16_t word = static_cast<int16_t>((declared < 0 ? count_ : declared) - 1);
    std::memcpy(out.data(), &word, 2);
    out.insert(out.end(), bytes_.begin(), bytes_.end());
    return out;
  }

 private:
  std::vector<uint8_t> bytes_;
  int count_ = 0;
};

TEST(ItemListWalk, ReadsEveryItemWithOddLengthsPadded) {
  const auto list = ListBuilder()
                        .Item(kButton, {10, 10, 30, 80}, "OK")
                        .Item(kStaticText | kDisabledBit, {40, 10, 60, 200}, "Odd")
                        .Item(kEditText, {70, 10, 90, 200}, "")
                        .Bytes();
  const auto items = WalkItems(list.data(), list.size());
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].type, kButton);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(items[0].data), items[0].length), "OK");
  EXPECT_EQ(items[1].type, kStaticText | kDisabledBit);
  EXPECT_EQ(items[1].box.right, 200);
  // "Odd" is padded to 4 bytes: the third item starts at 2 + 16 + 18.
  EXPECT_EQ(items[2].offset, 2u + 16u + 18u);
  EXPECT_EQ(EndOfItems(list.data(), list.size()), list.size());
}

TEST(ItemListWalk, StopsAtCountsAndLengthsBeyondTheData) {
  const auto list = ListBuilder().Item(kButton, {0, 0, 20, 20}, "OK").Bytes(200);
  EXPECT_EQ(DeclaredCount(list.data(), list.size()), 200);
  EXPECT_EQ(WalkItems(list.data(), list.size()).size(), 1u);
  // A length byte that claims more than the handle holds ends the walk before that item.
  auto cut = ListBuilder().Item(kButton, {0, 0, 20, 20}, "OK").Item(kStaticText, {0, 0, 5, 5}, "Long text").Bytes();
  cut.resize(cut.size() - 4);
  EXPECT_EQ(WalkItems(cut.data(), cut.size()).size(), 1u);
  EXPECT_TRUE(WalkItems(list.data(), 1).empty());
  EXPECT_TRUE(WalkItems(nullptr, 0).empty());
  // A negative count word reads as no items.
  const uint8_t negative[2] = {0xFE, 0xFF};
  EXPECT_TRUE(WalkItems(negative, 2).empty());
}

TEST(ItemListWalk, ResourceItemsNeedTwoDataBytes) {
  const auto list = ListBuilder()
                        .Item(kResourceControl, {0, 0, 20, 20}, std::string("\x80\x00", 2))
                        .Item(kIcon, {0, 0, 32, 32}, "\x01")
                        .Item(kPicture, {0, 0, 32, 32}, "")
                        .Bytes();
  const auto items = WalkItems(list.data(), list.size());
  ASSERT_EQ(items.size(), 3u);
  int16_t id = 0;
  EXPECT_TRUE(ItemResourceId(items[0], &id));
  EXPECT_EQ(id, 128);
  EXPECT_FALSE(ItemResourceId(items[1], &id));
  EXPECT_FALSE(ItemResourceId(items[2], &id));
}

TEST(ItemTables, ParsesEntriesAndIgnoresWhatIsMissing) {
  // band 20, tab order from the table, 3 entries declared, 2 present, one naming item 9.
  const uint8_t data[] = {20, kTableTabOrder, 3, 0, 2, 3, 'N', 0x12, 9, 9, 'X', 0};
  ItemTable t;
  ASSERT_TRUE(ParseTable(data, sizeof data, 4, &t));
  EXPECT_EQ(t.band, 20);
  EXPECT_EQ(t.flags, kTableTabOrder);
  ASSERT_EQ(t.entries.size(), 1u);
  EXPECT_EQ(t.For(3)->mnemonic, 'N');
  EXPECT_EQ(RadioGroup(t.For(3)), 1);
  EXPECT_TRUE(t.For(3)->flags & kEntryMultiLine);
  EXPECT_EQ(t.Labelled(2), t.For(3));
  EXPECT_EQ(t.For(9), nullptr);
  EXPECT_FALSE(ParseTable(data, 3, 4, &t));
}

TEST(ItemTables, DefaultTableGroupsRunsOfRadioButtons) {
  const auto list = ListBuilder()
                        .Item(kButton, {0, 0, 1, 1}, "")
                        .Item(kRadio, {0, 0, 1, 1}, "a")
                        .Item(kRadio, {0, 0, 1, 1}, "b")
                        .Item(kCheckBox, {0, 0, 1, 1}, "c")
                        .Item(kRadio | kDisabledBit, {0, 0, 1, 1}, "d")
                        .Bytes();
  const ItemTable t = DefaultTable(WalkItems(list.data(), list.size()));
  ASSERT_EQ(t.entries.size(), 3u);
  EXPECT_EQ(RadioGroup(t.For(2)), 1);
  EXPECT_EQ(RadioGroup(t.For(3)), 1);
  EXPECT_EQ(RadioGroup(t.For(5)), 2);
  EXPECT_EQ(t.For(1), nullptr);
  EXPECT_FALSE(t.fromResource);
}

TEST(ItemText, AmpersandsShowLiterallyWithinTheLimit) {
  EXPECT_EQ(DoubleAmpersands("Salt & Pepper", 255), "Salt && Pepper");
  EXPECT_EQ(DoubleAmpersands("A && B", 255), "A && B");
  EXPECT_EQ(DoubleAmpersands("&", 255), "&&");
  // A doubling that would pass the limit stops before it, never in the middle of a pair.
  EXPECT_EQ(DoubleAmpersands(std::string(254, 'x') + "&", 255), std::string(254, 'x'));
  EXPECT_LE(DoubleAmpersands(std::string(300, '&'), 255).size(), 255u);
}

TEST(ItemText, MnemonicMarksTheFirstMatchOrIsAppended) {
  EXPECT_EQ(ApplyMnemonic("Cancel", 'n', false, 255), "Ca&ncel");
  EXPECT_EQ(ApplyMnemonic("Cancel", 'C', false, 255), "&Cancel");
  EXPECT_EQ(ApplyMnemonic("Save && Quit", 'q', false, 255), "Save && &Quit");
  EXPECT_EQ(ApplyMnemonic("OK", 'z', false, 255), "OK");
  EXPECT_EQ(ApplyMnemonic("OK", ' ', true, 255), "OK");
  EXPECT_EQ(ApplyMnemonic("OK", 'o', true, 255), "OK(&o)");
  EXPECT_EQ(ApplyMnemonic(std::string(255, 'o'), 'o', false, 255), std::string(255, 'o'));
}

TEST(ItemText, ParamTextPlaceholdersAreExpandedAndRemembered) {
  const std::string params[4] = {"zero", "one", "", "three"};
  unsigned used = 0;
  EXPECT_EQ(ExpandParams("File ^1 (^3)^9^", params, &used), "File one (three)^9^");
  EXPECT_EQ(used, (1u << 1) | (1u << 3));
  const std::string big[4] = {std::string(200, 'a'), std::string(200, 'b'), "", ""};
  EXPECT_EQ(ExpandParams("^0^1", big, nullptr).size(), 255u);
}

TEST(ItemText, EditLineEndsConvertBothWays) {
  EXPECT_EQ(ToCrLf("a\rb\r\nc\r"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(FromCrLf("a\r\nb\rc"), "a\rb\rc");
}

TEST(DialogScaling, ItemRectangleAt120DotsPerInch) {
  EXPECT_EQ(ScaleCoordinate(10, 120, true), 13);
  EXPECT_EQ(ScaleCoordinate(60, 120, true), 75);
  EXPECT_EQ(ScaleCoordinate(110, 120, true), 138);
  EXPECT_EQ(ScaleCoordinate(-10, 120, true), -13);
  EXPECT_EQ(ScaleCoordinate(138, 120, false), 110);
  EXPECT_EQ(ScaleCoordinate(100, 144, true), 150);
}

TEST(DialogScaling, ScaledValuesSaturateToSixteenBits) {
  EXPECT_EQ(ScaleCoordinate(30000, 144, true), 32767);
  EXPECT_EQ(ScaleCoordinate(-30000, 144, true), -32768);
  ItemBox b{-30000, -30000, 30000, 30000};
  ScaleWindowBox(&b, 144, 144, true);
  EXPECT_EQ(b.top, -32768);
  EXPECT_EQ(b.bottom, 32767);
}

TEST(DialogScaling, WindowKeepsItsCentre) {
  ItemBox b{100, 100, 300, 500};  // 400 wide, 200 high
  ScaleWindowBox(&b, 120, 120, true);
  EXPECT_EQ(b.right - b.left, 500);
  EXPECT_EQ(b.bottom - b.top, 250);
  EXPECT_LT(b.left, 100);
  EXPECT_LT(b.top, 100);
  EXPECT_NEAR((b.left + b.right) / 2, 300, 1);
  EXPECT_NEAR((b.top + b.bottom) / 2, 200, 1);
}

TEST(DialogScaling, OffsetKeepsTheSize) {
  ItemBox b{10, 10, 30, 110};
  OffsetItemBox(&b, 120, 120, true);
  EXPECT_EQ(b.right - b.left, 100);
  EXPECT_EQ(b.bottom - b.top, 20);
  EXPECT_EQ((b.left + b.right) / 2, (13 + 138) / 2);
}

TEST(AlertStages, EachStageReadsItsConvertedNibble) {
  // Host groups: stage 1 in bits 4-7, stage 2 in 0-3, stage 3 in 12-15, stage 4 in 8-11.
  const uint16_t stages = 0x1234;
  EXPECT_EQ(StageGroup(stages, 0), 0x3);
  EXPECT_EQ(StageGroup(stages, 1), 0x4);
  EXPECT_EQ(StageGroup(stages, 2), 0x1);
  EXPECT_EQ(StageGroup(stages, 3), 0x2);
  EXPECT_EQ(StageGroup(stages, 7), 0x2);
  const uint8_t group = 0x2 | 0x1 | (3 << 2);
  EXPECT_TRUE(StageDraws(group));
  EXPECT_EQ(StageBoldItem(group), 2);
  EXPECT_EQ(StageSound(group), 3);
  EXPECT_FALSE(StageDraws(0x1));
  EXPECT_EQ(StageBoldItem(0x2), 1);
}

}  // namespace
