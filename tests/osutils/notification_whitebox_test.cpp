// The notification icon's bitmap, pixel by pixel, and its replacement by a second request.
#include <cstring>

#include "MacMemory.h"
#include "OSUtils.h"
#include "osutils/osutils_internal.h"
#include "session_fixture.h"

namespace {

using NotificationTest = zebtest::SessionTest;

// A small icon as a Macintosh stores it: 16 rows of two bytes, the leftmost pixel in the high
// bit. This one is a frame with a diagonal.
Handle SmallIcon() {
  Handle h = NewHandle(32);
  auto* rows = reinterpret_cast<uint8_t*>(*h);
  for (int y = 0; y < 16; ++y) {
    uint16_t bits = (y == 0 || y == 15) ? 0xFFFF : 0x8001;
    bits |= static_cast<uint16_t>(0x8000u >> y);
    rows[2 * y] = static_cast<uint8_t>(bits >> 8);
    rows[2 * y + 1] = static_cast<uint8_t>(bits);
  }
  return h;
}

bool IconPixel(const uint8_t* rows, int x, int y) { return (rows[2 * y + x / 8] >> (7 - x % 8)) & 1; }

TEST_F(NotificationTest, TheIconBecomesAMonochromeBitmapOfItsPixels) {
  NMRec request{};
  request.nmIcon = SmallIcon();
  ASSERT_EQ(NMInstall(&request), noErr);
  HBITMAP bitmap = zeb::osutils::NotificationBitmap();
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 16);
  EXPECT_EQ(info.bmHeight, 16);
  EXPECT_EQ(info.bmBitsPixel, 1);
  uint8_t bits[32] = {};
  ASSERT_EQ(GetBitmapBits(bitmap, sizeof bits, bits), 32);
  const auto* icon = reinterpret_cast<const uint8_t*>(*request.nmIcon);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      EXPECT_EQ(IconPixel(bits, x, y), IconPixel(icon, x, y)) << x << "," << y;
  // A second request replaces the bitmap; the first one is deleted.
  NMRec second{};
  second.nmIcon = SmallIcon();
  (*second.nmIcon)[0] = 0;
  ASSERT_EQ(NMInstall(&second), noErr);
  EXPECT_NE(zeb::osutils::NotificationBitmap(), bitmap);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_EQ(NMRemove(&second), noErr);
  EXPECT_EQ(zeb::osutils::NotificationBitmap(), nullptr);
  DisposeHandle(request.nmIcon);
  DisposeHandle(second.nmIcon);
}

TEST_F(NotificationTest, OnlyPatchedButtonGetMouseAndPopUpsDeferAndNeverReentrantly) {
  static int calls = 0;
  struct Local {
    static Boolean ZEBAPI Button() {
      ++calls;
      // Inside the replacement the library's own Button runs.
      zeb::osutils::Replacement inner(zeb::osutils::kTrapButton);
      EXPECT_EQ(inner.Get<void*>(), nullptr);
      return true;
    }
  };
  {
    zeb::osutils::Replacement r(zeb::osutils::kTrapButton);
    EXPECT_EQ(r.Get<void*>(), nullptr);  // the default needs no replacement
  }
  SetTrapAddress(reinterpret_cast<UniversalProcPtr>(&Local::Button), zeb::osutils::kTrapButton);
  {
    zeb::osutils::Replacement r(zeb::osutils::kTrapButton);
    auto button = r.Get<Boolean(ZEBAPI*)()>();
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button());
  }
  EXPECT_EQ(calls, 1);
  zeb::osutils::Replacement after(zeb::osutils::kTrapButton);
  EXPECT_NE(after.Get<void*>(), nullptr);
}

}  // namespace
