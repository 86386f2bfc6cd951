// The demo's lists piece: a window with a one-column list whose second cell is selected and a
// three-column grid of numbers, and a line saying what LSearch found.
#include <cstdio>
#include <string>

#include "Lists.h"
#include "demo.h"

namespace {

ListHandle g_fruit = nullptr;
ListHandle g_grid = nullptr;

// The window's update: its text, then the lists, as a Toolbox application redraws them.
void PaintLists(HDC dc, const RECT& client) {
  (void)client;
  Label(dc, 8, 18, "A list of one column, and a grid");
  if (g_fruit) LUpdate(nullptr, g_fruit);
  if (g_grid) LUpdate(nullptr, g_grid);
}

}  // namespace

void ShowListsShowcase(int x, int y) {
  Heading("List Manager");
  const unsigned char title[] = "\x05" "Lists";
  WindowPtr w = AddToolboxWindow(title, noGrowDocProc, PaintLists, x, y, 310, 84);
  if (!w) return;
  SetPort(w);
  const Rect oneView = {34, 8, 82, 100};
  const Rect oneBounds = {0, 0, 5, 1};
  ListHandle fruit = LNew(&oneView, &oneBounds, Point{0, 0}, 0, w, true, false, false, true);
  const char* names[] = {"Apple", "Banana", "Cherry", "Damson", "Elder"};
  for (short i = 0; fruit && i < 5; ++i)
    LSetCell(names[i], static_cast<short>(std::char_traits<char>::length(names[i])), Cell{i, 0}, fruit);
  if (fruit) LSetSelect(true, Cell{1, 0}, fruit);

  const Rect gridView = {34, 130, 82, 280};
  const Rect gridBounds = {0, 0, 6, 3};
  ListHandle grid = LNew(&gridView, &gridBounds, Point{16, 50}, 0, w, true, false, false, true);
  for (short r = 0; grid && r < 6; ++r)
    for (short c = 0; c < 3; ++c) {
      char n[8];
      const int len = std::snprintf(n, sizeof n, "%d", (r + 1) * (c + 1));
      LSetCell(n, static_cast<short>(len), Cell{r, c}, grid);
    }
  if (grid) LSetSelect(true, Cell{2, 1}, grid);
  g_fruit = fruit;
  g_grid = grid;

  Cell found = {0, 0};
  const bool hit = fruit && LSearch("Cherry", 6, nullptr, &found, fruit);
  Cell selected = {0, 0};
  const bool any = fruit && LGetSelect(true, &selected, fruit);
  Say("LSearch(\"Cherry\"): %s row %d; selected: row %d; grid of %d cells", hit ? "found at" : "not found,",
      hit ? found.v : -1, any ? selected.v : -1, grid ? (*grid)->maxIndex + 1 : 0);
}
