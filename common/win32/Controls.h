#pragma once
// The system controls the forms use, as small value objects over their HWND: what a form reads
// and sets on a control is one call here instead of a SendMessage with its casts. They own
// nothing; the control dies with its parent. Forms create them through win::Form.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace win {

class Control {
 public:
  Control() = default;
  explicit Control(HWND hwnd) : hwnd_(hwnd) {}

  HWND Hwnd() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }

  std::string Text() const;
  void SetText(const std::string& utf8) const;
  void Enable(bool on) const { EnableWindow(hwnd_, on); }
  bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  void Show(bool on) const { ShowWindow(hwnd_, on ? SW_SHOW : SW_HIDE); }
  bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
  void Focus() const { SetFocus(hwnd_); }
  // Position and size in pixels of the parent's client area.
  void Place(int x, int y, int width, int height) const;
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(hwnd_, msg, wp, lp); }

 protected:
  HWND hwnd_ = nullptr;
};

class Button : public Control {
 public:
  using Control::Control;
};

// A check box (BS_AUTOCHECKBOX) or a radio button.
class CheckBox : public Control {
 public:
  using Control::Control;
  bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
  void SetChecked(bool on) const { Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
};

class Edit : public Control {
 public:
  using Control::Control;
  void SelectAll() const { Send(EM_SETSEL, 0, -1); }
  void SetLimit(int characters) const { Send(EM_LIMITTEXT, characters); }
};

// A number field: an edit with an up-down control inside its right edge (named after the
// field + "Strzalki"), kept in its range.
class SpinBox : public Edit {
 public:
  SpinBox() = default;
  SpinBox(HWND edit, HWND arrows) : Edit(edit), arrows_(arrows) {}
  HWND Arrows() const { return arrows_; }
  // The typed number within [min, max]; text that is no whole number gives `fallback`. The field
  // shows what is taken.
  int Value(int min, int max, int fallback) const;
  void SetValue(int value) const;
  void SetRange(int min, int max) const;
  void Enable(bool on) const;

 private:
  HWND arrows_ = nullptr;
};

class Slider : public Control {
 public:
  using Control::Control;
  int Position() const;
  void SetPosition(int position) const;
  void SetRange(int min, int max) const;
};

class ListBox : public Control {
 public:
  using Control::Control;
  void Clear() const { Send(LB_RESETCONTENT); }
  int Add(const std::string& item) const;
  int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
  int Selected() const { return static_cast<int>(Send(LB_GETCURSEL)); }  // -1 when none
  void Select(int index) const { Send(LB_SETCURSEL, index); }
  std::string Item(int index) const;
  // The item under a point of the list's client area; -1 outside the items.
  int ItemAt(POINT at) const;
};

class ComboBox : public Control {
 public:
  using Control::Control;
  void Clear() const { Send(CB_RESETCONTENT); }
  int Add(const std::string& item) const;
  int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  int Selected() const { return static_cast<int>(Send(CB_GETCURSEL)); }  // -1 when none
  void Select(int index) const { Send(CB_SETCURSEL, index); }
  std::string Item(int index) const;
};

// A grid of text rows: a report list view with full-row selection and grid lines.
class Grid : public Control {
 public:
  using Control::Control;
  using Row = std::vector<std::string>;
  void SetRows(const std::vector<Row>& rows) const;
  std::vector<Row> Rows() const;
  int Selected() const;  // -1 when none
  void Select(int index) const;
  void DeleteRow(int index) const;
};

// A tree of text items with pictures of the system's small image list and a number each.
class TreeView : public Control {
 public:
  using Control::Control;
  void Clear() const { Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }
  // Appends an item under `parent` (TVI_ROOT at the top); `children` shows its button before it
  // has any (filled when it opens).
  HTREEITEM Add(HTREEITEM parent, const std::string& text, int image, int selectedImage, LPARAM data,
                bool children = false) const;
  HTREEITEM Selected() const { return Next(nullptr, TVGN_CARET); }
  void Select(HTREEITEM item) const { Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)); }
  HTREEITEM Root() const { return Next(nullptr, TVGN_ROOT); }
  HTREEITEM Parent(HTREEITEM item) const { return Next(item, TVGN_PARENT); }
  HTREEITEM FirstChild(HTREEITEM item) const { return Next(item, TVGN_CHILD); }
  HTREEITEM NextSibling(HTREEITEM item) const { return Next(item, TVGN_NEXT); }
  std::string Text(HTREEITEM item) const;
  LPARAM Data(HTREEITEM item) const;
  void SetData(HTREEITEM item, LPARAM data) const;
  void SetHasChildren(HTREEITEM item, bool children) const;
  void Expand(HTREEITEM item) const { Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)); }
  void EnsureVisible(HTREEITEM item) const { Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)); }
  // The system's small image list, whose indexes ShellIconIndex gives.
  void UseShellImages() const;

 private:
  HTREEITEM Next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }
};

// Index in the system's small image list of the picture the shell shows for a path: for a real
// one (a drive root), or, with `byName`, for any file or folder of that name and attributes
// ("plik.tmp", FILE_ATTRIBUTE_NORMAL; "folder", FILE_ATTRIBUTE_DIRECTORY); `open` for an open
// folder.
int ShellIconIndex(const std::string& path, DWORD attributes, bool byName, bool open = false);
// The same for the recycle bin.
int RecycleBinIconIndex();

// Width in pixels of a text in a font (the DC of the screen).
int TextWidth(HFONT font, const std::string& utf8);
// Height in pixels of a line of text in a font.
int TextHeight(HFONT font);

}  // namespace win
