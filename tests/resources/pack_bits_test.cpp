// PackBits and UnpackBits: piece boundaries, round trips and malformed input.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "ToolUtils.h"
#include "resources/pack_bits.h"

namespace {

std::vector<unsigned char> Pack(const std::vector<unsigned char>& in) {
  std::vector<unsigned char> out(zeb::resources::PackedBound(in.size()) + 16, 0xEE);
  Ptr src = reinterpret_cast<Ptr>(const_cast<unsigned char*>(in.data()));
  Ptr dst = reinterpret_cast<Ptr>(out.data());
  HPackBits(&src, &dst, static_cast<long>(in.size()));
  EXPECT_EQ(src, reinterpret_cast<Ptr>(const_cast<unsigned char*>(in.data())) + in.size());
  out.resize(static_cast<size_t>(dst - reinterpret_cast<Ptr>(out.data())));
  return out;
}

std::vector<unsigned char> Unpack(const std::vector<unsigned char>& packed, size_t n,
                                  size_t* consumed = nullptr) {
  std::vector<unsigned char> out(n + 16, 0xEE);
  Ptr src = reinterpret_cast<Ptr>(const_cast<unsigned char*>(packed.data()));
  Ptr dst = reinterpret_cast<Ptr>(out.data());
  HUnpackBits(&src, &dst, static_cast<long>(n));
  if (consumed) *consumed = static_cast<size_t>(src - reinterpret_cast<Ptr>(const_cast<unsigned char*>(packed.data())));
  EXPECT_EQ(static_cast<size_t>(dst - reinterpret_cast<Ptr>(out.data())), n);
  for (size_t i = n; i < out.size(); ++i) EXPECT_EQ(out[i], 0xEE) << "written past the count at " << i;
  out.resize(n);
  return out;
}

TEST(PackBits, RunsAreCutIntoPiecesOf127) {
  const struct {
    size_t equal;
    std::vector<unsigned char> packed;
  } cases[] = {
      {3, {0xFE, 7}},
      {127, {0x82, 7}},
      {128, {0x82, 7, 0x00, 7}},
      {200, {0x82, 7, 0xB8, 7}},  // 127 and 73: four bytes in all
      {254, {0x82, 7, 0x82, 7}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Pack(std::vector<unsigned char>(c.equal, 7)), c.packed) << c.equal;
    EXPECT_EQ(Unpack(c.packed, c.equal), std::vector<unsigned char>(c.equal, 7));
  }
}

TEST(PackBits, LiteralStretchesAreCutIntoPiecesOf127) {
  std::vector<unsigned char> in(300);
  for (size_t i = 0; i < in.size(); ++i) in[i] = static_cast<unsigned char>(i * 7 % 251);
  const auto packed = Pack(in);
  ASSERT_EQ(packed.size(), 303u);
  EXPECT_EQ(packed[0], 126);    // 127 literal bytes
  EXPECT_EQ(packed[128], 126);
  EXPECT_EQ(packed[256], 45);   // the remaining 46
  EXPECT_EQ(Unpack(packed, in.size()), in);
}

TEST(PackBits, TwoEqualBytesStayInTheLiteral) {
  const std::vector<unsigned char> in = {1, 2, 2, 3, 4, 4, 4, 4};
  EXPECT_EQ(Pack(in), (std::vector<unsigned char>{3, 1, 2, 2, 3, 0xFD, 4}));
}

TEST(PackBits, RandomDataRoundTrips) {
  std::mt19937 random(5);
  for (int trial = 0; trial < 200; ++trial) {
    std::vector<unsigned char> in(random() % 1000);
    for (auto& b : in) b = static_cast<unsigned char>(random() % 3 == 0 ? 0 : random() % 4);
    const auto packed = Pack(in);
    EXPECT_LE(packed.size(), zeb::resources::PackedBound(in.size()));
    size_t consumed = 0;
    EXPECT_EQ(Unpack(packed, in.size(), &consumed), in);
    EXPECT_EQ(consumed, packed.size());
  }
}

TEST(PackBits, SixteenBitCallsAdvanceBothPointers) {
  unsigned char in[10] = {5, 5, 5, 5, 5, 1, 2, 3, 9, 9};
  unsigned char packed[32];
  Ptr src = reinterpret_cast<Ptr>(in);
  Ptr dst = reinterpret_cast<Ptr>(packed);
  PackBits(&src, &dst, 10);
  EXPECT_EQ(src, reinterpret_cast<Ptr>(in) + 10);
  EXPECT_EQ(dst, reinterpret_cast<Ptr>(packed) + 8);
  unsigned char out[10];
  src = reinterpret_cast<Ptr>(packed);
  dst = reinterpret_cast<Ptr>(out);
  UnpackBits(&src, &dst, 10);
  EXPECT_EQ(std::memcmp(in, out, 10), 0);
  EXPECT_EQ(src, reinterpret_cast<Ptr>(packed) + 8);
}

TEST(PackBits, MalformedInputNeverWritesPastTheCount) {
  // Pieces that promise more than is wanted are cut; the source advances by what was used.
  const struct {
    std::vector<unsigned char> packed;
    size_t wanted;
    size_t consumed;
  } cases[] = {
      {{0x81, 0xAA}, 5, 2},             // a run of 128 cut to 5
      {{0x80, 0xAA}, 3, 2},             // -128 repeats 129 times: cut to 3
      {{0x7F, 1, 2, 3, 4, 5, 6}, 4, 5},  // a literal of 128 cut to 4: one count byte and 4 bytes
      {{0x02, 1, 2, 3, 0xFF, 9}, 4, 6},
  };
  for (const auto& c : cases) {
    std::vector<unsigned char> source = c.packed;
    source.resize(source.size() + 200, 0x7F);  // what lies beyond could be anything
    size_t consumed = 0;
    Unpack(source, c.wanted, &consumed);
    EXPECT_EQ(consumed, c.consumed);
  }
}

TEST(PackBits, EveryPieceLengthUnpacksExactlyIntoItsPlace) {
  // Each literal and run length 1..128, at each of eight destination alignments and followed by
  // a sentinel piece, so that a piece that writes short, long or to the wrong place shows.
  for (size_t length = 1; length <= 128; ++length) {
    for (size_t offset = 0; offset < 8; ++offset) {
      std::vector<unsigned char> literal(length);
      for (size_t i = 0; i < length; ++i) literal[i] = static_cast<unsigned char>(i * 7 + length);
      for (bool run : {false, true}) {
        std::vector<unsigned char> packed;
        if (run) {
          packed = {static_cast<unsigned char>(1 - static_cast<int>(length)), 0x5A};
        } else {
          packed.push_back(static_cast<unsigned char>(length - 1));
          packed.insert(packed.end(), literal.begin(), literal.end());
        }
        packed.insert(packed.end(), {0x00, 0xC3});  // one more byte after the piece
        std::vector<unsigned char> out(offset + length + 1 + 16, 0xEE);
        const auto r = zeb::resources::UnpackRuns(packed.data(), packed.size(), out.data() + offset,
                                                  length + 1);
        ASSERT_EQ(r.produced, length + 1);
        ASSERT_EQ(r.consumed, packed.size());
        for (size_t i = 0; i < offset; ++i) ASSERT_EQ(out[i], 0xEE) << "written before the start";
        for (size_t i = 0; i < length; ++i)
          ASSERT_EQ(out[offset + i], run ? 0x5A : literal[i]) << "length " << length << " at " << i;
        ASSERT_EQ(out[offset + length], 0xC3) << "length " << length;
        for (size_t i = offset + length + 1; i < out.size(); ++i)
          ASSERT_EQ(out[i], 0xEE) << "written past the end, length " << length;
      }
    }
  }
}

TEST(PackBits, UnpackStopsAtTheSourceLimit) {
  const unsigned char packed[] = {0x05, 1, 2};  // a literal of 6 with only 2 bytes present
  unsigned char out[8] = {};
  const auto r = zeb::resources::UnpackRuns(packed, sizeof packed, out, sizeof out);
  EXPECT_EQ(r.consumed, 3u);
  EXPECT_EQ(r.produced, 2u);
}

}  // namespace
