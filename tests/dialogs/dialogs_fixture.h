// A ported application's event loop with dialogs: resources written big-endian into a resource
// file of a fresh directory, the Dialog Manager initialised, owner-drawn items forwarded to
// ZEB_UserItem as an application's procedure does.
#ifndef ZEB_TESTS_DIALOGS_DIALOGS_FIXTURE_H
#define ZEB_TESTS_DIALOGS_DIALOGS_FIXTURE_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Controls.h"
#include "Dialogs.h"
#include "event_loop_fixture.h"
#include "temp_dir.h"

namespace zebtest {

// Big-endian resource data, as a resource file holds it.
class Big {
 public:
  Big& W(int v) {
    b_.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    b_.push_back(static_cast<uint8_t>(v & 0xFF));
    return *this;
  }
  Big& L(long v) {
    W(static_cast<int>((v >> 16) & 0xFFFF));
    return W(static_cast<int>(v & 0xFFFF));
  }
  Big& B(int v) {
    b_.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Big& R(short top, short left, short bottom, short right) { return W(top).W(left).W(bottom).W(right); }
  Big& P(const std::string& s) {
    B(static_cast<int>(s.size()));
    b_.insert(b_.end(), s.begin(), s.end());
    return *this;
  }
  Big& Raw(const std::string& s) {
    b_.insert(b_.end(), s.begin(), s.end());
    return *this;
  }
  const std::vector<uint8_t>& Bytes() const { return b_; }

 private:
  std::vector<uint8_t> b_;
};

// An item list: items are added with their type, rectangle and data.
class Ditl {
 public:
  Ditl& Item(int type, short top, short left, short bottom, short right, const std::string& data) {
    items_.L(0).R(top, left, bottom, right).B(type).P(data);
    if (data.size() & 1) items_.B(0);
    ++count_;
    return *this;
  }
  Ditl& Id(int type, short top, short left, short bottom, short right, short id) {
    std::string d;
    d += static_cast<char>((id >> 8) & 0xFF);
    d += static_cast<char>(id & 0xFF);
    return Item(type, top, left, bottom, right, d);
  }
  std::vector<uint8_t> Bytes(int declared = -1) const {
    Big b;
    b.W((declared < 0 ? count_ : declared) - 1);
    std::vector<uint8_t> out = b.Bytes();
    out.insert(out.end(), items_.Bytes().begin(), items_.Bytes().end());
    return out;
  }

 private:
  Big items_;
  int count_ = 0;
};

struct Res {
  const char* type;
  short id;
  std::vector<uint8_t> data;
};

class DialogsTest : public EventLoopTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the resources to a file and opens it: they are found first.
  void UseResources(const std::vector<Res>& resources);
  // A 'DLOG' for GetNewDialog.
  static std::vector<uint8_t> Dlog(short top, short left, short bottom, short right, short itemsId,
                                   bool visible = true, short procID = dBoxProc, const std::string& title = "Dialog");
  // The item's native window.
  static HWND ItemWindow(DialogPtr d, short item);
  // Runs ModalDialog with a watchdog filter: the steps run on successive filter calls (each may
  // send input); after them the filter hands each event to next (the standard filter when
  // null). After limit calls the loop ends with itemHit -99.
  short RunModal(std::function<void(int call, DialogPtr d)> step, int limit = 400, bool useStandard = true);
  // Pumps the Windows queue for a while so that sent input arrives.
  static void Let(int ms = 30);
  static std::string ClassOf(HWND hwnd);

  TempDir dir_;
  std::string previousDir_;
  short file_ = -1;
  std::vector<DialogPtr> dialogs_;
};

// A window's client pixels as they are on the screen, copied with BitBlt from the screen's DC
// into a 32-bit DIB section (GetPixel on a window DC answers CLR_INVALID under Wine). Child
// windows' drawing is part of the copy.
class ClientPixels {
 public:
  explicit ClientPixels(HWND hwnd);
  ~ClientPixels();
  ClientPixels(const ClientPixels&) = delete;
  ClientPixels& operator=(const ClientPixels&) = delete;
  // The pixel at client (x, y); CLR_INVALID outside.
  COLORREF At(int x, int y) const;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  const uint32_t* pixels_ = nullptr;
  int width_ = 0, height_ = 0;
};

// Owner-drawn items of the window reach ZEB_UserItem as an application's procedure hands them.
void ForwardOwnerDraw(HWND dialogWindow);

}  // namespace zebtest

#endif  // ZEB_TESTS_DIALOGS_DIALOGS_FIXTURE_H
