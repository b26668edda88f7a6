#pragma once
// Engine classes, firing orders and coil types of an ignition recording: from the header's class,
// firing code and coil code to the cylinder count, the firing order and the three engine texts.
#include <array>
#include <string>

namespace sparwen {

using FiringOrder = std::array<int, 8>;  // cylinder numbers by firing position; unused entries 0

// Cylinder count of engine class 1..4 (3, 4, 6, 8); 0 for any other class.
int CylindersOfClass(int engineClass);
// "3기통".."8기통" for class 1..4 (code page 949); empty for another class.
std::string CylinderLabel(int engineClass);
// The firing order of a code that belongs to the class; nullptr for a code of another class or
// outside 1..30.
const FiringOrder* FiringOrderOf(int engineClass, int firingCode);
// The first `cylinders` entries joined by "-".
std::string FiringOrderText(const FiringOrder& order, int cylinders);
// "배전기", "1코일-2실린더", "1코일-1실린더" for coil codes 1..3; empty for any other code.
std::string CoilText(int coilCode);
// "차종선택이 잘못되었습니다. : %d" with the class byte as a signed number.
std::string BadEngineClassText(int engineClass);

// The engine as the shared state keeps it; each load sets it.
struct EngineSetup {
  int cylinderCount = 0;
  FiringOrder firingOrder{};
  std::string cylinderLabel;
  std::string firingText;
  std::string coilText;
};

// Applies the header's class, firing code and coil code to `setup`, which holds the header's texts
// and the previous count and order. Returns the bad-class message, empty when the class is good.
std::string ApplyEngine(int engineClass, int firingCode, int coilCode, EngineSetup& setup);

}  // namespace sparwen
