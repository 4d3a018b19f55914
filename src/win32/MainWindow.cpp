#include "win32/MainWindow.h"

#include <commctrl.h>
#include <dbt.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "win32/Colours.h"
#include "win32/ControlIds.h"
#include "win32/Text.h"

namespace orvanto::win32 {

namespace {

// No WS_CLIPCHILDREN: the window paints the background inside the frames, which group boxes leave
// to their parent.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = WS_EX_ACCEPTFILES;  // folders dropped from Explorer
constexpr int kDropDownItems = 12;
// WM_GETDPISCALEDSIZE, sent from Windows 10 1703 on; the headers give it only to programs that
// need that version.
constexpr UINT kGetDpiScaledSize = 0x02E4;

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle ClassFor(const ControlDesc& desc) {
  constexpr DWORD tab = WS_TABSTOP | WS_GROUP;
  switch (desc.kind) {
    case Kind::CommandButton:
      return {WC_BUTTONW, BS_PUSHBUTTON | tab, 0};
    case Kind::TextBox:
      return {WC_EDITW, DWORD{ES_AUTOHSCROLL} | (desc.rightAligned ? ES_RIGHT : ES_LEFT) | tab,
              WS_EX_CLIENTEDGE};
    case Kind::Label:
      return {WC_STATICW, DWORD{SS_NOPREFIX} | (desc.rightAligned ? SS_RIGHT : SS_LEFT), 0};
    case Kind::Frame:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
    case Kind::DriveList:
      return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | tab, 0};
    case Kind::DirList:
      // Drawn by the window for the folder icons and the indentation; the strings stay in the
      // list so that screen readers can read them.
      return {WC_LISTBOXW,
              LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | WS_VSCROLL |
                  tab,
              WS_EX_CLIENTEDGE};
    case Kind::FileList:
      return {WC_LISTBOXW, LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | tab,
              WS_EX_CLIENTEDGE};
    case Kind::Image:
      return {WC_STATICW, SS_ICON | SS_REALSIZECONTROL, 0};
    case Kind::PictureBox:
      return {RangeBar::kClassName, 0, WS_EX_CLIENTEDGE};
    case Kind::Line:
      return {WC_STATICW, static_cast<DWORD>(desc.rect.height == 0 ? SS_ETCHEDHORZ : SS_ETCHEDVERT),
              0};
  }
  return {WC_STATICW, 0, 0};
}

std::string WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

SIZE WindowSizeAt(DpiScale scale) {
  return WindowSizeForClient(scale.Twips(kClientWidthTwips), scale.Twips(kClientHeightTwips),
                             kWindowStyle, kWindowExStyle, scale.dpi);
}

bool SameFont(const FontDesc& a, const FontDesc& b) {
  return a.face == b.face && a.tenthsOfPoint == b.tenthsOfPoint && a.weight == b.weight &&
         a.western == b.western;
}

HFONT CreateFontAt(const FontDesc& desc, DpiScale scale) {
  constexpr int kTwipsPerTenthOfPoint = 2;
  LOGFONTW font{};
  font.lfHeight = -scale.Twips(desc.tenthsOfPoint * kTwipsPerTenthOfPoint);
  font.lfWeight = desc.weight;
  font.lfCharSet = desc.western ? ANSI_CHARSET : DEFAULT_CHARSET;
  lstrcpynW(font.lfFaceName, Widen(desc.face).c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

HICON LoadIconSized(HINSTANCE instance, int id, int size, UINT flags = 0) {
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, flags));
}

HICON LoadAppIcon(HINSTANCE instance, int metric, UINT dpi, UINT flags) {
  return LoadIconSized(instance, IDI_ORVANTO, SystemMetricForDpi(metric, dpi), flags);
}

int IconResource(Picture picture) {
  return picture == Picture::GermanFlag ? IDI_FLAG_DE : IDI_FLAG_EN;
}

// The message-box styles as Windows numbers them: buttons + icon + default button.
constexpr UINT kInfo = MB_OK | MB_ICONINFORMATION;
constexpr UINT kAskDefaultYes = MB_YESNO | MB_ICONQUESTION;
constexpr UINT kAskDefaultNo = kAskDefaultYes | MB_DEFBUTTON2;
static_assert(kInfo == 64 && kAskDefaultYes == 36 && kAskDefaultNo == 292);

UINT BoxStyle(MessageStyle style) {
  switch (style) {
    case MessageStyle::AskDefaultYes:
      return kAskDefaultYes;
    case MessageStyle::AskDefaultNo:
      return kAskDefaultNo;
    case MessageStyle::Info:
      break;
  }
  return kInfo;
}

// Where the focus goes first: the first control of the tab order.
Ctl FirstTabStop() { return std::ranges::find(Controls(), 0, &ControlDesc::tabIndex)->id; }

// shell32 is loaded when something is dropped, not at start: importing it cost a megabyte of
// memory and a tenth of the start-up under Wine.
struct DropApi {
  UINT(WINAPI* queryFile)(HDROP, UINT, LPWSTR, UINT) = nullptr;
  void(WINAPI* finish)(HDROP) = nullptr;

