#include "platform/ui/input.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/base/text.h"
#include "platform/ui/window_system.h"

namespace vetra::ui {

namespace {
void Push(RawInput input) { win::detail::WindowSystem::Get().PushInput(std::move(input)); }
}  // namespace

void InjectMouseMove(win::POINT screen)
{
  RawInput input;
  input.kind = RawInput::Kind::MouseMove;
  input.point = screen;
  Push(input);
}

void InjectButton(win::POINT screen, int button, bool down, std::uint64_t time)
{
  RawInput input;
  input.kind = down ? RawInput::Kind::ButtonDown : RawInput::Kind::ButtonUp;
  input.point = screen;
  input.button = button;
  input.time = time;
  Push(input);
}

void InjectWheel(win::POINT screen, int delta)
{
  RawInput input;
  input.kind = RawInput::Kind::Wheel;
  input.point = screen;
  input.wheel = std::clamp(delta, -0x8000, 0x7FFF);  // the message carries 16 bits of it
  Push(input);
}

void InjectKey(win::UINT vk, bool down)
{
  RawInput input;
  input.kind = down ? RawInput::Kind::KeyDown : RawInput::Kind::KeyUp;
  input.vk = vk;
  input.point = win::detail::WindowSystem::Get().cursorPos;
  Push(input);
}

void InjectText(const std::string& cp949)
{
  RawInput input;
  input.kind = RawInput::Kind::Text;
  input.text = cp949;
  Push(input);
}

void InjectDesktopText(const std::string& utf8, win::HWND target)
{
  RawInput input;
  input.kind = RawInput::Kind::Text;
  input.utf8 = utf8;
  input.window = target;
  Push(input);
}

void InjectComposition(const std::string& cp949)
{
  RawInput input;
  input.kind = RawInput::Kind::Composition;
  input.text = cp949;
  Push(input);
}

std::optional<KeyChord> ParseKeyChord(const std::string& name)
{
  static const std::pair<const char*, win::UINT> kNames[] = {
      {"esc", win::VK_ESCAPE},     {"escape", win::VK_ESCAPE}, {"return", win::VK_RETURN},
      {"enter", win::VK_RETURN},   {"tab", win::VK_TAB},       {"space", win::VK_SPACE},
      {"backspace", win::VK_BACK}, {"left", win::VK_LEFT},     {"right", win::VK_RIGHT},
      {"up", win::VK_UP},          {"down", win::VK_DOWN},     {"home", win::VK_HOME},
      {"end", win::VK_END},        {"pageup", win::VK_PRIOR},  {"pagedown", win::VK_NEXT},
      {"delete", win::VK_DELETE},  {"insert", win::VK_INSERT}, {"numlock", win::VK_NUMLOCK},
      {"ctrl", win::VK_CONTROL},   {"alt", win::VK_MENU},      {"shift", win::VK_SHIFT}};
  KeyChord chord;
  std::vector<std::string> parts;
  std::string current;
  for (char c : name) {
    if (c == '+' && !current.empty()) {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  if (parts.empty()) return std::nullopt;
  auto lookup = [&](const std::string& part) -> std::optional<win::UINT> {
    const std::string lower = ToLowerAscii(part);
    for (const auto& [text, vk] : kNames) {
      if (lower == text) return vk;
    }
    if (lower.size() == 1 && std::isalnum(static_cast<unsigned char>(lower[0]))) {
      return static_cast<win::UINT>(std::toupper(static_cast<unsigned char>(lower[0])));
    }
    if (lower.size() >= 2 && lower[0] == 'f') {
      char* end = nullptr;
      const long n = std::strtol(lower.c_str() + 1, &end, 10);
      if (end && *end == '\0' && n >= 1 && n <= 12) return static_cast<win::UINT>(win::VK_F1 + n - 1);
    }
    return std::nullopt;
  };
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::optional<win::UINT> vk = lookup(parts[i]);
    if (!vk) return std::nullopt;
    if (i + 1 < parts.size()) chord.modifiers.push_back(*vk);
    else chord.key = *vk;
  }
  return chord;
}

void InjectKeyChord(const KeyChord& chord)
{
  for (win::UINT m : chord.modifiers) InjectKey(m, true);
  InjectKey(chord.key, true);
  InjectKey(chord.key, false);
  for (auto it = chord.modifiers.rbegin(); it != chord.modifiers.rend(); ++it) InjectKey(*it, false);
}

}  // namespace vetra::ui
