#include "controls/ignition/core/engine.h"

#include <algorithm>

#include "platform/base/text.h"

namespace sparwen {
namespace {

struct CodedOrder {
  int engineClass;
  FiringOrder order;
};

// Firing codes 1..30, in code order.
constexpr std::array<CodedOrder, 30> kFiringOrders = {{
    {1, {1, 3, 2}},          {1, {1, 2, 3}},
    {2, {1, 3, 4, 2}},       {2, {1, 4, 3, 2}},       {2, {1, 2, 4, 3}},       {2, {1, 3, 2, 4}},
    {3, {1, 2, 3, 4, 5, 6}}, {3, {1, 2, 4, 6, 3, 5}}, {3, {1, 2, 5, 6, 4, 3}}, {3, {1, 4, 2, 5, 3, 6}},
    {3, {1, 4, 2, 6, 3, 5}}, {3, {1, 4, 5, 6, 2, 3}}, {3, {1, 4, 5, 6, 3, 2}}, {3, {1, 5, 3, 6, 2, 4}},
    {3, {1, 6, 2, 4, 3, 5}}, {3, {1, 6, 3, 5, 2, 4}}, {3, {1, 6, 5, 4, 3, 2}},
    {4, {1, 5, 4, 8, 6, 3, 7, 2}}, {4, {1, 3, 7, 2, 6, 5, 4, 8}}, {4, {1, 8, 4, 3, 6, 5, 7, 2}},
    {4, {1, 2, 7, 8, 4, 5, 6, 3}}, {4, {1, 8, 2, 7, 4, 5, 3, 6}}, {4, {1, 4, 7, 3, 8, 5, 2, 6}},
    {4, {1, 3, 2, 5, 8, 6, 7, 4}}, {4, {1, 6, 3, 5, 4, 7, 2, 8}}, {4, {1, 8, 3, 6, 4, 5, 2, 7}},
    {4, {1, 6, 2, 5, 8, 3, 7, 4}}, {4, {1, 3, 6, 8, 4, 2, 7, 5}}, {4, {1, 5, 6, 3, 4, 2, 7, 8}},
    {4, {1, 5, 4, 2, 6, 3, 7, 8}},
}};

}  // namespace

int CylindersOfClass(int engineClass)
{
  switch (engineClass) {
    case 1: return 3;
    case 2: return 4;
    case 3: return 6;
    case 4: return 8;
    default: return 0;
  }
}

std::string CylinderLabel(int engineClass)
{
  const int cylinders = CylindersOfClass(engineClass);
  return cylinders == 0 ? std::string() : std::to_string(cylinders) + vetra::Cp949("기통");
}

const FiringOrder* FiringOrderOf(int engineClass, int firingCode)
{
  if (firingCode < 1 || firingCode > static_cast<int>(kFiringOrders.size())) return nullptr;
  const CodedOrder& coded = kFiringOrders[static_cast<std::size_t>(firingCode - 1)];
  return coded.engineClass == engineClass ? &coded.order : nullptr;
}

std::string FiringOrderText(const FiringOrder& order, int cylinders)
{
  std::string text;
  for (int p = 0; p < std::clamp(cylinders, 0, 8); ++p) text += (p ? "-" : "") + std::to_string(order[p]);
  return text;
}

std::string CoilText(int coilCode)
{
  switch (coilCode) {
    case 1: return vetra::Cp949("배전기");
    case 2: return vetra::Cp949("1코일-2실린더");
    case 3: return vetra::Cp949("1코일-1실린더");
    default: return {};
  }
}

std::string BadEngineClassText(int engineClass)
{
  return vetra::Cp949("차종선택이 잘못되었습니다. : ") + std::to_string(engineClass);
}

std::string ApplyEngine(int engineClass, int firingCode, int coilCode, EngineSetup& setup)
{
  std::string message;
  const int cylinders = CylindersOfClass(engineClass);
  if (cylinders == 0) {
    message = BadEngineClassText(engineClass);
  } else {
    setup.cylinderCount = cylinders;
    setup.cylinderLabel = CylinderLabel(engineClass);
    if (const FiringOrder* order = FiringOrderOf(engineClass, firingCode)) {
      std::copy_n(order->begin(), cylinders, setup.firingOrder.begin());
    }
    setup.firingText = FiringOrderText(setup.firingOrder, cylinders);
  }
  if (coilCode >= 1 && coilCode <= 3) setup.coilText = CoilText(coilCode);
  return message;
}

}  // namespace sparwen
