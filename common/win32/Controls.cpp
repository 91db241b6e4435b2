#include "common/win32/Controls.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

#include "common/Tekstowe.h"
#include "common/win32/Window.h"

namespace win {

std::string Control::Text() const { return GetText(hwnd_); }

void Control::SetText(const std::string& utf8) const { win::SetText(hwnd_, utf8); }

void Control::Place(int x, int y, int width, int height) const {
  SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int SpinBox::Value(int min, int max, int fallback) const {
  const auto typed = CalaLiczba(Text());
  const long v = std::clamp<long>(typed ? *typed : fallback, min, max);
  if (Text() != std::to_string(v)) SetText(std::to_string(v));
  return static_cast<int>(v);
}

void SpinBox::SetValue(int value) const {
  if (arrows_) SendMessageW(arrows_, UDM_SETPOS32, 0, value);
  SetText(std::to_string(value));
}

void SpinBox::SetRange(int min, int max) const {
  if (arrows_) SendMessageW(arrows_, UDM_SETRANGE32, min, max);
}

void SpinBox::Enable(bool on) const {
  Control::Enable(on);
  if (arrows_) EnableWindow(arrows_, on);
}

int Slider::Position() const { return static_cast<int>(Send(TBM_GETPOS)); }

void Slider::SetPosition(int position) const { Send(TBM_SETPOS, TRUE, position); }

void Slider::SetRange(int min, int max) const { Send(TBM_SETRANGE, TRUE, MAKELPARAM(min, max)); }

int ListBox::Add(const std::string& item) const {
  return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str())));
}

std::string ListBox::Item(int index) const {
  const LRESULT n = Send(LB_GETTEXTLEN, index);
  if (n == LB_ERR || n <= 0) return {};
  std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
  const LRESULT got = Send(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buf.data()));
  return got > 0 ? Narrow(buf.data(), static_cast<int>(got)) : std::string();
}

int ListBox::ItemAt(POINT at) const {
  const LRESULT r = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
  return HIWORD(r) ? -1 : static_cast<int>(LOWORD(r));
}

int ComboBox::Add(const std::string& item) const {
  return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str())));
}

std::string ComboBox::Item(int index) const {
  const LRESULT n = Send(CB_GETLBTEXTLEN, index);
  if (n == CB_ERR || n <= 0) return {};
  std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
  const LRESULT got = Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buf.data()));
  return got > 0 ? Narrow(buf.data(), static_cast<int>(got)) : std::string();
}

void Grid::SetRows(const std::vector<Row>& rows) const {
  Send(LVM_DELETEALLITEMS);
  for (size_t i = 0; i < rows.size(); ++i) {
    for (size_t column = 0; column < rows[i].size(); ++column) {
      std::wstring text = Widen(rows[i][column]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(i);
      item.iSubItem = static_cast<int>(column);
      item.pszText = text.data();
      if (column == 0) Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      else Send(LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    }
  }
}

std::vector<Grid::Row> Grid::Rows() const {
  HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
  const int columns = std::max(1, static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)));
  const int n = static_cast<int>(Send(LVM_GETITEMCOUNT));
  std::vector<Row> rows;
  for (int i = 0; i < n; ++i) {
    Row row;
    for (int column = 0; column < columns; ++column) {
      // A cell may hold a long program path: grow the buffer until the text fits.
      std::wstring buf(256, L'\0');
      int got = 0;
      for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buf.data();
        item.cchTextMax = static_cast<int>(buf.size());
        got = static_cast<int>(Send(LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item)));
        if (got < static_cast<int>(buf.size()) - 1 || buf.size() >= 65536) break;
        buf.assign(buf.size() * 4, L'\0');
      }
      row.push_back(Narrow(buf.data(), got));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

int Grid::Selected() const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }

void Grid::Select(int index) const {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  Send(LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
  Send(LVM_ENSUREVISIBLE, index, FALSE);
}

void Grid::DeleteRow(int index) const { Send(LVM_DELETEITEM, index); }

HTREEITEM TreeView::Add(HTREEITEM parent, const std::string& text, int image, int selectedImage, LPARAM data,
                        bool children) const {
  std::wstring t = Widen(text);
  TVINSERTSTRUCTW w{};
  w.hParent = parent;
  w.hInsertAfter = TVI_LAST;
  w.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | (children ? TVIF_CHILDREN : 0);
  w.item.pszText = t.data();
  w.item.iImage = image;
  w.item.iSelectedImage = selectedImage;
  w.item.cChildren = children ? 1 : 0;
  w.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&w)));
}

std::string TreeView::Text(HTREEITEM item) const {
  wchar_t buf[MAX_PATH] = {};
  TVITEMW t{};
  t.mask = TVIF_TEXT;
  t.hItem = item;
  t.pszText = buf;
  t.cchTextMax = MAX_PATH;
  Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&t));
  return Narrow(buf, static_cast<int>(wcslen(buf)));
}

LPARAM TreeView::Data(HTREEITEM item) const {
  TVITEMW t{};
  t.mask = TVIF_PARAM;
  t.hItem = item;
  Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&t));
  return t.lParam;
}

void TreeView::SetData(HTREEITEM item, LPARAM data) const {
  TVITEMW t{};
  t.mask = TVIF_PARAM;
  t.hItem = item;
  t.lParam = data;
  Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&t));
}

void TreeView::SetHasChildren(HTREEITEM item, bool children) const {
  TVITEMW t{};
  t.mask = TVIF_CHILDREN;
  t.hItem = item;
  t.cChildren = children ? 1 : 0;
  Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&t));
}

void TreeView::UseShellImages() const {
  SHFILEINFOW fi{};
  const auto images = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &fi, sizeof(fi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

int ShellIconIndex(const std::string& path, DWORD attributes, bool byName, bool open) {
  SHFILEINFOW fi{};
  const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (byName ? SHGFI_USEFILEATTRIBUTES : 0) |
                     (open ? SHGFI_OPENICON : 0);
  SHGetFileInfoW(Widen(path).c_str(), attributes, &fi, sizeof(fi), flags);
  return fi.iIcon;
}

int RecycleBinIconIndex() {
  PIDLIST_ABSOLUTE pidl = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &pidl)))
    return ShellIconIndex("folder", FILE_ATTRIBUTE_DIRECTORY, true);
  SHFILEINFOW fi{};
  SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &fi, sizeof(fi),
                 SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  CoTaskMemFree(pidl);
  return fi.iIcon;
}

int TextWidth(HFONT font, const std::string& utf8) {
  const std::wstring text = Widen(utf8);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (old) SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

int TextHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  if (old) SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

}  // namespace win
