#pragma once
// The desktop's clipboard on X11, for pictures: once a picture is offered, other programs can
// paste it as image/png or image/bmp until another program takes the clipboard. When this one
// ends holding the picture, the desktop's clipboard manager, if there is one, is asked to keep it.
// The clipboard has its own connection to the display; the display back end lets it answer
// requests whenever it waits for input.

#include <memory>
#include <string>

namespace vetra::ui {

class X11PictureClipboard {
public:
  // Null when the display cannot be opened.
  static std::unique_ptr<X11PictureClipboard> Open(const char* displayName);
  // Hands a picture still on offer to the clipboard manager, waiting for it a bounded time.
  ~X11PictureClipboard();
  X11PictureClipboard(const X11PictureClipboard&) = delete;
  X11PictureClipboard& operator=(const X11PictureClipboard&) = delete;

  // Takes the clipboard with a picture, given as a whole PNG file and a whole BMP file.
  void Offer(std::string png, std::string bmp);
  // True while the desktop's clipboard is this picture (no other program has taken it since).
  bool HoldsPicture();
  // Answers what other programs asked for meanwhile; never blocks.
  void Serve();

  struct Connection;

private:
  explicit X11PictureClipboard(std::unique_ptr<Connection> connection);
  std::unique_ptr<Connection> m_connection;
};

}  // namespace vetra::ui