  DropApi() {
    const HMODULE shell32 = LoadLibraryW(L"shell32.dll");
    queryFile = reinterpret_cast<decltype(queryFile)>(
        reinterpret_cast<void*>(GetProcAddress(shell32, "DragQueryFileW")));
    finish = reinterpret_cast<decltype(finish)>(
        reinterpret_cast<void*>(GetProcAddress(shell32, "DragFinish")));
  }
};

const DropApi& Drop() {
  static const DropApi api;
  return api;
}

}  // namespace

std::optional<std::string> FirstDroppedPath(HDROP drop) {
  const auto query = Drop().queryFile;
  const UINT length = query ? query(drop, 0, nullptr, 0) : 0;
  if (length == 0) return std::nullopt;
  std::wstring path(length + 1, L'\0');
  path.resize(query(drop, 0, path.data(), length + 1));
  return Narrow(path);
}

MainWindow::MainWindow(HINSTANCE instance, FileSystem& files, SettingsStore& settings,
                       NumberLocale& locale)
    : instance_(instance), form_(Ports{*this, rangeBar_, files, settings, locale}) {
  // Made once, one for each background colour the description names; looked up by colour.
  for (const ControlDesc& desc : Controls()) {
    if (!desc.backColour) continue;
    const COLORREF colour = ToColorRef(*desc.backColour);
    if (std::ranges::find(backBrushes_, colour, &Brush::colour) == backBrushes_.end()) {
      backBrushes_.push_back({colour, ScopedBrush(CreateSolidBrush(colour))});
    }
  }
}

bool MainWindow::Register(HINSTANCE instance) {
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainClassName;
  // The class's icons serve a window at the system DPI, as most are; setting icons on the window
  // once it exists (WM_SETICON) took a visible part of the start-up under Wine.
  wc.hIcon = LoadAppIcon(instance, SM_CXICON, SystemDpi(), LR_SHARED);
  wc.hIconSm = LoadAppIcon(instance, SM_CXSMICON, SystemDpi(), LR_SHARED);
  return RegisterClassExW(&wc) != 0 && RangeBar::Register(instance);
}

