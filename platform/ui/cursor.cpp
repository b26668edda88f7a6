#include "platform/ui/cursor.h"

#include <map>

#include "platform/ui/window_system.h"

namespace win {

namespace {

struct CursorState {
  HCURSOR current = nullptr;
  int waitDepth = 0;
};

CursorState& State()
{
  static CursorState state;
  return state;
}

void Announce()
{
  auto& system = detail::WindowSystem::Get();
  if (system.HasDisplay()) system.Display().CursorChanged(vetra::ui::CurrentCursor());
}

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, const char* name)
{
  using vetra::ui::CursorShape;
  static const CursorResource arrow{CursorShape::Arrow, 0};
  static const CursorResource ibeam{CursorShape::IBeam, 0};
  static const CursorResource wait{CursorShape::Wait, 0};
  static const CursorResource hand{CursorShape::Hand, 0};
  static std::map<int, CursorResource> moduleCursors;
  const auto id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
  if (!instance) {
    if (name == IDC_ARROW) return &arrow;
    if (name == IDC_IBEAM) return &ibeam;
    if (name == IDC_WAIT) return &wait;
    if (name == IDC_HAND) return &hand;
    return nullptr;
  }
  auto [it, inserted] = moduleCursors.try_emplace(id, CursorResource{CursorShape::Hand, id});
  return &it->second;
}

HICON LoadIcon(HINSTANCE, const char* name)
{
  static std::map<int, IconResource> icons;
  const auto id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
  return &icons.try_emplace(id, IconResource{id}).first->second;
}

HCURSOR SetCursor(HCURSOR cursor)
{
  HCURSOR old = State().current;
  State().current = cursor;
  if (old != cursor) Announce();
  return old;
}

HCURSOR GetCursor() { return State().current; }

HINSTANCE AfxGetInstanceHandle()
{
  static int module = 0;
  return &module;
}

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

CWaitCursor::CWaitCursor()
{
  ++State().waitDepth;
  Announce();
}

CWaitCursor::~CWaitCursor()
{
  if (State().waitDepth > 0) --State().waitDepth;
  Announce();
}

void CWaitCursor::Restore() { Announce(); }

}  // namespace win

namespace vetra::ui {

CursorShape CurrentCursor()
{
  auto& state = win::State();
  if (state.waitDepth > 0) return CursorShape::Wait;
  return state.current ? state.current->shape : CursorShape::None;
}

}  // namespace vetra::ui
