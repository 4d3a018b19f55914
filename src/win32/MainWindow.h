#pragma once

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/WindowLayout.h"
#include "app/frm_Main.h"
#include "platform/Form.h"
#include "win32/Dpi.h"
#include "win32/RangeBar.h"
#include "win32/ScopedWin.h"

namespace orvanto::win32 {

// The first path of what Explorer dropped on the window; of several, the first counts.
std::optional<std::string> FirstDroppedPath(HDROP drop);

// The real main window: builds every control from the window description, lays them out at the
// window's DPI, and forwards control notifications to the program's handlers. It is the Form
// those handlers talk to.
class MainWindow final : public Form {
 public:
  MainWindow(HINSTANCE instance, FileSystem& files, SettingsStore& settings, NumberLocale& locale);

  static bool Register(HINSTANCE instance);
  bool Create();
  // Shows the window, on `folder` as if it had been dropped on it, when one is given.
  void Show(int showCommand, const std::optional<std::string>& folder = std::nullopt);
  HWND Handle() const { return hwnd_; }
  // Passes a mouse message the loop took from the queue on to the tooltips.
  void RelayMouse(const MSG& msg) const;

  std::string Text(Ctl control) override;
  void SetText(Ctl control, std::string_view text) override;
  std::string Title() override;
  void SetTitle(std::string_view title) override;
  Answer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override;
  void CopyPicture(Ctl source, Ctl target) override;
  void ShowDrives(const std::vector<std::string>& items, int selected) override;
  void ShowDirectories(const std::vector<DirEntry>& entries, int current) override;
  void ShowFiles(const std::vector<std::string>& names) override;
  void EndProgram() override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateControls();
  void CreateTooltips();
  // A font for each distinct font of the window description, at dpi_.
  void CreateFonts();
  // Everything the DPI decides, on a change of DPI; the window takes the rectangle Windows
  // suggests for the new monitor.
  void ApplyDpi(UINT dpi, const RECT& suggested);
  // The window's size for the client area at dpi_; nothing happens when it has that size already.
  void SizeWindow();
  // What does not belong to one control: pictures, icons, the tooltip font and the directory
  // list's line height.
  void ApplyDpiToWindow();
  // A control's rectangle at `dpi`, and its font (with the margins that go with it).
  PixelRect PlaceOf(const ControlDesc& desc, UINT dpi) const;
  HFONT FindFont(const FontDesc& font) const;  // none when there is no such font yet
  HFONT FontOf(const ControlDesc& desc) const;
  void ApplyFont(HWND child, const ControlDesc& desc) const;
  Picture PictureOf(const ControlDesc& desc) const;
  void ShowPictures();
  void LoadFolderIcons();
  int DirectoryItemHeight() const;
  void DrawDirectoryItem(const DRAWITEMSTRUCT& item) const;
  void OnCommand(int id, int code);
  LRESULT OnControlColour(UINT message, HDC dc, HWND child);
  // The high-contrast mode read again, and everything drawn anew where it or the scheme changed.
  void FollowColours(bool schemeChanged);
  void RestoreFocus();

  HWND Control(Ctl control) const { return controls_[Index(control)]; }
  std::optional<Ctl> ControlOf(HWND child) const;
  DpiScale Scale() const { return {dpi_}; }
  // The window's size for a client area of the description's twips at `scale`.
  static SIZE WindowSizeAt(DpiScale scale);

  struct Font {
    FontDesc desc;
    ScopedFont handle;
  };
  struct Brush {
    COLORREF colour;
    ScopedBrush handle;
  };
  static constexpr size_t kPictureKinds = static_cast<size_t>(Picture::BritishFlag) + 1;

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  UINT dpi_ = 96;
  UINT iconDpi_ = 0;     // the DPI the window's icons are drawn for
  UINT pictureDpi_ = 0;  // the DPI pictureIcons_ are drawn for
  bool ready_ = false;   // control events reach the handlers only once the window is complete
  bool ended_ = false;   // the window is gone, or going: nothing reaches the handlers any more
  bool highContrast_ = false;
  std::array<HWND, kControlCount> controls_{};
  // The one picture that changes at run time: the target of CopyPicture and what it shows. Every
  // other image shows the picture of its description.
  std::optional<Ctl> copiedTarget_;
  Picture copiedPicture_ = Picture::None;
  std::array<ScopedIcon, kPictureKinds> pictureIcons_;  // by Picture, shared by the images
  HWND tooltip_ = nullptr;
  HWND lastFocus_ = nullptr;
  std::vector<Font> fonts_;  // the window's own font first
  std::vector<Brush> backBrushes_;
  ScopedIcon bigIcon_;
  ScopedIcon smallIcon_;
  ScopedIcon closedFolder_;
  ScopedIcon openFolder_;
  RangeBar rangeBar_;
  frm_Main handlers_;  // the program's state and event handlers
};

}  // namespace orvanto::win32
