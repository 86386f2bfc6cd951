// The demo's TextEdit piece: a window with a styled record the library draws (a wrapped
// paragraph with a bold run and a selection), and a cut and paste of a word through the
// clipboard procedure with the scrap count before and after.
#include <windows.h>

#include <cstring>

#include "Fonts.h"
#include "Scrap.h"
#include "TextEdit.h"
#include "demo.h"

namespace {

TEHandle g_record = nullptr;
WindowPtr g_window = nullptr;

void PaintRecord(HDC, const RECT&) {
  if (!g_record) return;
  const Rect view = (*g_record)->viewRect;
  TEUpdate(&view, g_record);
}

// The offset of word in the record's text, or -1.
long Find(const char* word) {
  const Handle text = reinterpret_cast<Handle>(TEGetText(g_record));
  const long length = (*g_record)->teLength;
  const long n = static_cast<long>(std::strlen(word));
  for (long i = 0; i + n <= length; ++i)
    if (std::memcmp(*text + i, word, static_cast<size_t>(n)) == 0) return i;
  return -1;
}

}  // namespace

void ShowTextEdit() {
  Heading("TextEdit");
  WindowPtr w = AddToolboxWindow(reinterpret_cast<const unsigned char*>("\x08" "TextEdit"), noGrowDocProc,
                                 PaintRecord, 350, 0, 330, 150);
  if (!w) return;
  g_window = w;
  GrafPtr saved;
  GetPort(&saved);
  SetPort(w);
  TextFont(applFont);
  TextSize(12);
  TEInit();
  Rect box = w->portRect;
  InsetRect(&box, 6, 6);
  g_record = TEStyleNew(&box, &box);
  if (!g_record) {
    SetPort(saved);
    return;
  }
  static const char kParagraph[] =
      "A styled record the library draws: this paragraph wraps at the window's edge, one "
      "word is bold, and a selection is shown.\rCut: spare";
  TESetText(kParagraph, static_cast<long>(std::strlen(kParagraph)), g_record);

  const long bold = Find("bold");
  TextStyle style{};
  style.tsFace = ::bold;
  TESetSelect(bold, bold + 4, g_record);
  TESetStyle(doFace, &style, false, g_record);

  // The spare word goes to the clipboard and comes back at the end of the text.
  const short before = InfoScrap()->scrapCount;
  const long spare = Find("spare");
  TESetSelect(spare, spare + 5, g_record);
  TECut(g_record);
  const short afterCut = InfoScrap()->scrapCount;
  const long cutLength = (*g_record)->teLength;
  TEFromScrap();
  TESetSelect(cutLength, cutLength, g_record);
  TEPaste(g_record);
  Say("TEStyleNew: %d lines, %d styles; TECut \"spare\" and TEPaste: length %ld, %d, %d;"
      " scrapCount %d before, %d after the cut",
      (*g_record)->nLines, static_cast<int>(TENumStyles(0, (*g_record)->teLength, g_record)),
      cutLength, (*g_record)->teLength, static_cast<int>(TEGetScrapLength()), before, afterCut);

  const long selection = Find("selection");
  TESetSelect(selection, selection + 9, g_record);
  TEActivate(g_record);
  SetPort(saved);
}

void PlaceTextEdit(int x, int y) {
  if (g_window) MoveWindo(g_window, static_cast<short>(x), static_cast<short>(y), false);
}
