#include "platform/web/page_layout.h"

#include <litehtml/litehtml.h>
#include <litehtml/el_td.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>

#include "platform/base/text.h"
#include "platform/gdi/gdi_types.h"
#include "platform/web/address.h"
#include "platform/web/page_images.h"
#include "platform/web/page_style.h"

namespace vetra::web {
namespace {

using litehtml::tchar_t;
using litehtml::uint_ptr;

// A number of pixels as a page attribute writes it ("708", "100%") as a style length.
std::string AttributeLength(const char* value)
{
  if (value == nullptr) return {};
  std::string text(value);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  if (text.empty()) return {};
  if (text.back() == '%') return text;
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || number < 0) return {};
  return std::to_string(number) + "px";
}

// Presentational attributes of a tag turned into its style, as browsers of the pages' time read
// them.
class AttributeStyledTag : public litehtml::html_tag {
public:
  explicit AttributeStyledTag(const std::shared_ptr<litehtml::document>& doc) : html_tag(doc) {}

protected:
  void AddLength(const char* property, const char* attribute)
  {
    const std::string length = AttributeLength(get_attr(attribute));
    if (!length.empty()) m_style.add_property(property, length.c_str(), nullptr, false, this);
  }
  void AddColor(const char* property, const char* attribute)
  {
    if (const char* color = get_attr(attribute); color != nullptr && *color != '\0')
      m_style.add_property(property, color, nullptr, false, this);
  }
};

// OBJECT: a box of WIDTH by HEIGHT that the control's own window covers.
class ObjectTag : public AttributeStyledTag {
public:
  using AttributeStyledTag::AttributeStyledTag;
  void parse_attributes() override
  {
    AddLength("width", "width");
    AddLength("height", "height");
    html_tag::parse_attributes();
  }
  // Its PARAMs and any fallback content are not shown.
  void draw(uint_ptr, int, int, const litehtml::position*) override {}
};

// BODY with the page margins and colours of its attributes.
class BodyTag : public AttributeStyledTag {
public:
  using AttributeStyledTag::AttributeStyledTag;
  bool is_body() const override { return true; }
  void parse_attributes() override
  {
    AddLength("margin-left", "marginwidth");
    AddLength("margin-right", "marginwidth");
    AddLength("margin-top", "marginheight");
    AddLength("margin-bottom", "marginheight");
    AddLength("margin-left", "leftmargin");
    AddLength("margin-right", "rightmargin");
    AddLength("margin-top", "topmargin");
    AddLength("margin-bottom", "bottommargin");
    AddColor("background-color", "bgcolor");
    AddColor("color", "text");
    html_tag::parse_attributes();
  }
};

// TD and TH: the padding their table's CELLPADDING gives, unless their own style says otherwise.
class CellTag : public litehtml::el_td {
public:
  using el_td::el_td;
  void parse_attributes() override
  {
    for (litehtml::element::ptr up = parent(); up; up = up->parent()) {
      const char* tag = up->get_tagName();
      if (tag == nullptr || !EqualsNoCase(tag, "table")) continue;
      const std::string padding = AttributeLength(up->get_attr("cellpadding"));
      if (!padding.empty()) m_style.add_property("padding", padding.c_str(), nullptr, false, this);
      break;
    }
    el_td::parse_attributes();
  }
};

win::COLORREF ColorOf(const litehtml::web_color& color)
{
  return win::RGB(color.red, color.green, color.blue);
}

win::CRect RectOf(const litehtml::position& pos)
{
  return win::CRect(pos.x, pos.y, pos.x + pos.width, pos.y + pos.height);
}

// The face the system draws a page's font family with: the first family named, generic
// families by the system's faces.
std::string FaceOf(const char* family)
{
  std::string first = family != nullptr ? family : "";
  first = first.substr(0, first.find(','));
  first.erase(std::remove_if(first.begin(), first.end(), [](char c) { return c == '"' || c == '\''; }),
              first.end());
  while (!first.empty() && first.front() == ' ') first.erase(first.begin());
  while (!first.empty() && first.back() == ' ') first.pop_back();
  const std::string lower = ToLowerAscii(first);
  if (lower.empty() || lower == "sans-serif") return Cp949("굴림");
  if (lower == "serif") return Cp949("바탕");
  if (lower == "monospace") return Cp949("굴림체");
  return Cp949(first);
}

class Container : public litehtml::document_container {
public:
  Container() { m_measure.CreateCompatibleDC(nullptr); }

  void SetViewport(int width, int height)
  {
    m_width = width;
    m_height = height;
  }

  // Drawing on a device context: clip changes are undone after each paint.
  void BeginPaint(win::CDC& dc) { m_savedState = dc.SaveDC(); }
  void EndPaint(win::CDC& dc)
  {
    if (m_savedState != 0) dc.RestoreDC(m_savedState);
    m_savedState = 0;
    m_clips.clear();
  }

