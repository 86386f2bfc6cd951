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

void PaintRecord(HDC, const RECT&) {
  if (!g_record) return;
  const Rect view = (*g_record)->viewRect;
  TEUpdate(&view, g_record);
}

// The offset of word in the record's text, or -1.
long Find(TEHandle te, const char* word) {
  const Handle text = reinterpret_cast<Handle>(TEGetText(te));
  const long length = (*te)->teLength;
  const long n = static_cast<long>(std::strlen(word));
  for (long i = 0; i + n <= length; ++i)
    if (std::memcmp(*text + i, word, static_cast<size_t>(n)) == 0) return i;
  return -1;
}

// A styled record in the current port: the paragraph, with one word made bold.
TEHandle MakeRecord(const Rect& portRect) {
  TextFont(applFont);
  TextSize(12);
  Rect box = portRect;
  InsetRect(&box, 6, 6);
  TEHandle te = TEStyleNew(&box, &box);
  if (!te) return nullptr;
  static const char kParagraph[] =
      "A styled record the library draws: this paragraph wraps at the window's edge, one "
      "word is bold, and a selection is shown.\rCut: spare";
  TESetText(kParagraph, static_cast<long>(std::strlen(kParagraph)), te);
  const long bold = Find(te, "bold");
  TextStyle style{};
  style.tsFace = ::bold;
  TESetSelect(bold, bold + 4, te);
  TESetStyle(doFace, &style, false, te);
  return te;
}

constexpr short kWidth = 312, kHeight = 130;

}  // namespace

void ShowTextEdit() {
  Heading("TextEdit");
  TEInit();
  // The same record as the window's, in a port of its own: the spare word goes to the
  // clipboard and comes back at the end of the text.
  GrafPtr saved;
  GetPort(&saved);
  GrafPort port{};
  OpenPort(&port);
  const Rect bounds{0, 0, kHeight, kWidth};
  TEHandle te = MakeRecord(bounds);
  if (te) {
    const short before = InfoScrap()->scrapCount;
    const long spare = Find(te, "spare");
    TESetSelect(spare, spare + 5, te);
    TECut(te);
    const short afterCut = InfoScrap()->scrapCount;
    const long cutLength = (*te)->teLength;
    TEFromScrap();
    TESetSelect(cutLength, cutLength, te);
    TEPaste(te);
    Say("TEStyleNew: %d lines, %d styles; TECut \"spare\", TEPaste: length %ld, then %d;"
        " scrapCount %d before, %d after the cut",
        (*te)->nLines, static_cast<int>(TENumStyles(0, (*te)->teLength, te)), cutLength,
        (*te)->teLength, before, afterCut);
    TEDispose(te);
  }
  ClosePort(&port);
  SetPort(saved);
}

void ShowTextEditWindow(int x, int y) {
  WindowPtr w = AddToolboxWindow(reinterpret_cast<const unsigned char*>("\x08" "TextEdit"), noGrowDocProc,
                                 PaintRecord, x, y, kWidth, kHeight);
  if (!w) return;
  GrafPtr saved;
  GetPort(&saved);
  SetPort(w);
  g_record = MakeRecord(w->portRect);
  if (g_record) {
    const long selection = Find(g_record, "selection");
    TESetSelect(selection, selection + 9, g_record);
    TEActivate(g_record);
  }
  SetPort(saved);
}