bool MainWindow::Create() {
  const std::wstring title = Widen(kDesignTitle);
  // Made in the size it has at the system DPI, so that it is sized again only on a monitor of
  // another DPI.
  iconDpi_ = SystemDpi();
  const SIZE size = WindowSizeAt({iconDpi_});
  CreateWindowExW(kWindowExStyle, kMainClassName, title.c_str(), kWindowStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  dpi_ = WindowDpi(hwnd_);
  // The fonts come first: each control gets its font as it is created, and the directory list
  // measures its lines then.
  CreateFonts();
  CreateControls();
  CreateTooltips();
  SizeWindow();
  ApplyDpiToWindow();
  highContrast_ = HighContrastOn();
  form_.SetHighContrast(highContrast_);
  ready_ = true;
  form_.InitFolderLists();
  form_.Form_Load();
  return true;
}

void MainWindow::Show(int showCommand, const std::optional<std::string>& folder) {
  ShowWindow(hwnd_, showCommand);
  // Opened once the window is on screen, so that a message about the folder has its window, and
  // before the first paint, so that the lists never show the start directory first.
  if (folder) form_.OpenDropped(*folder);
  UpdateWindow(hwnd_);
  RestoreFocus();
}

void MainWindow::CreateControls() {
  for (const Ctl id : CreationOrder()) {
    const ControlDesc& desc = Describe(id);
    const ClassAndStyle cls = ClassFor(desc);
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | cls.style | (desc.visible ? WS_VISIBLE : 0);
    const std::wstring text = Widen(desc.german);
    // Made in its place and with its font at once: moving and re-fonting every control after
    // creating it was one of the larger costs of the start-up.
    const PixelRect r = PlaceOf(desc, dpi_);
    const HWND child = CreateWindowExW(
        cls.exStyle, cls.className, text.c_str(), style, r.left, r.top, r.width, r.height, hwnd_,
        reinterpret_cast<HMENU>(INT_PTR{ControlId(id)}), instance_, nullptr);
    ApplyFont(child, desc);
    // With common controls 6 the drop-down's length is a number of items, not the height the
    // combo box is created with; a taller combo box only made Wine fit its list again and again.
    if (desc.kind == Kind::DriveList) SendMessageW(child, CB_SETMINVISIBLE, kDropDownItems, 0);
    controls_[Index(id)] = child;
    if (desc.kind == Kind::PictureBox) rangeBar_.Attach(child);
  }
}

void MainWindow::CreateTooltips() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);
  for (const ControlDesc& desc : Controls()) {
    const std::string tip = TooltipText(desc);
    if (tip.empty()) continue;
    std::wstring text = Widen(tip);
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(Control(desc.id));
    info.lpszText = text.data();  // the tooltip keeps its own copy
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void MainWindow::CreateFonts() {
  fonts_.clear();
  const auto add = [&](const FontDesc& font) {
    if (!FindFont(font)) fonts_.push_back({font, ScopedFont(CreateFontAt(font, Scale()))});
  };
  add(kWindowFont);
  for (const ControlDesc& desc : Controls()) {
    if (desc.font) add(*desc.font);
  }
}

HFONT MainWindow::FindFont(const FontDesc& wanted) const {
  const auto same = [&](const Font& f) { return SameFont(f.desc, wanted); };
  const auto found = std::ranges::find_if(fonts_, same);
  return found == fonts_.end() ? nullptr : found->handle.Get();
}

HFONT MainWindow::FontOf(const ControlDesc& desc) const {
  return FindFont(desc.font ? *desc.font : kWindowFont);
}

PixelRect MainWindow::PlaceOf(const ControlDesc& desc, UINT dpi) const {
  PixelRect r = ClientPixels(desc.id, static_cast<int>(dpi));
  if (desc.kind == Kind::Line) {
    // An etched rule is two pixels thick whatever the DPI.
    if (r.height == 0) r.height = 2;
    if (r.width == 0) r.width = 2;
  }
  return r;
}

void MainWindow::ApplyFont(HWND child, const ControlDesc& desc) const {
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(desc)), FALSE);
  if (desc.kind == Kind::TextBox) {
    // The numeric boxes are narrow ("8356,1" in 615 twips): the font's default margins would
    // cut off the last digit.
    const int margin = Scale().Pixels(1);
    SendMessageW(child, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
  }
}