  uint_ptr create_font(const tchar_t* faceName, int size, int weight, litehtml::font_style italic,
                       unsigned int decoration, litehtml::font_metrics* fm) override
  {
    auto font = std::make_unique<win::CFont>();
    const std::string face = FaceOf(faceName);
    font->CreateFont(-size, 0, 0, 0, weight, italic == litehtml::fontStyleItalic ? 1 : 0,
                     (decoration & litehtml::font_decoration_underline) ? 1 : 0,
                     (decoration & litehtml::font_decoration_linethrough) ? 1 : 0,
                     win::HANGEUL_CHARSET, 0, 0, 0, 0, face.c_str());
    if (fm != nullptr) {
      win::CFont* previous = m_measure.SelectObject(font.get());
      win::TEXTMETRIC tm;
      m_measure.GetTextMetrics(&tm);
      fm->ascent = tm.tmAscent;
      fm->descent = tm.tmDescent;
      fm->height = tm.tmHeight;
      fm->x_height = std::max<int>(1, tm.tmAscent / 2);
      fm->draw_spaces = italic == litehtml::fontStyleItalic || decoration != 0;
      m_measure.SelectObject(previous);
    }
    const uint_ptr handle = reinterpret_cast<uint_ptr>(font.get());
    m_fonts[handle] = std::move(font);
    return handle;
  }

  void delete_font(uint_ptr hFont) override { m_fonts.erase(hFont); }

  int text_width(const tchar_t* text, uint_ptr hFont) override
  {
    win::CFont* previous = m_measure.SelectObject(FontOf(hFont));
    const int width = m_measure.GetTextExtent(Cp949(text)).cx;
    m_measure.SelectObject(previous);
    return width;
  }

  void draw_text(uint_ptr hdc, const tchar_t* text, uint_ptr hFont, litehtml::web_color color,
                 const litehtml::position& pos) override
  {
    win::CDC& dc = DcOf(hdc);
    win::CFont* previous = dc.SelectObject(FontOf(hFont));
    dc.SetTextColor(ColorOf(color));
    dc.SetBkMode(win::TRANSPARENT);
    dc.TextOut(pos.x, pos.y, Cp949(text));
    dc.SelectObject(previous);
  }

  int pt_to_px(int pt) const override { return pt * 96 / 72; }
  int get_default_font_size() const override { return 16; }
  const tchar_t* get_default_font_name() const override { return "굴림"; }

  void draw_list_marker(uint_ptr hdc, const litehtml::list_marker& marker) override
  {
    win::CDC& dc = DcOf(hdc);
    const litehtml::position& p = marker.pos;
    switch (marker.marker_type) {
      case litehtml::list_style_type_none: break;
      case litehtml::list_style_type_circle: {
        win::CBrush frame(ColorOf(marker.color));
        const win::CRect r = RectOf(p);
        dc.FrameRect(&r, &frame);
        break;
      }
      case litehtml::list_style_type_disc:
      case litehtml::list_style_type_square: dc.FillSolidRect(p.x, p.y, p.width, p.height, ColorOf(marker.color)); break;
      default: {
        // Numbered markers: the number and a full stop, right before the item.
        const std::string number = std::to_string(marker.index) + ".";
        win::CFont* previous = dc.SelectObject(FontOf(marker.font));
        const int width = dc.GetTextExtent(number).cx;
        dc.SetTextColor(ColorOf(marker.color));
        dc.SetBkMode(win::TRANSPARENT);
        win::TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        dc.TextOut(p.x + p.width - width, p.y + p.height - tm.tmAscent, number);
        dc.SelectObject(previous);
        break;
      }
    }
  }

  void load_image(const tchar_t* src, const tchar_t* baseurl, bool) override { Picture(src, baseurl); }
  void get_image_size(const tchar_t* src, const tchar_t* baseurl, litehtml::size& sz) override
  {
    const PagePicture* picture = Picture(src, baseurl);
    sz.width = picture != nullptr ? picture->Width() : 0;
    sz.height = picture != nullptr ? picture->Height() : 0;
  }

  void draw_background(uint_ptr hdc, const litehtml::background_paint& bg) override
  {
    if (bg.color.alpha != 0) FillBackground(DcOf(hdc), bg);
    if (!bg.image.empty()) DrawPicture(DcOf(hdc), bg);
  }

