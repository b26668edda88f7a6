#include "platform/gdi/display.h"

#include <mutex>

#include "platform/gdi/surface.h"

namespace vetra::gdi {

namespace {

struct ScreenState {
  std::mutex mutex;
  std::shared_ptr<Bitmap32> screen;
  std::function<void()> composer;
};

ScreenState& State()
{
  static ScreenState state;
  return state;
}

}  // namespace

std::shared_ptr<Bitmap32> Screen()
{
  auto& state = State();
  std::lock_guard lock(state.mutex);
  if (!state.screen) state.screen = std::make_shared<Bitmap32>(kDefaultScreenWidth, kDefaultScreenHeight);
  return state.screen;
}

void SetScreenSize(int width, int height)
{
  auto& state = State();
  std::lock_guard lock(state.mutex);
  state.screen = std::make_shared<Bitmap32>(width, height);
}

DeviceInfo ScreenDevice()
{
  const auto screen = Screen();
  DeviceInfo info;
  info.width = screen->Width();
  info.height = screen->Height();
  return info;
}

void SetScreenComposer(std::function<void()> composer)
{
  auto& state = State();
  std::lock_guard lock(state.mutex);
  state.composer = std::move(composer);
}

void ComposeScreen()
{
  std::function<void()> composer;
  {
    auto& state = State();
    std::lock_guard lock(state.mutex);
    composer = state.composer;
  }
  if (composer) composer();
}

Surface WholeSurface(std::shared_ptr<Bitmap32> bitmap)
{
  Surface surface;
  const int width = bitmap ? bitmap->Width() : 0;
  const int height = bitmap ? bitmap->Height() : 0;
  surface.bitmap = std::move(bitmap);
  surface.bounds = {0, 0, width, height};
  return surface;
}

}  // namespace vetra::gdi
