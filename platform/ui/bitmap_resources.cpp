#include "platform/ui/bitmap_resources.h"

#include <map>

namespace win {

namespace {
std::map<UINT, BitmapMaker>& Makers()
{
  static std::map<UINT, BitmapMaker> makers;
  return makers;
}
}  // namespace

void RegisterBitmapResource(UINT id, BitmapMaker maker) { Makers()[id] = std::move(maker); }

BOOL LoadBitmapResource(CBitmap& bitmap, UINT id)
{
  auto it = Makers().find(id);
  if (it == Makers().end()) return FALSE;
  bitmap.DeleteObject();
  return it->second(bitmap);
}

}  // namespace win