  void FillBackground(win::CDC& dc, const litehtml::background_paint& bg)
  {
    win::CRect box = RectOf(bg.clip_box);
    if (bg.is_root) {
      // The page's own background fills the whole view, as far as the page reaches or not.
      box.left = std::min<int>(box.left, 0);
      box.top = std::min<int>(box.top, 0);
      box.right = std::max<int>(box.right, m_width);
      box.bottom = std::max<int>(box.bottom, m_height);
    }
    dc.FillSolidRect(&box, ColorOf(bg.color));
  }

  // A picture at its place, repeated across the box as the background asks, inside the box.
  void DrawPicture(win::CDC& dc, const litehtml::background_paint& bg)
  {
    const PagePicture* picture = Picture(bg.image.c_str(), bg.baseurl.c_str());
    const int width = bg.image_size.width > 0 ? bg.image_size.width : picture ? picture->Width() : 0;
    const int height = bg.image_size.height > 0 ? bg.image_size.height : picture ? picture->Height() : 0;
    if (picture == nullptr || width <= 0 || height <= 0) return;
    const litehtml::position& box = bg.clip_box;
    const bool repeatX = bg.repeat == litehtml::background_repeat_repeat || bg.repeat == litehtml::background_repeat_repeat_x;
    const bool repeatY = bg.repeat == litehtml::background_repeat_repeat || bg.repeat == litehtml::background_repeat_repeat_y;
    // The first tile at or before the box's edge, in step with the picture's position.
    const auto firstTile = [](int position, int edge, int size) {
      const int d = position - edge;
      const int steps = d >= 0 ? (d + size - 1) / size : -((-d) / size);
      return position - steps * size;
    };
    const int startX = repeatX ? firstTile(bg.position_x, box.x, width) : bg.position_x;
    const int startY = repeatY ? firstTile(bg.position_y, box.y, height) : bg.position_y;
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(box.x, box.y, box.right(), box.bottom());
    for (int y = startY; y < box.bottom() && (repeatY || y == startY); y += height) {
      for (int x = startX; x < box.right() && (repeatX || x == startX); x += width) picture->Draw(dc, x, y, width, height);
    }
    dc.RestoreDC(saved);
  }

  void draw_borders(uint_ptr hdc, const litehtml::borders& borders, const litehtml::position& pos,
                    bool) override
  {
    win::CDC& dc = DcOf(hdc);
    const auto shows = [](const litehtml::border& b) {
      return b.width > 0 && b.style != litehtml::border_style_none && b.style != litehtml::border_style_hidden;
    };
    if (shows(borders.top)) dc.FillSolidRect(pos.x, pos.y, pos.width, borders.top.width, ColorOf(borders.top.color));
    if (shows(borders.bottom))
      dc.FillSolidRect(pos.x, pos.bottom() - borders.bottom.width, pos.width, borders.bottom.width,
                       ColorOf(borders.bottom.color));
    if (shows(borders.left)) dc.FillSolidRect(pos.x, pos.y, borders.left.width, pos.height, ColorOf(borders.left.color));
    if (shows(borders.right))
      dc.FillSolidRect(pos.right() - borders.right.width, pos.y, borders.right.width, pos.height,
                       ColorOf(borders.right.color));
  }

  void set_caption(const tchar_t*) override {}  // the page host reports the title
  void set_base_url(const tchar_t*) override {}
  void link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) override {}
  void on_anchor_click(const tchar_t*, const litehtml::element::ptr&) override {}
  void set_cursor(const tchar_t*) override {}

  void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override
  {
    if (tt == litehtml::text_transform_uppercase) text = ToUpperAscii(text);
    if (tt == litehtml::text_transform_lowercase) text = ToLowerAscii(text);
  }

  void import_css(litehtml::tstring&, const litehtml::tstring&, litehtml::tstring&) override {}

  void set_clip(const litehtml::position& pos, const litehtml::border_radiuses&, bool, bool) override
  {
    m_clips.push_back(pos);
    if (m_dc != nullptr) {
      m_dc->SaveDC();
      m_dc->IntersectClipRect(pos.x, pos.y, pos.right(), pos.bottom());
    }
  }
  void del_clip() override
  {
    if (m_clips.empty()) return;
    m_clips.pop_back();
    if (m_dc != nullptr) m_dc->RestoreDC(-1);
  }

  void get_client_rect(litehtml::position& client) const override
  {
    client = litehtml::position(0, 0, m_width, m_height);
  }

  std::shared_ptr<litehtml::element> create_element(const tchar_t* tag, const litehtml::string_map&,
                                                    const std::shared_ptr<litehtml::document>& doc) override
  {
    const std::string name = ToLowerAscii(tag != nullptr ? tag : "");
    if (name == "object") return std::make_shared<ObjectTag>(doc);
    if (name == "body") return std::make_shared<BodyTag>(doc);
    if (name == "td" || name == "th") return std::make_shared<CellTag>(doc);
    return nullptr;
  }