void MainWindow::SizeWindow() {
  // Measured by the client area, which the layout fills, whatever the frame around it takes: under
  // Wine the frame keeps the size of the DPI the program started with.
  RECT client{}, window{};
  GetClientRect(hwnd_, &client);
  GetWindowRect(hwnd_, &window);
  const int wider = Scale().Twips(kClientWidthTwips) - client.right;
  const int taller = Scale().Twips(kClientHeightTwips) - client.bottom;
  if (wider == 0 && taller == 0) return;
  SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + wider,
               window.bottom - window.top + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::ApplyDpi(UINT dpi, const RECT& suggested) {
  const UINT previous = std::exchange(dpi_, dpi);
  // The fonts of the old DPI go only once no control uses them any more.
  const std::vector<Font> previousFonts = std::exchange(fonts_, {});
  CreateFonts();
  for (const ControlDesc& desc : Controls()) {
    PixelRect r = PlaceOf(desc, dpi);
    const HWND child = Control(desc.id);
    if (desc.kind == Kind::Line) {
      // Wine makes an etched rule longer by its edges when it creates it; the rule keeps that at
      // every DPI, so that it is as long as at first when the DPI comes back.
      RECT now{};
      GetWindowRect(child, &now);
      const PixelRect was = PlaceOf(desc, previous);
      r.width += now.right - now.left - was.width;
      r.height += now.bottom - now.top - was.height;
    }
    SetWindowPos(child, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyFont(child, desc);
  }
  // As Windows suggests it, where it answered WM_GETDPISCALEDSIZE with the size at the new DPI:
  // that rectangle keeps the window on the monitor that caused the change.
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  SizeWindow();
  ApplyDpiToWindow();
}

void MainWindow::ApplyDpiToWindow() {
  LoadFolderIcons();
  ShowPictures();
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.front().handle.Get()), FALSE);
  SendMessageW(Control(Ctl::lst_Path), LB_SETITEMHEIGHT, 0, DirectoryItemHeight());

  if (dpi_ != iconDpi_) {
    bigIcon_.Reset(LoadAppIcon(instance_, SM_CXICON, dpi_, 0));
    smallIcon_.Reset(LoadAppIcon(instance_, SM_CXSMICON, dpi_, 0));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    iconDpi_ = dpi_;
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
}

Picture MainWindow::PictureOf(const ControlDesc& desc) const {
  return copiedTarget_ == desc.id ? copiedPicture_ : desc.picture;
}

void MainWindow::ShowPictures() {
  // One icon per picture, drawn for the DPI; those of an old DPI go only once no image shows them.
  std::array<ScopedIcon, kPictureKinds> previous;
  if (pictureDpi_ != dpi_) previous = std::exchange(pictureIcons_, {});
  pictureDpi_ = dpi_;
  for (const ControlDesc& desc : Controls()) {
    if (desc.kind != Kind::Image) continue;
    const Picture picture = PictureOf(desc);
    ScopedIcon& icon = pictureIcons_[static_cast<size_t>(picture)];
    if (picture != Picture::None && !icon) {
      const int size = ClientPixels(desc.id, static_cast<int>(dpi_)).width;
      icon.Reset(LoadIconSized(instance_, IconResource(picture), size));
    }
    SendMessageW(Control(desc.id), STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
  }
}

void MainWindow::LoadFolderIcons() {
  const int size = SystemMetricForDpi(SM_CXSMICON, dpi_);
  closedFolder_.Reset(LoadIconSized(instance_, IDI_FOLDER_CLOSED, size));
  openFolder_.Reset(LoadIconSized(instance_, IDI_FOLDER_OPEN, size));
}

int MainWindow::DirectoryItemHeight() const {
  TEXTMETRICW metrics{};
  const WindowDc dc(hwnd_);
  const SelectGuard font(dc.Get(), FontOf(Describe(Ctl::lst_Path)));
  GetTextMetricsW(dc.Get(), &metrics);
  const int icon = SystemMetricForDpi(SM_CYSMICON, dpi_);
  return std::max<int>(metrics.tmHeight, icon) + Scale().Pixels(2);
}

void MainWindow::DrawDirectoryItem(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  if (item.itemID == static_cast<UINT>(-1)) {
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
    return;
  }
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);

  const auto data = static_cast<LPARAM>(item.itemData);
  const int depth = LOWORD(data);
  const bool open = HIWORD(data) != 0;
  const int icon = SystemMetricForDpi(SM_CXSMICON, dpi_);
  int x = r.left + Scale().Pixels(2) + depth * Scale().Pixels(10);
  if (const HICON folder = open ? openFolder_.Get() : closedFolder_.Get()) {
    DrawIconEx(dc, x, r.top + (r.bottom - r.top - icon) / 2, folder, icon, icon, 0, nullptr,
               DI_NORMAL);
  }
  x += icon + Scale().Pixels(4);

  const auto length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
  RECT textRect{x, r.top, r.right, r.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

std::optional<Ctl> MainWindow::ControlOf(HWND child) const {
  const auto it = std::ranges::find(controls_, child);
  if (!child || it == controls_.end()) return std::nullopt;
  return static_cast<Ctl>(it - controls_.begin());
}

void MainWindow::OnCommand(int id, int code) {
  const HWND directories = Control(Ctl::lst_Path);
  if (id == IDOK && ready_ && !ended_ && GetFocus() == directories) {
    // Enter in the directory list opens the highlighted entry, as a double click does.
    form_.OpenDirectory(static_cast<int>(SendMessageW(directories, LB_GETCURSEL, 0, 0)));
    return;
  }
  const int index = id - kFirstControlId;
  if (!ready_ || ended_ || index < 0 || index >= static_cast<int>(kControlCount)) return;
  const Ctl control = static_cast<Ctl>(index);
  switch (Describe(control).kind) {
    case Kind::CommandButton:
      if (code == BN_CLICKED) form_.OnEvent(control, Event::Click);
      break;
    case Kind::TextBox:
      if (code == EN_CHANGE) form_.OnEvent(control, Event::Change);
      break;
    case Kind::DriveList: {
      // A drive counts as picked once the drop-down is closed, so that scrolling through the
      // open list does not open every drive on the way.
      const HWND drives = Control(control);
      const bool dropped = SendMessageW(drives, CB_GETDROPPEDSTATE, 0, 0);
      if (code == CBN_DROPDOWN) form_.RefreshDrives();  // a stick may have come or gone
      if ((code == CBN_SELCHANGE && !dropped) || code == CBN_CLOSEUP) {
        form_.ChooseDrive(static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0)));
      }
      break;
    }
    case Kind::DirList:
      if (code == LBN_DBLCLK) {
        form_.OpenDirectory(static_cast<int>(SendMessageW(directories, LB_GETCURSEL, 0, 0)));
      }
      break;
    default:
      break;
  }
}

LRESULT MainWindow::OnControlColour(UINT message, HDC dc, HWND child) {
  const auto control = ControlOf(child);
  if (!control)
    return DefWindowProcW(hwnd_, message, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(child));
  const ControlColours colours = ColoursOf(Describe(*control), highContrast_);
  SetTextColor(dc, ToColorRef(colours.text));
  const COLORREF back = ToColorRef(colours.back);
  SetBkColor(dc, back);
  if (const auto* scheme = std::get_if<SystemColour>(&colours.back))
    return reinterpret_cast<LRESULT>(GetSysColorBrush(SysColorIndex(*scheme)));
  return reinterpret_cast<LRESULT>(
      std::ranges::find(backBrushes_, back, &Brush::colour)->handle.Get());
}

void MainWindow::FollowColours(bool schemeChanged) {
  const bool on = HighContrastOn();
  if (on == highContrast_ && !schemeChanged) return;
  highContrast_ = on;
  form_.SetHighContrast(on);
  // The controls of common controls 6 keep the scheme's colours until they are told.
  if (schemeChanged)
    for (const HWND child : controls_) SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void MainWindow::RestoreFocus() {
  const HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : Control(FirstTabStop());
  SetFocus(target);
}

LRESULT CALLBACK MainWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->HandleMessage(message, wParam, lParam)
              : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlID != static_cast<UINT>(ControlId(Ctl::lst_Path))) break;
      measure->itemHeight = static_cast<UINT>(DirectoryItemHeight());
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlID != static_cast<UINT>(ControlId(Ctl::lst_Path))) break;
      DrawDirectoryItem(*draw);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return OnControlColour(message, reinterpret_cast<HDC>(wParam),
                             reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else {
        RestoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case kGetDpiScaledSize:
      // The size the window has at the new DPI, so that the rectangle Windows then suggests with
      // WM_DPICHANGED has it already.
      *reinterpret_cast<SIZE*>(lParam) = WindowSizeAt({static_cast<UINT>(wParam)});
      return TRUE;
    case WM_DPICHANGED: {
      ApplyDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    }
    case WM_SETTINGCHANGE:  // high contrast switched on or off
    case WM_SYSCOLORCHANGE:
      FollowColours(message == WM_SYSCOLORCHANGE);
      return 0;
    case WM_DEVICECHANGE:
      if ((wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) && ready_ &&
          !ended_) {
        form_.RefreshDrives();
      }
      return TRUE;
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wParam);
      const auto path = FirstDroppedPath(drop);
      if (Drop().finish) Drop().finish(drop);
      if (path && ready_ && !ended_) form_.OpenDropped(*path);
      return 0;
    }
    case WM_QUERYENDSESSION:
      return TRUE;  // nothing to save: the program never holds work of the user's
    case WM_ENDSESSION:
      // The process may be ended at any moment after this: a handler waiting on a question can
      // only stop, so the window goes as if closed, and its open box answers None.
      if (wParam) DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      // Closing (WM_CLOSE from the user, taskkill or "End task") destroys the window even while a
      // handler waits on a message box: the box goes with it, and nothing may follow it.
      ended_ = true;
      form_.WindowClosed();
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

