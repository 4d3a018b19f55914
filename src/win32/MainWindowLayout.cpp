// Building the window from its description, and everything its DPI decides: places, fonts, icons
// and pictures.
#include "win32/MainWindow.h"
// after windows.h, which it needs
#include <commctrl.h>

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

}  // namespace

SIZE MainWindow::WindowSizeAt(DpiScale scale) {
  return WindowSizeForClient(scale.Twips(kClientWidthTwips), scale.Twips(kClientHeightTwips),
                             kWindowStyle, kWindowExStyle, scale.dpi);
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
  handlers_.SetHighContrast(highContrast_);
  ready_ = true;
  handlers_.InitFolderLists();
  handlers_.Form_Load();
  return true;
}

void MainWindow::CreateControls() {
  for (const Ctl id : CreationOrder()) {
    const ControlDesc& desc = Describe(id);
    // Nothing ever shows a hidden control (the two flags the language image copies from), so it
    // gets no window.
    if (!desc.visible) continue;
    const ClassAndStyle cls = ClassFor(desc);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | cls.style;
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
    if (tip.empty() || !Control(desc.id)) continue;
    std::wstring text = Widen(tip);
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    // Not subclassed: the message loop relays the mouse (RelayMouse). Under Wine a subclassed
    // control costs three calls to the server on every message it gets.
    info.uFlags = TTF_IDISHWND;
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
    if (!child) continue;
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
    const HWND image = Control(desc.id);
    if (desc.kind != Kind::Image || !image) continue;
    const Picture picture = PictureOf(desc);
    ScopedIcon& icon = pictureIcons_[static_cast<size_t>(picture)];
    if (picture != Picture::None && !icon) {
      const int size = ClientPixels(desc.id, static_cast<int>(dpi_)).width;
      icon.Reset(LoadIconSized(instance_, IconResource(picture), size));
    }
    // Setting an icon costs the time of a few control creations under Wine.
    if (reinterpret_cast<HICON>(SendMessageW(image, STM_GETICON, 0, 0)) != icon.Get())
      SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
  }
}

void MainWindow::LoadFolderIcons() {
  const int size = SystemMetricForDpi(SM_CXSMICON, dpi_);
  closedFolder_.Reset(LoadIconSized(instance_, IDI_FOLDER_CLOSED, size));
  openFolder_.Reset(LoadIconSized(instance_, IDI_FOLDER_OPEN, size));
}

}  // namespace orvanto::win32
