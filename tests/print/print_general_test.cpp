// PrGeneral's operations and its bad blocks.
#include <cstring>

#include "MacMemory.h"
#include "frame/frame_internal.h"
#include "print_fixture.h"

namespace zebtest {
namespace {

using PrGeneralTest = PrintTest;

TEST_F(PrGeneralTest, OperationsOutsideFourToEightLeaveTheBlockAlone) {
  PrGeneral(nullptr);
  for (short op : {0, 3, 9, -1, 0x7FFF}) {
    TGetRslBlk block;
    std::memset(&block, 0x77, sizeof block);
    block.iOpCode = op;
    const TGetRslBlk copy = block;
    PrGeneral(reinterpret_cast<Ptr>(&block));
    EXPECT_EQ(std::memcmp(&block, &copy, sizeof block), 0) << op;
  }
}

TEST_F(PrGeneralTest, DraftBitsSwitchBandingAndSetResolutionIsRefused) {
  TDftBitsBlk draft{};
  draft.iOpCode = draftBitsOp;
  draft.iError = 99;
  PrGeneral(reinterpret_cast<Ptr>(&draft));
  EXPECT_EQ(draft.iError, noErr);
  EXPECT_TRUE(zeb::frame::Switch(ZEB_SW_BANDING));
  draft.iOpCode = noDraftBitsOp;
  draft.iError = 99;
  PrGeneral(reinterpret_cast<Ptr>(&draft));
  EXPECT_EQ(draft.iError, noErr);
  EXPECT_FALSE(zeb::frame::Switch(ZEB_SW_BANDING));
  TSetRslBlk set{};
  set.iOpCode = setRslOp;
  PrGeneral(reinterpret_cast<Ptr>(&set));
  EXPECT_EQ(set.iError, opNotImpl);
  TGetRotnBlk rotation{};
  rotation.iOpCode = getRotnOp;
  rotation.fLandscape = 7;
  PrGeneral(reinterpret_cast<Ptr>(&rotation));  // no record: portrait
  EXPECT_EQ(rotation.iError, noErr);
  EXPECT_EQ(rotation.fLandscape, 0);
}

TEST_F(PrGeneralTest, ResolutionsWithoutAPrinterAnswerNotOffered) {
  SilenceErrors(true);
  TGetRslBlk block;
  std::memset(&block, 0x55, sizeof block);
  block.iOpCode = getRslDataOp;
  PrGeneral(reinterpret_cast<Ptr>(&block));
  EXPECT_EQ(block.iError, opNotImpl);
  for (const TRslRec& r : block.rgRslRec) EXPECT_EQ(r.iXRsl | r.iYRsl, 0);
}

}  // namespace
}  // namespace zebtest
