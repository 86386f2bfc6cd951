// A dialog's picture item on a real dialog window: its 'PICT' resource, read from a resource
// file big-endian, is drawn into the item's rectangle when the item window paints.
#include <gtest/gtest.h>

#include <vector>

#include "Dialogs.h"
#include "MacMemory.h"
#include "Resources.h"
#include "dialogs_fixture.h"

namespace zebtest {
namespace {

constexpr short kDialog = 210;
constexpr short kPicture = 128;
constexpr short kCommentKind = 500;

std::vector<Rect> g_rects;
std::vector<short> g_comments;
void ZEBAPI NoteRect(GrafVerb verb, const Rect* r) {
  g_rects.push_back(*r);
  StdRect(verb, r);
}
void ZEBAPI NoteComment(short kind, short size, Handle data) {
  g_comments.push_back(kind);
  StdComment(kind, size, data);
}

using PictureItemsTest = DialogsTest;

TEST_F(PictureItemsTest, APictureItemDrawsItsPictResourceIntoItsRectangle) {
  // A version 2 'PICT' as a Macintosh writes it: picSize, picFrame, the header, a short
  // comment and a painted rectangle covering the frame's right half.
  Big pict;
  pict.W(0).R(0, 0, 20, 40).W(0x0011).W(0x02FF).W(0x0C00).L(-1);
  pict.L(0).L(0).L(40L << 16).L(20L << 16).L(0);
  pict.W(0x00A0).W(kCommentKind);
  pict.W(0x0031).R(0, 20, 20, 40);
  pict.W(0x00FF);
  std::vector<uint8_t> bytes = pict.Bytes();
  bytes[0] = static_cast<uint8_t>(bytes.size() >> 8);
  bytes[1] = static_cast<uint8_t>(bytes.size());
  UseResources({{"DLOG", kDialog, Dlog(100, 100, 200, 300, kDialog)},
                {"DITL", kDialog,
                 Ditl()
                     .Item(ctrlItem + btnCtrl, 70, 120, 90, 190, "OK")
                     .Id(picItem | itemDisable, 20, 30, 60, 110, kPicture)  // twice the frame
                     .Bytes()},
                {"PICT", kPicture, bytes}});
  DialogPtr d = GetNewDialog(kDialog, nullptr, reinterpret_cast<WindowPtr>(-1));
  ASSERT_NE(d, nullptr);
  dialogs_.push_back(d);
  ForwardOwnerDraw(ZEB_GethWnd(d));
  short type = 0;
  Handle h = nullptr;
  Rect box;
  GetDialogItem(d, 2, &type, &h, &box);
  EXPECT_EQ(type, picItem | itemDisable);
  ASSERT_NE(h, nullptr);
  // The resource's first ten bytes are in the host's order once loaded.
  EXPECT_EQ((*reinterpret_cast<PicHandle>(h))->picFrame.right, 40);
  EXPECT_EQ((*reinterpret_cast<PicHandle>(h))->picSize, static_cast<short>(bytes.size()));
  CQDProcs procs;
  SetStdCProcs(&procs);
  procs.rectProc = reinterpret_cast<decltype(procs.rectProc)>(&NoteRect);
  procs.commentProc = reinterpret_cast<decltype(procs.commentProc)>(&NoteComment);
  d->grafProcs = reinterpret_cast<QDProcsPtr>(&procs);
  ShowWindow(d);
  SelectWindow(d);
  Let(100);
  Settle();
  g_rects.clear();
  g_comments.clear();
  InvalidateRect(ItemWindow(d, 2), nullptr, TRUE);
  UpdateWindow(ItemWindow(d, 2));
  d->grafProcs = nullptr;
  ASSERT_FALSE(g_comments.empty()) << "the picture was read";
  EXPECT_EQ(g_comments.front(), kCommentKind);
  ASSERT_FALSE(g_rects.empty());
  // The frame's right half, scaled two to one into the item's rectangle.
  const Rect r = g_rects.front();
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.left, 70);
  EXPECT_EQ(r.bottom, 60);
  EXPECT_EQ(r.right, 110);
}

}  // namespace
}  // namespace zebtest