  void get_media_features(litehtml::media_features& media) const override
  {
    media.type = litehtml::media_type_screen;
    media.width = m_width;
    media.height = m_height;
    media.device_width = m_width;
    media.device_height = m_height;
    media.color = 8;
    media.monochrome = 0;
    media.color_index = 256;
    media.resolution = 96;
  }

  void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override
  {
    language = "ko";
    culture = "ko-KR";
  }

  void SetTarget(win::CDC* dc) { m_dc = dc; }
  void SetReader(ResourceReader reader) { m_pictures.SetReader(std::move(reader)); }
  void SetBase(const std::string& address)
  {
    m_base = address;
    m_pictures.Clear();
  }

private:
  const PagePicture* Picture(const tchar_t* src, const tchar_t* baseurl)
  {
    if (src == nullptr || *src == '\0') return nullptr;
    const std::string base = baseurl != nullptr && *baseurl != '\0' ? Cp949(baseurl) : m_base;
    return m_pictures.Find(CombineAddress(base, Cp949(src)));
  }

  win::CFont* FontOf(uint_ptr handle) const
  {
    const auto found = m_fonts.find(handle);
    return found != m_fonts.end() ? found->second.get() : nullptr;
  }
  static win::CDC& DcOf(uint_ptr hdc) { return *reinterpret_cast<win::CDC*>(hdc); }

  win::CDC m_measure;
  std::string m_base;  // the page's address, for the addresses of its pictures
  PagePictures m_pictures;
  std::map<uint_ptr, std::unique_ptr<win::CFont>> m_fonts;
  std::vector<litehtml::position> m_clips;
  win::CDC* m_dc = nullptr;
  int m_savedState = 0;
  int m_width = 0;
  int m_height = 0;
};

litehtml::context& SharedContext()
{
  static litehtml::context* context = [] {
    auto* made = new litehtml::context;  // lives for the process: documents refer to it
    made->load_master_stylesheet(kDefaultPageStyle);
    return made;
  }();
  return *context;
}

void CollectObjects(const litehtml::element::ptr& element, std::vector<win::CRect>& places)
{
  if (!element) return;
  const char* tag = element->get_tagName();
  if (tag != nullptr && EqualsNoCase(tag, "object")) {
    places.push_back(RectOf(element->get_placement()));
  }
  for (std::size_t i = 0; i < element->get_children_count(); ++i)
    CollectObjects(element->get_child(static_cast<int>(i)), places);
}

}  // namespace

struct PageLayout::Impl {
  // The container outlives the document, which releases its fonts through it.
  Container container;
  litehtml::document::ptr document;
  std::vector<win::CRect> objects;
};

PageLayout::PageLayout() : m_impl(std::make_unique<Impl>()) {}

PageLayout::~PageLayout()
{
  m_impl->document.reset();
}

void PageLayout::SetPage(const std::string& utf8Source, const std::string& address)
{
  m_impl->container.SetBase(address);
  m_impl->document.reset();
  m_impl->objects.clear();
  m_impl->document = litehtml::document::createFromUTF8(utf8Source.c_str(), &m_impl->container, &SharedContext());
}

void PageLayout::SetResourceReader(ResourceReader reader)
{
  m_impl->container.SetReader(std::move(reader));
}

void PageLayout::Layout(int width, int height)
{
  m_impl->container.SetViewport(width, height);
  m_impl->objects.clear();
  if (!m_impl->document) return;
  m_impl->document->media_changed();
  m_impl->document->render(std::max(width, 0));
  CollectObjects(m_impl->document->root(), m_impl->objects);
}

void PageLayout::Paint(win::CDC& dc, const win::RECT& clip) const
{
  if (!m_impl->document) return;
  Container& container = m_impl->container;
  container.BeginPaint(dc);
  container.SetTarget(&dc);
  const litehtml::position area(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
  m_impl->document->draw(reinterpret_cast<uint_ptr>(&dc), 0, 0, &area);
  container.SetTarget(nullptr);
  container.EndPaint(dc);
}

int PageLayout::Height() const { return m_impl->document ? m_impl->document->height() : 0; }

const std::vector<win::CRect>& PageLayout::ObjectPlaces() const { return m_impl->objects; }

std::optional<std::string> PageLayout::LinkAt(win::POINT point) const
{
  if (!m_impl->document || !m_impl->document->root()) return std::nullopt;
  litehtml::element::ptr element = m_impl->document->root()->get_element_by_point(point.x, point.y, point.x, point.y);
  for (; element; element = element->parent()) {
    const char* tag = element->get_tagName();
    if (tag != nullptr && EqualsNoCase(tag, "a")) {
      if (const char* href = element->get_attr("href"); href != nullptr && *href != '\0') return std::string(href);
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace vetra::web
