// White-box: how a region record's handle field is read as one of the three forms.
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/region_record.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

using namespace zeb::quickdraw;

using RegionFormsTest = QuickDrawTest;

TEST_F(RegionFormsTest, SentinelsWithBitThirtyOneSetAreStillRecognised) {
  // GDI may hand out a handle whose low 32 bits have bit 31 set, zero-extended; the record keeps
  // 32 bits and gives them back sign-extended. The form must not depend on which.
  const HRGN savedRect = State().rectSentinel, savedMask = State().maskSentinel;
  const HRGN fakeRect = reinterpret_cast<HRGN>(static_cast<uintptr_t>(0x8A040051u));
  const HRGN fakeMask = reinterpret_cast<HRGN>(static_cast<uintptr_t>(0x9704005Au));
  State().rectSentinel = fakeRect;
  State().maskSentinel = fakeMask;
  RegionRecord r{};
  r.rgnSize = kMaskRegionSize;
  r.region = ToRegionField(fakeMask);
  EXPECT_EQ(FormOf(r), RegionForm::Mask);
  r.rgnSize = kRegionSize;
  EXPECT_EQ(FormOf(r), RegionForm::Rectangle) << "a mask sentinel in a 10-byte record";
  r.region = ToRegionField(fakeRect);
  EXPECT_EQ(FormOf(r), RegionForm::Rectangle);
  r.region = 0x8A040052u;
  EXPECT_EQ(FormOf(r), RegionForm::Gdi);
  State().rectSentinel = savedRect;
  State().maskSentinel = savedMask;
}

}  // namespace
}  // namespace zebtest
