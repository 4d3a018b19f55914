#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Controls.h"

namespace orvanto {

// What a message box shows: the information icon with OK, or the question icon with Yes and No
// and one of them preselected.
enum class MessageStyle { Info, AskDefaultYes, AskDefaultNo };

// What a message box returns. None: neither button was pressed, as when the box went with its
// window (closed from outside, or the end of the Windows session).
enum class Answer { Ok, Yes, No, None };

// One line of the directory list: an ancestor of the open directory, the open directory itself
// (both shown as open folders), or one of its subdirectories (closed folders).
struct DirEntry {
  std::string text;
  int depth = 0;
  bool open = false;
  friend bool operator==(const DirEntry&, const DirEntry&) = default;
};

// The running main window as the event handlers see it.
class Form {
 public:
  virtual ~Form() = default;

  // Caption of a label, button or frame; contents of a text box.
  virtual std::string Text(Ctl control) = 0;
  virtual void SetText(Ctl control, std::string_view text) = 0;

  virtual std::string Title() = 0;
  virtual void SetTitle(std::string_view title) = 0;

  // Modal message box owned by the window; Answer::None at once, showing nothing, once the window
  // is gone.
  virtual Answer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) = 0;

  // `target` shows the picture that `source` holds.
  virtual void CopyPicture(Ctl source, Ctl target) = 0;

  // What the three folder lists show; `selected` and `current` are indexes into the items.
  virtual void ShowDrives(const std::vector<std::string>& items, int selected) = 0;
  virtual void ShowDirectories(const std::vector<DirEntry>& entries, int current) = 0;
  virtual void ShowFiles(const std::vector<std::string>& names) = 0;

  // Ends the program at once: no further event runs.
  virtual void EndProgram() = 0;
};

}  // namespace orvanto