std::string MainWindow::Text(Ctl control) { return WindowText(Control(control)); }

void MainWindow::SetText(Ctl control, std::string_view text) {
  SetWindowTextW(Control(control), Widen(text).c_str());
}

std::string MainWindow::Title() { return WindowText(hwnd_); }

void MainWindow::SetTitle(std::string_view title) { SetWindowTextW(hwnd_, Widen(title).c_str()); }

Answer MainWindow::ShowMessage(std::string_view text, std::string_view title, MessageStyle style) {
  if (ended_) return Answer::None;
  switch (MessageBoxW(hwnd_, Widen(text).c_str(), Widen(title).c_str(), BoxStyle(style))) {
    case IDOK:
      return Answer::Ok;
    case IDYES:
      return Answer::Yes;
    case IDNO:
      return Answer::No;
    default:  // 0 when the box went with its window, or anything unexpected
      return Answer::None;
  }
}

void MainWindow::CopyPicture(Ctl source, Ctl target) {
  copiedPicture_ = PictureOf(Describe(source));
  copiedTarget_ = target;
  ShowPictures();
}

void MainWindow::ShowDrives(const std::vector<std::string>& items, int selected) {
  const HWND list = Control(Ctl::lst_Drive);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void MainWindow::ShowDirectories(const std::vector<DirEntry>& entries, int current) {
  const HWND list = Control(Ctl::lst_Path);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const DirEntry& entry : entries) {
    const auto index =
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry.text).c_str()));
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index),
                 MAKELPARAM(entry.depth, entry.open ? 1 : 0));
  }
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::ShowFiles(const std::vector<std::string>& names) {
  const HWND list = Control(Ctl::lst_File);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : names) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::EndProgram() {
  ended_ = true;
  DestroyWindow(hwnd_);
}

}  // namespace orvanto::win32
