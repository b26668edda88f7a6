#include "tools/samples/printlayout_sample.h"

#include "platform/base/text.h"
#include "tools/samples/sample_bytes.h"

namespace vetra::samples {
namespace {

// car.dat: maker, model, engine, model year (the marker file name joins them).
const std::vector<std::string> kCar = {"현대", "쏘나타", "2.0 CVVL", "2019"};

// customsava.dat: chassis number (also the customer folder), registration, name, phone, mobile,
// address (not printed), VIN, mileage in km, model, memo (not printed).
const std::vector<std::string> kCustomer = {
    "KMHE341CBKA012345", "12가 3456", "김민준", "02-555-1234", "010-2345-6789",
    "서울특별시 강남구 역삼동 123-45", "KMHE341CBKA012345", "45230", "쏘나타 2.0 CVVL", "정기점검 고객"};

// shopinfo.dat: workshop, two parts of the address, phone, fax.
const std::vector<std::string> kShop = {"한빛자동차정비", "서울특별시 강남구 테헤란로 123",
                                        "한빛빌딩 1층", "02-555-1200", "02-555-1201"};

const std::vector<std::string> kCarInfo = {
    "엔진 부조 및 가속 시 출력 저하로 입고.",
    "점화 2차 파형 점검 결과 3번 실린더 점화전압 과다(22kV).",
    "3번 점화코일 및 점화플러그 교환 후 시운전 정상.",
};

std::string Lines(const std::vector<std::string>& lines, bool lfOnly) {
  std::string text;
  for (const auto& line : lines) text += Cp949(line) + (lfOnly ? "\n" : "\r\n");
  return text;
}

}  // namespace

bool WritePrintLayoutSample(const PrintLayoutOptions& o, const std::filesystem::path& folder, std::string* error) {
  std::vector<std::string> shop = kShop;
  if (o.otherMake) shop[0] = "기타차종";
  const auto& info = o.carInfoLines.empty() ? kCarInfo : o.carInfoLines;
  const struct {
    bool wanted;
    const char* name;
    std::string text;
  } files[] = {
      {o.car, "car.dat", Lines(kCar, o.lfOnly)},
      {o.customer, o.customerAsCustom ? "custom" : "customsava.dat", Lines(kCustomer, o.lfOnly)},
      {o.shop, "shopinfo.dat", Lines(shop, o.lfOnly)},
      {o.carInfo, "carinfo.txt", Lines(info, o.lfOnly)},
  };
  for (const auto& f : files) {
    if (f.wanted && !WriteFileAtomically(folder / f.name, f.text, error)) return false;
  }
  return true;
}

}  // namespace vetra::samples
