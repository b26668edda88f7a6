// The message box as it shows on screen: a modal dialog of our own window system with the
// system's font, the text line by line and the Korean button texts, centred on its owner.

#include "platform/ui/message_box_window.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/base/text.h"
#include "platform/ui/dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_box_icon.h"
#include "platform/ui/window_system.h"

namespace vetra::ui {

namespace {

using namespace win;

constexpr int kMarginDu = 8;         // around the text and below the buttons
constexpr int kTextGapDu = 10;       // between the text and the buttons
constexpr int kButtonWidthDu = 38;
constexpr int kButtonHeightDu = 12;
constexpr int kButtonGapDu = 4;
constexpr int kMinTextWidthDu = 80;
constexpr int kMaxTextWidthDu = 400;
constexpr int kFontPoints = 9;
constexpr int kIconDu = kMessageBoxIconSize / kPixelsPerDialogUnit;
constexpr int kIconGapDu = 8;        // between the icon and the text

const char* ButtonText(int id)
{
  switch (id) {
    case IDOK: return "확인";
    case IDCANCEL: return "취소";
    case IDYES: return "예";
    case IDNO: return "아니오";
    case IDABORT: return "중단";
    case IDRETRY: return "다시 시도";
    case IDIGNORE: return "무시";
    default: return "";
  }
}

// The text's size in pixels in the box's font, each line on its own row.
CSize TextSize(const std::string& text, const std::string& face)
{
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CFont font;
  font.CreatePointFont(kFontPoints * 10, face.c_str());
  CFont* old = dc.SelectObject(&font);
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  CSize size(0, 0);
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size.cx = std::max<int>(size.cx, dc.GetTextExtent(line).cx);
    size.cy += tm.tmHeight;
    start = end + 1;
  }
  dc.SelectObject(old);
  return size;
}

int ToDialogUnits(int pixels) { return (pixels + kPixelsPerDialogUnit - 1) / kPixelsPerDialogUnit; }

DialogTemplate MessageBoxTemplate(const std::string& text, const std::string& caption, UINT type,
                                  const std::vector<int>& buttons, int defaultButton)
{
  DialogTemplate t;
  t.caption = caption;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  if (type & (MB_SYSTEMMODAL | MB_TOPMOST)) t.exStyle |= WS_EX_TOPMOST;
  t.fontFace = Cp949("굴림");
  t.fontPoints = kFontPoints;
  const CSize textSize = TextSize(text, t.fontFace);
  const int buttonsWidth = static_cast<int>(buttons.size()) * (kButtonWidthDu + kButtonGapDu) - kButtonGapDu;
  const int textWidth = std::clamp(ToDialogUnits(textSize.cx) + 2, kMinTextWidthDu, kMaxTextWidthDu);
  const int textHeight = ToDialogUnits(textSize.cy);
  // An icon stands left of the text; a text lower than the icon is centred beside it.
  const bool icon = MessageBoxIconOf(type).has_value();
  const int textLeft = kMarginDu + (icon ? kIconDu + kIconGapDu : 0);
  const int bodyHeight = icon ? std::max(textHeight, kIconDu) : textHeight;
  t.cx = std::max(textLeft + textWidth + kMarginDu, buttonsWidth + 2 * kMarginDu);
  t.cy = kMarginDu + bodyHeight + kTextGapDu + kButtonHeightDu + kMarginDu;
  // The message is shown as it is: an "&" in it is no mnemonic.
  t.items.push_back({"STATIC", text, -1, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, textLeft,
                     kMarginDu + (bodyHeight - textHeight) / 2, t.cx - textLeft - kMarginDu, textHeight});
  int x = (t.cx - buttonsWidth) / 2;
  const int y = kMarginDu + bodyHeight + kTextGapDu;
  for (int id : buttons) {
    const DWORD kind = id == defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    t.items.push_back({"BUTTON", Cp949(ButtonText(id)), id, WS_VISIBLE | WS_TABSTOP | kind, x, y,
                       kButtonWidthDu, kButtonHeightDu});
    x += kButtonWidthDu + kButtonGapDu;
  }
  return t;
}

class MessageBoxWindow : public CDialog {
public:
  MessageBoxWindow(const std::string& text, const std::string& caption, UINT type, CWnd* owner)
      : m_buttons(MessageBoxButtons(type)), m_default(DefaultMessageBoxAnswer(type)), m_iconKind(MessageBoxIconOf(type))
  {
    SetTemplate(MessageBoxTemplate(text, caption, type, m_buttons, m_default));
    m_pParentWnd = owner;
  }

  BOOL OnInitDialog() override
  {
    CDialog::OnInitDialog();
    if (m_iconKind) {
      m_icon = std::make_unique<MessageBoxIconWindow>(*m_iconKind);
      m_icon->Create(this, {kMarginDu * kPixelsPerDialogUnit, kMarginDu * kPixelsPerDialogUnit});
    }
    SetDefID(static_cast<UINT>(m_default));
    if (CWnd* button = GetDlgItem(m_default)) GotoDlgCtrl(button);
    return FALSE;  // the focus is set
  }

protected:
  BOOL OnCommand(WPARAM wParam, LPARAM) override
  {
    const int id = LOWORD(wParam);
    if (std::find(m_buttons.begin(), m_buttons.end(), id) != m_buttons.end()) {
      EndDialog(id);
    } else if (id == IDCANCEL && m_buttons.size() == 1) {
      EndDialog(m_buttons.front());  // Esc and the close box answer a box with one button
    }
    // A box without a Cancel button is not closed by Esc or the close box.
    return TRUE;
  }

private:
  std::vector<int> m_buttons;
  int m_default;
  std::optional<MessageBoxIcon> m_iconKind;
  std::unique_ptr<MessageBoxIconWindow> m_icon;
};

}  // namespace

int RunMessageBoxWindow(const std::string& text, const std::string& caption, win::UINT type, win::HWND owner)
{
  MessageBoxWindow box(text, caption, type, CWnd::FromHandle(owner));
  const INT_PTR answer = box.DoModal();
  return answer > 0 ? static_cast<int>(answer) : DefaultMessageBoxAnswer(type);
}

}  // namespace vetra::ui
