#pragma once
// The page's picture: lays a page out for a viewport and paints it on a device context. OBJECT
// elements take the room their WIDTH and HEIGHT give and are not painted: the window that shows
// the page puts each control's own window at its place (ObjectPlaces).
//
// The layout engine stays behind this interface; nothing of it shows outside.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/cdc.h"
#include "platform/gdi/geometry.h"
#include "platform/web/fetch.h"

namespace vetra::web {

class PageLayout {
public:
  PageLayout();
  ~PageLayout();
  PageLayout(const PageLayout&) = delete;
  PageLayout& operator=(const PageLayout&) = delete;

  // Reads the page (UTF-8 HTML) found at `address` (system text; its pictures are read against
  // it); an empty text is a blank page. A page from the web is given as its host's
  // LayoutSource: within what the layout may take, and with nothing left to repair.
  void SetPage(const std::string& utf8Source, const std::string& address = {});
  // Where the page's pictures are read from; unset, they are read at once.
  void SetResourceReader(ResourceReader reader);
  // Lays the page out for a viewport of this size; again after each size change.
  void Layout(int width, int height);
  // Paints the part of the page inside `clip` (device coordinates, page at (0, 0)).
  void Paint(win::CDC& dc, const win::RECT& clip) const;

  // The height of the laid-out page (0 without a page).
  int Height() const;

  // Where each OBJECT element lies, in document order (page coordinates).
  const std::vector<win::CRect>& ObjectPlaces() const;
  // The address of the link at a point of the page (UTF-8 as written), if any.
  std::optional<std::string> LinkAt(win::POINT point) const;

private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace vetra::web
